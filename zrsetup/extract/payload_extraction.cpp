#include <cstddef>

#include "counted_string.h"
#include "extraction_context.h"
#include "file_writing.h"
#include "install_folders.h"
#include "journal_records.h"
#include "payload_archive.h"

namespace {

constexpr const char* kProgramsFolder = "\\BinDL";
constexpr const char* kExamplesFolder = "\\Examples";
constexpr const char* kFilesJournal = "\\files";
constexpr const char* kLinksJournal = "\\links";
// Not in the archive; recorded so that the uninstaller and the rollback
// remove it with the rest.
constexpr const char* kNomIndexFile = "\\BinDL\\nom.ind";

// A truncated or malformed archive: the error log reports the system's
// ERROR_INVALID_DATA (13), "The data is invalid".
bool FailMalformedArchive() {
  SetLastError(ERROR_INVALID_DATA);
  return false;
}

// An entry name that could reach outside the folder it belongs to, or name a
// device or a stream: reported as ERROR_INVALID_NAME (123).
bool FailUnsafeName() {
  SetLastError(ERROR_INVALID_NAME);
  return false;
}

payload::PayloadCursor ReaderAt(const ExtractionContext& context) {
  return payload::PayloadCursor(context.cursor,
                                static_cast<std::size_t>(context.archiveEnd - context.cursor));
}

// Reads the name of the entry at the reader and forms folderPath\name.
bool ReadEntryPath(payload::PayloadCursor& reader, const char* folderPath, CountedString* path) {
  const char* name = nullptr;
  std::size_t length = 0;
  if (!reader.ReadName(&name, &length)) return FailMalformedArchive();
  if (!payload::IsSafeEntryName(name, length)) return FailUnsafeName();
  path->Concat(folderPath, "\\", name);  // the name ends with its NUL inside the archive
  return true;
}

// Creates a folder, or takes the one that is there already. CreateDirectoryA
// reports a file of that name as existing too, but that is no folder to unpack
// into.
bool CreateOrReuseFolder(const char* path) {
  if (CreateDirectoryA(path, nullptr)) return true;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return true;
  }
  SetLastError(ERROR_ALREADY_EXISTS);
  return false;
}

// Extracts the section at the cursor into folder + sectionFolder when the
// cursor stands on its tag; a missing section is no error.
bool ExtractSection(ExtractionContext& context, std::uint8_t tag, const char* folder,
                    const char* sectionFolder) {
  payload::PayloadCursor reader = ReaderAt(context);
  if (reader.PeekByte() != tag) return true;
  reader.SkipByte();
  context.cursor = reader.Position();
  CountedString sectionPath;
  sectionPath.Concat(folder, sectionFolder);
  return ExtractDirectory(context, sectionPath.CStr());
}

}  // namespace

void AttachArchive(ExtractionContext& context, const std::uint8_t* archive, std::uint32_t size) {
  context.archiveSize = size;
  context.cursor = archive;
  context.archiveEnd = archive + size;
}

bool ExtractPayload(ExtractionContext& context, HWND ownerWindow) {
  context.ownerWindow = ownerWindow;
  context.progressControl = kProgressControlId;
  const char* folder = InstallationFolder.CStr();

  // The installation folder exists already (the folder dialog made it); the
  // two journal files are recorded before they are written.
  AppendRecord(context.journal, kFolderRecord, folder);
  AppendRecord(context.journal, kFileRecord, folder, kFilesJournal);
  AppendRecord(context.journal, kFileRecord, folder, kLinksJournal);

  CountPayloadFiles(context);
  if (!ExtractSection(context, payload::kProgramsSectionTag, folder, kProgramsFolder)) {
    return false;
  }
  if (!ExtractSection(context, payload::kExamplesSectionTag, folder, kExamplesFolder)) {
    return false;
  }
  AppendRecord(context.journal, kFileRecord, folder, kNomIndexFile);
  WriteHelpSettingsFile(context);

  CountedString journalPath;
  journalPath.Concat(folder, kFilesJournal);
  return SaveJournalFile(context.journal, journalPath.CStr());
}

void CountPayloadFiles(ExtractionContext& context) {
  context.totalFiles = 0;
  context.filesWritten = 0;
  context.lastShownPercentage = -1;
  // A private reader: the extraction starts from the same cursor. The pass
  // ends at the first byte that is no tag, or where an entry runs past the
  // end of the archive.
  payload::PayloadCursor reader = ReaderAt(context);
  for (;;) {
    const int tag = reader.PeekByte();
    const char* name = nullptr;
    std::size_t length = 0;
    if (tag == payload::kProgramsSectionTag || tag == payload::kExamplesSectionTag ||
        tag == payload::kEndTag) {
      reader.SkipByte();
    } else if (tag == payload::kDirectoryTag) {
      reader.SkipByte();
      if (!reader.ReadName(&name, &length)) return;
    } else if (tag == payload::kFileTag) {
      reader.SkipByte();
      std::uint32_t size = 0;
      const std::uint8_t* content = nullptr;
      if (!reader.ReadName(&name, &length) || !reader.ReadSize(&size) ||
          !reader.TakeContent(size, &content)) {
        return;
      }
      ++context.totalFiles;
    } else {
      return;
    }
  }
}

bool ExtractDirectory(ExtractionContext& context, const char* folderPath, int depth) {
  if (!CreateOrReuseFolder(folderPath)) return false;
  AppendRecord(context.journal, kFolderRecord, folderPath);

  for (;;) {
    payload::PayloadCursor reader = ReaderAt(context);
    const int tag = reader.PeekByte();
    if (tag == payload::kDirectoryTag) {
      reader.SkipByte();
      if (depth >= payload::kMaxNestingDepth) return FailMalformedArchive();
      CountedString childPath;
      if (!ReadEntryPath(reader, folderPath, &childPath)) return false;
      context.cursor = reader.Position();
      if (!ExtractDirectory(context, childPath.CStr(), depth + 1)) return false;
    } else if (tag == payload::kFileTag) {
      reader.SkipByte();
      CountedString filePath;
      if (!ReadEntryPath(reader, folderPath, &filePath)) return false;
      std::uint32_t size = 0;
      const std::uint8_t* content = nullptr;
      if (!reader.ReadSize(&size) || !reader.TakeContent(size, &content)) {
        return FailMalformedArchive();
      }
      if (!WriteArchiveFile(context, filePath.CStr(), content, size)) return false;
      context.cursor = reader.Position();
    } else if (tag == payload::kEndTag) {
      reader.SkipByte();
      context.cursor = reader.Position();
      return true;
    } else if (reader.AtEnd()) {
      // Every list ends before the archive does: at its end tag, at the next
      // section tag or at the closing byte.
      return FailMalformedArchive();
    } else {
      // A section tag or the closing byte: the enclosing level reads it.
      return true;
    }
  }
}
