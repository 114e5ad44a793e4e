// The resources of the built gatesetup.exe: dialog templates, pictures, icon,
// manifest and payload, all in English (United States).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "gui_driver.h"
#include "resource_reader.h"

namespace {

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

using harness::DialogTemplate;
using TemplateItem = harness::DialogControl;

class GatesetupResourcesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExA(harness::ToWindowsPath(GATESETUP_EXE).c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE);
  }
  static void TearDownTestSuite() { FreeLibrary(module_); }

  void SetUp() override { ASSERT_NE(module_, nullptr); }

  static const BYTE* Resource(LPCSTR type, int id, DWORD* size = nullptr) {
    HRSRC found = FindResourceExA(module_, type, MAKEINTRESOURCEA(id), kEnglishUs);
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = SizeofResource(module_, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
  }

  static DialogTemplate Dialog(int id) {
    const DialogTemplate dialog = harness::ReadDialogTemplate(
        harness::ResourceBytes(module_, RT_DIALOG, MAKEINTRESOURCEA(id)));
    EXPECT_FALSE(dialog.truncated);
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.extendedStyle, 0u);
    EXPECT_EQ(dialog.menu, "");         // no menu
    EXPECT_EQ(dialog.windowClass, "");  // the standard dialog class
    return dialog;
  }

  static HMODULE module_;
};

HMODULE GatesetupResourcesTest::module_ = nullptr;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPopUp =
    WS_POPUP | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND | DS_SYSMODAL | DS_SETFONT;

void ExpectFrame(const DialogTemplate& dialog, DWORD style, int cx, int cy, const char* caption) {
  EXPECT_EQ(dialog.style, style);
  EXPECT_EQ(dialog.x, 0);
  EXPECT_EQ(dialog.y, 0);
  EXPECT_EQ(dialog.cx, cx);
  EXPECT_EQ(dialog.cy, cy);
  EXPECT_EQ(dialog.caption, caption);
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.font, "MS Sans Serif");
}

TEST_F(GatesetupResourcesTest, StartDialog) {
  const DialogTemplate dialog = Dialog(102);
  ExpectFrame(dialog, kPopUp, 267, 118, "");
  EXPECT_EQ(
      dialog.controls,
      (std::vector<TemplateItem>{
          {"Static", -1, "#106", 0, 0, 267, 89, kChild | SS_BITMAP},
          {"Static", -1, "#107", 0, 88, 267, 30, kChild | SS_BITMAP},
          {"Button", IDOK, "OK", 147, 96, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
          {"Button", IDCANCEL, "Cancel", 207, 96, 50, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON}}));
}

TEST_F(GatesetupResourcesTest, CompletionDialog) {
  const DialogTemplate dialog = Dialog(104);
  ExpectFrame(dialog, kPopUp, 267, 118, "");
  EXPECT_EQ(dialog.controls,
            (std::vector<TemplateItem>{
                {"Static", -1, "#106", 0, 0, 267, 89, kChild | SS_BITMAP},
                {"Static", -1, "#108", 0, 88, 267, 30, kChild | SS_BITMAP},
                {"Button", IDOK, "OK", 204, 96, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON}}));
}

TEST_F(GatesetupResourcesTest, LinkScopeDialog) {
  const DialogTemplate dialog = Dialog(109);
  ExpectFrame(dialog, kPopUp | WS_CAPTION, 160, 80, "ZR Installer");
  EXPECT_EQ(dialog.controls,
            (std::vector<TemplateItem>{
                {"Button", IDOK, "OK", 55, 58, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
                {"Static", -1, "Create program group and desktop symbol:", 10, 7, 140, 10,
                 kChild | WS_GROUP | SS_LEFT},
                {"Button", 110, "for all users", 30, 23, 100, 10, kChild | BS_AUTORADIOBUTTON},
                {"Button", 111, "for the current user only", 30, 38, 100, 10,
                 kChild | BS_AUTORADIOBUTTON}}));
}

TEST_F(GatesetupResourcesTest, PicturesHaveSixteenColoursAndTheirSizes) {
  struct Picture {
    int id, width, height;
  };
  for (const Picture& picture :
       {Picture{106, 400, 144}, Picture{107, 400, 48}, Picture{108, 400, 48}}) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(Resource(RT_BITMAP, picture.id));
    ASSERT_NE(header, nullptr) << picture.id;
    EXPECT_EQ(header->biWidth, picture.width) << picture.id;
    EXPECT_EQ(header->biHeight, picture.height) << picture.id;
    EXPECT_EQ(header->biBitCount, 4) << picture.id;
  }
}

TEST_F(GatesetupResourcesTest, IconIsOneThirtyTwoPixelImageOfSixteenColours) {
  const BYTE* group = Resource(RT_GROUP_ICON, 101);
  ASSERT_NE(group, nullptr);
  WORD header[3];
  memcpy(header, group, sizeof(header));
  EXPECT_EQ(header[1], 1);  // icons
  ASSERT_EQ(header[2], 1);  // one image
  const BYTE* entry = group + 6;
  EXPECT_EQ(entry[0], 32);
  EXPECT_EQ(entry[1], 32);
  EXPECT_EQ(entry[2], 16);
  WORD bitCount;
  memcpy(&bitCount, entry + 6, 2);
  EXPECT_EQ(bitCount, 4);
}

TEST_F(GatesetupResourcesTest, RunsWithTheRightsOfWhoeverStartsIt) {
  DWORD size = 0;
  const BYTE* manifest = Resource(RT_MANIFEST, 1, &size);
  ASSERT_NE(manifest, nullptr);
  const std::string text(reinterpret_cast<const char*>(manifest), size);
  EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos) << text;
}

TEST_F(GatesetupResourcesTest, PayloadEndsWithItsEndMark) {
  DWORD size = 0;
  const BYTE* bytes = Resource("BIN", 105, &size);
  ASSERT_NE(bytes, nullptr);
  ASSERT_GT(size, 0u);
  EXPECT_EQ(bytes[size - 1], 'E');
}

TEST_F(GatesetupResourcesTest, EveryResourceIsInEnglishUnitedStates) {
  const std::set<std::string> inventory = harness::ResourceInventory(module_);
  // Icon group, icon, three dialogs, three pictures, manifest, payload.
  EXPECT_EQ(inventory.size(), 10u);
  for (const std::string& resource : inventory) {
    EXPECT_EQ(resource.substr(resource.rfind('/') + 1), std::to_string(kEnglishUs)) << resource;
  }
}

}  // namespace
