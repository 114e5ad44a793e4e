#include "resource_reader.h"

#include <cstdio>
#include <cstring>

namespace harness {

namespace {

std::string NameOf(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
  return name;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param) {
  reinterpret_cast<std::set<std::string>*>(param)->insert(NameOf(type) + "/" + NameOf(name) + "/" +
                                                          std::to_string(language));
  return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
  EnumResourceLanguagesA(module, type, name, CollectLanguage, param);
  return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR param) {
  EnumResourceNamesA(module, type, CollectName, param);
  return TRUE;
}

class TemplateReader {
 public:
  explicit TemplateReader(const std::string& bytes) : bytes_(bytes) {}
  bool failed() const { return failed_; }

  WORD Word() {
    WORD value = 0;
    Take(&value, sizeof(value));
    return value;
  }
  DWORD Dword() {
    DWORD value = 0;
    Take(&value, sizeof(value));
    return value;
  }
  short Short() { return static_cast<short>(Word()); }
  void AlignToDword() { position_ = (position_ + 3) & ~static_cast<std::size_t>(3); }

  // A string or an ordinal (sz_Or_Ord); the texts are ASCII in these templates.
  std::string StringOrOrdinal() {
    WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    return StringFrom(first);
  }
  std::string String() { return StringFrom(Word()); }

 private:
  std::string StringFrom(WORD first) {
    std::string text;
    for (WORD c = first; c != 0 && !failed_; c = Word()) text += static_cast<char>(c);
    return text;
  }
  void Take(void* value, std::size_t size) {
    if (position_ + size > bytes_.size()) {
      failed_ = true;
      return;
    }
    std::memcpy(value, bytes_.data() + position_, size);
    position_ += size;
  }

  const std::string& bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

// The predefined classes come as ordinals or as names in any case.
std::string ClassName(const std::string& classField) {
  for (const char* name : {"Button", "Edit", "Static"}) {
    if (lstrcmpiA(classField.c_str(), name) == 0) return name;
  }
  if (classField == "#128") return "Button";
  if (classField == "#129") return "Edit";
  if (classField == "#130") return "Static";
  return classField;
}

}  // namespace

std::set<std::string> ResourceInventory(HMODULE module) {
  std::set<std::string> entries;
  EnumResourceTypesA(module, CollectType, reinterpret_cast<LONG_PTR>(&entries));
  return entries;
}

std::string ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceExA(module, type, name, kEnglishUnitedStates);
  if (found == nullptr) return "";
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes == nullptr ? "" : std::string(bytes, SizeofResource(module, found));
}

void PrintTo(const DialogControl& c, std::ostream* out) {
  char style[32];
  std::snprintf(style, sizeof(style), "0x%08lx/0x%lx", static_cast<unsigned long>(c.style),
                static_cast<unsigned long>(c.extendedStyle));
  *out << "{" << c.className << " " << c.id << " \"" << c.text << "\" " << c.x << "," << c.y << " "
       << c.cx << "x" << c.cy << " " << style << "}";
}

DialogTemplate ReadDialogTemplate(const std::string& bytes) {
  TemplateReader reader(bytes);
  DialogTemplate dialog;
  // DLGTEMPLATEEX begins with version 1 and the signature 0xFFFF.
  dialog.extended = bytes.size() >= 4 && std::memcmp(bytes.data(), "\x01\x00\xFF\xFF", 4) == 0;
  if (dialog.extended) {
    reader.Dword();  // version, signature
    reader.Dword();  // help id
    dialog.extendedStyle = reader.Dword();
    dialog.style = reader.Dword();
  } else {
    dialog.style = reader.Dword();
    dialog.extendedStyle = reader.Dword();
  }
  const WORD count = reader.Word();
  dialog.x = reader.Short();
  dialog.y = reader.Short();
  dialog.cx = reader.Short();
  dialog.cy = reader.Short();
  dialog.menu = reader.StringOrOrdinal();
  dialog.windowClass = reader.StringOrOrdinal();
  dialog.caption = reader.String();
  if (dialog.style & DS_SETFONT) {
    dialog.pointSize = reader.Word();
    if (dialog.extended) {
      reader.Word();  // weight
      reader.Word();  // italic, character set
    }
    dialog.font = reader.String();
  }
  for (WORD i = 0; i < count && !reader.failed(); ++i) {
    reader.AlignToDword();
    DialogControl control{};
    if (dialog.extended) {
      reader.Dword();  // help id
      control.extendedStyle = reader.Dword();
      control.style = reader.Dword();
    } else {
      control.style = reader.Dword();
      control.extendedStyle = reader.Dword();
    }
    control.x = reader.Short();
    control.y = reader.Short();
    control.cx = reader.Short();
    control.cy = reader.Short();
    control.id = dialog.extended ? static_cast<int>(reader.Dword()) : reader.Short();
    control.className = ClassName(reader.StringOrOrdinal());
    control.text = reader.StringOrOrdinal();
    const WORD extra = reader.Word();
    for (WORD b = 0; b < extra; b += 2) reader.Word();
    dialog.controls.push_back(control);
  }
  dialog.truncated = reader.failed();
  return dialog;
}

}  // namespace harness
