#include "install_journal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void InstallJournal::Append(const char* record) {
  // not yet implemented
  (void)record;
}

bool InstallJournal::SaveToFile(const char* path) const {
  // not yet implemented
  (void)path;
  return false;
}

void InstallJournal::Free() {
  // not yet implemented
}
