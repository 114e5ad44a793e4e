#include "archive_writer.h"

#include "payload_archive.h"

namespace payload {

void ArchiveWriter::BeginDirectory(std::string_view name) {
  bytes_.push_back(kDirectoryTag);
  AppendName(name);
}

void ArchiveWriter::EndDirectory() { bytes_.push_back(kEndTag); }

void ArchiveWriter::AddFile(std::string_view name, const void* content, std::uint32_t size) {
  BeginFile(name, size);
  AppendContent(content, size);
}

void ArchiveWriter::BeginFile(std::string_view name, std::uint32_t declared_size) {
  bytes_.push_back(kFileTag);
  AppendName(name);
  std::uint8_t size_field[kSizeFieldLength];
  EncodeSize(declared_size, size_field);
  bytes_.insert(bytes_.end(), size_field, size_field + kSizeFieldLength);
}

void ArchiveWriter::AppendContent(const void* bytes, std::size_t size) {
  if (size == 0) return;  // `bytes` may be null for an empty file
  const auto* first = static_cast<const std::uint8_t*>(bytes);
  bytes_.insert(bytes_.end(), first, first + size);
}

void ArchiveWriter::Section(std::uint8_t tag) { bytes_.push_back(tag); }

void ArchiveWriter::CloseZrsetupArchive() { bytes_.push_back(kArchiveEnd); }

void ArchiveWriter::CloseGatesetupArchive() { bytes_.push_back(kExamplesSectionTag); }

std::vector<std::uint8_t> ArchiveWriter::TakeBytes() {
  std::vector<std::uint8_t> taken;
  taken.swap(bytes_);
  return taken;
}

void ArchiveWriter::AppendName(std::string_view name) {
  bytes_.insert(bytes_.end(), name.begin(), name.end());
  bytes_.push_back(0x00);
}

}  // namespace payload
