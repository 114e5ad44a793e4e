#include "temp_tree.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace payload {
namespace fs = std::filesystem;

TempTree::TempTree() {
  std::string pattern = (fs::temp_directory_path() / "zrpack-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
}

TempTree::~TempTree() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void TempTree::AddFile(std::string_view relative, std::string_view content) const {
  const fs::path path = Path(relative);
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void TempTree::AddFolder(std::string_view relative) const {
  fs::create_directories(Path(relative));
}

std::vector<std::uint8_t> ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

std::string FileEntry(std::string_view name, std::string_view content) {
  const std::uint32_t size = static_cast<std::uint32_t>(content.size());
  std::string entry = "F" + std::string(name) + '\0';
  for (int shift = 0; shift < 32; shift += 8) entry += static_cast<char>((size >> shift) & 0xFF);
  return entry + std::string(content);
}

std::string DirectoryEntry(std::string_view name, std::string_view entries) {
  return "D" + std::string(name) + '\0' + std::string(entries) + "R";
}

std::string AsString(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace payload
