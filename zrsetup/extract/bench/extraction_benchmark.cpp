// Measures the extraction of a payload of the shipped package's shape (1,220
// files, 96 folders, about 36.9 MB, a quarter of them schematics) against the
// floor of the same tree written with nothing but CreateDirectoryA and
// fopen/fwrite/fclose, in the same process and on the same disk, and prints
// the ratio. Each side runs several times, alternating; the median counts.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "extraction_context.h"
#include "install_folders.h"
#include "windows_state.h"

namespace {

constexpr int kFolders = 96;
constexpr int kFiles = 1220;
constexpr int kProgramFiles = 207;                         // in BinDL, the rest in Examples
constexpr std::uint32_t kTotalBytes = 36872127u - 64000u;  // content; the rest is names and tags
constexpr int kRounds = 5;

struct TreeFile {
  std::string relativePath;  // below the installation folder
  std::uint32_t offset;      // of the content in `content`
  std::uint32_t size;
};

struct SyntheticPayload {
  std::string archive;
  std::vector<std::string> folders;  // relative, parents first
  std::vector<TreeFile> files;
  std::string content;  // every file's bytes, one after the other
};

void AppendSize(std::string& out, std::uint32_t size) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((size >> shift) & 0xFF);
}

// Two sections, each a few top-level folders with sub-folders; the files are
// spread over the folders of their section.
SyntheticPayload MakePayload() {
  SyntheticPayload payload;
  std::uint32_t seed = 12345;
  payload.content.resize(kTotalBytes);
  for (char& c : payload.content) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 24);
  }
  const int sectionFolders[2] = {kFolders / 6, kFolders - kFolders / 6 - 2};
  const int sectionFiles[2] = {kProgramFiles, kFiles - kProgramFiles};
  const char* sectionNames[2] = {"BinDL", "Examples"};
  const char sectionTags[2] = {'B', 'E'};
  std::uint32_t offset = 0;
  int fileNumber = 0;
  for (int section = 0; section < 2; ++section) {
    payload.archive += sectionTags[section];
    payload.folders.push_back(sectionNames[section]);
    const int folders = sectionFolders[section];
    for (int folder = 0; folder < folders; ++folder) {
      // Folders nest in pairs: dNN, and dNN\sub.
      const bool nested = folder % 2 == 1;
      char name[16];
      std::snprintf(name, sizeof(name), nested ? "sub%02d" : "d%02d", folder);
      payload.archive += 'D';
      payload.archive += name;
      payload.archive += '\0';
      const std::string parent =
          nested ? payload.folders.back() : std::string(sectionNames[section]);
      const std::string path = parent + "\\" + name;
      payload.folders.push_back(path);
      const int files =
          sectionFiles[section] / folders + (folder < sectionFiles[section] % folders);
      for (int i = 0; i < files; ++i, ++fileNumber) {
        const std::uint32_t size =
            fileNumber == kFiles - 1 ? kTotalBytes - offset : kTotalBytes / kFiles;
        char fileName[24];
        std::snprintf(fileName, sizeof(fileName), fileNumber % 4 == 0 ? "f%04d.sch" : "f%04d.dat",
                      fileNumber);
        payload.archive += 'F';
        payload.archive += fileName;
        payload.archive += '\0';
        AppendSize(payload.archive, size);
        payload.archive.append(payload.content, offset, size);
        payload.files.push_back({path + "\\" + fileName, offset, size});
        offset += size;
      }
      // A sub-folder closes itself and its parent; a last parent without one
      // closes alone.
      if (nested) {
        payload.archive += "RR";
      } else if (folder == folders - 1) {
        payload.archive += 'R';
      }
    }
  }
  payload.archive += '\0';
  return payload;
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

// The floor: the same folders and files, written plainly.
double WritePlainly(const SyntheticPayload& payload, const std::string& root) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  CreateDirectoryA(root.c_str(), nullptr);
  for (const std::string& folder : payload.folders) {
    CreateDirectoryA((root + "\\" + folder).c_str(), nullptr);
  }
  for (const TreeFile& file : payload.files) {
    FILE* out = std::fopen((root + "\\" + file.relativePath).c_str(), "wb");
    if (out == nullptr) return -1;
    std::fwrite(payload.content.data() + file.offset, 1, file.size, out);
    std::fclose(out);
  }
  QueryPerformanceCounter(&end);
  return Seconds(start, end);
}

double Extract(const SyntheticPayload& payload, const std::string& root) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  CreateDirectoryA(root.c_str(), nullptr);  // the folder dialog has made it
  InstallationFolder.Assign(root.c_str());
  ExtractionContext context;
  AttachArchive(context, reinterpret_cast<const std::uint8_t*>(payload.archive.data()),
                static_cast<std::uint32_t>(payload.archive.size()));
  const bool extracted = ExtractPayload(context, nullptr);
  QueryPerformanceCounter(&end);
  return extracted ? Seconds(start, end) : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  const SyntheticPayload payload = MakePayload();
  std::printf("payload: %zu files, %zu folders, %zu archive bytes\n", payload.files.size(),
              payload.folders.size(), payload.archive.size());
  std::vector<double> plain, extracted;
  for (int round = 0; round < kRounds; ++round) {
    // Alternating which goes first keeps the disk cache from favouring one.
    double p = 0, e = 0;
    if (round % 2 == 0) {
      p = WritePlainly(payload, "C:\\bench-plain");
      e = Extract(payload, "C:\\bench-extract");
    } else {
      e = Extract(payload, "C:\\bench-extract");
      p = WritePlainly(payload, "C:\\bench-plain");
    }
    harness::DeleteTree("C:\\bench-plain");
    harness::DeleteTree("C:\\bench-extract");
    if (p < 0 || e < 0) {
      std::fprintf(stderr, "round %d failed: plain %.3f, extraction %.3f (error %lu)\n", round, p,
                   e, GetLastError());
      return 1;
    }
    plain.push_back(p);
    extracted.push_back(e);
  }
  const double floor = Median(plain);
  const double measured = Median(extracted);
  std::printf("plain writes (floor): %.3f s\n", floor);
  std::printf("extraction:           %.3f s\n", measured);
  std::printf("ratio extraction / floor: %.2f\n", measured / floor);
  return 0;
}
