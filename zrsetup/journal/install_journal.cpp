#include "install_journal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "written_file.h"

namespace {

// Running out of memory ends the installer: there is nothing sensible left to do.
void* AllocateOrDie(std::size_t bytes) {
  void* memory = std::malloc(bytes);
  if (memory == nullptr) {
    std::fputs("out of memory\n", stderr);
    std::abort();
  }
  return memory;
}

}  // namespace

void InstallJournal::Append(const char* record) {
  const std::size_t length = std::strlen(record);
  char* text = static_cast<char*>(AllocateOrDie(length + 1));
  std::memcpy(text, record, length + 1);
  JournalNode* node = static_cast<JournalNode*>(AllocateOrDie(sizeof(JournalNode)));
  node->text = text;
  node->next = nullptr;
  if (last_ == nullptr) {
    first_ = node;
  } else {
    last_->next = node;
  }
  last_ = node;
  ++count_;
}

bool InstallJournal::SaveToFile(const char* path) const {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  bool written = true;
  for (const JournalNode* node = first_; node != nullptr && written; node = node->next) {
    const std::size_t length = std::strlen(node->text);
    written = std::fwrite(node->text, 1, length, file) == length && std::fputc('\n', file) != EOF;
  }
  written = CloseWrittenFile(file) && written;
  return written;
}

void InstallJournal::Free() {
  JournalNode* node = first_;
  while (node != nullptr) {
    JournalNode* next = node->next;
    std::free(node->text);
    std::free(node);
    node = next;
  }
  first_ = nullptr;
  last_ = nullptr;
  count_ = 0;
}
