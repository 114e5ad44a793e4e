// zrpack --format zrsetup|gatesetup <folder> <output-file>
//
// Packs a folder tree into an installer's payload archive. Exit code 0 when
// packed, 1 when the tree was refused or the output could not be written (no
// output file is left behind then), 2 on bad arguments.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "archive_writer.h"
#include "tree_packer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExitPacked = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

int PrintUsage() {
  std::fputs(
      "usage: zrpack --format zrsetup|gatesetup <folder> <output-file>\n"
      "  zrsetup:   the folder holds BinDL and Examples\n"
      "  gatesetup: the folder holds the examples tree\n",
      stderr);
  return kExitUsage;
}

// Writes through a temporary file beside the output and renames it into place,
// so that a failed run never leaves a partial archive under the output's name.
bool WriteOutput(const fs::path& output, const std::vector<std::uint8_t>& bytes) {
  fs::path temporary = output;
  temporary += ".zrpack-partial";
  bool written = false;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) {
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
      out.close();
      written = !out.fail();
    }
  }
  std::error_code error;
  if (written) fs::rename(temporary, output, error);
  if (!written || error) {
    fs::remove(temporary, error);
    std::fprintf(stderr, "zrpack: %s: cannot be written\n", output.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || std::strcmp(argv[1], "--format") != 0) return PrintUsage();
  payload::ArchiveForm form;
  if (std::strcmp(argv[2], "zrsetup") == 0) {
    form = payload::ArchiveForm::kZrsetup;
  } else if (std::strcmp(argv[2], "gatesetup") == 0) {
    form = payload::ArchiveForm::kGatesetup;
  } else {
    return PrintUsage();
  }
  const fs::path root = argv[3];
  const fs::path output = argv[4];

  payload::ArchiveWriter writer;
  const payload::PackOutcome outcome = payload::PackTree(root, form, &writer);
  for (const std::string& warning : outcome.warnings) {
    std::fprintf(stderr, "zrpack: warning: %s\n", warning.c_str());
  }
  if (!outcome.packed) {
    std::fprintf(stderr, "zrpack: refused: %s\n", outcome.error.c_str());
    return kExitRefused;
  }
  return WriteOutput(output, writer.bytes()) ? kExitPacked : kExitRefused;
}
