#include "unpack_examples.h"

#include <direct.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "file_line.h"
#include "log_line_list.h"
#include "log_view.h"
#include "message_buffer.h"

namespace {

// A folder that exists after the attempt is fine, whoever made it. One that
// does not (missing parent, a file of that name, no right) is an error: the
// files of an empty folder would otherwise be reported as unpacked without it.
bool CreateFolder(const char* folder) {
  if (_mkdir(folder) == 0) return true;
  if (errno == ENOENT) return false;
  const DWORD attributes = GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ReportDamage(const PayloadReader& reader, const std::uint8_t* entry, const char* what) {
  FormatMessageText("ERROR: damaged payload: %s at byte %lu", what,
                    static_cast<unsigned long>(entry - reader.begin));
  return false;
}

bool UnpackFile(PayloadReader* reader, HWND window, const char* folder, std::size_t rootLength,
                const char* name, const std::uint8_t* entry) {
  std::uint32_t size = 0;
  const std::uint8_t* content = nullptr;
  if (!reader->cursor.ReadSize(&size)) return ReportDamage(*reader, entry, "a file size cut off");
  if (!reader->cursor.TakeContent(size, &content)) {
    return ReportDamage(*reader, entry, "a file larger than the payload");
  }
  if (!FormatMessageText("%s\\%s", folder, name)) {
    FormatMessageText("ERROR: path too long: %s\\%s", folder, name);
    return false;
  }
  if (!WriteUnpackedFile(MessageBuffer, content, size)) return false;
  if (!FormatFileLine(MessageBuffer, kMessageBufferSize, folder, rootLength, name)) {
    FormatMessageText("ERROR: path too long: %s\\%s", folder, name);
    return false;
  }
  AppendLine(MessageBuffer);
  RefreshLogView(window);
  return true;
}

}  // namespace

bool UnpackExamples(PayloadReader* reader, HWND window, const char* rootFolder) {
  return UnpackFolder(reader, window, rootFolder, std::strlen(rootFolder), 0);
}

bool UnpackFolder(PayloadReader* reader, HWND window, const char* folder, std::size_t rootLength,
                  int depth) {
  if (!CreateFolder(folder)) {
    FormatMessageText("ERROR: creation of folder %s failed", folder);
    return false;
  }
  for (;;) {
    const std::uint8_t* entry = reader->cursor.Position();
    const int tag = reader->cursor.PeekByte();
    if (tag < 0) return ReportDamage(*reader, entry, "no end mark");
    reader->cursor.SkipByte();
    if (tag == payload::kEndTag || tag == payload::kExamplesSectionTag) return true;

    const char* name = nullptr;
    std::size_t nameLength = 0;
    if (!reader->cursor.ReadName(&name, &nameLength)) {
      return ReportDamage(*reader, entry, "an entry name without its end");
    }
    if (!payload::IsSafeEntryName(name, nameLength)) {
      return ReportDamage(*reader, entry, "an entry name that is no plain file name");
    }
    if (tag == payload::kFileTag) {
      if (!UnpackFile(reader, window, folder, rootLength, name, entry)) return false;
      continue;
    }
    // Every other byte begins a folder entry.
    if (depth >= payload::kMaxNestingDepth) {
      return ReportDamage(*reader, entry, "folders nested too deeply");
    }
    const std::size_t pathSize = std::strlen(folder) + nameLength + 2;
    auto* subFolder = static_cast<char*>(std::malloc(pathSize));
    if (subFolder == nullptr) {
      FormatMessageText("ERROR: memory allocation failed");
      return false;
    }
    std::snprintf(subFolder, pathSize, "%s\\%s", folder, name);
    const bool unpacked = UnpackFolder(reader, window, subFolder, rootLength, depth + 1);
    std::free(subFolder);
    if (!unpacked) return false;
  }
}

bool WriteUnpackedFile(const char* path, const std::uint8_t* data, std::uint32_t size) {
  // The error texts overwrite MessageBuffer, where the path may lie.
  char pathCopy[kMessageBufferSize];
  const int pathLength = std::snprintf(pathCopy, sizeof(pathCopy), "%s", path);
  if (pathLength < 0 || static_cast<std::size_t>(pathLength) >= sizeof(pathCopy)) {
    FormatMessageText("ERROR: path too long: %s", path);
    return false;
  }
  FILE* file = std::fopen(pathCopy, "wb");
  if (file == nullptr) {
    FormatMessageText("ERROR: creation of file %s failed", pathCopy);
    return false;
  }
  // A full disk shows only here: in the write of a large block, or in the
  // flush of the stream's buffer. The flush is checked on its own, since some
  // C libraries' fclose (Wine's msvcrt) does not report a failed final flush.
  const bool written = std::fwrite(data, 1, size, file) == size && std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    FormatMessageText("ERROR: writing of file %s failed", pathCopy);
    return false;
  }
  return true;
}
