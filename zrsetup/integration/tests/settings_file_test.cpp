// The settings file rewrite, as a table of file contents before and after.
// Built for Windows (run under Wine) and natively with sanitizers; the cases
// that depend on text-mode reading (CR LF to LF) run only on Windows.
#include "settings_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "install_folders.h"

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr bool kTextModeTranslates = true;
#else
constexpr bool kTextModeTranslates = false;
#endif

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / (std::string("zr settings ") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "BinDL");
    settings_ = root_ / "BinDL" / "zrsim.ini";
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  fs::path root_;
  fs::path settings_;
};

struct RewriteCase {
  const char* name;
  std::string before;
  std::string folder;
  std::string after;
  bool needsTextMode;  // relies on CR LF reading as LF
};

const std::string kFolder = "C:\\Program Files\\ZR Sim";
const std::string k200 = "D:\\" + std::string(197, 'f');
const std::string k990 = "E:\\" + std::string(987, 'g');

const RewriteCase kRewriteCases[] = {
    {"no marker", "[PSpice]\nLIBPATH=\"x\"\n", kFolder, "[PSpice]\nLIBPATH=\"x\"\n", false},
    {"two markers, only the first replaced", "P=\"\xA7\\a;\xA7\\b\"\n", kFolder,
     "P=\"" + kFolder + "\\a;\xA7\\b\"\n", false},
    {"marker as the first character", "\xA7\\BinDL\n", kFolder, kFolder + "\\BinDL\n", false},
    {"marker as the last character", "ROOT=\xA7\n", kFolder, "ROOT=" + kFolder + "\n", false},
    {"marker alone on a line", "\xA7\n", kFolder, kFolder + "\n", false},
    {"empty file", "", kFolder, "", false},
    {"last line without line end", "a=1\nb=2", kFolder, "a=1\nb=2\n", false},
    {"CR LF becomes LF", "a=1\r\nLIB=\"\xA7\\BinDL\"\r\n", kFolder,
     "a=1\nLIB=\"" + kFolder + "\\BinDL\"\n", true},
    {"1500 characters become 999 and 501", std::string(1500, 'x') + "\n", kFolder,
     std::string(999, 'x') + "\n" + std::string(501, 'x') + "\n", false},
    {"each 999-character piece searched for its own marker",
     std::string(998, 'x') + "\xA7" + "\xA7" + "y\n", "F", std::string(998, 'x') + "F\n" + "Fy\n",
     false},
    {"999 characters then an extra empty line", std::string(999, 'x') + "\r\nnext\r\n", kFolder,
     std::string(999, 'x') + "\n\nnext\n", true},
    {"a NUL byte ends a piece's text", std::string("\0lost\nab\0cd\nnext\n", 17), kFolder,
     "\nab\nnext\n", false},
    {"a line grown past 999 characters stays one line", std::string(20, 'x') + "\xA7\\BinDL\n",
     k990, std::string(20, 'x') + k990 + "\\BinDL\n", false},
};

TEST_F(SettingsFileTest, RewritesEachCase) {
  for (const RewriteCase& c : kRewriteCases) {
    SCOPED_TRACE(c.name);
    if (c.needsTextMode && !kTextModeTranslates) continue;
    Write(settings_, c.before);
    CountedString folder;
    folder.Assign(c.folder.c_str());
    EXPECT_TRUE(RewriteSettingsFile(settings_.string().c_str(), folder));
    EXPECT_EQ(Read(settings_), c.after);
  }
}

// A file shaped like the shipped one: 182 lines, 14 of them marked.
TEST_F(SettingsFileTest, TwoHundredCharacterFolderGrowsEachMarkedLineBy199) {
  const std::string lineEnd = kTextModeTranslates ? "\r\n" : "\n";
  std::string before;
  std::string expected;
  int marked = 0;
  for (int line = 0; line < 182; ++line) {
    const std::string key = "K" + std::to_string(line) + "=";
    if (line % 13 == 5) {
      ++marked;
      before += key + "\"\xA7\\BinDL\"" + lineEnd;
      expected += key + "\"" + k200 + "\\BinDL\"\n";
    } else {
      before += key + "1" + lineEnd;
      expected += key + "1\n";
    }
  }
  ASSERT_EQ(marked, 14);
  Write(settings_, before);
  CountedString folder;
  folder.Assign(k200.c_str());
  ASSERT_TRUE(RewriteSettingsFile(settings_.string().c_str(), folder));
  EXPECT_EQ(Read(settings_), expected);
}

#ifdef _WIN32
// The path is built from InstallationFolder, which may end with a backslash
// (a drive root) and may contain blanks.
TEST_F(SettingsFileTest, AdaptSettingsFileRewritesTheInstalledFile) {
  Write(settings_, "LIBPATH=\"\xA7\\BinDL\"\r\n");
  InstallationFolder.Assign(root_.string().c_str());
  EXPECT_TRUE(AdaptSettingsFile());
  EXPECT_EQ(Read(settings_), "LIBPATH=\"" + root_.string() + "\\BinDL\"\n");
  InstallationFolder.Release();
}
#endif

TEST_F(SettingsFileTest, MissingFileFailsAndCreatesNothing) {
  CountedString folder;
  folder.Assign(kFolder.c_str());
  EXPECT_FALSE(RewriteSettingsFile(settings_.string().c_str(), folder));
  EXPECT_FALSE(fs::exists(settings_));

  InstallationFolder.Assign(root_.string().c_str());
  EXPECT_FALSE(AdaptSettingsFile());
  EXPECT_FALSE(fs::exists(settings_));
  InstallationFolder.Release();
}

// A folder in the settings file's place cannot be read (Linux opens it and
// fails the first read; Windows refuses to open it): nothing is written.
TEST_F(SettingsFileTest, UnreadableFileFailsAndStaysInPlace) {
  fs::create_directory(settings_);
  CountedString folder;
  folder.Assign(kFolder.c_str());
  EXPECT_FALSE(RewriteSettingsFile(settings_.string().c_str(), folder));
  EXPECT_TRUE(fs::is_directory(settings_));
}

#ifdef _WIN32
// Another handle that allows reading but not writing: the file reads, then
// cannot be opened for writing, and must keep its content.
TEST_F(SettingsFileTest, UnwritableFileFailsAndKeepsItsContent) {
  const std::string before = "LIBPATH=\"\xA7\\BinDL\"\r\n";
  Write(settings_, before);
  HANDLE reader = CreateFileA(settings_.string().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::FILE* probe = std::fopen(settings_.string().c_str(), "r");
  ASSERT_NE(probe, nullptr) << "the file must stay readable";
  std::fclose(probe);
  ASSERT_EQ(std::fopen(settings_.string().c_str(), "wb"), nullptr) << "but not writable";
  CountedString folder;
  folder.Assign(kFolder.c_str());
  EXPECT_FALSE(RewriteSettingsFile(settings_.string().c_str(), folder));
  CloseHandle(reader);
  EXPECT_EQ(Read(settings_), before);
}
#endif

}  // namespace
