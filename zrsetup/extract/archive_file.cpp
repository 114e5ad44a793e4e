#include <cmath>
#include <cstdio>
#include <cstring>

#include "counted_string.h"
#include "extraction_context.h"
#include "file_endings.h"
#include "file_writing.h"
#include "journal_records.h"

namespace {

// The companion file beside a schematic names it with its full path, for the
// starter program that the ".zre" extension is associated with. It is not
// recorded: the rollback and the uninstaller remove it with the schematic.
bool WriteCompanionFile(const char* schematicPath, std::size_t length) {
  CountedString companionPath;
  companionPath.Assign(schematicPath, static_cast<std::int32_t>(length - kExtensionLength));
  companionPath.Append(kCompanionExtension);
  CountedString content;
  content.Concat(schematicPath, "\n");
  return WriteWholeFile(companionPath.CStr(), content.CStr(),
                        static_cast<std::size_t>(content.Length())) == WriteResult::kWritten;
}

// Shows the whole-number percentage of files written, half a percent rounding
// up, whenever it grows: at most 101 redraws in a run.
void AdvanceProgress(ExtractionContext& context) {
  ++context.filesWritten;
  if (context.ownerWindow == nullptr || context.totalFiles <= 0) return;
  const int percentage = static_cast<int>(
      std::floor(static_cast<double>(context.filesWritten) * 100.0 / context.totalFiles + 0.5));
  if (percentage <= context.lastShownPercentage) return;
  context.lastShownPercentage = percentage;
  char text[16];
  std::snprintf(text, sizeof(text), "%d %%", percentage);
  SetDlgItemTextA(context.ownerWindow, context.progressControl, text);
  // No messages are processed during the run: repaint now.
  UpdateWindow(context.ownerWindow);
}

}  // namespace

bool WriteArchiveFile(ExtractionContext& context, const char* filePath, const std::uint8_t* content,
                      std::uint32_t size) {
  const WriteResult written = WriteWholeFile(filePath, content, size);
  if (written == WriteResult::kNotCreated) return false;
  // A file cut short by a failed write is recorded too, so that the rollback
  // removes it.
  AppendRecord(context.journal, kFileRecord, filePath);
  if (written != WriteResult::kWritten) return false;

  const std::size_t length = std::strlen(filePath);
  if (EndsWithIgnoringAsciiCase(filePath, length, kSchematicEnding) &&
      !WriteCompanionFile(filePath, length)) {
    return false;
  }
  AdvanceProgress(context);
  return true;
}
