#include "zrsetup_dialogs.h"

#include "gui_driver.h"

namespace zrsetup_dialogs {

using harness::ControlExists;
using harness::ControlText;

bool IsDialog(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  return std::string(name) == "#32770";
}

bool IsWelcomeDialog(HWND window) {
  return IsDialog(window) && ControlExists(window, kProgress) && ControlExists(window, kCancel);
}

bool IsFolderDialog(HWND window) {
  return IsDialog(window) && ControlExists(window, kInstallationField);
}

bool IsOlderVersionDialog(HWND window) {
  return IsDialog(window) && ControlText(window, kSecondChoice) == "Force installation !";
}

bool IsShortcutScopeDialog(HWND window) {
  return IsDialog(window) && ControlText(window, kSecondChoice) == "for the current user only";
}

bool IsFinishedDialog(HWND window) {
  return IsDialog(window) && ControlExists(window, kOk) && !ControlExists(window, kProgress) &&
         !ControlExists(window, kSecondChoice) && !ControlExists(window, kInstallationField);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace zrsetup_dialogs
