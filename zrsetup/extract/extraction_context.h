// Extraction of zrsetup's payload archive into the installation folder, with
// the progress percentage, the companion files beside schematics, the help
// settings file in the Windows folder and the "files" journal.
#pragma once

#include <windows.h>

#include <cstdint>

#include "install_journal.h"

// The dialog control that shows the percentage.
constexpr std::int32_t kProgressControlId = 122;

struct ExtractionContext {
  std::uint32_t archiveSize = 0;  // size of the resource, as the system reports it
  std::int32_t totalFiles = 0;    // file entries, set by the count pass
  std::int32_t filesWritten = 0;  // file entries written so far
  std::int32_t lastShownPercentage = -1;
  std::int32_t progressControl = 0;          // control id of the percentage display
  const std::uint8_t* cursor = nullptr;      // next unread byte of the archive
  const std::uint8_t* archiveEnd = nullptr;  // one past the last byte; no read goes beyond
  InstallJournal journal;
  HWND ownerWindow = nullptr;  // dialog holding the progress control; null: no display
};

// Points the context at an archive in memory (the locked resource): archive
// size, cursor and end. The journal is left as it is (empty for a new context).
void AttachArchive(ExtractionContext& context, const std::uint8_t* archive, std::uint32_t size);

// The whole run into InstallationFolder. False on the first failure, with the
// system's last error code telling why (ERROR_INVALID_DATA for a malformed
// archive, ERROR_INVALID_NAME for an entry name that is unsafe to create, the
// system's own code for a file operation, e.g. ERROR_DISK_FULL); the journal
// then lists everything created so far.
bool ExtractPayload(ExtractionContext& context, HWND ownerWindow);

// Resets the progress counters and counts the file entries from the cursor on,
// without moving the cursor.
void CountPayloadFiles(ExtractionContext& context);

// Creates folderPath and extracts the entry list at the cursor into it,
// recursively; leaves the cursor after that list. depth is the nesting level
// below the section folder (0 for "BinDL" and "Examples").
bool ExtractDirectory(ExtractionContext& context, const char* folderPath, int depth = 0);

// Writes one file's content, records it, writes the companion file of a
// schematic and advances the progress display.
bool WriteArchiveFile(ExtractionContext& context, const char* filePath, const std::uint8_t* content,
                      std::uint32_t size);

// Creates and records "msim.ini" in the Windows folder when it is absent.
void WriteHelpSettingsFile(ExtractionContext& context);
