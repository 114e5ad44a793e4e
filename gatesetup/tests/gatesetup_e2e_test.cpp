// gatesetup.exe end to end under Wine: the start dialog, the log window, the
// link scope dialog, the completion dialog, and what a complete, a cancelled
// and a failed run leave on disk.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "gui_driver.h"
#include "windows_state.h"

namespace {

std::string gatesetupExe;   // Windows path of the program under test
std::string payloadFolder;  // Windows path of the folder packed into it
// The same program with other payloads: one cut off in its second file, and
// none at all (the archive under another identifier).
std::string cutOffExe;
std::string withoutPayloadExe;

constexpr int kAllUsers = 110;
constexpr int kCurrentUser = 111;
constexpr int kTimeoutMs = 60000;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

HWND WaitForDialog(const harness::ProgramUnderTest& program,
                   const std::function<bool(HWND)>& matches) {
  HWND found = nullptr;
  harness::WaitUntil(
      [&] {
        for (HWND window : program.TopLevelWindows()) {
          if (ClassOf(window) == "#32770" && matches(window)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      kTimeoutMs);
  return found;
}

bool IsStartDialog(HWND dialog) {
  return harness::ControlExists(dialog, IDOK) && harness::ControlExists(dialog, IDCANCEL);
}
bool IsLinkScopeDialog(HWND dialog) { return harness::ControlExists(dialog, kAllUsers); }
bool IsCompletionDialog(HWND dialog) {
  return harness::ControlExists(dialog, IDOK) && !harness::ControlExists(dialog, IDCANCEL) &&
         !harness::ControlExists(dialog, kAllUsers);
}

// The static controls of a dialog that show a bitmap, with one loaded.
int PicturesShown(HWND dialog) {
  int pictures = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    DWORD_PTR image = 0;
    if (ClassOf(child) == "Static" &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
        SendMessageTimeoutA(child, STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_ABORTIFHUNG, 5000, &image) !=
            0 &&
        image != 0) {
      ++pictures;
    }
  }
  return pictures;
}

std::string StaticText(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == "Static") return harness::WindowText(child);
  }
  return "";
}

// The "  FILE=" lines of the payload folder in archive order: each folder's
// entries in ascending byte order of their names, depth first.
void CollectFileLines(const std::string& folder, const std::string& relative,
                      std::vector<std::string>* lines) {
  std::vector<std::pair<std::string, bool>> entries;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") {
      entries.emplace_back(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(entries.begin(), entries.end());
  for (const auto& [name, isFolder] : entries) {
    if (isFolder) {
      CollectFileLines(folder + "\\" + name, relative + name + "\\", lines);
    } else {
      lines->push_back("  FILE=" + relative + name);
    }
  }
}

class GatesetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(gatesetupExe.empty());
    documents_ = harness::KnownFolderPath(CSIDL_PERSONAL);
    ASSERT_FALSE(documents_.empty());
    root_ = documents_ + "\\ispLever-examples";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    workingFolder_ = std::string(temp) + "gatesetup started here";
    ASSERT_TRUE(harness::CreateFolders(workingFolder_));
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  }
  void TearDown() override { CoUninitialize(); }

  std::string LinkIn(int csidl, bool inGroup) const {
    return harness::KnownFolderPath(csidl) + (inGroup ? "\\Morvane" : "") +
           "\\ispLever examples.lnk";
  }

  void ExpectExamplesLink(const std::string& file) {
    harness::ShortcutContents link;
    ASSERT_TRUE(harness::ReadShortcut(file, &link)) << file;
    std::string path = link.path;
    CharLowerA(&path[0]);
    std::string explorer = harness::WindowsFolder() + "\\system32\\explorer.exe";
    CharLowerA(&explorer[0]);
    EXPECT_EQ(path, explorer) << file;
    EXPECT_EQ(link.arguments, root_) << file;
    EXPECT_EQ(link.iconPath, root_ + "\\zricon.ico") << file;
    EXPECT_EQ(link.iconIndex, 0) << file;
    EXPECT_EQ(link.description, "ispLever examples") << file;
  }

