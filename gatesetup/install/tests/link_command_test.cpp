#include "link_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitCase {
  const char* command;
  const char* program;
  const char* arguments;  // null: no arguments
};

class SplitLinkCommandTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinkCommandTest, CutsAtTheFirstSpaceOutsideQuotes) {
  const SplitCase& c = GetParam();
  std::string command = c.command;
  const char* arguments = SplitLinkCommand(&command[0]);
  EXPECT_STREQ(command.c_str(), c.program);
  if (c.arguments == nullptr) {
    EXPECT_EQ(arguments, nullptr);
  } else {
    ASSERT_NE(arguments, nullptr);
    EXPECT_STREQ(arguments, c.arguments);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SplitLinkCommandTest,
    ::testing::Values(
        // The arguments keep their spaces and get no quotes.
        SplitCase{"explorer.exe C:\\My Documents\\ispLever-examples", "explorer.exe",
                  "C:\\My Documents\\ispLever-examples"},
        SplitCase{"\"C:\\Program Files\\x.exe\" -a b", "\"C:\\Program Files\\x.exe\"", "-a b"},
        SplitCase{"a\"b c\"d e", "a\"b c\"d", "e"},
        SplitCase{"explorer.exe", "explorer.exe", nullptr},
        SplitCase{"explorer.exe ", "explorer.exe", ""}, SplitCase{" x", "", "x"},
        SplitCase{"\"open quote x", "\"open quote x", nullptr}, SplitCase{"", "", nullptr}));

}  // namespace
