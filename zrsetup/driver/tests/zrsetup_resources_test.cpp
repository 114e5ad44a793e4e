// The resources of a built zrsetup.exe (x86_64 or i686), read from the file
// as data: which resources exist and in which language, the pictures' sizes
// and colours, the icon groups, the manifest and every dialog template.
//
// Command line: the executable (a Linux or Windows path).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "gui_driver.h"
#include "resource_reader.h"

namespace {

std::string g_program;
HMODULE g_module = nullptr;

// The bytes of one resource in English (United States); empty when absent.
std::string ResourceBytes(LPCSTR type, LPCSTR name) {
  return harness::ResourceBytes(g_module, type, name);
}

TEST(ZrsetupResources, ExactlyTheseResourcesAllInEnglishUnitedStates) {
  const std::set<std::string> expected = {
      "BIN/#103/1033", "#2/#104/1033",       "#2/#105/1033",        "#2/#106/1033", "#3/#1/1033",
      "#3/#2/1033",    "#5/#101/1033",       "#5/#102/1033",        "#5/#107/1033", "#5/#111/1033",
      "#5/#121/1033",  "#14/IDI_ICON1/1033", "#14/IDI_ZRICON/1033", "#24/#1/1033",
  };
  EXPECT_EQ(harness::ResourceInventory(g_module), expected);
}

struct BitmapCase {
  int id;
  LONG width;
  LONG height;
};

TEST(ZrsetupResources, PicturesHaveTheirSizesInSixteenColours) {
  for (const BitmapCase& c :
       {BitmapCase{104, 400, 144}, BitmapCase{105, 400, 48}, BitmapCase{106, 400, 48}}) {
    SCOPED_TRACE("bitmap " + std::to_string(c.id));
    const std::string bytes = ResourceBytes(RT_BITMAP, MAKEINTRESOURCEA(c.id));
    ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof(header));
    EXPECT_EQ(header.biWidth, c.width);
    EXPECT_EQ(header.biHeight < 0 ? -header.biHeight : header.biHeight, c.height);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;
  }
}

#pragma pack(push, 2)
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInResource;
  WORD id;
};
#pragma pack(pop)

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
  *reinterpret_cast<std::string*>(param) = IS_INTRESOURCE(name) ? "#" : name;
  return FALSE;
}

TEST(ZrsetupResources, IconGroupsHoldOneThirtyTwoPixelSixteenColourImage) {
  std::string firstGroup;
  EnumResourceNamesA(g_module, RT_GROUP_ICON, TakeFirstName,
                     reinterpret_cast<LONG_PTR>(&firstGroup));
  EXPECT_EQ(firstGroup, "IDI_ICON1") << "Explorer shows the first icon group";

  for (const char* group : {"IDI_ICON1", "IDI_ZRICON"}) {
    SCOPED_TRACE(group);
    const std::string bytes = ResourceBytes(RT_GROUP_ICON, group);
    ASSERT_EQ(bytes.size(), sizeof(GroupIconHeader) + sizeof(GroupIconEntry));
    GroupIconHeader header;
    GroupIconEntry entry;
    std::memcpy(&header, bytes.data(), sizeof(header));
    std::memcpy(&entry, bytes.data() + sizeof(header), sizeof(entry));
    EXPECT_EQ(header.type, 1);
    EXPECT_EQ(header.count, 1);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.colorCount, 16);

    const std::string image = ResourceBytes(RT_ICON, MAKEINTRESOURCEA(entry.id));
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(image.size(), entry.bytesInResource);
    BITMAPINFOHEADER info;
    std::memcpy(&info, image.data(), sizeof(info));
    EXPECT_EQ(info.biWidth, 32);
    EXPECT_EQ(info.biHeight, 64);  // the colour image and its mask
    EXPECT_EQ(info.biBitCount, 4);
  }
}

TEST(ZrsetupResources, ManifestRequiresAdministrator) {
  const std::string manifest = ResourceBytes(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"requireAdministrator\" "
                          "uiAccess=\"false\"/>"),
            std::string::npos)
      << manifest;
}

TEST(ZrsetupResources, PayloadIsPresent) {
  EXPECT_FALSE(ResourceBytes("BIN", MAKEINTRESOURCEA(103)).empty());
}

using harness::DialogTemplate;
using Control = harness::DialogControl;

