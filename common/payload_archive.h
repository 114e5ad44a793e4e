// The payload archive: the tag stream that both installers carry as a "BIN"
// resource and that the packer writes from a folder tree.
//
// Byte layout (no gaps, no alignment; the next tag follows an entry directly):
//
//   directory entry   'D'  name bytes  0x00  entries...  'R'
//   file entry        'F'  name bytes  0x00  size (uint32, little-endian)  content (size bytes)
//
// zrsetup's archive:   'B' <programs entries>  'E' <examples entries>  0x00
//   The section lists have no end tag; a list ends at the first byte that does
//   not begin an entry ('B', 'E' or the closing 0x00), which the enclosing level
//   then reads. A list may also end with 'R' (consumed).
// gatesetup's archive: <entries of the target folder>  'E'
//
// A name is one path component, used verbatim as the name of the folder or file.
//
// The installers read the archive in place from the loaded resource. Nothing in
// the stream is trusted: every read goes through PayloadCursor, which never
// steps past the end of the resource and reports a malformed entry instead.
#pragma once

#include <cstddef>
#include <cstdint>

namespace payload {

constexpr std::uint8_t kDirectoryTag = 0x44;        // 'D'
constexpr std::uint8_t kFileTag = 0x46;             // 'F'
constexpr std::uint8_t kEndTag = 0x52;              // 'R'
constexpr std::uint8_t kProgramsSectionTag = 0x42;  // 'B', zrsetup only
constexpr std::uint8_t kExamplesSectionTag = 0x45;  // 'E': zrsetup section, gatesetup end mark
constexpr std::uint8_t kArchiveEnd = 0x00;          // closes zrsetup's archive

// Longest name the readers accept, in bytes without the NUL: the longest path
// component Windows file systems allow.
constexpr std::size_t kMaxNameLength = 255;

// Deepest folder nesting the readers accept below the folder they unpack into.
// The shipped archives nest at most five levels; a path of 260 characters cannot
// hold more than about 130 levels anyway, and the limit keeps the recursive
// walks' stack use small whatever the archive holds.
constexpr int kMaxNestingDepth = 32;

// Size of the little-endian size field of a file entry.
constexpr std::size_t kSizeFieldLength = 4;

// True when `name` (of `length` bytes) may be created as one folder or file
// inside the unpack folder: not empty, not "." or "..", no '\\', '/' or ':',
// none of the other characters Windows refuses in names (<>"|?*), no control
// character, no trailing dot or space, not a device name (CON, NUL, COM1,
// CONIN$, ... with any extension), at most kMaxNameLength bytes. Anything
// else could write outside the target folder, into another name than the one
// recorded, or to a device or stream.
bool IsSafeEntryName(const char* name, std::size_t length);

// Decodes the 4-byte little-endian size field at `bytes`.
std::uint32_t DecodeSize(const std::uint8_t* bytes);

// Writes `size` as the 4-byte little-endian size field into `bytes`.
void EncodeSize(std::uint32_t size, std::uint8_t* bytes);

// A read position inside an archive of known extent. Every operation either
// succeeds and moves forward, or fails and leaves the position unchanged.
class PayloadCursor {
 public:
  PayloadCursor(const std::uint8_t* begin, std::size_t size)
      : position_(begin), end_(begin + size) {}

  // Bytes left from the position to the end.
  std::size_t Remaining() const { return static_cast<std::size_t>(end_ - position_); }
  bool AtEnd() const { return position_ == end_; }
  const std::uint8_t* Position() const { return position_; }

  // The byte at the position, or -1 at the end of the archive.
  int PeekByte() const { return AtEnd() ? -1 : *position_; }

  // Steps over one byte; false at the end.
  bool SkipByte();

  // Reads a NUL-terminated name at the position: `name` points at its first
  // byte inside the archive (the name is NUL-terminated there), `length` gets
  // its length. False, without moving, when no NUL follows before the end or
  // when the name is longer than kMaxNameLength.
  bool ReadName(const char** name, std::size_t* length);

  // Reads a file entry's size field; false when fewer than 4 bytes are left.
  bool ReadSize(std::uint32_t* size);

  // Takes `size` content bytes; false when fewer are left.
  bool TakeContent(std::uint32_t size, const std::uint8_t** content);

 private:
  const std::uint8_t* position_;
  const std::uint8_t* end_;
};

}  // namespace payload
