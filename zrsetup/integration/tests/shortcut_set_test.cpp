// The program group and shortcuts made in the test's own prefix: the journal
// records, the "links" file, and every shortcut's fields read back through
// IShellLinkA.
#include "shortcut_set.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "install_folders.h"
#include "shortcut_expectations.h"
#include "windows_state.h"

namespace {

using harness::KnownFolderPath;

const std::string kInstallationFolder = "C:\\Program Files\\ZR Sim Test";
const std::string kUserFolder = "C:\\users\\Public\\My Simulations";
const std::string kBrowser = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

std::vector<std::string> Records(const InstallJournal& journal) {
  std::vector<std::string> records;
  for (const JournalNode* node = journal.First(); node != nullptr; node = node->next) {
    records.push_back(node->text);
  }
  return records;
}

std::string Joined(const std::vector<std::string>& records) {
  std::string text;
  for (const std::string& record : records) text += record + "\n";
  return text;
}

// Collects the folders whose update the shell announces in this process (the
// shell calls the window directly or posts to it).
class UpdateNotificationLog {
 public:
  UpdateNotificationLog() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &UpdateNotificationLog::WindowProc;
    windowClass.lpszClassName = "ZrUpdateNotificationLog";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, nullptr, nullptr);
    updatedFolders().clear();
    SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &root_);
    SHChangeNotifyEntry entry = {root_, TRUE};
    registration_ = SHChangeNotifyRegister(window_, SHCNRF_ShellLevel | SHCNRF_InterruptLevel,
                                           SHCNE_UPDATEDIR, kMessage, 1, &entry);
  }
  ~UpdateNotificationLog() {
    if (registration_ != 0) SHChangeNotifyDeregister(registration_);
    CoTaskMemFree(root_);
    DestroyWindow(window_);
  }
  bool Registered() const { return registration_ != 0; }
  const std::vector<std::string>& UpdatedFolders() {
    MSG message;
    while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return updatedFolders();
  }

 private:
  static constexpr UINT kMessage = WM_APP + 7;
  static std::vector<std::string>& updatedFolders() {
    static std::vector<std::string> folders;
    return folders;
  }
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMessage && static_cast<LONG>(lParam) == SHCNE_UPDATEDIR) {
      char path[MAX_PATH] = {};
      SHGetPathFromIDListA(reinterpret_cast<LPITEMIDLIST*>(wParam)[0], path);
      updatedFolders().push_back(path);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
  LPITEMIDLIST root_ = nullptr;
  ULONG registration_ = 0;
};

class ShortcutSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    InstallationFolder.Assign(kInstallationFolder.c_str());
    UserFolder.Assign(kUserFolder.c_str());
    // The programs need not exist for their shortcuts to be made.
    for (const char* file : {"\\BinDL\\zricon.ico", "\\Examples\\index.htm"}) {
      const std::string path = kInstallationFolder + file;
      harness::CreateFolders(path.substr(0, path.rfind('\\')));
      harness::WriteFileBytes(path, "x");
    }
    harness::CreateFolders(kUserFolder);
    RemoveShortcuts();
  }
  void TearDown() override {
    ResetFolders();
    CoUninitialize();
  }

  // Removes the groups and desktop shortcuts of both scopes.
  static void RemoveShortcuts() {
    for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
      harness::DeleteTree(KnownFolderPath(csidl) + "\\Morvane");
    }
    for (int csidl : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY}) {
      for (const char* name : {"\\ZR Examples.lnk", "\\ZR PSpice.lnk"}) {
        DeleteFileA((KnownFolderPath(csidl) + name).c_str());
      }
    }
  }
};

struct ScopeCase {
  int currentUserOnly;
  int groupCsidl;
  int desktopCsidl;
  bool groupExists;
};

TEST_F(ShortcutSetTest, CompleteRunRecordsSixLinksInTheChosenScope) {
  const ScopeCase cases[] = {
      {0, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY, false},
      {1, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, false},
      {-1, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, true},
  };
  for (const ScopeCase& c : cases) {
    SCOPED_TRACE("currentUserOnly " + std::to_string(c.currentUserOnly));
    RemoveShortcuts();
    const std::string group = KnownFolderPath(c.groupCsidl) + "\\Morvane";
    const std::string desktop = KnownFolderPath(c.desktopCsidl);
    if (c.groupExists) {
      ASSERT_TRUE(harness::CreateFolders(group));
    }
    UpdateNotificationLog notifications;
    ASSERT_TRUE(notifications.Registered());

    ShortcutSet set;
    set.browserPath.Assign(kBrowser.c_str());
    EXPECT_TRUE(set.CreateProgramGroupAndShortcuts(c.currentUserOnly));

    const std::vector<std::string> expected = ExpectedLinkRecords(group, desktop);
    EXPECT_EQ(Records(set.journal), expected);
    for (std::size_t i = 1; i < expected.size(); ++i) {
      EXPECT_TRUE(harness::FileExists(expected[i].substr(1))) << expected[i];
    }
    EXPECT_EQ(notifications.UpdatedFolders(), std::vector<std::string>{desktop});

    set.SaveLinksJournal();
    std::string links;
    ASSERT_TRUE(harness::ReadFileBytes(kInstallationFolder + "\\links", &links));
    EXPECT_EQ(links, Joined(expected));
  }
}

