// zrsetup.exe run for real and driven through its dialogs by control
// identifier; every scenario runs in a fresh Wine prefix and checks what the
// program left on disk.
//
// Command line: zrsetup.exe, the payload folder it carries (a Linux path),
// and the variant of zrsetup.exe without payload resource.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_waits.h"
#include "gui_driver.h"
#include "windows_state.h"
#include "zrsetup_dialogs.h"

namespace {

std::string g_zrsetup;         // Windows path of zrsetup.exe
std::string g_payloadFolder;   // Windows path of the folder packed into it
std::string g_withoutPayload;  // Windows path of the variant without payload

constexpr int kTimeoutMs = 30000;

constexpr const char* kOlderSimulatorKey = "SOFTWARE\\MicroSim\\MicroSim\\8.0";
constexpr const char* kOwnInstallationKey = "SOFTWARE\\MicroSim\\MicroSim\\ZR";

using harness::ControlExists;
using harness::ControlText;
using namespace zrsetup_dialogs;

std::string DefaultInstallationFolder() {
  return harness::KnownFolderPath(CSIDL_PROGRAM_FILES) + "\\Morvane";
}
std::string DefaultUserFolder() { return harness::KnownFolderPath(CSIDL_PERSONAL) + "\\PSpice"; }

// What a text-mode stream of the C library writes for `text`.
std::string AsTextMode(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

bool EndsWithSchematic(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ending = path.substr(path.size() - 4);
  for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ending == ".SCH";
}

// The names in a folder in ascending byte order, as the archive holds them.
std::vector<std::string> SortedNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// One unpacked entry: its path in the installation and in the payload folder.
struct PayloadEntry {
  bool isFolder;
  std::string installedPath;
  std::string sourcePath;
};

// The payload's entries below `source`, in archive order: every folder before
// its content, the entries of each folder in ascending byte order of names.
void CollectPayload(const std::string& source, const std::string& target,
                    std::vector<PayloadEntry>* entries) {
  for (const std::string& name : SortedNames(source)) {
    PayloadEntry entry{harness::FolderExists(source + "\\" + name), target + "\\" + name,
                       source + "\\" + name};
    entries->push_back(entry);
    if (entry.isFolder) CollectPayload(entry.sourcePath, entry.installedPath, entries);
  }
}

// The "files" journal of a complete installation into `folder`, together with
// every unpacked entry.
std::vector<std::string> ExpectedFilesJournal(const std::string& folder,
                                              std::vector<PayloadEntry>* entries) {
  std::vector<std::string> journal = {"D" + folder, "F" + folder + "\\files",
                                      "F" + folder + "\\links"};
  for (const char* section : {"BinDL", "Examples"}) {
    const std::string target = folder + "\\" + section;
    journal.push_back("D" + target);
    std::vector<PayloadEntry> sectionEntries;
    CollectPayload(g_payloadFolder + "\\" + section, target, &sectionEntries);
    for (const PayloadEntry& entry : sectionEntries) {
      journal.push_back((entry.isFolder ? "D" : "F") + entry.installedPath);
    }
    entries->insert(entries->end(), sectionEntries.begin(), sectionEntries.end());
  }
  journal.push_back("F" + folder + "\\BinDL\\nom.ind");
  journal.push_back("F" + harness::WindowsFolder() + "\\msim.ini");
  return journal;
}

class ZrsetupScenario : public ::testing::Test {
 protected:
  // A registry key as an earlier installation leaves it; only its presence counts.
  static void CreateKey(const char* key) {
    ASSERT_TRUE(
        harness::WriteRegistryValue(HKEY_LOCAL_MACHINE, key, "probe", REG_SZ, std::string("x", 2)));
  }

  // With the older simulator's key present, starts zrsetup, presses OK and
  // waits for the older-version dialog.
  void StartUpToOlderVersionDialog() {
    ASSERT_NO_FATAL_FAILURE(CreateKey(kOlderSimulatorKey));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitForWelcome());
    harness::PressButton(welcome_, kOk);
    older_ = harness::WaitForWindow(program_, IsOlderVersionDialog, kTimeoutMs);
    ASSERT_NE(older_, nullptr) << "no older-version dialog";
  }

  // Starts zrsetup and waits for its welcome dialog.
  void StartAndWaitForWelcome(const std::string& program = g_zrsetup) {
    ASSERT_TRUE(program_.Start(program)) << program;
    welcome_ = harness::WaitForWindow(program_, IsWelcomeDialog, kTimeoutMs);
    ASSERT_NE(welcome_, nullptr) << "no welcome dialog";
  }

  // Presses OK in the welcome dialog and waits for the folder dialog.
  void GoToFolderDialog() {
    harness::PressButton(welcome_, kOk);
    folders_ = harness::WaitForWindow(program_, IsFolderDialog, kTimeoutMs);
    ASSERT_NE(folders_, nullptr) << "no folder dialog";
  }

  // Waits for a message box, checks its text, its owner (disabled while it is
  // up), caption and buttons, presses OK and waits for it to close.
  void ExpectMessageAndClose(const std::string& text, HWND owner) {
    HWND box = program_.WaitForMessageBox(kTimeoutMs);
    ASSERT_NE(box, nullptr) << "no message box for: " << text;
    EXPECT_EQ(harness::MessageBoxText(box), text);
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
    EXPECT_FALSE(IsWindowEnabled(owner)) << "not modal";
    EXPECT_EQ(harness::WindowText(box), "ZR Installer");
    EXPECT_TRUE(ControlExists(box, IDOK));
    EXPECT_FALSE(ControlExists(box, IDCANCEL));
    harness::PressButton(box, IDOK);
    ASSERT_TRUE(harness::WaitForWindowToClose(box, kTimeoutMs));
  }

  void ExpectExitCodeZero() {
    DWORD exitCode = 1234;
    ASSERT_TRUE(program_.WaitForExit(kTimeoutMs, &exitCode)) << "zrsetup did not end";
    EXPECT_EQ(exitCode, 0u);
  }

  // Nothing of an installation is anywhere.
  void ExpectNothingInstalled() {
    EXPECT_FALSE(harness::FolderExists(DefaultInstallationFolder()));
    EXPECT_FALSE(harness::FolderExists(DefaultUserFolder()));
    EXPECT_FALSE(harness::FileExists(harness::WindowsFolder() + "\\msim.ini"));
    EXPECT_FALSE(harness::FileExists("c:\\zrsetup.log"));
  }

  harness::ProgramUnderTest program_;
  HWND welcome_ = nullptr;
  HWND folders_ = nullptr;
  HWND older_ = nullptr;
};

TEST_F(ZrsetupScenario, CancelInWelcomeDialogEndsWithoutChanges) {
  StartAndWaitForWelcome();
  EXPECT_TRUE(harness::IsControlVisible(welcome_, kOk));
  EXPECT_TRUE(harness::IsControlVisible(welcome_, kCancel));
  EXPECT_FALSE(harness::IsControlVisible(welcome_, kProgress));
  harness::PressButton(welcome_, kCancel);
  ExpectExitCodeZero();
  ExpectNothingInstalled();
}

TEST_F(ZrsetupScenario, EscapeInWelcomeDialogIsIgnored) {
  StartAndWaitForWelcome();
  harness::PressEscape(welcome_);
  ASSERT_TRUE(harness::WaitForPostedMessages(welcome_, kOk, kTimeoutMs));
  EXPECT_TRUE(IsWindowVisible(welcome_));
  EXPECT_TRUE(harness::IsControlVisible(welcome_, kOk));
  // Still alive and waiting: OK goes on to the folder dialog.
  GoToFolderDialog();
}

// OK in the welcome dialog replaces both buttons by the percentage field,
// even when the sequence stops at once.
TEST_F(ZrsetupScenario, OkHidesButtonsAndShowsEmptyPercentageField) {
  StartAndWaitForWelcome();
  GoToFolderDialog();
  EXPECT_FALSE(harness::IsControlVisible(welcome_, kOk));
  EXPECT_FALSE(harness::IsControlVisible(welcome_, kCancel));
  EXPECT_TRUE(harness::IsControlVisible(welcome_, kProgress));
  EXPECT_EQ(ControlText(welcome_, kProgress), "");
  EXPECT_TRUE(IsWindowVisible(welcome_));
}

// The own installation's key stops the sequence, whether or not the older
// simulator's key is there too; the older-version dialog never shows.
class EarlierInstallation : public ZrsetupScenario {
 protected:
  void ExpectInstallationExists(bool withOlderSimulatorKey) {
    if (withOlderSimulatorKey) {
      ASSERT_NO_FATAL_FAILURE(CreateKey(kOlderSimulatorKey));
    }
    ASSERT_NO_FATAL_FAILURE(CreateKey(kOwnInstallationKey));
    StartAndWaitForWelcome();
    harness::PressButton(welcome_, kOk);
    HWND box = program_.WaitForMessageBox(kTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(harness::HasWindow(program_, IsOlderVersionDialog));
    EXPECT_FALSE(harness::IsControlVisible(welcome_, kOk));
    EXPECT_TRUE(harness::IsControlVisible(welcome_, kProgress));
    ExpectMessageAndClose("An installation already exists", welcome_);
    ExpectExitCodeZero();
    ExpectNothingInstalled();
  }
};

TEST_F(EarlierInstallation, OwnKeyGivesInstallationExists) { ExpectInstallationExists(false); }

TEST_F(EarlierInstallation, BothKeysGiveInstallationExistsWithoutOlderVersionDialog) {
  ExpectInstallationExists(true);
}

TEST_F(ZrsetupScenario, OlderSimulatorDefaultChoiceEndsSilently) {
  ASSERT_NO_FATAL_FAILURE(StartUpToOlderVersionDialog());
  HWND older = older_;
  EXPECT_EQ(GetWindow(older, GW_OWNER), welcome_);
  EXPECT_TRUE(harness::IsButtonChecked(older, kFirstChoice));
  EXPECT_FALSE(harness::IsButtonChecked(older, kSecondChoice));
  harness::PressButton(older, kOk);
  ExpectExitCodeZero();
  EXPECT_FALSE(harness::HasWindow(program_, IsFolderDialog));
  ExpectNothingInstalled();
}

TEST_F(ZrsetupScenario, OlderSimulatorForcedInstallationGoesToFolderDialog) {
  ASSERT_NO_FATAL_FAILURE(StartUpToOlderVersionDialog());
  HWND older = older_;
  harness::ClickRadioButton(older, kSecondChoice);
  EXPECT_FALSE(harness::IsButtonChecked(older, kFirstChoice));
  harness::PressButton(older, kOk);
  folders_ = harness::WaitForWindow(program_, IsFolderDialog, kTimeoutMs);
  ASSERT_NE(folders_, nullptr);
  harness::PressButton(folders_, kCancel);
  ExpectExitCodeZero();
}

TEST_F(ZrsetupScenario, MissingPayloadIsReportedAndEndsTheSequence) {
  StartAndWaitForWelcome(g_withoutPayload);
  harness::PressButton(welcome_, kOk);
  ExpectMessageAndClose("Installation data not found", welcome_);
  ExpectExitCodeZero();
  EXPECT_FALSE(harness::HasWindow(program_, IsFolderDialog));
  ExpectNothingInstalled();
}

TEST_F(ZrsetupScenario, FolderDialogShowsDefaultsAndCancelEndsWithoutInstalling) {
  StartAndWaitForWelcome();
  GoToFolderDialog();
  EXPECT_EQ(harness::WindowText(folders_), "ZR Installer");
  EXPECT_EQ(GetWindow(folders_, GW_OWNER), welcome_);
  EXPECT_EQ(ControlText(folders_, kInstallationField), DefaultInstallationFolder());
  EXPECT_EQ(ControlText(folders_, kUserField), DefaultUserFolder());
  EXPECT_EQ(harness::FocusedWindow(folders_), GetDlgItem(folders_, kOk));
  // Escape leaves it open.
  harness::PressEscape(folders_);
  ASSERT_TRUE(harness::WaitForPostedMessages(folders_, kOk, kTimeoutMs));
  EXPECT_TRUE(IsWindowVisible(folders_));
  harness::PressButton(folders_, kCancel);
  ExpectExitCodeZero();
  EXPECT_FALSE(harness::HasWindow(program_, IsFinishedDialog));
  ExpectNothingInstalled();
}

TEST_F(ZrsetupScenario, DefaultRestoresOneFieldOnly) {
  StartAndWaitForWelcome();
  GoToFolderDialog();
  harness::SetControlText(folders_, kInstallationField, "C:\\typed\\programs");
  harness::SetControlText(folders_, kUserField, "C:\\typed\\user");
  harness::PressButton(folders_, kDefaultInstallation);
  ASSERT_TRUE(harness::WaitUntil(
      [&] { return ControlText(folders_, kInstallationField) == DefaultInstallationFolder(); },
      kTimeoutMs));
  EXPECT_EQ(ControlText(folders_, kUserField), "C:\\typed\\user");
  EXPECT_EQ(harness::FocusedWindow(folders_), GetDlgItem(folders_, kOk));

  harness::SetControlText(folders_, kInstallationField, "C:\\typed\\programs");
  harness::PressButton(folders_, kDefaultUser);
  ASSERT_TRUE(harness::WaitUntil(
      [&] { return ControlText(folders_, kUserField) == DefaultUserFolder(); }, kTimeoutMs));
  EXPECT_EQ(ControlText(folders_, kInstallationField), "C:\\typed\\programs");
}

// A cancelled folder browser leaves the field as it was. The shell's browser
// is found as the folder dialog's owned dialog with a tree view.
TEST_F(ZrsetupScenario, CancelledFolderBrowserLeavesFieldUnchanged) {
  StartAndWaitForWelcome();
  GoToFolderDialog();
  harness::SetControlText(folders_, kInstallationField, "C:\\typed");
  harness::PressButton(folders_, kSearchInstallation);
  HWND browser = harness::WaitForWindow(
      program_,
      [&](HWND window) {
        return IsDialog(window) && GetWindow(window, GW_OWNER) == folders_ &&
               FindWindowExA(window, nullptr, "SysTreeView32", nullptr) != nullptr;
      },
      kTimeoutMs);
  ASSERT_NE(browser, nullptr) << "no folder browser";
  harness::PressButton(browser, IDCANCEL);
  ASSERT_TRUE(harness::WaitForWindowToClose(browser, kTimeoutMs));
  ASSERT_TRUE(harness::WaitForPostedMessages(folders_, kOk, kTimeoutMs));
  EXPECT_EQ(ControlText(folders_, kInstallationField), "C:\\typed");
  EXPECT_EQ(harness::FocusedWindow(folders_), GetDlgItem(folders_, kOk));
}

// Invalid folders: one message for the first invalid field, whose text is
// then selected and focused; the other field is not looked at yet.
TEST_F(ZrsetupScenario, InvalidFoldersAreRejectedOneFieldAtATime) {
  ASSERT_TRUE(harness::WriteFileBytes("C:\\a file", "not a folder"));
  StartAndWaitForWelcome();
  GoToFolderDialog();

  struct Step {
    const char* installation;
    const char* user;
    int focusedField;
  };
  const Step steps[] = {
      {"Q:\\no such drive\\programs", "Q:\\no such drive\\user", kInstallationField},
      {"", "C:\\user folder", kInstallationField},
      {"C:\\a file", "C:\\user folder", kInstallationField},
      {"C:\\programs folder", "Q:\\no such drive\\user", kUserField},
      {"C:\\programs folder", "relative\\user", kUserField},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.installation) + " / " + step.user);
    harness::SetControlText(folders_, kInstallationField, step.installation);
    harness::SetControlText(folders_, kUserField, step.user);
    harness::PressButton(folders_, kOk);
    ExpectMessageAndClose("Invalid folder", folders_);
    // The handler has ended: no second message, and the field is selected.
    ASSERT_TRUE(harness::WaitForPostedMessages(folders_, kOk, kTimeoutMs));
    EXPECT_EQ(program_.WaitForMessageBox(0), nullptr);
    EXPECT_TRUE(IsWindowVisible(folders_));
    EXPECT_EQ(harness::FocusedWindow(folders_), GetDlgItem(folders_, step.focusedField));
    DWORD start = 0, end = 0;
    harness::EditSelection(folders_, step.focusedField, &start, &end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, ControlText(folders_, step.focusedField).size());
  }
  // The installation folder, once accepted, exists while the dialog stays open.
  EXPECT_TRUE(harness::FolderExists("C:\\programs folder"));
  EXPECT_FALSE(harness::FolderExists("C:\\user folder"));
  EXPECT_TRUE(harness::FileExists("C:\\a file"));

