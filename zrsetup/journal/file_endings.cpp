#include "file_endings.h"

#include <cstring>

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool EndsWithIgnoringAsciiCase(const char* text, std::size_t length, const char* ending) {
  const std::size_t endingLength = std::strlen(ending);
  if (length < endingLength) return false;
  const char* tail = text + (length - endingLength);
  for (std::size_t i = 0; i < endingLength; ++i) {
    if (AsciiUpper(tail[i]) != AsciiUpper(ending[i])) return false;
  }
  return true;
}
