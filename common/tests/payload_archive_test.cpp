#include "payload_archive.h"

#include <functional>
#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace payload {
namespace {

using std::string_literals::operator""s;

struct CursorCase {
  const char* what;
  std::string bytes;
  std::function<bool(PayloadCursor*)> read;
  bool succeeds;
  std::size_t advance;  // bytes the read moves on when it succeeds
};

bool ReadName(PayloadCursor* cursor) {
  const char* name = nullptr;
  std::size_t length = 0;
  return cursor->ReadName(&name, &length);
}

bool ReadSize(PayloadCursor* cursor) {
  std::uint32_t size = 0;
  return cursor->ReadSize(&size);
}

std::function<bool(PayloadCursor*)> TakeContent(std::uint32_t size) {
  return [size](PayloadCursor* cursor) {
    const std::uint8_t* content = nullptr;
    return cursor->TakeContent(size, &content);
  };
}

bool SkipByte(PayloadCursor* cursor) { return cursor->SkipByte(); }

TEST(PayloadCursorTest, NeverStepsPastTheEnd) {
  const std::string longest(kMaxNameLength, 'n');
  const CursorCase cases[] = {
      {"name without NUL", "abc", ReadName, false, 0},
      {"name longer than the limit", longest + "n" + '\0', ReadName, false, 0},
      {"name longer than the limit, NUL far on", longest + "nnnnn" + '\0' + "x", ReadName, false,
       0},
      {"name at the end", "", ReadName, false, 0},
      {"longest name", longest + '\0' + "F", ReadName, true, kMaxNameLength + 1},
      {"empty name", "\0F"s, ReadName, true, 1},
      {"size field cut short", "\x01\x02\x03", ReadSize, false, 0},
      {"whole size field", "\x01\x02\x03\x04", ReadSize, true, 4},
      {"content cut short", "abcd", TakeContent(5), false, 0},
      {"content up to the end", "abcd", TakeContent(4), true, 4},
      {"content of 4 GiB - 1", "abcd", TakeContent(0xFFFFFFFFu), false, 0},
      {"byte at the end", "", SkipByte, false, 0},
  };
  for (const CursorCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::uint8_t> bytes(c.bytes.begin(), c.bytes.end());
    PayloadCursor cursor(bytes.data(), bytes.size());

    EXPECT_EQ(c.read(&cursor), c.succeeds);
    EXPECT_EQ(cursor.Position(), bytes.data() + c.advance);
    EXPECT_EQ(cursor.Remaining(), bytes.size() - c.advance);
  }
}

TEST(PayloadCursorTest, ReadsAnEntryInPlace) {
  const std::string archive = "Fab\0\x03\x01\0\0xyz"s;
  PayloadCursor cursor(reinterpret_cast<const std::uint8_t*>(archive.data()), archive.size());
  const char* name = nullptr;
  std::size_t length = 0;
  std::uint32_t size = 0;
  const std::uint8_t* content = nullptr;

  EXPECT_EQ(cursor.PeekByte(), kFileTag);
  ASSERT_TRUE(cursor.SkipByte());
  ASSERT_TRUE(cursor.ReadName(&name, &length));
  EXPECT_EQ(std::string(name), "ab");
  EXPECT_EQ(length, 2u);
  ASSERT_TRUE(cursor.ReadSize(&size));
  EXPECT_EQ(size, 0x0103u);
  ASSERT_FALSE(cursor.TakeContent(size, &content));
  EXPECT_TRUE(cursor.TakeContent(3, &content));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(content), 3), "xyz");
  EXPECT_TRUE(cursor.AtEnd());
  EXPECT_EQ(cursor.PeekByte(), -1);
}

TEST(PayloadCursorTest, EmptyArchiveWithoutMemory) {
  // A resource of size 0 may come without any memory behind it.
  PayloadCursor cursor(nullptr, 0);
  EXPECT_FALSE(ReadName(&cursor));
  EXPECT_FALSE(ReadSize(&cursor));
  EXPECT_FALSE(SkipByte(&cursor));
  EXPECT_TRUE(cursor.AtEnd());
}

TEST(PayloadArchiveTest, SizeFieldIsLittleEndian) {
  for (const std::uint32_t size : {0u, 1u, 0x12345678u, 0xFFFFFFFFu}) {
    std::uint8_t field[kSizeFieldLength];
    EncodeSize(size, field);
    EXPECT_EQ(field[0] | field[1] << 8 | field[2] << 16 | std::uint32_t{field[3]} << 24, size);
    EXPECT_EQ(DecodeSize(field), size);
  }
}

TEST(PayloadArchiveTest, SafeEntryNames) {
  const std::string longest(kMaxNameLength, 'n');
  // "caf\xe9" is a word in an ANSI code page: the installers take such names verbatim.
  const std::string accepted[] = {
      "a", "BinDL", "amp.sch", "with space", ".hidden", "caf\xe9", longest,
      // Near device names, but none.
      "console", "nul_x", "auxiliary.c", "nullable.txt", "com10", ".nul", "lpt"};
  const std::string refused[] = {
      longest + "n",
      "",
      ".",
      "..",
      "a/b",
      "a\\b",
      "..\\x",
      "C:",
      "file:stream",
      "new\nline",
      "\x1f",
      "del\x7f",
      "nul"s + '\0' + "inside",
      // Names Windows would change: a trailing dot or space.
      "...",
      "trailing.",
      "trailing ",
      // Characters Windows refuses in names.
      "a<b",
      "a>b",
      "a\"b",
      "a|b",
      "a?b",
      "a*b",
      // Devices, in any case and with any extension.
      "NUL",
      "con",
      "aux.h",
      "Com1.txt",
      "LPT9",
      "prn.tar.gz",
      "nul .txt",
      "CONOUT$",
  };
  for (const std::string& name : accepted) {
    EXPECT_TRUE(IsSafeEntryName(name.data(), name.size())) << '"' << name << '"';
  }
  for (const std::string& name : refused) {
    EXPECT_FALSE(IsSafeEntryName(name.data(), name.size())) << '"' << name << '"';
  }
}

}  // namespace
}  // namespace payload