DialogTemplate ReadDialog(int id) {
  const DialogTemplate dialog =
      harness::ReadDialogTemplate(ResourceBytes(RT_DIALOG, MAKEINTRESOURCEA(id)));
  EXPECT_FALSE(dialog.truncated) << "dialog " << id << " is truncated";
  return dialog;
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND | DS_SETFONT;

struct DialogCase {
  int id;
  bool extended;
  short cx, cy;
  std::vector<Control> controls;
};

std::vector<DialogCase> ExpectedDialogs() {
  const DWORD picture = kChild | SS_BITMAP;
  const DWORD text = kChild | SS_LEFT | WS_GROUP;
  const DWORD firstRadio = kChild | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
  const DWORD nextRadio = kChild | BS_AUTORADIOBUTTON;
  const DWORD defaultButton = kChild | BS_DEFPUSHBUTTON | WS_TABSTOP;
  const DWORD button = kChild | BS_PUSHBUTTON | WS_TABSTOP;
  const DWORD folderEdit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  return {
      {101,
       false,
       267,
       118,
       {{"Static", -1, "#104", 0, 0, 267, 89, picture},
        {"Static", -1, "#105", 0, 88, 267, 30, picture},
        {"Button", 116, "OK", 147, 96, 50, 14, defaultButton},
        {"Button", 117, "Cancel", 207, 96, 50, 14, button},
        {"Edit", 122, "", 220, 97, 24, 12, kChild | ES_RIGHT | WS_BORDER | WS_TABSTOP}}},
      {102,
       false,
       267,
       118,
       {{"Static", -1, "#104", 0, 0, 267, 89, picture},
        {"Static", -1, "#106", 0, 88, 267, 30, picture},
        {"Button", 116, "OK", 204, 96, 50, 14, defaultButton}}},
      {121,
       false,
       294,
       118,
       {{"Static", -1,
         "An older version of MicroSim PSpice 8 has been detected. This version can not be used", 7,
         7, 284, 10, text},
        {"Static", -1,
         "and must be uninstalled in order to use the PSpice examples. If this window continues", 7,
         17, 284, 10, text},
        {"Static", -1,
         "to be displayed after the uninstallation of the older version, you may choose 'force", 7,
         27, 284, 10, text},
        {"Static", -1, "installation' to proceed. In this case, the older version will be damaged.",
         7, 37, 284, 10, text},
        {"Button", 108, "Cancel installation. You may choose to remove the old version by hand.",
         14, 60, 236, 10, firstRadio},
        {"Button", 109, "Force installation !", 14, 75, 236, 10, nextRadio},
        {"Button", 116, "OK", 122, 97, 50, 14, defaultButton | WS_GROUP}}},
      {107,
       false,
       130,
       80,
       {{"Static", -1, "Create desktop icons:", 10, 7, 110, 10, text},
        {"Button", 108, "for all users", 12, 23, 110, 10, firstRadio},
        {"Button", 109, "for the current user only", 12, 38, 110, 10, nextRadio},
        {"Button", 116, "OK", 40, 58, 50, 14, defaultButton | WS_GROUP}}},
      {111,
       true,
       294,
       118,
       {{"Button", 116, "OK", 177, 97, 50, 14, defaultButton},
        {"Button", 117, "Cancel", 237, 97, 50, 14, button},
        {"Static", -1, "Folder for programs and examples", 7, 7, 284, 10, text},
        {"Edit", 112, "", 7, 17, 280, 12, folderEdit},
        {"Button", 114, "Search", 7, 32, 50, 14, button},
        {"Button", 119, "Default", 67, 32, 50, 14, button},
        {"Static", -1, "Pre-defined folder for personal simulations", 7, 51, 284, 10, text},
        {"Edit", 113, "", 7, 61, 280, 12, folderEdit},
        {"Button", 115, "Search", 7, 76, 50, 14, button},
        {"Button", 120, "Default", 67, 76, 50, 14, button}}},
  };
}

TEST(ZrsetupResources, DialogTemplatesHaveTheirLayoutStylesAndTexts) {
  for (const DialogCase& c : ExpectedDialogs()) {
    SCOPED_TRACE("dialog " + std::to_string(c.id));
    const DialogTemplate dialog = ReadDialog(c.id);
    EXPECT_EQ(dialog.extended, c.extended);
    // No WS_SYSMENU: a caption bar without system menu or close box.
    EXPECT_EQ(dialog.style, kDialogStyle);
    EXPECT_EQ(dialog.caption, "ZR Installer");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, c.cx);
    EXPECT_EQ(dialog.cy, c.cy);
    EXPECT_EQ(dialog.controls, c.controls);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s ZRSETUP_EXE\n", argv[0]);
    return 2;
  }
  g_program = harness::ToWindowsPath(argv[1]);
  g_module = LoadLibraryExA(g_program.c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (g_module == nullptr) {
    std::fprintf(stderr, "cannot load %s (error %lu); build it first\n", g_program.c_str(),
                 GetLastError());
    return 1;
  }
  const int result = RUN_ALL_TESTS();
  FreeLibrary(g_module);
  return result;
}
