#include "file_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct FileLineCase {
  const char* folder;
  const char* name;
  const char* expected;
};

class FileLineTest : public ::testing::TestWithParam<FileLineCase> {};

constexpr char kRoot[] = "C:\\users\\root\\Documents\\ispLever-examples";

TEST_P(FileLineTest, NamesTheFileBelowTheRoot) {
  const FileLineCase& c = GetParam();
  const std::string folder = std::string(kRoot) + c.folder;
  char line[1024];
  ASSERT_TRUE(FormatFileLine(line, sizeof(line), folder.c_str(), std::strlen(kRoot), c.name));
  EXPECT_STREQ(line, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FileLineTest,
    ::testing::Values(FileLineCase{"", "zricon.ico", "  FILE=zricon.ico"},
                      FileLineCase{"\\pins", "pins.abl", "  FILE=pins\\pins.abl"},
                      FileLineCase{"\\hierarchy\\sub", "a b.sch", "  FILE=hierarchy\\sub\\a b.sch"},
                      FileLineCase{"\\x", "y", "  FILE=x\\y"}));

TEST(FileLineLimitTest, ReportsALineThatDoesNotFit) {
  char line[16];
  EXPECT_TRUE(FormatFileLine(line, sizeof(line), "C:\\r", 4, "12345678"));  // 15 characters
  EXPECT_STREQ(line, "  FILE=12345678");
  EXPECT_FALSE(FormatFileLine(line, sizeof(line), "C:\\r", 4, "123456789"));
  EXPECT_EQ(std::strlen(line), sizeof(line) - 1);  // cut, but terminated
}

}  // namespace
