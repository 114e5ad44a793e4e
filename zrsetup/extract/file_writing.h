// Writing the extraction's files so that a failure is never taken for a
// success and the thread's last error tells the error log why it failed. The C
// runtime leaves the system's code of a failed open, write or close behind,
// but not for a failure inside the runtime itself, and a successful open that
// replaces a file leaves an unrelated ERROR_ALREADY_EXISTS.
#pragma once

#include <cstddef>

#include "install_journal.h"

enum class WriteResult {
  kWritten,     // the whole content is on disk
  kNotCreated,  // the file could not be opened for writing; nothing was created
  kIncomplete,  // the file exists but a write or the close failed (a full disk)
};

// Creates or truncates path ("wb") and writes size bytes with one write call.
WriteResult WriteWholeFile(const char* path, const void* bytes, std::size_t size);

// Saves the journal file to path; false, with the last error set, on failure.
bool SaveJournalFile(const InstallJournal& journal, const char* path);
