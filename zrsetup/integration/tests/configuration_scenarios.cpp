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

#include "gui_driver.h"
#include "shortcut_expectations.h"
#include "windows_state.h"

namespace {

using harness::KnownFolderPath;
using harness::ProgramUnderTest;

// Dialogs and controls of the installer.
constexpr int kOk = 116;
constexpr int kCancel = 117;
constexpr int kInstallationFolderEdit = 112;
constexpr int kUserFolderEdit = 113;
constexpr int kAllUsersRadio = 108;
constexpr int kCurrentUserRadio = 109;
constexpr int kWaitMs = 30000;

std::string gInstaller;
std::string gInstallerWithoutSettings;
std::string gShippedSettings;

const std::string kInstallationFolder = "C:\\Program Files\\ZR Sim E2E";
const std::string kUserFolder = "C:\\users\\Public\\My ZR Simulations";

// The finished dialog: an OK button but neither Cancel nor any field of the
// other dialogs.
HWND WaitForFinishedDialog(const ProgramUnderTest& program) {
  HWND found = nullptr;
  harness::WaitUntil(
      [&] {
        for (HWND window : program.TopLevelWindows()) {
          if (harness::ControlExists(window, kOk) && !harness::ControlExists(window, kCancel) &&
              !harness::ControlExists(window, kAllUsersRadio) &&
              !harness::ControlExists(window, kInstallationFolderEdit)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      kWaitMs);
  return found;
}

// Starts the installer and presses OK in the welcome dialog.
void StartAndConfirmWelcome(ProgramUnderTest& program, const std::string& installer) {
  ASSERT_TRUE(program.Start(harness::ToWindowsPath(installer)));
  HWND welcome = program.WaitForWindowWithControl(kCancel, kWaitMs);
  ASSERT_NE(welcome, nullptr) << "no welcome dialog";
  harness::PressButton(welcome, kOk);
}

void ChooseFolders(ProgramUnderTest& program) {
  HWND folders = program.WaitForWindowWithControl(kInstallationFolderEdit, kWaitMs);
  ASSERT_NE(folders, nullptr) << "no folder dialog";
  harness::SetControlText(folders, kInstallationFolderEdit, kInstallationFolder);
  harness::SetControlText(folders, kUserFolderEdit, kUserFolder);
  harness::PressButton(folders, kOk);
}

// Runs a whole installation through every dialog; the installer must end.
void Install(bool currentUserOnly) {
  ProgramUnderTest program;
  ASSERT_NO_FATAL_FAILURE(StartAndConfirmWelcome(program, gInstaller));
  ASSERT_NO_FATAL_FAILURE(ChooseFolders(program));
  HWND scope = program.WaitForWindowWithControl(kCurrentUserRadio, kWaitMs);
  ASSERT_NE(scope, nullptr) << "no shortcut scope dialog";
  if (currentUserOnly) harness::ClickRadioButton(scope, kCurrentUserRadio);
  harness::PressButton(scope, kOk);
  HWND finished = WaitForFinishedDialog(program);
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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The shipped settings file as the installer should leave it: line feeds
// only, every line's first marker replaced by the installation folder.
std::string ExpectedSettings(const std::string& shipped) {
  std::string expected;
  for (std::string line : Lines(shipped)) {
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
  EXPECT_EQ(Lines(links), ExpectedLinkRecords(group, desktop));
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
