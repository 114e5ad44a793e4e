// Writes the payload archive (layout in common/payload_archive.h) into memory,
// one tag or entry at a time, in the order the caller gives.
//
// The writer checks nothing: names, nesting and section order are the caller's
// business. The tree packer validates its input before it writes; tests of the
// readers use the same writer to craft truncated and malformed archives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace payload {

class ArchiveWriter {
 public:
  // 'D' name NUL; the entries that follow belong to this folder until
  // EndDirectory().
  void BeginDirectory(std::string_view name);

  // 'R': closes the innermost open folder.
  void EndDirectory();

  // 'F' name NUL size content, with the size field set to `size`.
  void AddFile(std::string_view name, const void* content, std::uint32_t size);

  // 'F' name NUL size, without content: the caller follows with
  // AppendContent(). The writer does not check that the declared size and the
  // content appended agree, so a test can write a cut-off entry.
  void BeginFile(std::string_view name, std::uint32_t declared_size);
  void AppendContent(const void* bytes, std::size_t size);

  // A section tag of zrsetup's archive (kProgramsSectionTag or
  // kExamplesSectionTag), or any other single byte.
  void Section(std::uint8_t tag);

  // The byte that closes zrsetup's archive (kArchiveEnd).
  void CloseZrsetupArchive();

  // The byte that closes gatesetup's archive (kExamplesSectionTag).
  void CloseGatesetupArchive();

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  // Hands over the archive written so far and leaves the writer empty.
  std::vector<std::uint8_t> TakeBytes();

 private:
  void AppendName(std::string_view name);

  std::vector<std::uint8_t> bytes_;
};

}  // namespace payload
