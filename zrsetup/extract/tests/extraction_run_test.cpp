#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "extraction_fixture.h"
#include "gui_driver.h"

namespace {

using Tree = std::vector<std::string>;
using ExtractionRunTest = ExtractionTest;

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(harness::ReadFileBytes(path, &bytes)) << path;
  return bytes;
}

TEST_F(ExtractionRunTest, RecordsEverythingInOrderAndSavesTheJournal) {
  const std::string archive = ArchiveBytes()
                                  .Tag('B')
                                  .File("psched.exe", "MZ")
                                  .Directory("Lib")
                                  .File("a.lib", "L")
                                  .End()
                                  .Tag('E')
                                  .File("amp.sch", "*schematic")
                                  .Directory("Sub")
                                  .File("guide.hlp", "h")
                                  .End()
                                  .Tag('\0')
                                  .Bytes();
  ASSERT_TRUE(Extract(archive));

  const std::vector<std::string> expected = {
      "D" + installFolder_,
      "F" + In("files"),
      "F" + In("links"),
      "D" + In("BinDL"),
      "F" + In("BinDL\\psched.exe"),
      "D" + In("BinDL\\Lib"),
      "F" + In("BinDL\\Lib\\a.lib"),
      "D" + In("Examples"),
      "F" + In("Examples\\amp.sch"),
      "D" + In("Examples\\Sub"),
      "F" + In("Examples\\Sub\\guide.hlp"),
      "F" + In("BinDL\\nom.ind"),
      "F" + helpSettingsFile_,
  };
  EXPECT_EQ(Records(), expected);
  std::string lines;
  for (const std::string& record : expected) lines += record + "\n";
  EXPECT_EQ(ReadBytes(In("files")), lines);

  EXPECT_EQ(InstalledTree(),
            (Tree{"BinDL\\", "BinDL\\Lib\\", "BinDL\\Lib\\a.lib", "BinDL\\psched.exe", "Examples\\",
                  "Examples\\Sub\\", "Examples\\Sub\\guide.hlp", "Examples\\amp.sch",
                  "Examples\\amp.zre", "files"}));
  EXPECT_EQ(ReadBytes(In("BinDL\\psched.exe")), "MZ");
  EXPECT_EQ(ReadBytes(helpSettingsFile_), "[HELP]\r\nPDFS=\"" + In("BinDL") + "\"\r\n");

  // The rollback of a failed installation removes all of it, the companion
  // included; "links" was never written, so it reports a failure.
  EXPECT_FALSE(context_.journal.RollBack());
  EXPECT_EQ(ScratchTree(), Tree{});
  EXPECT_FALSE(harness::FileExists(helpSettingsFile_));
}

TEST_F(ExtractionRunTest, EverySchematicGetsACompanionNamingIt) {
  const std::string names[] = {"amp.sch", "AMP2.SCH", "Amp3.Sch", "amp.sch.bak", "amp.sc"};
  ArchiveBytes archive;
  archive.Tag('E');
  for (const std::string& name : names) archive.File(name, "s");
  ASSERT_TRUE(Extract(archive.Tag('\0').Bytes()));

  EXPECT_EQ(InstalledTree(),
            (Tree{"Examples\\", "Examples\\AMP2.SCH", "Examples\\AMP2.zre", "Examples\\Amp3.Sch",
                  "Examples\\Amp3.zre", "Examples\\amp.sc", "Examples\\amp.sch",
                  "Examples\\amp.sch.bak", "Examples\\amp.zre", "files"}));
  EXPECT_EQ(ReadBytes(In("Examples\\amp.zre")), In("Examples\\amp.sch") + "\n");
  EXPECT_EQ(ReadBytes(In("Examples\\AMP2.zre")), In("Examples\\AMP2.SCH") + "\n");
  EXPECT_EQ(ReadBytes(In("Examples\\Amp3.zre")), In("Examples\\Amp3.Sch") + "\n");
  for (const std::string& record : Records()) {
    EXPECT_EQ(record.find(".zre"), std::string::npos) << record;
  }
}

