// zrsetup's dialogs as its end-to-end tests see them: the control identifiers
// and how each dialog is told apart from the others.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zrsetup_dialogs {

constexpr int kOk = 116;
constexpr int kCancel = 117;
constexpr int kProgress = 122;
constexpr int kFirstChoice = 108;   // "Cancel installation ..." / "for all users"
constexpr int kSecondChoice = 109;  // "Force installation !" / "for the current user only"
constexpr int kInstallationField = 112;
constexpr int kUserField = 113;
constexpr int kSearchInstallation = 114;
constexpr int kSearchUser = 115;
constexpr int kDefaultInstallation = 119;
constexpr int kDefaultUser = 120;

// A dialog box of the system's dialog class (message boxes included).
bool IsDialog(HWND window);
bool IsWelcomeDialog(HWND window);
bool IsFolderDialog(HWND window);
bool IsOlderVersionDialog(HWND window);
bool IsShortcutScopeDialog(HWND window);
bool IsFinishedDialog(HWND window);

// The lines of a file's text, split at line feeds; a last line without one
// counts too.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace zrsetup_dialogs
