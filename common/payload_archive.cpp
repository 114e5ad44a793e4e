#include "payload_archive.h"

#include <cstring>

namespace payload {

bool IsSafeEntryName(const char* name, std::size_t length) {
  if (length == 0 || length > kMaxNameLength) return false;
  if ((length == 1 && name[0] == '.') || (length == 2 && name[0] == '.' && name[1] == '.')) {
    return false;
  }
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c == 0x7F || c == '\\' || c == '/' || c == ':') return false;
  }
  return true;
}

std::uint32_t DecodeSize(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) |
         (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void EncodeSize(std::uint32_t size, std::uint8_t* bytes) {
  bytes[0] = static_cast<std::uint8_t>(size & 0xFF);
  bytes[1] = static_cast<std::uint8_t>((size >> 8) & 0xFF);
  bytes[2] = static_cast<std::uint8_t>((size >> 16) & 0xFF);
  bytes[3] = static_cast<std::uint8_t>((size >> 24) & 0xFF);
}

bool PayloadCursor::SkipByte() {
  if (AtEnd()) return false;
  ++position_;
  return true;
}

bool PayloadCursor::ReadName(const char** name, std::size_t* length) {
  // Look for the terminator no further than one byte past the longest name.
  std::size_t window = Remaining();
  if (window > kMaxNameLength + 1) window = kMaxNameLength + 1;
  // memchr wants a valid pointer even for 0 bytes; an empty resource may have none.
  if (window == 0) return false;
  const void* nul = std::memchr(position_, 0, window);
  if (nul == nullptr) return false;
  *name = reinterpret_cast<const char*>(position_);
  *length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - position_);
  position_ += *length + 1;
  return true;
}

bool PayloadCursor::ReadSize(std::uint32_t* size) {
  if (Remaining() < kSizeFieldLength) return false;
  *size = DecodeSize(position_);
  position_ += kSizeFieldLength;
  return true;
}

bool PayloadCursor::TakeContent(std::uint32_t size, const std::uint8_t** content) {
  if (Remaining() < size) return false;
  *content = position_;
  position_ += size;
  return true;
}

}  // namespace payload
