// Test archives as byte strings, and a place to read them from where any read
// past their last byte faults at once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Builds the tag stream entry by entry: ArchiveBytes().Tag('B').File("a", "x").
class ArchiveBytes {
 public:
  ArchiveBytes& Tag(char tag) {
    bytes_ += tag;
    return *this;
  }
  ArchiveBytes& Directory(const std::string& name) {
    bytes_ += 'D';
    bytes_ += name;
    bytes_ += '\0';
    return *this;
  }
  ArchiveBytes& End() { return Tag('R'); }
  ArchiveBytes& File(const std::string& name, const std::string& content) {
    bytes_ += 'F';
    bytes_ += name;
    bytes_ += '\0';
    return Size(static_cast<std::uint32_t>(content.size())).Raw(content);
  }
  ArchiveBytes& Size(std::uint32_t size) {
    for (int shift = 0; shift < 32; shift += 8) bytes_ += static_cast<char>((size >> shift) & 0xFF);
    return *this;
  }
  ArchiveBytes& Raw(const std::string& bytes) {
    bytes_ += bytes;
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// A copy of an archive whose last byte is followed directly by a page that
// cannot be read.
class GuardedArchive {
 public:
  explicit GuardedArchive(const std::string& bytes);
  ~GuardedArchive();
  GuardedArchive(const GuardedArchive&) = delete;
  GuardedArchive& operator=(const GuardedArchive&) = delete;

  const std::uint8_t* Data() const { return data_; }
  std::uint32_t Size() const { return size_; }

 private:
  void* pages_ = nullptr;
  const std::uint8_t* data_ = nullptr;
  std::uint32_t size_ = 0;
};
