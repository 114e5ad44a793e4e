// The resources of the built gatesetup.exe: dialog templates, pictures, icon,
// manifest and payload, all in English (United States).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui_driver.h"

namespace {

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// A control of a dialog template, or the dialog itself (without class).
struct TemplateItem {
  std::string windowClass;  // "Button", "Static", ...
  std::string text;         // the title, or "#<n>" for an ordinal (a picture)
  int id;
  int x, y, cx, cy;
  DWORD style;
  bool operator==(const TemplateItem& o) const {
    return windowClass == o.windowClass && text == o.text && id == o.id && x == o.x && y == o.y &&
           cx == o.cx && cy == o.cy && style == o.style;
  }
};

void PrintTo(const TemplateItem& item, std::ostream* out) {
  *out << "{" << item.windowClass << " '" << item.text << "' id " << item.id << " at " << item.x
       << "," << item.y << " size " << item.cx << "x" << item.cy << " style 0x" << std::hex
       << item.style << std::dec << "}";
}

struct DialogTemplate {
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  int pointSize = 0;
  std::string font;
  std::vector<TemplateItem> items;
};

class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* bytes) : start_(bytes), at_(bytes) {}
  WORD Word() {
    WORD w;
    memcpy(&w, at_, 2);
    at_ += 2;
    return w;
  }
  DWORD Dword() {
    DWORD d;
    memcpy(&d, at_, 4);
    at_ += 4;
    return d;
  }
  BYTE Byte() { return *at_++; }
  std::string Text() {
    std::string text;
    for (WORD c = Word(); c != 0; c = Word()) text += static_cast<char>(c);
    return text;
  }
  // A class or title: an ordinal or a string.
  std::string TextOrOrdinal() {
    WORD first;
    memcpy(&first, at_, 2);
    if (first == 0xFFFF) {
      at_ += 2;
      return "#" + std::to_string(Word());
    }
    return Text();
  }
  void AlignToDword() {
    while ((at_ - start_) % 4 != 0) ++at_;
  }
  void Skip(std::size_t n) { at_ += n; }

 private:
  const BYTE* start_;
  const BYTE* at_;
};

// A control class as an ordinal or as a name in any case.
std::string ClassName(const std::string& raw) {
  if (raw == "#128" || lstrcmpiA(raw.c_str(), "Button") == 0) return "Button";
  if (raw == "#130" || lstrcmpiA(raw.c_str(), "Static") == 0) return "Static";
  return raw;
}

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
    DialogTemplate dialog;
    const BYTE* bytes = Resource(RT_DIALOG, id);
    if (bytes == nullptr) return dialog;
    TemplateReader reader(bytes);
    EXPECT_EQ(reader.Word(), 1);       // dlgVer: an extended template
    EXPECT_EQ(reader.Word(), 0xFFFF);  // signature
    reader.Dword();                    // help id
    EXPECT_EQ(reader.Dword(), 0u);     // extended style
    dialog.style = reader.Dword();
    const int count = reader.Word();
    dialog.x = static_cast<short>(reader.Word());
    dialog.y = static_cast<short>(reader.Word());
    dialog.cx = static_cast<short>(reader.Word());
    dialog.cy = static_cast<short>(reader.Word());
    EXPECT_EQ(reader.TextOrOrdinal(), "");  // no menu
    EXPECT_EQ(reader.TextOrOrdinal(), "");  // the standard dialog class
    dialog.caption = reader.Text();
    if (dialog.style & DS_SETFONT) {
      dialog.pointSize = reader.Word();
      reader.Word();  // weight
      reader.Byte();  // italic
      reader.Byte();  // character set
      dialog.font = reader.Text();
    }
    for (int i = 0; i < count; ++i) {
      reader.AlignToDword();
      TemplateItem item;
      reader.Dword();  // help id
      EXPECT_EQ(reader.Dword(), 0u);
      item.style = reader.Dword();
      item.x = static_cast<short>(reader.Word());
      item.y = static_cast<short>(reader.Word());
      item.cx = static_cast<short>(reader.Word());
      item.cy = static_cast<short>(reader.Word());
      item.id = static_cast<int>(reader.Dword());
      item.windowClass = ClassName(reader.TextOrOrdinal());
      item.text = reader.TextOrOrdinal();
      reader.Skip(reader.Word());
      dialog.items.push_back(item);
    }
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
      dialog.items,
      (std::vector<TemplateItem>{
          {"Static", "#106", -1, 0, 0, 267, 89, kChild | SS_BITMAP},
          {"Static", "#107", -1, 0, 88, 267, 30, kChild | SS_BITMAP},
          {"Button", "OK", IDOK, 147, 96, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
          {"Button", "Cancel", IDCANCEL, 207, 96, 50, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON}}));
}

TEST_F(GatesetupResourcesTest, CompletionDialog) {
  const DialogTemplate dialog = Dialog(104);
  ExpectFrame(dialog, kPopUp, 267, 118, "");
  EXPECT_EQ(dialog.items,
            (std::vector<TemplateItem>{
                {"Static", "#106", -1, 0, 0, 267, 89, kChild | SS_BITMAP},
                {"Static", "#108", -1, 0, 88, 267, 30, kChild | SS_BITMAP},
                {"Button", "OK", IDOK, 204, 96, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON}}));
}

TEST_F(GatesetupResourcesTest, LinkScopeDialog) {
  const DialogTemplate dialog = Dialog(109);
  ExpectFrame(dialog, kPopUp | WS_CAPTION, 160, 80, "ZR Installer");
  EXPECT_EQ(dialog.items,
            (std::vector<TemplateItem>{
                {"Button", "OK", IDOK, 55, 58, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
                {"Static", "Create program group and desktop symbol:", -1, 10, 7, 140, 10,
                 kChild | WS_GROUP | SS_LEFT},
                {"Button", "for all users", 110, 30, 23, 100, 10, kChild | BS_AUTORADIOBUTTON},
                {"Button", "for the current user only", 111, 30, 38, 100, 10,
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

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
  return TRUE;
}
BOOL CALLBACK CollectNameLanguages(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found) {
  EnumResourceLanguagesA(module, type, name, CollectLanguage, found);
  return TRUE;
}
BOOL CALLBACK CollectTypeLanguages(HMODULE module, LPSTR type, LONG_PTR found) {
  EnumResourceNamesA(module, type, CollectNameLanguages, found);
  return TRUE;
}

TEST_F(GatesetupResourcesTest, EveryResourceIsInEnglishUnitedStates) {
  std::vector<WORD> languages;
  EnumResourceTypesA(module_, CollectTypeLanguages, reinterpret_cast<LONG_PTR>(&languages));
  // Icon group, icon, three dialogs, three pictures, manifest, payload.
  EXPECT_EQ(languages.size(), 10u);
  for (WORD language : languages) EXPECT_EQ(language, kEnglishUs);
}

}  // namespace
