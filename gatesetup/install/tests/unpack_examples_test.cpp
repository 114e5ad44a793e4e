// The payload walk over real folders in the test's prefix: what it creates,
// the lines it logs, and how it stops on a damaged payload or a failed write.
#include "unpack_examples.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "archive_writer.h"
#include "log_line_list.h"
#include "message_buffer.h"
#include "windows_state.h"

namespace {

using payload::ArchiveWriter;
using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> AllLines() {
  std::vector<std::string> lines;
  for (const char* line = FirstLine(); line != nullptr; line = NextLine()) lines.push_back(line);
  return lines;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }
Bytes Text(const char* text, std::size_t size) { return Bytes(text, text + size); }

class UnpackExamplesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeLines();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    base_ = std::string(temp) + "gatesetup-walk";
    harness::DeleteTree(base_);
    ASSERT_TRUE(harness::CreateFolders(base_));
    root_ = base_ + "\\root";
    // The log window's refresh goes to a window that never shows.
    window_ = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    harness::DeleteTree(base_);
    FreeLines();
  }

  bool Unpack(const Bytes& archive) {
    archive_ = archive;
    reader_ = PayloadReader{archive_.data(), static_cast<std::uint32_t>(archive_.size()),
                            payload::PayloadCursor(archive_.data(), archive_.size())};
    return UnpackExamples(&reader_, window_, root_.c_str());
  }

  std::string FileText(const std::string& relative) {
    std::string bytes;
    return harness::ReadFileBytes(root_ + "\\" + relative, &bytes) ? bytes : "<missing>";
  }

  std::string base_;
  std::string root_;
  HWND window_ = nullptr;
  Bytes archive_;
  PayloadReader reader_{nullptr, 0, payload::PayloadCursor(nullptr, 0)};
};

TEST_F(UnpackExamplesTest, UnpacksTheTreeAndLogsEveryFileBelowTheRoot) {
  const char binary[] = {'\0', '\r', '\n', '\x1a', 'E', 'R'};
  ArchiveWriter writer;
  writer.BeginDirectory("cnt_3bit_abel_1");
  writer.AddFile("cnt3.abl", "MODULE cnt3\r\n", 13);
  writer.BeginDirectory("sub dir");
  writer.AddFile("deep.jed", binary, sizeof(binary));
  writer.EndDirectory();
  writer.EndDirectory();
  writer.BeginDirectory("empty");
  writer.EndDirectory();
  writer.AddFile("nothing.txt", nullptr, 0);
  writer.AddFile("zricon.ico", "icon", 4);
  writer.CloseGatesetupArchive();

  ASSERT_TRUE(Unpack(writer.bytes())) << MessageBuffer;
  EXPECT_EQ(harness::ListTree(root_),
            (std::vector<std::string>{
                "cnt_3bit_abel_1\\", "cnt_3bit_abel_1\\cnt3.abl", "cnt_3bit_abel_1\\sub dir\\",
                "cnt_3bit_abel_1\\sub dir\\deep.jed", "empty\\", "nothing.txt", "zricon.ico"}));
  EXPECT_EQ(FileText("cnt_3bit_abel_1\\cnt3.abl"), "MODULE cnt3\r\n");
  EXPECT_EQ(FileText("cnt_3bit_abel_1\\sub dir\\deep.jed"), std::string(binary, sizeof(binary)));
  EXPECT_EQ(FileText("nothing.txt"), "");
  EXPECT_EQ(AllLines(), (std::vector<std::string>{"  FILE=cnt_3bit_abel_1\\cnt3.abl",
                                                  "  FILE=cnt_3bit_abel_1\\sub dir\\deep.jed",
                                                  "  FILE=nothing.txt", "  FILE=zricon.ico"}));
  EXPECT_TRUE(reader_.cursor.AtEnd());
}

TEST_F(UnpackExamplesTest, ReplacesExistingFilesAndLeavesOthersAlone) {
  ASSERT_TRUE(harness::CreateFolders(root_ + "\\pins"));
  ASSERT_TRUE(harness::WriteFileBytes(root_ + "\\pins\\pins.abl", "an older, longer version"));
  ASSERT_TRUE(harness::WriteFileBytes(root_ + "\\pins\\mine.txt", "the user's own"));
  ArchiveWriter writer;
  writer.BeginDirectory("pins");
  writer.AddFile("pins.abl", "new", 3);
  writer.EndDirectory();
  writer.CloseGatesetupArchive();

  ASSERT_TRUE(Unpack(writer.bytes())) << MessageBuffer;
  EXPECT_EQ(FileText("pins\\pins.abl"), "new");
  EXPECT_EQ(FileText("pins\\mine.txt"), "the user's own");
}

