// A folder tree built by a test in a fresh temporary folder, removed again
// when the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace payload {

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path Path(std::string_view relative) const { return root_ / relative; }

  // Creates a file with `content`, and the folders above it as needed.
  void AddFile(std::string_view relative, std::string_view content = {}) const;
  void AddFolder(std::string_view relative) const;

 private:
  std::filesystem::path root_;
};

// The whole content of a file; empty when it cannot be read.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Archive entries spelled out byte by byte, independently of ArchiveWriter, for
// comparing a packed archive with what it must be.
std::string FileEntry(std::string_view name, std::string_view content);
std::string DirectoryEntry(std::string_view name, std::string_view entries);

std::string AsString(const std::vector<std::uint8_t>& bytes);

}  // namespace payload