  harness::PressButton(folders_, kCancel);
  ExpectExitCodeZero();
  // Folders created while validating stay.
  EXPECT_TRUE(harness::FolderExists("C:\\programs folder"));
}

// The dialog reads 999 characters of a longer text; what the system then does
// with such a path is its own answer. Here Wine creates the 999-character
// folder, refuses the longer paths below it (error 206, "File name is too
// long"), and the installation ends as a failed extraction.
TEST_F(ZrsetupScenario, FolderTextIsReadUpTo999Characters) {
  std::string longText = "C:\\long";
  while (longText.size() < 1200) longText += "\\" + std::string(49, 'x');
  StartAndWaitForWelcome();
  GoToFolderDialog();
  harness::SetControlText(folders_, kInstallationField, longText);
  harness::PressButton(folders_, kOk);
  ExpectMessageAndClose("Error while copying files", welcome_);
  ExpectExitCodeZero();
  // The journal's first record is the installation folder as accepted.
  std::string log;
  ASSERT_TRUE(harness::ReadFileBytes("c:\\zrsetup.log", &log));
  EXPECT_EQ(log.substr(0, log.find('\n') + 1), "D" + longText.substr(0, 999) + "\n");
  EXPECT_NE(log.find("Error = 206\r\n"), std::string::npos);
  EXPECT_FALSE(harness::FolderExists(longText.substr(0, 1000)));
}

