#include <windows.h>

#include "install_journal.h"

void WriteErrorLog(const InstallJournal& journal, const char* logPath) {
  // not yet implemented
  (void)journal;
  (void)logPath;
}
