#include "message_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(MessageBufferTest, FormatsATextThatFits) {
  EXPECT_TRUE(FormatMessageText("Folder=%s", "C:\\x"));
  EXPECT_STREQ(MessageBuffer, "Folder=C:\\x");
}

TEST(MessageBufferTest, ReportsATextOfTheBufferSizeOrMoreAndStaysTerminated) {
  const std::string longest(kMessageBufferSize - 1, 'a');
  EXPECT_TRUE(FormatMessageText("%s", longest.c_str()));
  EXPECT_EQ(std::strlen(MessageBuffer), kMessageBufferSize - 1);

  const std::string tooLong(kMessageBufferSize, 'b');
  EXPECT_FALSE(FormatMessageText("%s", tooLong.c_str()));
  EXPECT_EQ(std::strlen(MessageBuffer), kMessageBufferSize - 1);
  EXPECT_EQ(MessageBuffer[0], 'b');
}

}  // namespace
