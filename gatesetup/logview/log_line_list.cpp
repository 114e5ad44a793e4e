#include "log_line_list.h"

#include <cstdlib>
#include <cstring>

namespace {

LogLineList lines{};

// The lines are freed however the process ends normally, also when the
// entry point returns from its message loop.
[[maybe_unused]] const int freeLinesRegistered = std::atexit(FreeLines);

}  // namespace

int AppendLine(const char* text) {
  auto* line = static_cast<LogLine*>(std::malloc(sizeof(LogLine)));
  if (line == nullptr) return -1;
  const std::size_t size = std::strlen(text) + 1;
  line->text = static_cast<char*>(std::malloc(size));
  if (line->text == nullptr) {
    std::free(line);
    return -1;
  }
  std::memcpy(line->text, text, size);
  line->next = nullptr;
  if (lines.tail == nullptr) {
    lines.head = line;
  } else {
    lines.tail->next = line;
  }
  lines.tail = line;
  ++lines.count;
  return 0;
}

int LineCount() { return lines.count; }

const char* FirstLine() {
  lines.cursor = lines.head;
  return lines.cursor != nullptr ? lines.cursor->text : nullptr;
}

const char* NextLine() {
  if (lines.cursor == nullptr) return nullptr;
  lines.cursor = lines.cursor->next;
  return lines.cursor != nullptr ? lines.cursor->text : nullptr;
}

void FreeLines() {
  LogLine* line = lines.head;
  while (line != nullptr) {
    LogLine* next = line->next;
    std::free(line->text);
    std::free(line);
    line = next;
  }
  lines = LogLineList{};
}
