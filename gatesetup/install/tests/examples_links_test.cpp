// Shortcut files saved by the installer, loaded back through IShellLinkA.
#include "examples_links.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <string>

#include "windows_state.h"

namespace {

std::string Lower(std::string text) {
  CharLowerA(&text[0]);
  return text;
}

class ExamplesLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "gatesetup links";
    harness::DeleteTree(folder_);
    ASSERT_TRUE(harness::CreateFolders(folder_));
  }
  void TearDown() override {
    harness::DeleteTree(folder_);
    CoUninitialize();
  }

  std::string folder_;
};

TEST_F(ExamplesLinkTest, OpensTheRootFolderInTheExplorerWithItsIcon) {
  const std::string root = "C:\\users\\A User\\My Documents\\ispLever-examples";
  ASSERT_TRUE(SaveExamplesLink(folder_.c_str(), ("explorer.exe " + root).c_str(),
                               (root + "\\zricon.ico").c_str()));

  harness::ShortcutContents link;
  ASSERT_TRUE(harness::ReadShortcut(folder_ + "\\ispLever examples.lnk", &link));
  // The shell link stores "explorer.exe" resolved to the system folder.
  EXPECT_EQ(Lower(link.path), Lower(harness::WindowsFolder() + "\\system32\\explorer.exe"));
  EXPECT_EQ(link.arguments, root);  // unquoted, spaces and all
  EXPECT_EQ(link.iconPath, root + "\\zricon.ico");
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_EQ(link.description, "ispLever examples");
  EXPECT_EQ(link.workingFolder, "");
}

TEST_F(ExamplesLinkTest, ReplacesAnExistingShortcut) {
  ASSERT_TRUE(SaveExamplesLink(folder_.c_str(), "explorer.exe C:\\old", "C:\\old\\zricon.ico"));
  ASSERT_TRUE(SaveExamplesLink(folder_.c_str(), "explorer.exe C:\\new", "C:\\new\\zricon.ico"));
  harness::ShortcutContents link;
  ASSERT_TRUE(harness::ReadShortcut(folder_ + "\\ispLever examples.lnk", &link));
  EXPECT_EQ(link.arguments, "C:\\new");
  EXPECT_EQ(link.iconPath, "C:\\new\\zricon.ico");
}

TEST_F(ExamplesLinkTest, AMissingFolderIsAFailure) {
  EXPECT_FALSE(
      SaveExamplesLink((folder_ + "\\missing").c_str(), "explorer.exe C:\\x", "C:\\x\\zricon.ico"));
}

// The shortcut's path is handed to the shell in UTF-16 whatever its length.
TEST_F(ExamplesLinkTest, SavesInAFolderWhosePathIsLongerThanAFixedBuffer) {
  std::string folder = folder_;
  while (folder.size() < 300) {
    folder += "\\" + std::string(40, 'l');
    const std::wstring wide(folder.begin(), folder.end());
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
  }
  ASSERT_TRUE(SaveExamplesLink(folder.c_str(), "explorer.exe C:\\x", "C:\\x\\zricon.ico"));
  const std::string link = folder + "\\ispLever examples.lnk";
  const std::wstring wideLink(link.begin(), link.end());
  EXPECT_NE(GetFileAttributesW(wideLink.c_str()), INVALID_FILE_ATTRIBUTES);
  harness::ShortcutContents contents;
  ASSERT_TRUE(harness::ReadShortcut(link, &contents));
  EXPECT_EQ(contents.arguments, "C:\\x");
}

}  // namespace
