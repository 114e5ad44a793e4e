#include <gtest/gtest.h>

#include <string>

#include "archive_bytes.h"
#include "extraction_context.h"

namespace {

struct CountCase {
  const char* description;
  std::string archive;
  int expectedFiles;
};

TEST(CountPayloadFilesTest, CountsFileEntriesAndNeverReadsPastTheEnd) {
  const std::string longName(300, 'n');
  const CountCase cases[] = {
      {"no files", ArchiveBytes().Tag('B').Tag('\0').Bytes(), 0},
      {"empty archive", "", 0},
      {"both sections with nesting",
       ArchiveBytes()
           .Tag('B')
           .File("a", "1")
           .Directory("d")
           .File("b", "22")
           .Directory("e")
           .End()
           .End()
           .Tag('E')
           .File("c", "")
           .Tag('\0')
           .Bytes(),
       3},
      {"end tag right before the examples section",
       ArchiveBytes().Tag('B').File("a", "1").End().Tag('E').File("b", "2").Tag('\0').Bytes(), 2},
      {"content that holds tag bytes is skipped by its size",
       ArchiveBytes().Tag('E').File("a", "FFFF\0").File("b", "D").Tag('\0').Bytes(), 2},
      {"stops at a byte that is no tag",
       ArchiveBytes().Tag('E').File("a", "1").Tag('X').File("b", "2").Tag('\0').Bytes(), 1},
      {"stops at the end without a closing byte", ArchiveBytes().Tag('B').File("a", "1").Bytes(),
       1},
      {"name without its NUL", ArchiveBytes().Tag('B').File("a", "1").Raw("Fabc").Bytes(), 1},
      {"directory name without its NUL", ArchiveBytes().Tag('B').Raw("Dabc").Bytes(), 0},
      {"size field cut", ArchiveBytes().Tag('B').Raw(std::string("Fa\0\x01\x00", 5)).Bytes(), 0},
      {"content cut",
       ArchiveBytes().Tag('B').Raw(std::string("Fa\0", 3)).Size(10).Raw("xyz").Bytes(), 0},
      {"name longer than any file system allows",
       ArchiveBytes().Tag('B').File(longName, "1").Tag('\0').Bytes(), 0},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.description);
    GuardedArchive archive(c.archive);
    ExtractionContext context;
    AttachArchive(context, archive.Data(), archive.Size());
    context.filesWritten = 17;
    context.lastShownPercentage = 42;

    CountPayloadFiles(context);
    EXPECT_EQ(context.totalFiles, c.expectedFiles);
    EXPECT_EQ(context.filesWritten, 0);
    EXPECT_EQ(context.lastShownPercentage, -1);
    EXPECT_EQ(context.cursor, archive.Data());
  }
}

}  // namespace