  // Every file of the payload, byte for byte, and nothing else but `extra`.
  void ExpectPayloadUnpacked(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> expected = harness::ListTree(payloadFolder);
    ASSERT_FALSE(expected.empty());
    expected.insert(expected.end(), extra.begin(), extra.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(harness::ListTree(root_), expected);
    for (const std::string& entry : harness::ListTree(payloadFolder)) {
      if (entry.back() == '\\') continue;
      std::string want, got;
      ASSERT_TRUE(harness::ReadFileBytes(payloadFolder + "\\" + entry, &want));
      ASSERT_TRUE(harness::ReadFileBytes(root_ + "\\" + entry, &got)) << entry;
      EXPECT_TRUE(want == got) << entry;
    }
  }

  void ExpectNoLinks() {
    EXPECT_FALSE(
        harness::FolderExists(harness::KnownFolderPath(CSIDL_COMMON_PROGRAMS) + "\\Morvane"));
    EXPECT_FALSE(harness::FolderExists(harness::KnownFolderPath(CSIDL_PROGRAMS) + "\\Morvane"));
    EXPECT_FALSE(harness::FileExists(LinkIn(CSIDL_COMMON_DESKTOPDIRECTORY, false)));
    EXPECT_FALSE(harness::FileExists(LinkIn(CSIDL_DESKTOPDIRECTORY, false)));
  }

  std::string LogFile() const { return workingFolder_ + "\\zrsetup.log"; }

  // Confirms the start dialog and returns the log window, which then shows.
  HWND ConfirmStartDialog() {
    HWND start = WaitForDialog(program_, IsStartDialog);
    if (start == nullptr) return nullptr;
    harness::PressButton(start, IDOK);
    return program_.WaitForWindowWithCaption("Morvane Installer", kTimeoutMs);
  }

  void CancelStartDialog(const std::function<void(HWND)>& leave) {
    ASSERT_TRUE(program_.Start(gatesetupExe, workingFolder_));
    HWND start = WaitForDialog(program_, IsStartDialog);
    ASSERT_NE(start, nullptr);
    // Only the dialog is on screen: the log window is still being created.
    EXPECT_EQ(program_.TopLevelWindows(), std::vector<HWND>{start});
    leave(start);
    DWORD exitCode = 1;
    ASSERT_TRUE(program_.WaitForExit(kTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(harness::FolderExists(root_));
    EXPECT_FALSE(harness::FileExists(LogFile()));
    ExpectNoLinks();
  }

  // Runs exe through the start dialog to its error ending: the log file holds
  // exactly expectedLog, the window stays open with no shortcut made, and
  // closing it ends the program with exit code 0.
  // answerDialogs answers what the run asks after the start dialog.
  void ExpectErrorEnding(const std::string& exe, const std::string& expectedLog,
                         const std::function<void()>& answerDialogs = nullptr) {
    ASSERT_TRUE(program_.Start(exe, workingFolder_));
    HWND logWindow = ConfirmStartDialog();
    ASSERT_NE(logWindow, nullptr);
    if (answerDialogs) answerDialogs();
    std::string log;
    harness::WaitUntil(
        [&] { return harness::ReadFileBytes(LogFile(), &log) && log == expectedLog; }, kTimeoutMs);
    EXPECT_EQ(log, expectedLog);

    EXPECT_TRUE(program_.IsRunning());
    EXPECT_TRUE(IsWindowVisible(logWindow));
    EXPECT_TRUE(IsWindowEnabled(logWindow));
    EXPECT_EQ(program_.TopLevelWindows(), std::vector<HWND>{logWindow});
    ExpectNoLinks();

    PostMessageA(logWindow, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(program_.WaitForExit(kTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
  }

  std::string documents_;
  std::string root_;
  std::string workingFolder_;
  harness::ProgramUnderTest program_;
};

TEST_F(GatesetupTest, CancelInTheStartDialogEndsWithoutInstalling) {
  CancelStartDialog([](HWND start) { harness::PressButton(start, IDCANCEL); });
}

TEST_F(GatesetupTest, EscapeInTheStartDialogEndsWithoutInstalling) {
  CancelStartDialog([](HWND start) { harness::PressEscape(start); });
}

TEST_F(GatesetupTest, CompleteRunForAllUsers) {
  ASSERT_TRUE(program_.Start(gatesetupExe, workingFolder_));
  HWND start = WaitForDialog(program_, IsStartDialog);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(harness::WindowText(start), "");
  EXPECT_EQ(harness::ControlText(start, IDOK), "OK");
  EXPECT_EQ(harness::ControlText(start, IDCANCEL), "Cancel");
  EXPECT_EQ(PicturesShown(start), 2);
  harness::PressButton(start, IDOK);

  HWND logWindow = program_.WaitForWindowWithCaption("Morvane Installer", kTimeoutMs);
  ASSERT_NE(logWindow, nullptr);
  EXPECT_EQ(ClassOf(logWindow), "gatesetup");
  EXPECT_NE(GetWindowLongA(logWindow, GWL_STYLE) & WS_VSCROLL, 0);

  HWND scope = WaitForDialog(program_, IsLinkScopeDialog);
  ASSERT_NE(scope, nullptr);
  EXPECT_EQ(harness::WindowText(scope), "ZR Installer");
  EXPECT_EQ(GetWindowLongA(scope, GWL_STYLE) & WS_SYSMENU, 0);  // no close box
  EXPECT_EQ(StaticText(scope), "Create program group and desktop symbol:");
  EXPECT_EQ(harness::ControlText(scope, kAllUsers), "for all users");
  EXPECT_EQ(harness::ControlText(scope, kCurrentUser), "for the current user only");
  EXPECT_TRUE(harness::IsButtonChecked(scope, kAllUsers));
  EXPECT_FALSE(harness::IsButtonChecked(scope, kCurrentUser));
  EXPECT_FALSE(IsWindowEnabled(logWindow));  // owned by the modal dialog
  harness::PressButton(scope, IDOK);

  HWND completion = WaitForDialog(program_, IsCompletionDialog);
  ASSERT_NE(completion, nullptr);
  EXPECT_FALSE(IsWindowVisible(logWindow));
  EXPECT_EQ(harness::ControlText(completion, IDOK), "OK");
  EXPECT_EQ(PicturesShown(completion), 2);

  ExpectPayloadUnpacked();
  ExpectExamplesLink(LinkIn(CSIDL_COMMON_PROGRAMS, true));
  ExpectExamplesLink(LinkIn(CSIDL_COMMON_DESKTOPDIRECTORY, false));
  EXPECT_FALSE(harness::FolderExists(harness::KnownFolderPath(CSIDL_PROGRAMS) + "\\Morvane"));
  EXPECT_FALSE(harness::FileExists(LinkIn(CSIDL_DESKTOPDIRECTORY, false)));

  harness::PressButton(completion, IDOK);
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(kTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(harness::FileExists(LogFile()));
}

TEST_F(GatesetupTest, CompleteRunForTheCurrentUserOverAnEarlierInstallation) {
  // An earlier installation: a changed example is replaced, the user's own file stays.
  std::vector<std::string> lines;
  CollectFileLines(payloadFolder, "", &lines);
  ASSERT_FALSE(lines.empty());
  const std::string example = lines.front().substr(7);
  ASSERT_TRUE(harness::CreateFolders(root_ + "\\" + example.substr(0, example.rfind('\\') + 1)));
  ASSERT_TRUE(harness::WriteFileBytes(root_ + "\\" + example, "changed by the user"));
  ASSERT_TRUE(harness::WriteFileBytes(root_ + "\\my notes.txt", "mine"));

  ASSERT_TRUE(program_.Start(gatesetupExe, workingFolder_));
  ASSERT_NE(ConfirmStartDialog(), nullptr);
  HWND scope = WaitForDialog(program_, IsLinkScopeDialog);
  ASSERT_NE(scope, nullptr);
  harness::ClickRadioButton(scope, kCurrentUser);
  EXPECT_FALSE(harness::IsButtonChecked(scope, kAllUsers));
  harness::PressButton(scope, IDOK);

  HWND completion = WaitForDialog(program_, IsCompletionDialog);
  ASSERT_NE(completion, nullptr);
  ExpectPayloadUnpacked({"my notes.txt"});
  ExpectExamplesLink(LinkIn(CSIDL_PROGRAMS, true));
  ExpectExamplesLink(LinkIn(CSIDL_DESKTOPDIRECTORY, false));
  EXPECT_FALSE(
      harness::FolderExists(harness::KnownFolderPath(CSIDL_COMMON_PROGRAMS) + "\\Morvane"));
  EXPECT_FALSE(harness::FileExists(LinkIn(CSIDL_COMMON_DESKTOPDIRECTORY, false)));

  harness::PressEscape(completion);
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(kTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

TEST_F(GatesetupTest, TheLinkScopeDialogIsLeftOnlyThroughOk) {
  ASSERT_TRUE(program_.Start(gatesetupExe, workingFolder_));
  ASSERT_NE(ConfirmStartDialog(), nullptr);
  HWND scope = WaitForDialog(program_, IsLinkScopeDialog);
  ASSERT_NE(scope, nullptr);
  // Sent, not posted: when the calls return the dialog has handled them. A
  // dialog that ends hides at once.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(scope, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0, SMTO_ABORTIFHUNG, 5000,
                      &ignored);
  SendMessageTimeoutA(scope, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_TRUE(IsWindowVisible(scope));

  harness::PressButton(scope, IDOK);
  HWND completion = WaitForDialog(program_, IsCompletionDialog);
  ASSERT_NE(completion, nullptr);
  ExpectExamplesLink(LinkIn(CSIDL_COMMON_PROGRAMS, true));
  harness::PressButton(completion, IDOK);
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(kTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

// The log's lines up to the unpacking.
std::string LogHeading(const std::string& root) {
  return "Morvane Installer\r\nCopyright (C) Morvane. All rights reserved.\r\nFolder=" + root +
         "\r\nDecompressing files ...\r\n";
}

TEST_F(GatesetupTest, AFailedRunKeepsTheWindowOpenAndWritesTheLog) {
  // A folder where the last file of the payload must be written.
  std::vector<std::string> fileLines;
  CollectFileLines(payloadFolder, "", &fileLines);
  ASSERT_FALSE(fileLines.empty());
  ASSERT_EQ(fileLines.back(), "  FILE=zricon.ico");
  ASSERT_TRUE(harness::CreateFolders(root_ + "\\zricon.ico"));

  std::string expected = LogHeading(root_);
  for (std::size_t i = 0; i + 1 < fileLines.size(); ++i) expected += fileLines[i] + "\r\n";
  expected += "ERROR: creation of file " + root_ + "\\zricon.ico failed\r\n";
  ExpectErrorEnding(gatesetupExe, expected);
}

TEST_F(GatesetupTest, AProgramGroupThatCannotBeMadeEndsInTheErrorEnding) {
  // A file where the all-users program group must go.
  ASSERT_TRUE(harness::WriteFileBytes(harness::KnownFolderPath(CSIDL_COMMON_PROGRAMS) + "\\Morvane",
                                      "not a folder"));
  std::vector<std::string> fileLines;
  CollectFileLines(payloadFolder, "", &fileLines);
  std::string expected = LogHeading(root_);
  for (const std::string& line : fileLines) expected += line + "\r\n";
  expected +=
      "Decompression finished\r\n"
      "Creating program group and desktop icons ...\r\n"
      "ERROR: creation of program group failed\r\n";
  ExpectErrorEnding(gatesetupExe, expected, [&] {
    HWND scope = WaitForDialog(program_, IsLinkScopeDialog);
    ASSERT_NE(scope, nullptr);
    harness::PressButton(scope, IDOK);
  });
  ExpectPayloadUnpacked();
}

TEST_F(GatesetupTest, ACutOffPayloadEndsInTheErrorEnding) {
  ExpectErrorEnding(cutOffExe, LogHeading(root_) +
                                   "  FILE=a.txt\r\n"
                                   "ERROR: damaged payload: a file larger than the payload at "
                                   "byte 12\r\n");
  std::string bytes;
  EXPECT_TRUE(harness::ReadFileBytes(root_ + "\\a.txt", &bytes));
  EXPECT_EQ(bytes, "a");
  EXPECT_EQ(harness::ListTree(root_), std::vector<std::string>{"a.txt"});
}

TEST_F(GatesetupTest, AMissingPayloadEndsInTheErrorEnding) {
  ExpectErrorEnding(withoutPayloadExe,
                    LogHeading(root_) + "ERROR: damaged payload: no end mark at byte 0\r\n");
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s GATESETUP PAYLOAD_FOLDER CUT_OFF WITHOUT_PAYLOAD\n", argv[0]);
    return 2;
  }
  gatesetupExe = harness::ToWindowsPath(argv[1]);
  payloadFolder = harness::ToWindowsPath(argv[2]);
  cutOffExe = harness::ToWindowsPath(argv[3]);
  withoutPayloadExe = harness::ToWindowsPath(argv[4]);
  return RUN_ALL_TESTS();
}
