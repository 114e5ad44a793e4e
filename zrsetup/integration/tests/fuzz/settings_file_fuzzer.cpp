// Feeds arbitrary settings files to the rewrite, under AddressSanitizer and
// UBSan, and checks one property that needs no second implementation: with the
// marker itself as the folder, a file of whole lines that the rewrite neither
// splits nor re-ends comes back byte for byte.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings_file.h"

namespace {

std::string ReadAll(const char* path) {
  std::string bytes;
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return bytes;
  char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) bytes.append(chunk, got);
  std::fclose(file);
  return bytes;
}

// Lines ending in LF, none of 999 or more characters, no CR or NUL: the
// rewrite reads each as one piece and writes it back as it was.
bool IsPlainLines(const std::string& text) {
  if (!text.empty() && text.back() != '\n') return false;
  std::size_t lineLength = 0;
  for (char c : text) {
    if (c == '\r' || c == '\0' || c == '\x1a') return false;
    lineLength = c == '\n' ? 0 : lineLength + 1;
    if (lineLength >= 999) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "settings-fuzz-" + std::to_string(std::rand()) + ".ini";
  const std::string input(reinterpret_cast<const char*>(data), size);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(input.data(), 1, input.size(), file);
  std::fclose(file);

  CountedString folder;
  folder.Assign(std::string(1, kFolderMarker).c_str());
  if (!RewriteSettingsFile(path.c_str(), folder)) std::abort();  // a readable, writable file
  if (IsPlainLines(input) && ReadAll(path.c_str()) != input) std::abort();
  std::remove(path.c_str());
  return 0;
}
