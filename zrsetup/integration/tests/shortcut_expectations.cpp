#include "shortcut_expectations.h"

#include <gtest/gtest.h>

std::vector<ExpectedShortcutFile> ExpectedShortcutFiles(const std::string& group,
                                                        const std::string& desktop,
                                                        const std::string& installationFolder,
                                                        const std::string& userFolder,
                                                        const std::string& browser) {
  const std::string& f = installationFolder;
  const harness::ShortcutContents examples = {
      browser,      f + "\\Examples\\index.htm", f + "\\Examples", f + "\\BinDL\\zricon.ico", 0,
      "ZR Examples"};
  const harness::ShortcutContents simulator = {f + "\\BinDL\\psched.exe",
                                               " -i \"" + f + "\\BinDL\\zrsim.ini\"",
                                               userFolder,
                                               "",
                                               0,
                                               "ZR PSpice"};
  const harness::ShortcutContents uninstall = {
      f + "\\BinDL\\zruninstall.exe", "", f + "\\BinDL", "", 0, "Deinstallation"};
  return {{group + "\\ZR Examples.lnk", examples},
          {group + "\\ZR PSpice.lnk", simulator},
          {group + "\\Deinstallation.lnk", uninstall},
          {desktop + "\\ZR Examples.lnk", examples},
          {desktop + "\\ZR PSpice.lnk", simulator}};
}

std::vector<std::string> ExpectedLinkRecords(const std::string& group, const std::string& desktop) {
  std::vector<std::string> records = {"D" + group};
  for (const ExpectedShortcutFile& shortcut : ExpectedShortcutFiles(group, desktop, "", "", "")) {
    records.push_back("F" + shortcut.file);
  }
  return records;
}

void ExpectShortcut(const ExpectedShortcutFile& expected) {
  SCOPED_TRACE(expected.file);
  harness::ShortcutContents actual;
  ASSERT_TRUE(harness::ReadShortcut(expected.file, &actual));
  EXPECT_EQ(actual.path, expected.contents.path);
  EXPECT_EQ(actual.arguments, expected.contents.arguments);
  EXPECT_EQ(actual.workingFolder, expected.contents.workingFolder);
  EXPECT_EQ(actual.iconPath, expected.contents.iconPath);
  if (!expected.contents.iconPath.empty()) {
    EXPECT_EQ(actual.iconIndex, expected.contents.iconIndex);
  }
  EXPECT_EQ(actual.description, expected.contents.description);
}