struct ListEndCase {
  const char* what;
  Bytes archive;
  std::vector<std::string> tree;
};

class UnpackListEndTest : public UnpackExamplesTest,
                          public ::testing::WithParamInterface<ListEndCase> {};

TEST_P(UnpackListEndTest, EndsListsAsTheShippedPayloadDoes) {
  ASSERT_TRUE(Unpack(GetParam().archive)) << MessageBuffer;
  EXPECT_EQ(harness::ListTree(root_), GetParam().tree);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, UnpackListEndTest,
    ::testing::Values(ListEndCase{"top level closed by R", Text("Fa\0\1\0\0\0xR", 9), {"a"}},
                      ListEndCase{"folder closed by E",
                                  Text("Dd\0Fa\0\1\0\0\0xEFb\0\1\0\0\0yE", 21),
                                  {"b", "d\\", "d\\a"}},
                      ListEndCase{"any other byte is a folder tag",
                                  Text("Xx\0Fa\0\1\0\0\0xRE", 13),
                                  {"x\\", "x\\a"}},
                      ListEndCase{"bytes after the end mark are not read", Text("Ezzz"), {}}));

// kMaxNestingDepth folders, one inside the other, around one file.
Bytes NestedFolders(int depth) {
  ArchiveWriter writer;
  for (int i = 0; i < depth; ++i) writer.BeginDirectory("d");
  writer.AddFile("f", "x", 1);
  for (int i = 0; i < depth; ++i) writer.EndDirectory();
  writer.CloseGatesetupArchive();
  return writer.TakeBytes();
}

TEST_F(UnpackExamplesTest, AcceptsTheDeepestAllowedNesting) {
  ASSERT_TRUE(Unpack(NestedFolders(payload::kMaxNestingDepth))) << MessageBuffer;
  std::string deepest;
  for (int i = 0; i < payload::kMaxNestingDepth; ++i) deepest += "d\\";
  EXPECT_EQ(FileText(deepest + "f"), "x");
}

struct DamageCase {
  const char* what;
  Bytes archive;
  const char* error;
};

class UnpackDamagedTest : public UnpackExamplesTest,
                          public ::testing::WithParamInterface<DamageCase> {};

TEST_P(UnpackDamagedTest, StopsWithAnErrorAndWritesNothingOutsideTheRoot) {
  EXPECT_FALSE(Unpack(GetParam().archive));
  EXPECT_STREQ(MessageBuffer, GetParam().error);
  for (const std::string& entry : harness::ListTree(base_)) {
    EXPECT_EQ(entry.rfind("root\\", 0), 0u) << entry;
  }
  EXPECT_EQ(FileText("before.txt"), "x");  // what came before stays
}

const Bytes kBefore = Text("Fbefore.txt\0\1\0\0\0x", 17);
const std::string kLongName(payload::kMaxNameLength + 1, 'n');