TEST_F(ExtractionRunTest, ExistingHelpSettingsFileIsLeftAloneAndUnrecorded) {
  ASSERT_TRUE(harness::WriteFileBytes(helpSettingsFile_, "[HELP]\nPDFS=mine\n"));
  ASSERT_TRUE(Extract(ArchiveBytes().Tag('E').File("a", "1").Tag('\0').Bytes()));
  EXPECT_EQ(ReadBytes(helpSettingsFile_), "[HELP]\nPDFS=mine\n");
  for (const std::string& record : Records()) EXPECT_NE(record, "F" + helpSettingsFile_);
  EXPECT_EQ(Records().back(), "F" + In("BinDL\\nom.ind"));
}

TEST_F(ExtractionRunTest, ExistingFoldersAreReusedAndRecordedAndFilesReplaced) {
  ASSERT_TRUE(harness::CreateFolders(In("BinDL")));
  ASSERT_TRUE(harness::WriteFileBytes(In("BinDL\\tool.exe"), "an older and longer program"));
  ASSERT_TRUE(harness::WriteFileBytes(In("BinDL\\users-own.txt"), "mine"));
  ASSERT_TRUE(Extract(ArchiveBytes().Tag('B').File("tool.exe", "new").Tag('\0').Bytes()));

  const std::vector<std::string> records = Records();
  ASSERT_GE(records.size(), 5u);
  EXPECT_EQ(records[3], "D" + In("BinDL"));
  EXPECT_EQ(records[4], "F" + In("BinDL\\tool.exe"));
  EXPECT_EQ(ReadBytes(In("BinDL\\tool.exe")), "new");
  EXPECT_EQ(ReadBytes(In("BinDL\\users-own.txt")), "mine");
}

TEST_F(ExtractionRunTest, FileInPlaceOfAFolderFailsTheRun) {
  ASSERT_TRUE(harness::WriteFileBytes(In("Examples"), "not a folder"));
  EXPECT_FALSE(Extract(ArchiveBytes().Tag('E').Tag('\0').Bytes()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(Records().back(), "F" + In("links"));
}

// What the install sequence does after a failed extraction: the error log,
// then the rollback.
TEST_F(ExtractionRunTest, FailedRunLeavesItsErrorInTheLogAndRollsBack) {
  ASSERT_TRUE(harness::CreateFolders(In("BinDL\\tool.exe")));  // a folder where a file goes
  const std::string archive = ArchiveBytes()
                                  .Tag('B')
                                  .File("first.txt", "1")
                                  .File("tool.exe", "MZ")
                                  .File("never.txt", "3")
                                  .Tag('\0')
                                  .Bytes();
  EXPECT_FALSE(Extract(archive));
  const std::string log = scratch_.PathOf("zrsetup.log");
  WriteErrorLog(context_.journal, log.c_str());

  const std::string journalLines = "D" + installFolder_ + "\nF" + In("files") + "\nF" +
                                   In("links") + "\nD" + In("BinDL") + "\nF" +
                                   In("BinDL\\first.txt") + "\n";
  const std::string logBytes = ReadBytes(log);
  EXPECT_EQ(logBytes.substr(0, journalLines.size() + 11), journalLines + "Error = 5\r\n");

  EXPECT_FALSE(context_.journal.RollBack());
  EXPECT_EQ(InstalledTree(), (Tree{"BinDL\\", "BinDL\\tool.exe\\"}));
}

struct ProgressCase {
  int files;
  int displays;
  std::vector<std::pair<int, std::string>> expectedDisplays;  // (files written, text) pairs
};

// Records every text that the progress control receives, with the number of
// files written at that moment.
class ProgressRecorder {
 public:
  explicit ProgressRecorder(const ExtractionContext& context) : context_(context) {
    owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    HWND field = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, owner_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressControlId)),
                                 GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FieldProc)));
  }
  ~ProgressRecorder() { DestroyWindow(owner_); }
  HWND Owner() const { return owner_; }
  const std::vector<std::pair<int, std::string>>& Displays() const { return displays_; }

 private:
  static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ProgressRecorder*>(GetWindowLongPtrA(field, GWLP_USERDATA));
    if (message == WM_SETTEXT) {
      self->displays_.emplace_back(self->context_.filesWritten,
                                   reinterpret_cast<const char*>(lParam));
    }
    return CallWindowProcA(self->editProc_, field, message, wParam, lParam);
  }

  const ExtractionContext& context_;
  HWND owner_ = nullptr;
  WNDPROC editProc_ = nullptr;
  std::vector<std::pair<int, std::string>> displays_;
};

