#include "tree_packer.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <map>
#include <system_error>

#include "payload_archive.h"

namespace payload {
namespace fs = std::filesystem;

namespace {

// The size field is 32 bits wide.
constexpr std::uintmax_t kMaxFileSize = 0xFFFFFFFFu;

// Contents are copied into the archive in pieces of this size.
constexpr std::size_t kReadChunkSize = 1 << 20;

constexpr char kProgramsFolder[] = "BinDL";
constexpr char kExamplesFolder[] = "Examples";

struct FolderEntry {
  std::string name;
  fs::path path;
  fs::file_type type;
};

class TreePacker {
 public:
  TreePacker(ArchiveWriter* writer, PackOutcome* outcome) : writer_(writer), outcome_(outcome) {}

  bool PackZrsetup(const fs::path& root);
  bool PackGatesetup(const fs::path& root);

 private:
  bool CheckRoot(const fs::path& root);
  // Lists a folder's entries in archive order, refusing any that cannot be
  // packed.
  bool ListFolder(const fs::path& folder, std::vector<FolderEntry>* entries);
  // Writes the entries of `folder`, which unpacks `level` levels below the
  // folder that the installer unpacks into.
  bool WriteEntries(const fs::path& folder, int level);
  bool WriteFile(const FolderEntry& entry);
  bool Refuse(const fs::path& path, std::string_view reason);
  void Warn(const fs::path& path, std::string_view reason);

  ArchiveWriter* writer_;
  PackOutcome* outcome_;
  std::vector<char> chunk_;
};

std::string Describe(const fs::path& path, std::string_view reason) {
  return path.string() + ": " + std::string(reason);
}

std::string FoldCase(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

bool TreePacker::Refuse(const fs::path& path, std::string_view reason) {
  outcome_->error = Describe(path, reason);
  return false;
}

void TreePacker::Warn(const fs::path& path, std::string_view reason) {
  outcome_->warnings.push_back(Describe(path, reason));
}

bool TreePacker::CheckRoot(const fs::path& root) {
  std::error_code error;
  if (!fs::is_directory(root, error)) return Refuse(root, "not a folder");
  return true;
}

bool TreePacker::ListFolder(const fs::path& folder, std::vector<FolderEntry>* entries) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const fs::file_status status = it->symlink_status(error);
    if (error) return Refuse(it->path(), "cannot be examined: " + error.message());
    entries->push_back({it->path().filename().string(), it->path(), status.type()});
  }
  if (error) return Refuse(folder, "cannot be listed: " + error.message());

  // std::string compares its chars as unsigned bytes, which puts capitals
  // before small letters as the installers' archives have them.
  std::sort(entries->begin(), entries->end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });

  // Windows file systems ignore case: a second name that differs only in case
  // would overwrite the first when unpacked.
  std::map<std::string, const FolderEntry*> by_folded_name;
  for (const FolderEntry& entry : *entries) {
    if (!IsPackableName(entry.name)) {
      return Refuse(entry.path,
                    "name not allowed in the archive: it must be 1 to 255 printable ASCII "
                    "characters, not \".\" or \"..\", without \\, / or :");
    }
    const auto [other, inserted] = by_folded_name.emplace(FoldCase(entry.name), &entry);
    if (!inserted) {
      return Refuse(entry.path, "same name as " + other->second->path.string() +
                                    " when case is ignored, as Windows does");
    }
    switch (entry.type) {
      case fs::file_type::regular:
      case fs::file_type::directory:
        break;
      case fs::file_type::symlink:
        return Refuse(entry.path, "symbolic link; links are not followed");
      default:
        return Refuse(entry.path, "neither a regular file nor a folder");
    }
  }
  return true;
}

