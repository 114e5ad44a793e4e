// End-to-end scenarios of zrsetup's configuration: a whole installation driven
// through its dialogs, then the settings file, the registry values, the
// "links" journal and the shortcuts it left; a second run; and an installer
// whose payload lacks the settings file.
//
// Arguments after GoogleTest's own: zrsetup.exe, the variant without
// BinDL\zrsim.ini, and the settings file as the payload carries it.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "dialog_waits.h"
#include "gui_driver.h"
#include "install_journal.h"
#include "shortcut_expectations.h"
#include "windows_state.h"
#include "zrsetup_dialogs.h"

namespace {

using harness::KnownFolderPath;
using harness::ProgramUnderTest;
using namespace zrsetup_dialogs;

constexpr int kWaitMs = 30000;

std::string gInstaller;
std::string gInstallerWithoutSettings;
std::string gShippedSettings;

const std::string kInstallationFolder = "C:\\Program Files\\ZR Sim E2E";
const std::string kUserFolder = "C:\\users\\Public\\My ZR Simulations";

// Starts the installer and presses OK in the welcome dialog.
void StartAndConfirmWelcome(ProgramUnderTest& program, const std::string& installer) {
  ASSERT_TRUE(program.Start(harness::ToWindowsPath(installer)));
  HWND welcome = harness::WaitForWindow(program, IsWelcomeDialog, kWaitMs);
  ASSERT_NE(welcome, nullptr) << "no welcome dialog";
  harness::PressButton(welcome, kOk);
}

void ChooseFolders(ProgramUnderTest& program) {
  HWND folders = harness::WaitForWindow(program, IsFolderDialog, kWaitMs);
  ASSERT_NE(folders, nullptr) << "no folder dialog";
  harness::SetControlText(folders, kInstallationField, kInstallationFolder);
  harness::SetControlText(folders, kUserField, kUserFolder);
  harness::PressButton(folders, kOk);
}

// Runs a whole installation through every dialog; the installer must end.
void Install(bool currentUserOnly) {
  ProgramUnderTest program;
  ASSERT_NO_FATAL_FAILURE(StartAndConfirmWelcome(program, gInstaller));
  ASSERT_NO_FATAL_FAILURE(ChooseFolders(program));
  HWND scope = harness::WaitForWindow(program, IsShortcutScopeDialog, kWaitMs);
  ASSERT_NE(scope, nullptr) << "no shortcut scope dialog";
  if (currentUserOnly) harness::ClickRadioButton(scope, kSecondChoice);
  harness::PressButton(scope, kOk);
  HWND finished = harness::WaitForWindow(program, IsFinishedDialog, kWaitMs);
  ASSERT_NE(finished, nullptr) << "no finished dialog";
  harness::PressButton(finished, kOk);
  DWORD exitCode = 1;
  ASSERT_TRUE(program.WaitForExit(kWaitMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

// Runs the installer up to its message box, whose text is returned, and
// confirms it; the installer must end with exit code 0.
std::string RunToMessageBox(const std::string& installer, bool choosesFolders) {
  ProgramUnderTest program;
  StartAndConfirmWelcome(program, installer);
  if (!::testing::Test::HasFatalFailure() && choosesFolders) ChooseFolders(program);
  if (::testing::Test::HasFatalFailure()) return "(a dialog was missing)";
  HWND box = program.WaitForMessageBox(kWaitMs);
  if (box == nullptr) return "(no message box)";
  const std::string text = harness::MessageBoxText(box);
  EXPECT_EQ(harness::WindowText(box), "ZR Installer");
  harness::PressButton(box, IDOK);
  DWORD exitCode = 1;
  EXPECT_TRUE(program.WaitForExit(kWaitMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  return text;
}

// The shipped settings file as the installer should leave it: line feeds
// only, every line's first marker replaced by the installation folder.
std::string ExpectedSettings(const std::string& shipped) {
  std::string expected;
  for (std::string line : SplitLines(shipped)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t marker = line.find('\xA7');
    if (marker != std::string::npos) line.replace(marker, 1, kInstallationFolder);
    expected += line + "\n";
  }
  return expected;
}

void ExpectString(HKEY hive, const char* key, const char* name, const std::string& text) {
  SCOPED_TRACE(std::string(key) + " " + (name != nullptr ? name : "(default)"));
  const harness::RegistryValue value = harness::ReadRegistryValue(hive, key, name);
  ASSERT_TRUE(value.found);
  EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(value.data, text + '\0');
}

void ExpectConfiguration() {
  std::string shipped;
  std::string installed;
  ASSERT_TRUE(harness::ReadFileBytes(harness::ToWindowsPath(gShippedSettings), &shipped));
  ASSERT_TRUE(harness::ReadFileBytes(kInstallationFolder + "\\BinDL\\zrsim.ini", &installed));
  EXPECT_EQ(installed, ExpectedSettings(shipped));

  const std::string& f = kInstallationFolder;
  const std::string commandLine =
      "\"" + f + "\\BinDL\\psched.exe\" -i \"" + f + "\\BinDL\\zrsim.ini\"";
  const char* zrKey = "SOFTWARE\\MicroSim\\MicroSim\\ZR";
  ExpectString(HKEY_LOCAL_MACHINE, zrKey, "InstallationFolder", f);
  ExpectString(HKEY_LOCAL_MACHINE, zrKey, "UserFolder", kUserFolder);
  EXPECT_TRUE(harness::RegistryKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\MicroSim\\MicroSim\\8.0"));
  ExpectString(HKEY_CLASSES_ROOT, ".zre", nullptr, "WinZREStarter");
  ExpectString(HKEY_CLASSES_ROOT, "WinZREStarter\\shell\\open\\command", nullptr,
               "\"" + f + "\\BinDL\\winzre.exe\" %1");
  ExpectString(HKEY_CLASSES_ROOT, "WinZREStarter\\psched", nullptr, commandLine);
  const harness::RegistryValue macros = harness::ReadRegistryValue(
      HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\WinHelp", "AllowProgrammaticMacros");
  EXPECT_EQ(macros.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(macros.data, std::string("\x01\x00\x00\x00", 4));
}

// The browser registered in the prefix, as a shortcut's target stores it
// (without the quotes of the registered value).
std::string RegisteredBrowser() {
  const harness::RegistryValue classId =
      harness::ReadRegistryValue(HKEY_CLASSES_ROOT, "InternetExplorer.Application\\CLSID", nullptr);
  const std::string serverKey = "CLSID\\" + std::string(classId.data.c_str()) + "\\LocalServer32";
  std::string browser =
      harness::ReadRegistryValue(HKEY_CLASSES_ROOT, serverKey.c_str(), nullptr).data.c_str();
  if (browser.size() >= 2 && browser.front() == '"' && browser.back() == '"') {
    browser = browser.substr(1, browser.size() - 2);
  }
  return browser;
}

void ExpectShortcuts(int groupCsidl, int desktopCsidl) {
  const std::string group = KnownFolderPath(groupCsidl) + "\\Morvane";
  const std::string desktop = KnownFolderPath(desktopCsidl);
  std::string links;
  ASSERT_TRUE(harness::ReadFileBytes(kInstallationFolder + "\\links", &links));
  EXPECT_EQ(SplitLines(links), ExpectedLinkRecords(group, desktop));
  EXPECT_EQ(links.back(), '\n');

  CoInitialize(nullptr);
  for (const ExpectedShortcutFile& shortcut : ExpectedShortcutFiles(
           group, desktop, kInstallationFolder, kUserFolder, RegisteredBrowser())) {
    ExpectShortcut(shortcut);
  }
  CoUninitialize();
}

TEST(ConfigurationScenario, CompleteInstallationForAllUsers) {
  ASSERT_NO_FATAL_FAILURE(Install(false));
  ExpectConfiguration();
  ExpectShortcuts(CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY);
}

TEST(ConfigurationScenario, CompleteInstallationForTheCurrentUser) {
  ASSERT_NO_FATAL_FAILURE(Install(true));
  ExpectConfiguration();
  ExpectShortcuts(CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY);
}

// What the uninstaller does with the two journals: every record, newest first,
// "links" after "files", with the derived-file rule of the rollback. Nothing
// of the installation may be left afterwards, so the journals must name
// everything that was made (the user folder, the user's own, stays).
TEST(ConfigurationScenario, JournalsNameEverythingTheInstallationMade) {
  ASSERT_NO_FATAL_FAILURE(Install(false));
  const std::string group = KnownFolderPath(CSIDL_COMMON_PROGRAMS) + "\\Morvane";
  const std::string desktop = KnownFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY);
  const std::string helpSettings = harness::WindowsFolder() + "\\msim.ini";
  ASSERT_TRUE(harness::FolderExists(group));
  ASSERT_TRUE(harness::FileExists(helpSettings));

  InstallJournal journals;
  for (const char* name : {"\\files", "\\links"}) {
    std::string text;
    ASSERT_TRUE(harness::ReadFileBytes(kInstallationFolder + name, &text)) << name;
    for (const std::string& record : SplitLines(text)) journals.Append(record.c_str());
  }
  journals.RollBack();  // false: BinDL\nom.ind is the simulator's to make

  EXPECT_FALSE(harness::FolderExists(kInstallationFolder))
      << "left behind: " << ::testing::PrintToString(harness::ListTree(kInstallationFolder));
  EXPECT_FALSE(harness::FolderExists(group));
  EXPECT_FALSE(harness::FileExists(desktop + "\\ZR Examples.lnk"));
  EXPECT_FALSE(harness::FileExists(desktop + "\\ZR PSpice.lnk"));
  EXPECT_FALSE(harness::FileExists(helpSettings));
  EXPECT_TRUE(harness::FolderExists(kUserFolder));
}

// The registry values of the first installation stop the second one before
// anything is asked or changed.
TEST(ConfigurationScenario, SecondRunFindsTheInstallation) {
  ASSERT_NO_FATAL_FAILURE(Install(false));
  std::string links;
  ASSERT_TRUE(harness::ReadFileBytes(kInstallationFolder + "\\links", &links));
  EXPECT_EQ(RunToMessageBox(gInstaller, false), "An installation already exists");
  std::string linksAfter;
  ASSERT_TRUE(harness::ReadFileBytes(kInstallationFolder + "\\links", &linksAfter));
  EXPECT_EQ(linksAfter, links);
}

// Without a settings file to adapt, the installation is rolled back: no
// "files" journal, no error log, no configuration and no shortcuts.
TEST(ConfigurationScenario, MissingSettingsFileRollsBack) {
  DeleteFileA("c:\\zrsetup.log");
  EXPECT_EQ(RunToMessageBox(gInstallerWithoutSettings, true), "Error while customizing ini file");
  EXPECT_FALSE(harness::FileExists(kInstallationFolder + "\\files"));
  EXPECT_FALSE(harness::FileExists(kInstallationFolder + "\\links"));
  EXPECT_FALSE(harness::FileExists("c:\\zrsetup.log"));
  EXPECT_FALSE(harness::FileExists(kInstallationFolder + "\\BinDL\\psched.exe"));
  EXPECT_FALSE(harness::RegistryKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\MicroSim\\MicroSim\\ZR"));
  EXPECT_FALSE(harness::FolderExists(KnownFolderPath(CSIDL_COMMON_PROGRAMS) + "\\Morvane"));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: %s [gtest options] ZRSETUP ZRSETUP_WITHOUT_SETTINGS SHIPPED_ZRSIM_INI\n",
                 argv[0]);
    return 2;
  }
  gInstaller = argv[1];
  gInstallerWithoutSettings = argv[2];
  gShippedSettings = argv[3];
  return RUN_ALL_TESTS();
}
