// Reading a built program's resources as data: their inventory, their bytes,
// and dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) as plain values.
#pragma once

#include <windows.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace harness {

constexpr WORD kEnglishUnitedStates = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Every resource of the module as "type/name/language", with "#n" for an
// ordinal type or name: "#5/#101/1033" is dialog 101 in English (US).
std::set<std::string> ResourceInventory(HMODULE module);

// The bytes of one resource in English (United States); empty when absent.
std::string ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name);

// A control of a dialog template.
struct DialogControl {
  std::string className;  // "Button", "Edit", "Static" or the class's name
  int id;
  std::string text;  // "#n" for a resource ordinal, such as a bitmap
  short x, y, cx, cy;
  DWORD style;
  DWORD extendedStyle = 0;
  bool operator==(const DialogControl& o) const {
    return className == o.className && id == o.id && text == o.text && x == o.x && y == o.y &&
           cx == o.cx && cy == o.cy && style == o.style && extendedStyle == o.extendedStyle;
  }
};
void PrintTo(const DialogControl& control, std::ostream* out);

struct DialogTemplate {
  bool extended = false;   // DLGTEMPLATEEX
  bool truncated = false;  // the template ended before its last field
  DWORD style = 0;
  DWORD extendedStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string menu;         // "" for none
  std::string windowClass;  // "" for the standard dialog class
  std::string caption;
  WORD pointSize = 0;
  std::string font;
  std::vector<DialogControl> controls;
};

// Decodes a dialog template's bytes; reads never go past their end.
DialogTemplate ReadDialogTemplate(const std::string& bytes);

}  // namespace harness