class CompleteInstallation : public ZrsetupScenario {
 protected:
  // Runs the installation into `folder` up to the shortcut scope dialog.
  void RunUpToScopeDialog(const std::string& folder) {
    StartAndWaitForWelcome();
    GoToFolderDialog();
    harness::SetControlText(folders_, kInstallationField, folder);
    harness::PressButton(folders_, kOk);
  }
};

TEST_F(CompleteInstallation, UnpacksEverythingAndRecordsItInOrder) {
  const std::string folder = "C:\\ZR target\\Sim folder";
  RunUpToScopeDialog(folder);
  HWND scope = harness::WaitForWindow(program_, IsShortcutScopeDialog, kTimeoutMs);
  ASSERT_NE(scope, nullptr) << "no shortcut scope dialog";
  EXPECT_EQ(GetWindow(scope, GW_OWNER), welcome_);
  EXPECT_TRUE(harness::IsButtonChecked(scope, kFirstChoice));
  EXPECT_EQ(ControlText(welcome_, kProgress), "100 %");
  harness::PressButton(scope, kOk);

  HWND finished = harness::WaitForWindow(program_, IsFinishedDialog, kTimeoutMs);
  ASSERT_NE(finished, nullptr) << "no finished dialog";
  EXPECT_EQ(GetWindow(finished, GW_OWNER), nullptr);
  EXPECT_FALSE(IsWindow(welcome_));
  harness::PressEscape(finished);
  ASSERT_TRUE(harness::WaitForPostedMessages(finished, kOk, kTimeoutMs));
  EXPECT_TRUE(IsWindowVisible(finished));
  harness::PressButton(finished, kOk);
  ExpectExitCodeZero();

  std::vector<PayloadEntry> entries;
  const std::vector<std::string> expected = ExpectedFilesJournal(folder, &entries);
  std::string journal;
  ASSERT_TRUE(harness::ReadFileBytes(folder + "\\files", &journal));
  EXPECT_EQ(journal.find('\r'), std::string::npos);
  ASSERT_FALSE(journal.empty());
  EXPECT_EQ(journal.back(), '\n');
  EXPECT_EQ(SplitLines(journal), expected);

  for (const PayloadEntry& entry : entries) {
    SCOPED_TRACE(entry.installedPath);
    if (entry.isFolder) {
      EXPECT_TRUE(harness::FolderExists(entry.installedPath));
      continue;
    }
    std::string installed, original;
    ASSERT_TRUE(harness::ReadFileBytes(entry.installedPath, &installed));
    ASSERT_TRUE(harness::ReadFileBytes(entry.sourcePath, &original));
    // The settings file is rewritten for the installation folder.
    if (entry.installedPath != folder + "\\BinDL\\zrsim.ini") {
      EXPECT_EQ(installed, original);
    }
    if (EndsWithSchematic(entry.installedPath)) {
      const std::string companionPath =
          entry.installedPath.substr(0, entry.installedPath.size() - 3) + "zre";
      std::string companion;
      ASSERT_TRUE(harness::ReadFileBytes(companionPath, &companion)) << companionPath;
      EXPECT_EQ(companion, entry.installedPath + "\n");
    }
  }

  std::string helpSettings;
  ASSERT_TRUE(harness::ReadFileBytes(harness::WindowsFolder() + "\\msim.ini", &helpSettings));
  EXPECT_EQ(helpSettings, "[HELP]\r\nPDFS=\"" + folder + "\\BinDL\"\r\n");
  EXPECT_FALSE(harness::FileExists("c:\\zrsetup.log"));
}