bool TreePacker::WriteEntries(const fs::path& folder, int level) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(folder, &entries)) return false;
  for (const FolderEntry& entry : entries) {
    if (entry.type == fs::file_type::directory) {
      // `level` counts the folder unpacked into as well, so the tree stays
      // within the readers' limit however they count.
      if (level + 1 > kMaxNestingDepth) {
        return Refuse(entry.path, "folder nested more than " + std::to_string(kMaxNestingDepth) +
                                      " levels deep");
      }
      writer_->BeginDirectory(entry.name);
      if (!WriteEntries(entry.path, level + 1)) return false;
      writer_->EndDirectory();
    } else if (!WriteFile(entry)) {
      return false;
    }
  }
  return true;
}

bool TreePacker::WriteFile(const FolderEntry& entry) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(entry.path, error);
  if (error) return Refuse(entry.path, "size cannot be read: " + error.message());
  if (size > kMaxFileSize) {
    return Refuse(entry.path, "file of 4 GiB or more; an archive entry holds at most " +
                                  std::to_string(kMaxFileSize) + " bytes");
  }
  std::ifstream in(entry.path, std::ios::binary);
  if (!in) return Refuse(entry.path, "cannot be opened for reading");

  writer_->BeginFile(entry.name, static_cast<std::uint32_t>(size));
  chunk_.resize(kReadChunkSize);
  std::uintmax_t left = size;
  while (left > 0) {
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uintmax_t>(left, kReadChunkSize));
    in.read(chunk_.data(), static_cast<std::streamsize>(wanted));
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    if (got == 0) return Refuse(entry.path, "shorter than its size; changed while being packed?");
    writer_->AppendContent(chunk_.data(), got);
    left -= got;
  }
  if (in.peek() != std::ifstream::traits_type::eof()) {
    return Refuse(entry.path, "longer than its size; changed while being packed?");
  }
  return true;
}

bool TreePacker::PackZrsetup(const fs::path& root) {
  if (!CheckRoot(root)) return false;
  std::vector<FolderEntry> entries;
  if (!ListFolder(root, &entries)) return false;
  const FolderEntry* programs = nullptr;
  const FolderEntry* examples = nullptr;
  for (const FolderEntry& entry : entries) {
    const bool is_folder = entry.type == fs::file_type::directory;
    if (is_folder && entry.name == kProgramsFolder) {
      programs = &entry;
    } else if (is_folder && entry.name == kExamplesFolder) {
      examples = &entry;
    } else {
      return Refuse(entry.path,
                    "no place in a zrsetup tree, whose top level holds only the folders BinDL "
                    "and Examples");
    }
  }
  if (programs == nullptr && examples == nullptr) {
    return Refuse(root, "holds neither a folder BinDL nor a folder Examples");
  }
  if (programs == nullptr) Warn(root / kProgramsFolder, "missing; the archive has no programs");
  if (examples == nullptr) Warn(root / kExamplesFolder, "missing; the archive has no examples");

  if (programs != nullptr) {
    writer_->Section(kProgramsSectionTag);
    if (!WriteEntries(programs->path, 1)) return false;
  }
  if (examples != nullptr) {
    writer_->Section(kExamplesSectionTag);
    if (!WriteEntries(examples->path, 1)) return false;
  }
  writer_->CloseZrsetupArchive();
  return true;
}

bool TreePacker::PackGatesetup(const fs::path& root) {
  if (!CheckRoot(root) || !WriteEntries(root, 1)) return false;
  writer_->CloseGatesetupArchive();
  return true;
}

}  // namespace

bool IsPackableName(std::string_view name) {
  for (char c : name) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) return false;
  }
  return IsSafeEntryName(name.data(), name.size());
}

PackOutcome PackTree(const fs::path& root, ArchiveForm form, ArchiveWriter* writer) {
  PackOutcome outcome;
  TreePacker packer(writer, &outcome);
  outcome.packed =
      form == ArchiveForm::kZrsetup ? packer.PackZrsetup(root) : packer.PackGatesetup(root);
  return outcome;
}

}  // namespace payload
