#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extraction_fixture.h"
#include "payload_archive.h"

namespace {

using Tree = std::vector<std::string>;

struct SectionCase {
  const char* description;
  std::string archive;
  Tree expectedTree;
};

using ExtractionReaderTest = ExtractionTest;

TEST_F(ExtractionReaderTest, SectionsArePresentOrSkipped) {
  const Tree both = {"BinDL\\", "BinDL\\a", "Examples\\", "Examples\\b", "files"};
  const SectionCase cases[] = {
      {"both sections",
       ArchiveBytes().Tag('B').File("a", "1").Tag('E').File("b", "2").Tag('\0').Bytes(), both},
      {"end tag right before the examples section",
       ArchiveBytes().Tag('B').File("a", "1").End().Tag('E').File("b", "2").Tag('\0').Bytes(),
       both},
      {"programs only",
       ArchiveBytes().Tag('B').File("a", "1").Tag('\0').Bytes(),
       {"BinDL\\", "BinDL\\a", "files"}},
      {"examples only",
       ArchiveBytes().Tag('E').File("b", "2").Tag('\0').Bytes(),
       {"Examples\\", "Examples\\b", "files"}},
      {"neither", ArchiveBytes().Tag('\0').Bytes(), {"files"}},
      {"empty archive", "", {"files"}},
      {"nothing after the examples section is read",
       ArchiveBytes().Tag('E').File("b", "2").Tag('\0').Tag('B').File("a", "1").Bytes(),
       {"Examples\\", "Examples\\b", "files"}},
      {"a programs section after the examples section is not read",
       ArchiveBytes().Tag('E').File("b", "2").Tag('B').File("a", "1").Tag('\0').Bytes(),
       {"Examples\\", "Examples\\b", "files"}},
  };
  for (const SectionCase& c : cases) {
    SCOPED_TRACE(c.description);
    StartAfresh();

    EXPECT_TRUE(Extract(c.archive));
    EXPECT_EQ(InstalledTree(), c.expectedTree);
  }
}

TEST_F(ExtractionReaderTest, WithNeitherSectionTheRunStillRecordsAndSaves) {
  ASSERT_TRUE(Extract(ArchiveBytes().Tag('\0').Bytes()));
  const std::vector<std::string> expected = {
      "D" + installFolder_,       "F" + In("files"),       "F" + In("links"),
      "F" + In("BinDL\\nom.ind"), "F" + helpSettingsFile_,
  };
  EXPECT_EQ(Records(), expected);
  std::string saved;
  ASSERT_TRUE(harness::ReadFileBytes(In("files"), &saved));
  std::string lines;
  for (const std::string& record : expected) lines += record + "\n";
  EXPECT_EQ(saved, lines);
}

TEST_F(ExtractionReaderTest, NestedFoldersAndEmptyFilesAreCreated) {
  const std::string archive = ArchiveBytes()
                                  .Tag('E')
                                  .Directory("Sub")
                                  .Directory("Deeper")
                                  .File("empty.txt", "")
                                  .End()
                                  .File("data.bin", std::string("\0\r\n\x1a", 4))
                                  .End()
                                  .File("top.txt", "top")
                                  .Tag('\0')
                                  .Bytes();
  ASSERT_TRUE(Extract(archive));
  EXPECT_EQ(InstalledTree(), (Tree{"Examples\\", "Examples\\Sub\\", "Examples\\Sub\\Deeper\\",
                                   "Examples\\Sub\\Deeper\\empty.txt", "Examples\\Sub\\data.bin",
                                   "Examples\\top.txt", "files"}));
  std::string bytes = "not empty";
  ASSERT_TRUE(harness::ReadFileBytes(In("Examples\\Sub\\Deeper\\empty.txt"), &bytes));
  EXPECT_EQ(bytes, "");
  ASSERT_TRUE(harness::ReadFileBytes(In("Examples\\Sub\\data.bin"), &bytes));
  EXPECT_EQ(bytes, std::string("\0\r\n\x1a", 4));
  ASSERT_TRUE(harness::ReadFileBytes(In("Examples\\top.txt"), &bytes));
  EXPECT_EQ(bytes, "top");
}

// Folders nested `levels` deep below the examples folder, a file in the
// deepest one.
std::string NestedArchive(int levels) {
  ArchiveBytes archive;
  archive.Tag('E');
  for (int i = 0; i < levels; ++i) archive.Directory("d");
  archive.File("deep.txt", "x");
  for (int i = 0; i < levels; ++i) archive.End();
  return archive.Tag('\0').Bytes();
}

TEST_F(ExtractionReaderTest, NestingUpToTheLimitIsExtracted) {
  ASSERT_TRUE(Extract(NestedArchive(payload::kMaxNestingDepth)));
  std::string deepest = "Examples";
  for (int i = 0; i < payload::kMaxNestingDepth; ++i) deepest += "\\d";
  EXPECT_TRUE(harness::FileExists(In(deepest + "\\deep.txt")));
}

// Paths are built whole, whatever their length, and handed to the system as
// they are: never shortened to fit a buffer. (Wine accepts paths beyond
// MAX_PATH; Windows would refuse them and fail the run with its own error.)
TEST_F(ExtractionReaderTest, LongPathsReachTheSystemWhole) {
  const std::string folder(200, 'd');
  const std::string file(150, 'f');
  const std::string archive =
      ArchiveBytes().Tag('E').Directory(folder).File(file, "1").End().Tag('\0').Bytes();
  ASSERT_GT(In("Examples\\" + folder + "\\" + file).size(), static_cast<std::size_t>(MAX_PATH));

  ASSERT_TRUE(Extract(archive));
  EXPECT_EQ(InstalledTree(), (Tree{"Examples\\", "Examples\\" + folder + "\\",
                                   "Examples\\" + folder + "\\" + file, "files"}));
  EXPECT_EQ(Records()[5], "F" + In("Examples\\" + folder + "\\" + file));
}

struct MalformedCase {
  const char* description;
  std::string archive;
  DWORD expectedError;
};

// A malformed or unsafe archive ends the run with false before anything is
// written outside the installation folder, with the reason as the last error.
TEST_F(ExtractionReaderTest, MalformedArchivesFailWithInvalidData) {
  const std::string fileEntryStart("Fa\0", 3);
  const MalformedCase cases[] = {
      {"file name without its NUL at the end", ArchiveBytes().Tag('B').Raw("Fabc").Bytes(),
       ERROR_INVALID_DATA},
      {"folder name without its NUL at the end", ArchiveBytes().Tag('B').Raw("Dabc").Bytes(),
       ERROR_INVALID_DATA},
      {"size field cut", ArchiveBytes().Tag('B').Raw(fileEntryStart).Raw("\x05").Bytes(),
       ERROR_INVALID_DATA},
      {"content cut", ArchiveBytes().Tag('B').Raw(fileEntryStart).Size(10).Raw("xyz").Bytes(),
       ERROR_INVALID_DATA},
      {"folder list cut", ArchiveBytes().Tag('B').Directory("d").File("a", "1").Bytes(),
       ERROR_INVALID_DATA},
      {"section list without the closing byte", ArchiveBytes().Tag('E').File("a", "1").Bytes(),
       ERROR_INVALID_DATA},
      {"name longer than any file system allows",
       ArchiveBytes().Tag('B').File(std::string(256, 'n'), "1").Tag('\0').Bytes(),
       ERROR_INVALID_DATA},
      {"nesting one level too deep", NestedArchive(payload::kMaxNestingDepth + 1),
       ERROR_INVALID_DATA},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.description);
    StartAfresh();

    EXPECT_FALSE(Extract(c.archive));
    EXPECT_EQ(GetLastError(), c.expectedError);
    EXPECT_FALSE(harness::FileExists(In("files")));
    for (const std::string& entry : ScratchTree()) EXPECT_EQ(entry.rfind("Sim\\", 0), 0u) << entry;
  }
}

TEST_F(ExtractionReaderTest, UnsafeNamesFailWithInvalidNameAndWriteNothing) {
  // A device name opens the device, with or without an extension: "NUL"
  // swallows the content and the run would succeed without the file.
  const std::string unsafeNames[] = {"",      ".",         "..",          "..\\escaped", "a\\b",
                                     "a/b",   "c:escaped", "file:stream", "con\x01trol", "NUL",
                                     "aux.h", "Com1.txt"};
  for (const std::string& name : unsafeNames) {
    for (const bool asFolder : {false, true}) {
      SCOPED_TRACE((asFolder ? "folder " : "file ") + name);
      StartAfresh();
      ArchiveBytes archive;
      archive.Tag('B');
      if (asFolder) {
        archive.Directory(name).File("escaped.txt", "x").End();
      } else {
        archive.File(name, "x");
      }

      EXPECT_FALSE(Extract(archive.Tag('\0').Bytes()));
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
      EXPECT_EQ(ScratchTree(), (Tree{"Sim\\", "Sim\\BinDL\\"}));
      EXPECT_EQ(Records().back(), "D" + In("BinDL"));
    }
  }
}

}  // namespace
