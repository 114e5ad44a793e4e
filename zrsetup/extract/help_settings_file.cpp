#include <cstdio>

#include "counted_string.h"
#include "extraction_context.h"
#include "install_folders.h"
#include "journal_records.h"
#include "written_file.h"

namespace {

constexpr const char* kHelpSettingsFile = "\\msim.ini";

// The Windows folder as the system reports it; false when it cannot be had.
bool GetWindowsFolder(CountedString* folder) {
  const UINT needed = GetWindowsDirectoryA(nullptr, 0);  // with the NUL
  if (needed == 0) return false;
  folder->Reserve(static_cast<std::int32_t>(needed));
  const UINT length = GetWindowsDirectoryA(folder->Buffer(), needed);
  if (length == 0 || length >= needed) return false;  // failed, or grown meanwhile
  folder->ShrinkToFirstNul();
  return true;
}

}  // namespace

void WriteHelpSettingsFile(ExtractionContext& context) {
  CountedString path;
  if (!GetWindowsFolder(&path)) return;
  path.Append(kHelpSettingsFile);

  // A settings file of the help system that exists already is the user's.
  std::FILE* existing = std::fopen(path.CStr(), "r");
  if (existing != nullptr) {
    std::fclose(existing);
    return;
  }
  // Text mode: the help system reads CR LF lines.
  std::FILE* file = std::fopen(path.CStr(), "w");
  if (file == nullptr) return;
  std::fprintf(file, "[HELP]\nPDFS=\"%s\\BinDL\"\n", InstallationFolder.CStr());
  // A help settings file that could not be written completely is no failure
  // of the installation; it is recorded all the same so that it is removed.
  CloseWrittenFile(file);
  AppendRecord(context.journal, kFileRecord, path.CStr());
}
