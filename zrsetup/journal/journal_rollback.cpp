#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "counted_string.h"
#include "file_endings.h"
#include "install_journal.h"

namespace {

// Deletes the files that the simulator or the help system may have derived
// from the removed file `path`: they are not in the journal, but they would
// keep the folder from being removed.
bool DeleteDerivedFiles(const char* path, bool result) {
  const std::size_t length = std::strlen(path);
  const char* const* extensions = nullptr;
  std::size_t extensionCount = 0;
  if (EndsWithIgnoringAsciiCase(path, length, kSchematicEnding)) {
    extensions = kSchematicDerivedExtensions;
    extensionCount = sizeof(kSchematicDerivedExtensions) / sizeof(kSchematicDerivedExtensions[0]);
  } else if (EndsWithIgnoringAsciiCase(path, length, kHelpEnding)) {
    extensions = kHelpDerivedExtensions;
    extensionCount = sizeof(kHelpDerivedExtensions) / sizeof(kHelpDerivedExtensions[0]);
  } else {
    return result;
  }
  CountedString base;
  base.Assign(path, static_cast<std::int32_t>(length - kExtensionLength));
  for (std::size_t i = 0; i < extensionCount; ++i) {
    result = DeleteIfPresent(extensions[i], result, base.Text());
  }
  return result;
}

}  // namespace

bool InstallJournal::RollBack() const {
  if (count_ == 0) return true;
  // Newest first: every folder's record comes before its content's, so the
  // reverse order empties each folder before its own record comes up.
  std::vector<const char*> newestFirst;
  newestFirst.reserve(static_cast<std::size_t>(count_));
  for (const JournalNode* node = first_; node != nullptr; node = node->next) {
    newestFirst.push_back(node->text);
  }
  bool result = true;
  for (auto record = newestFirst.rbegin(); record != newestFirst.rend(); ++record) {
    const char* text = *record;
    if (text[0] == '\0') continue;  // nothing to name; never appended by the installer
    const char* path = text + 1;
    if (text[0] == 'D') {
      if (!RemoveDirectoryA(path)) result = false;
    } else {
      if (!DeleteFileA(path)) result = false;
      // Derived files go even when the file itself was already gone.
      result = DeleteDerivedFiles(path, result);
    }
  }
  return result;
}

bool DeleteIfPresent(const char* extension, bool result, const char* base) {
  CountedString path;
  path.Concat(base, extension);
  // Opening for reading is the test whether the derived file exists.
  std::FILE* file = std::fopen(path.CStr(), "r");
  if (file == nullptr) return result;
  std::fclose(file);
  if (!DeleteFileA(path.CStr())) return false;
  return result;
}
