#include "registry_values.h"

// not yet implemented
void WriteFolderValues() {}
void EnsureSimulatorKey() {}
void RegisterFileAssociation(const CountedString& simulatorCommandLine) {
  (void)simulatorCommandLine;
}
void AllowHelpMacros() {}