Bytes WithNameIn(char tag, const std::string& name) {
  return Concat({kBefore, Bytes{static_cast<std::uint8_t>(tag)}, Text(name), Bytes{0},
                 tag == 'F' ? Text("\1\0\0\0x", 5) : Bytes{}, Text("Fescaped\0\1\0\0\0xRE", 16)});
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, UnpackDamagedTest,
    ::testing::Values(
        DamageCase{"no end mark", kBefore, "ERROR: damaged payload: no end mark at byte 17"},
        DamageCase{"folder never closed", Concat({kBefore, Text("Dd\0", 3)}),
                   "ERROR: damaged payload: no end mark at byte 20"},
        DamageCase{"name without its NUL", Concat({kBefore, Text("Fname")}),
                   "ERROR: damaged payload: an entry name without its end at byte 17"},
        DamageCase{"name too long", Concat({kBefore, Text("D" + kLongName), Bytes{0}}),
                   "ERROR: damaged payload: an entry name without its end at byte 17"},
        DamageCase{"size cut off", Concat({kBefore, Text("Fa\0\1\0", 5)}),
                   "ERROR: damaged payload: a file size cut off at byte 17"},
        DamageCase{"size past the end", Concat({kBefore, Text("Fa\0\x64\0\0\0xyzE", 11)}),
                   "ERROR: damaged payload: a file larger than the payload at byte 17"},
        DamageCase{"size near 4 GiB", Concat({kBefore, Text("Fa\0\xff\xff\xff\xffxE", 9)}),
                   "ERROR: damaged payload: a file larger than the payload at byte 17"},
        DamageCase{"empty file name", WithNameIn('F', ""),
                   "ERROR: damaged payload: an entry name that is no plain file name at byte 17"},
        DamageCase{"folder ..", WithNameIn('D', ".."),
                   "ERROR: damaged payload: an entry name that is no plain file name at byte 17"},
        DamageCase{"folder .", WithNameIn('D', "."),
                   "ERROR: damaged payload: an entry name that is no plain file name at byte 17"},
        DamageCase{"file ..\\x", WithNameIn('F', "..\\x"),
                   "ERROR: damaged payload: an entry name that is no plain file name at byte 17"},
        DamageCase{"file ../b", WithNameIn('F', "../b"),
                   "ERROR: damaged payload: an entry name that is no plain file name at byte 17"},
        DamageCase{"folder C:", WithNameIn('D', "C:"),
                   "ERROR: damaged payload: an entry name that is no plain file name at byte 17"},
        DamageCase{"nesting too deep",
                   Concat({kBefore, NestedFolders(payload::kMaxNestingDepth + 1)}),
                   "ERROR: damaged payload: folders nested too deeply at byte 113"}));

TEST_F(UnpackExamplesTest, AFolderWhereAFileGoesStopsTheWalk) {
  ASSERT_TRUE(harness::CreateFolders(root_ + "\\b.txt"));
  EXPECT_FALSE(Unpack(Text("Fa.txt\0\1\0\0\0xFb.txt\0\1\0\0\0yFc.txt\0\1\0\0\0zE", 37)));
  EXPECT_EQ(std::string(MessageBuffer), "ERROR: creation of file " + root_ + "\\b.txt failed");
  EXPECT_EQ(AllLines(), std::vector<std::string>{"  FILE=a.txt"});
  EXPECT_FALSE(harness::FileExists(root_ + "\\c.txt"));
}

TEST_F(UnpackExamplesTest, AFileWhereAFolderGoesStopsTheWalkEvenForAnEmptyFolder) {
  ASSERT_TRUE(harness::CreateFolders(root_));
  ASSERT_TRUE(harness::WriteFileBytes(root_ + "\\empty", "a file"));
  EXPECT_FALSE(Unpack(Text("Dempty\0RE", 9)));
  EXPECT_EQ(std::string(MessageBuffer), "ERROR: creation of folder " + root_ + "\\empty failed");
}

TEST_F(UnpackExamplesTest, ARootWithoutItsParentStopsTheWalk) {
  root_ = base_ + "\\missing\\root";
  EXPECT_FALSE(Unpack(Text("E")));
  EXPECT_EQ(std::string(MessageBuffer), "ERROR: creation of folder " + root_ + " failed");
}

// Z:\dev\full is Linux's /dev/full: it opens, and every write fails with "no
// space left", as on a full disk. A small file fails when the stream is
// flushed, a large one in the write itself.
TEST(WriteUnpackedFileTest, AFullDiskIsAnError) {
  for (std::size_t size : {std::size_t{10}, std::size_t{1} << 20}) {
    const std::vector<std::uint8_t> data(size, 'x');
    EXPECT_FALSE(
        WriteUnpackedFile("Z:\\dev\\full", data.data(), static_cast<std::uint32_t>(data.size())))
        << size;
    EXPECT_STREQ(MessageBuffer, "ERROR: writing of file Z:\\dev\\full failed") << size;
  }
}

TEST(WriteUnpackedFileTest, TakesItsPathFromTheMessageBuffer) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "gatesetup-buffer.txt";
  ASSERT_TRUE(FormatMessageText("%s", path.c_str()));
  ASSERT_TRUE(WriteUnpackedFile(MessageBuffer, reinterpret_cast<const std::uint8_t*>("abc"), 3));
  std::string bytes;
  ASSERT_TRUE(harness::ReadFileBytes(path, &bytes));
  EXPECT_EQ(bytes, "abc");
  DeleteFileA(path.c_str());
}

}  // namespace
