#include "log_line_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class LogLineListTest : public ::testing::Test {
 protected:
  void SetUp() override { FreeLines(); }
  void TearDown() override { FreeLines(); }

  static std::vector<std::string> AllLines() {
    std::vector<std::string> lines;
    for (const char* line = FirstLine(); line != nullptr; line = NextLine()) lines.push_back(line);
    return lines;
  }
};

TEST_F(LogLineListTest, EmptyListHasNoLinesAndNoIteration) {
  EXPECT_EQ(LineCount(), 0);
  EXPECT_EQ(FirstLine(), nullptr);
  EXPECT_EQ(NextLine(), nullptr);
}

TEST_F(LogLineListTest, KeepsCopiesInAppendOrder) {
  char text[] = "Folder=C:\\x";
  ASSERT_EQ(AppendLine("Morvane Installer"), 0);
  ASSERT_EQ(AppendLine(text), 0);
  ASSERT_EQ(AppendLine(""), 0);
  text[0] = 'X';  // the list holds its own copy
  EXPECT_EQ(LineCount(), 3);
  EXPECT_EQ(AllLines(), (std::vector<std::string>{"Morvane Installer", "Folder=C:\\x", ""}));
}

TEST_F(LogLineListTest, NextLineBeforeAnyIterationAndAfterTheEndGivesNothing) {
  AppendLine("one");
  EXPECT_EQ(NextLine(), nullptr);  // no iteration under way yet
  EXPECT_STREQ(FirstLine(), "one");
  EXPECT_EQ(NextLine(), nullptr);
  EXPECT_EQ(NextLine(), nullptr);  // stays at the end
}

TEST_F(LogLineListTest, FirstLineRestartsTheOneIteration) {
  AppendLine("a");
  AppendLine("b");
  AppendLine("c");
  EXPECT_STREQ(FirstLine(), "a");
  EXPECT_STREQ(NextLine(), "b");
  EXPECT_STREQ(FirstLine(), "a");
  EXPECT_STREQ(NextLine(), "b");
  EXPECT_STREQ(NextLine(), "c");
}

TEST_F(LogLineListTest, AppendDuringIterationIsReachedByIt) {
  AppendLine("a");
  EXPECT_STREQ(FirstLine(), "a");
  AppendLine("b");
  EXPECT_STREQ(NextLine(), "b");
}

TEST_F(LogLineListTest, FreeLinesLeavesAnEmptyListThatTakesNewLines) {
  AppendLine("a");
  FirstLine();
  FreeLines();
  EXPECT_EQ(LineCount(), 0);
  EXPECT_EQ(NextLine(), nullptr);
  AppendLine("b");
  EXPECT_EQ(AllLines(), std::vector<std::string>{"b"});
}

}  // namespace