// A folder standing where the last payload file must go makes the extraction
// fail after everything else was written.
TEST_F(CompleteInstallation, FailedExtractionLogsRollsBackAndSaysSo) {
  const std::string folder = "C:\\ZR failing\\Sim folder";
  std::vector<PayloadEntry> entries;
  std::vector<std::string> records = ExpectedFilesJournal(folder, &entries);
  ASSERT_FALSE(entries.empty());
  ASSERT_FALSE(entries.back().isFolder) << "the payload must end with a file";
  const std::string blocked = entries.back().installedPath;
  ASSERT_TRUE(harness::CreateFolders(blocked));
  // The journal at the failure: everything before the blocked file.
  records.erase(std::find(records.begin(), records.end(), "F" + blocked), records.end());

  RunUpToScopeDialog(folder);
  ExpectMessageAndClose("Error while copying files", welcome_);
  ExpectExitCodeZero();
  EXPECT_FALSE(harness::HasWindow(program_, IsShortcutScopeDialog));

  char* systemText = nullptr;
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                 ERROR_ACCESS_DENIED, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                 reinterpret_cast<char*>(&systemText), 0, nullptr);
  ASSERT_NE(systemText, nullptr);
  std::string expectedLog;
  for (const std::string& record : records) expectedLog += record + "\n";
  expectedLog += AsTextMode("Error = 5\n" + std::string(systemText) + "\n");
  LocalFree(systemText);
  std::string log;
  ASSERT_TRUE(harness::ReadFileBytes("c:\\zrsetup.log", &log));
  EXPECT_EQ(log, expectedLog);

  // Every listed file is gone, companions included; folders are gone unless
  // something not listed keeps them from being empty.
  for (const std::string& record : records) {
    const std::string path = record.substr(1);
    SCOPED_TRACE(record);
    if (record[0] == 'D') {
      EXPECT_EQ(harness::FolderExists(path), blocked.compare(0, path.size() + 1, path + "\\") == 0);
    } else {
      EXPECT_FALSE(harness::FileExists(path));
      if (EndsWithSchematic(path)) {
        EXPECT_FALSE(harness::FileExists(path.substr(0, path.size() - 3) + "zre"));
      }
    }
  }
  EXPECT_TRUE(harness::FolderExists(blocked));
  EXPECT_FALSE(harness::FileExists(harness::WindowsFolder() + "\\msim.ini"));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s ZRSETUP PAYLOAD_FOLDER ZRSETUP_WITHOUT_PAYLOAD\n", argv[0]);
    return 2;
  }
  g_zrsetup = harness::ToWindowsPath(argv[1]);
  g_payloadFolder = harness::ToWindowsPath(argv[2]);
  g_withoutPayload = harness::ToWindowsPath(argv[3]);
  return RUN_ALL_TESTS();
}
