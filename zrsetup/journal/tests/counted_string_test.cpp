#include "counted_string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#ifdef _WIN32
#include <malloc.h>
#endif

namespace {

std::string BytesOf(const CountedString& text) {
  return text.Text() == nullptr ? std::string() : std::string(text.Text(), text.Length());
}

// The buffer rules: no buffer when empty, otherwise exactly length + 1 bytes
// with a NUL at index length.
void ExpectExactBuffer(const CountedString& text) {
  if (text.Length() == 0) {
    EXPECT_EQ(text.Text(), nullptr);
    return;
  }
  ASSERT_NE(text.Text(), nullptr);
  EXPECT_EQ(text.Text()[text.Length()], '\0');
#ifdef _WIN32
  // The C runtime's heap knows the size that was asked for.
  EXPECT_EQ(_msize(const_cast<char*>(text.Text())), static_cast<std::size_t>(text.Length()) + 1);
#endif
}

struct AssignCase {
  const char* description;
  std::string source;
  std::int32_t n;
  std::string expected;  // the stored bytes, length included
};

TEST(CountedStringTest, AssignTakesNCharactersUpToTheFirstNul) {
  const AssignCase cases[] = {
      {"whole source", "abc", 3, "abc"},
      {"first n of a longer source", "abcdef", 3, "abc"},
      {"NUL in the source ends the copy, the rest is NUL", std::string("ab\0cd", 5), 5,
       std::string("ab\0\0\0", 5)},
      {"n of 0 leaves the string empty", "abc", 0, ""},
      {"negative n leaves the string empty", "abc", -4, ""},
  };
  for (const AssignCase& c : cases) {
    SCOPED_TRACE(c.description);
    for (const char* before : {"", "a longer text than any case"}) {
      CountedString text;
      text.Assign(before);
      text.Assign(c.source.data(), c.n);
      EXPECT_EQ(text.Length(), static_cast<std::int32_t>(c.expected.size()));
      EXPECT_EQ(BytesOf(text), c.expected);
      ExpectExactBuffer(text);
    }
  }
}

TEST(CountedStringTest, AssignOfTheSameLengthReusesTheBuffer) {
  CountedString text;
  text.Assign("abc");
  const char* buffer = text.Text();
  text.Assign("x\0z", 3);
  EXPECT_EQ(text.Text(), buffer);
  EXPECT_EQ(BytesOf(text), std::string("x\0\0", 3));
}

TEST(CountedStringTest, AssignTakesTextsUpToTheirNul) {
  CountedString output;
  output.Reserve(10);
  std::strcpy(output.Buffer(), "C:\\");

  CountedString copy;
  copy.Assign(output);
  EXPECT_EQ(BytesOf(copy), "C:\\");
  ExpectExactBuffer(copy);

  copy.Assign(static_cast<const char*>(nullptr));
  EXPECT_EQ(copy.Text(), nullptr);
  copy.Assign("");
  EXPECT_EQ(copy.Text(), nullptr);
}

TEST(CountedStringTest, AssignFromItsOwnTextIsSafe) {
  CountedString text;
  text.Assign("hello world");
  text.Assign(text.Text() + 6);
  EXPECT_EQ(BytesOf(text), "world");
  text.Assign(text.Text(), 3);
  EXPECT_EQ(BytesOf(text), "wor");
  text.Assign(text);
  EXPECT_EQ(BytesOf(text), "wor");
  ExpectExactBuffer(text);
}

TEST(CountedStringTest, ConcatJoinsTwoOrThreePieces) {
  CountedString text;
  text.Concat("D:\\Sim", "\\BinDL");
  EXPECT_EQ(BytesOf(text), "D:\\Sim\\BinDL");
  ExpectExactBuffer(text);

  text.Concat("F", "D:\\Sim", "\\files");
  EXPECT_EQ(BytesOf(text), "FD:\\Sim\\files");
  ExpectExactBuffer(text);

  text.Concat(nullptr, "", "x");
  EXPECT_EQ(BytesOf(text), "x");

  text.Concat("", nullptr);
  EXPECT_EQ(text.Text(), nullptr);
  EXPECT_EQ(text.Length(), 0);
}

TEST(CountedStringTest, ConcatMayUseItsOwnTextAsAPiece) {
  CountedString text;
  text.Assign("ab");
  text.Concat(text.Text(), "-", text.Text());
  EXPECT_EQ(BytesOf(text), "ab-ab");
  ExpectExactBuffer(text);
}

TEST(CountedStringTest, AppendAlwaysTakesANewBufferAndNulFills) {
  CountedString text;
  text.Assign("ab");
  const char* before = text.Text();
  text.Append("c", 3);
  EXPECT_NE(text.Text(), before);
  EXPECT_EQ(text.Length(), 5);
  EXPECT_EQ(BytesOf(text), std::string("abc\0\0", 5));
  ExpectExactBuffer(text);

  text.Assign("ab");
  text.Append("cdef", 2);
  EXPECT_EQ(BytesOf(text), "abcd");
  ExpectExactBuffer(text);
}

TEST(CountedStringTest, AppendOfNothingLeavesTheStringAlone) {
  CountedString text;
  text.Assign("ab");
  const char* before = text.Text();
  text.Append("cd", 0);
  text.Append("cd", -1);
  text.Append("");
  EXPECT_EQ(text.Text(), before);
  EXPECT_EQ(BytesOf(text), "ab");

  CountedString empty;
  empty.Append("");
  EXPECT_EQ(empty.Text(), nullptr);
  empty.Append("xy");
  EXPECT_EQ(BytesOf(empty), "xy");
  ExpectExactBuffer(empty);
}

TEST(CountedStringTest, ReserveGivesNulFilledRoomForNCharacters) {
  CountedString text;
  text.Reserve(260);
  EXPECT_EQ(text.Length(), 260);
  ExpectExactBuffer(text);
  EXPECT_EQ(std::string(text.Text(), 261), std::string(261, '\0'));

  text.Reserve(0);
  EXPECT_EQ(text.Text(), nullptr);
  EXPECT_EQ(text.Length(), 0);
}

TEST(CountedStringTest, ShrinkToFirstNulKeepsAnExactCopyOfTheText) {
  CountedString text;
  text.Reserve(260);
  std::strcpy(text.Buffer(), "C:\\Sim");
  text.ShrinkToFirstNul();
  EXPECT_EQ(BytesOf(text), "C:\\Sim");
  ExpectExactBuffer(text);

  // Nothing to shrink: the buffer stays.
  const char* buffer = text.Text();
  text.ShrinkToFirstNul();
  EXPECT_EQ(text.Text(), buffer);

  // Nothing written into the buffer: the string becomes empty.
  text.Reserve(1000);
  text.ShrinkToFirstNul();
  EXPECT_EQ(text.Text(), nullptr);
  EXPECT_EQ(text.Length(), 0);
}

TEST(CountedStringTest, ReleaseEmptiesTheString) {
  CountedString text;
  text.Assign("abc");
  text.Release();
  EXPECT_EQ(text.Text(), nullptr);
  EXPECT_EQ(text.Length(), 0);
  EXPECT_STREQ(text.CStr(), "");
}

}  // namespace
