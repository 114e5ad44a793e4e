#include "archive_writer.h"

#include <string>

#include "gtest/gtest.h"
#include "payload_archive.h"
#include "temp_tree.h"

namespace payload {
namespace {

using std::string_literals::operator""s;

TEST(ArchiveWriterTest, WritesEntriesAndTagsInTheOrderGiven) {
  ArchiveWriter writer;
  writer.Section(kProgramsSectionTag);
  writer.BeginDirectory("dir");
  writer.AddFile("a", "xyz", 3);
  writer.AddFile("empty", nullptr, 0);
  writer.EndDirectory();
  writer.Section(kExamplesSectionTag);
  writer.CloseZrsetupArchive();
  writer.CloseGatesetupArchive();

  EXPECT_EQ(AsString(writer.bytes()), "BDdir\0Fa\0\x03\0\0\0xyzFempty\0\0\0\0\0RE\0E"s);
}

TEST(ArchiveWriterTest, WritesOddArchivesForTestsOfTheReaders) {
  ArchiveWriter writer;
  writer.BeginFile("cut", 0x01020304);  // declares more content than follows
  writer.AppendContent("ab", 2);
  writer.BeginDirectory("");  // empty name, never closed

  EXPECT_EQ(AsString(writer.TakeBytes()),
            "Fcut\0\x04\x03\x02\x01"
            "abD\0"s);
  EXPECT_TRUE(writer.bytes().empty());
}

}  // namespace
}  // namespace payload
