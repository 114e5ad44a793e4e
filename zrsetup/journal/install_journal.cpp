// TEMPORARY minimal journal so that the integration tests can run; replaced
// entirely by the journal module's own implementation on merge.
#include "install_journal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void InstallJournal::Append(const char* record) {
  const std::size_t size = std::strlen(record) + 1;
  auto* node = static_cast<JournalNode*>(std::malloc(sizeof(JournalNode)));
  char* text = static_cast<char*>(std::malloc(size));
  if (node == nullptr || text == nullptr) std::abort();
  std::memcpy(text, record, size);
  node->text = text;
  node->next = nullptr;
  if (last_ != nullptr) {
    last_->next = node;
  } else {
    first_ = node;
  }
  last_ = node;
  ++count_;
}

bool InstallJournal::SaveToFile(const char* path) const {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  bool written = true;
  for (const JournalNode* node = first_; node != nullptr; node = node->next) {
    if (std::fprintf(file, "%s\n", node->text) < 0) written = false;
  }
  if (std::fclose(file) != 0) written = false;
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
  first_ = last_ = nullptr;
  count_ = 0;
}
