#include "file_writing.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>

#include "written_file.h"

namespace {

void ClearErrors() {
  errno = 0;
  SetLastError(ERROR_SUCCESS);
}

void NameOpenFailure() {
  if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_OPEN_FAILED);
}

void NameWriteFailure() {
  if (GetLastError() != ERROR_SUCCESS) return;
  SetLastError(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
}

}  // namespace

WriteResult WriteWholeFile(const char* path, const void* bytes, std::size_t size) {
  ClearErrors();
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    NameOpenFailure();
    return WriteResult::kNotCreated;
  }
  ClearErrors();
  bool written = size == 0 || std::fwrite(bytes, 1, size, file) == size;
  written = CloseWrittenFile(file) && written;
  if (!written) {
    NameWriteFailure();
    return WriteResult::kIncomplete;
  }
  return WriteResult::kWritten;
}

bool SaveJournalFile(const InstallJournal& journal, const char* path) {
  ClearErrors();
  if (journal.SaveToFile(path)) return true;
  NameWriteFailure();
  return false;
}
