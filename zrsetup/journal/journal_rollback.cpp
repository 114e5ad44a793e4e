#include <windows.h>

#include "install_journal.h"

bool InstallJournal::RollBack() const {
  // not yet implemented
  return true;
}

bool DeleteIfPresent(const char* extension, bool result, const char* base) {
  // not yet implemented
  (void)extension;
  (void)base;
  return result;
}
