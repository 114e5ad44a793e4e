#include "payload_archive.h"

#include <cstring>

namespace payload {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows opens a device for these names in any folder, with any extension
// and in any case ("nul.txt" is the null device): such a file is never made.
bool IsDeviceName(const char* name, std::size_t length) {
  std::size_t base = 0;
  while (base < length && name[base] != '.') ++base;
  while (base > 0 && name[base - 1] == ' ') --base;  // "nul .txt" is the device too
  static const char* const kDevices[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1",   "COM2",
                                         "COM3", "COM4", "COM5", "COM6", "COM7",   "COM8",
                                         "COM9", "LPT1", "LPT2", "LPT3", "LPT4",   "LPT5",
                                         "LPT6", "LPT7", "LPT8", "LPT9", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices) {
    const std::size_t deviceLength = std::strlen(device);
    if (deviceLength != base) continue;
    std::size_t i = 0;
    while (i < base && AsciiUpper(name[i]) == device[i]) ++i;
    if (i == base) return true;
  }
  return false;
}

}  // namespace

bool IsSafeEntryName(const char* name, std::size_t length) {
  if (length == 0 || length > kMaxNameLength) return false;
  if ((length == 1 && name[0] == '.') || (length == 2 && name[0] == '.' && name[1] == '.')) {
    return false;
  }
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c == 0x7F || std::strchr("\\/:<>\"|?*", c) != nullptr) return false;
  }
  // Windows drops a trailing dot or space, so "x." and "x " would be another
  // name than the one unpacked ("..." even the folder itself).
  if (name[length - 1] == '.' || name[length - 1] == ' ') return false;
  return !IsDeviceName(name, length);
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
