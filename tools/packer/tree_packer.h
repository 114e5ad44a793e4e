// Packs a folder tree into a payload archive in one of the two installers'
// forms, refusing whatever the installers could not unpack faithfully.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "archive_writer.h"

namespace payload {

enum class ArchiveForm {
  // 'B' <entries of BinDL> 'E' <entries of Examples> 0x00; the tree's top
  // level holds nothing but the folders BinDL and Examples.
  kZrsetup,
  // <entries of the tree's top level> 'E'.
  kGatesetup,
};

struct PackOutcome {
  bool packed = false;
  // When not packed: what was refused, as "<path>: <reason>".
  std::string error;
  // Packed all the same, but worth a look; "<path>: <reason>" each.
  std::vector<std::string> warnings;
};

// True for a name the packer writes: one the installers accept
// (IsSafeEntryName) and made only of printable ASCII, so that it means the same
// in every ANSI code page.
bool IsPackableName(std::string_view name);

// Appends the archive of the tree at `root` to `writer`. The entries of every
// folder are written in ascending byte order of their names. Symbolic links are
// refused, not followed. When the outcome is not packed, the writer holds a
// partial archive that the caller must discard.
PackOutcome PackTree(const std::filesystem::path& root, ArchiveForm form, ArchiveWriter* writer);

}  // namespace payload
