#include "file_line.h"

#include <cstdio>
#include <cstring>

bool FormatFileLine(char* line, std::size_t size, const char* folder, std::size_t rootLength,
                    const char* name) {
  const std::size_t folderLength = std::strlen(folder);
  // Below the root the folder part is "\sub" or "\sub\deeper".
  const char* below = folder + (rootLength < folderLength ? rootLength : folderLength);
  const int length = std::strlen(below) > 1
                         ? std::snprintf(line, size, "  FILE=%s\\%s", below + 1, name)
                         : std::snprintf(line, size, "  FILE=%s", name);
  return length >= 0 && static_cast<std::size_t>(length) < size;
}
