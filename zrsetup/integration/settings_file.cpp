#include "settings_file.h"

#include <cstdio>
#include <cstring>

#include "install_folders.h"
#include "install_journal.h"

namespace {

// The line reader's buffer: pieces of at most 999 characters and their NUL.
constexpr int kPieceBufferSize = 1000;

// The piece with its first marker replaced and its line feed dropped.
void AdaptPiece(char* piece, const CountedString& folder, CountedString* line) {
  char* marker = std::strchr(piece, kFolderMarker);
  if (marker != nullptr) {
    *marker = '\0';
    line->Concat(piece, folder.CStr(), marker + 1);
  } else {
    line->Assign(piece);
  }
  if (!line->IsEmpty() && line->Text()[line->Length() - 1] == '\n') {
    line->Assign(line->Text(), line->Length() - 1);
  }
}

// Reads the whole file into lines. False on a read error: writing back a
// partly read file would lose its tail.
bool ReadPieces(std::FILE* file, const CountedString& folder, InstallJournal* lines) {
  char piece[kPieceBufferSize];
  CountedString line;
  while (std::fgets(piece, kPieceBufferSize, file) != nullptr) {
    AdaptPiece(piece, folder, &line);
    // A piece that begins with a NUL byte has no text and becomes an empty line.
    lines->Append(line.CStr());
  }
  return std::ferror(file) == 0;
}

}  // namespace

bool RewriteSettingsFile(const char* path, const CountedString& folder) {
  // Text mode, so that CR LF reads as one line feed.
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return false;
  InstallJournal lines;
  const bool read = ReadPieces(file, folder, &lines);
  std::fclose(file);
  if (!read) return false;
  return lines.SaveToFile(path);
}

bool AdaptSettingsFile() {
  CountedString path;
  path.Concat(InstallationFolder.CStr(), "\\BinDL\\zrsim.ini");
  return RewriteSettingsFile(path.CStr(), InstallationFolder);
}