// The shell link stores a target without its quotes; the simulator's
// argument keeps them, the examples' argument has none despite the blanks.
TEST_F(ShortcutSetTest, EachKindCarriesItsSettings) {
  ShortcutSet set;
  set.browserPath.Assign(kBrowser.c_str());
  ASSERT_TRUE(set.CreateProgramGroupAndShortcuts(1));
  for (const ExpectedShortcutFile& shortcut : ExpectedShortcutFiles(
           KnownFolderPath(CSIDL_PROGRAMS) + "\\Morvane", KnownFolderPath(CSIDL_DESKTOPDIRECTORY),
           kInstallationFolder, kUserFolder, kBrowser)) {
    ExpectShortcut(shortcut);
  }
}

// Without a browser the examples shortcut points at the start page itself,
// which the shell opens with the default browser.
TEST_F(ShortcutSetTest, WithoutBrowserTheExamplesShortcutOpensTheStartPage) {
  ShortcutSet set;
  ASSERT_TRUE(set.CreateProgramGroupAndShortcuts(1));
  const std::string& f = kInstallationFolder;
  ExpectShortcut({KnownFolderPath(CSIDL_PROGRAMS) + "\\Morvane\\ZR Examples.lnk",
                  {f + "\\Examples\\index.htm", "", f + "\\Examples", f + "\\BinDL\\zricon.ico", 0,
                   "ZR Examples"}});
  EXPECT_EQ(Records(set.journal).size(), 6u);
}

TEST_F(ShortcutSetTest, FailedSimulatorShortcutEndsTheGroup) {
  const std::string group = KnownFolderPath(CSIDL_COMMON_PROGRAMS) + "\\Morvane";
  // A folder in the shortcut file's place makes its save fail.
  ASSERT_TRUE(harness::CreateFolders(group + "\\ZR PSpice.lnk"));
  ShortcutSet set;
  set.browserPath.Assign(kBrowser.c_str());
  EXPECT_FALSE(set.CreateProgramGroupAndShortcuts(0));
  const std::vector<std::string> expected = {"D" + group, "F" + group + "\\ZR Examples.lnk",
                                             "F" + group + "\\ZR PSpice.lnk"};
  EXPECT_EQ(Records(set.journal), expected);
  EXPECT_FALSE(harness::FileExists(group + "\\Deinstallation.lnk"));
  const std::string desktop = KnownFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY);
  EXPECT_FALSE(harness::FileExists(desktop + "\\ZR Examples.lnk"));
}

// Without COM on the thread no link object can be made: the group folder is
// recorded, nothing else.
TEST_F(ShortcutSetTest, NoLinkObjectLeavesOnlyTheGroupRecord) {
  CoUninitialize();
  ShortcutSet set;
  set.browserPath.Assign(kBrowser.c_str());
  const bool created = set.CreateProgramGroupAndShortcuts(0);
  CoInitialize(nullptr);
  EXPECT_FALSE(created);
  EXPECT_EQ(Records(set.journal),
            std::vector<std::string>{"D" + KnownFolderPath(CSIDL_COMMON_PROGRAMS) + "\\Morvane"});
}

// A desktop folder that is missing is not found (the lookup does not create
// it): the group is complete, nothing is put on the desktop or announced.
TEST_F(ShortcutSetTest, MissingDesktopLeavesTheGroupComplete) {
  const std::string desktop = KnownFolderPath(CSIDL_DESKTOPDIRECTORY);
  ASSERT_FALSE(desktop.empty());
  harness::DeleteTree(desktop);
  ASSERT_TRUE(KnownFolderPath(CSIDL_DESKTOPDIRECTORY).empty());
  UpdateNotificationLog notifications;
  ASSERT_TRUE(notifications.Registered());

  ShortcutSet set;
  set.browserPath.Assign(kBrowser.c_str());
  EXPECT_TRUE(set.CreateProgramGroupAndShortcuts(1));
  std::vector<std::string> expected =
      ExpectedLinkRecords(KnownFolderPath(CSIDL_PROGRAMS) + "\\Morvane", desktop);
  expected.resize(4);
  EXPECT_EQ(Records(set.journal), expected);
  EXPECT_TRUE(notifications.UpdatedFolders().empty());
  harness::CreateFolders(desktop);
}

}  // namespace