TEST_F(ExtractionRunTest, PercentageIsShownWhenItsWholeNumberGrows) {
  const ProgressCase cases[] = {
      // Half a percent rounds up: 100 is reached with 99.5 %, before the last file.
      {1220, 101, {{1, "0 %"}, {7, "1 %"}, {1214, "100 %"}}},
      {200, 100, {{1, "1 %"}, {99, "50 %"}, {101, "51 %"}, {199, "100 %"}}},
      {3, 3, {{1, "33 %"}, {2, "67 %"}, {3, "100 %"}}},
  };
  for (const ProgressCase& c : cases) {
    SCOPED_TRACE(c.files);
    StartAfresh();
    ArchiveBytes archive;
    archive.Tag('B').File("first", "1").Tag('E').Directory("many");
    for (int i = 1; i < c.files; ++i) archive.File("f" + std::to_string(i), "x");
    archive.End().Tag('\0');

    ProgressRecorder recorder(context_);
    ASSERT_TRUE(Extract(archive.Bytes(), recorder.Owner()));
    const auto& displays = recorder.Displays();
    ASSERT_EQ(static_cast<int>(displays.size()), c.displays);
    EXPECT_EQ(displays.front(), c.expectedDisplays.front());
    EXPECT_EQ(displays.back(), c.expectedDisplays.back());
    for (const auto& expected : c.expectedDisplays) {
      EXPECT_NE(std::find(displays.begin(), displays.end(), expected), displays.end())
          << expected.first << " files: " << expected.second;
    }
    for (std::size_t i = 1; i < displays.size(); ++i) {
      EXPECT_GT(std::atoi(displays[i].second.c_str()), std::atoi(displays[i - 1].second.c_str()));
    }
    EXPECT_EQ(harness::ControlText(recorder.Owner(), kProgressControlId), "100 %");
  }
}

// A folder whose "amp.zre" and "files" lead to a device on which every write
// fails as on a full disk (made by the build; see CMakeLists.txt).
std::string FullDiskFolder() {
  const char* folder = std::getenv("ZR_FULL_DISK_FOLDER");
  return folder == nullptr ? std::string() : harness::ToWindowsPath(folder);
}

TEST_F(ExtractionRunTest, WritesThatFailOnAFullDiskFailTheStep) {
  const std::string fullDisk = FullDiskFolder();
  if (fullDisk.empty()) GTEST_SKIP() << "ZR_FULL_DISK_FOLDER not set";
  const std::uint8_t content[] = {'M', 'Z'};

  // The unpacked file itself; it is recorded, so that the rollback would
  // remove what was cut short.
  EXPECT_FALSE(WriteArchiveFile(context_, "Z:\\dev\\full", content, sizeof(content)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(Records().back(), "FZ:\\dev\\full");
  context_.journal.Free();  // never roll this journal back: it names a device

  // The companion file of a schematic.
  const std::string schematic = fullDisk + "\\amp.sch";
  EXPECT_FALSE(WriteArchiveFile(context_, schematic.c_str(), content, sizeof(content)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(ReadBytes(schematic), "MZ");
  DeleteFileA(schematic.c_str());
  context_.journal.Free();

  // The "files" journal at the end of the run.
  InstallationFolder.Assign(fullDisk.c_str());
  EXPECT_FALSE(Extract(ArchiveBytes().Tag('\0').Bytes()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
}

}  // namespace
