// Registry values that the simulator, its file-type starter and the
// uninstaller read. None of these reports a result: a key that can be neither
// opened nor created only loses its own values.
#pragma once

#include "counted_string.h"

// "InstallationFolder" and "UserFolder" under HKLM\SOFTWARE\MicroSim\MicroSim\ZR.
void WriteFolderValues();

// Makes sure HKLM\SOFTWARE\MicroSim\MicroSim\8.0 exists.
void EnsureSimulatorKey();

// The ".zre" file type, its open command and the simulator command line.
void RegisterFileAssociation(const CountedString& simulatorCommandLine);

// HKLM\SOFTWARE\Microsoft\WinHelp "AllowProgrammaticMacros" = 1.
void AllowHelpMacros();
