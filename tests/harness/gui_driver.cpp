#include "gui_driver.h"

#include <cstring>

namespace harness {

std::string ToWindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string result = "Z:" + path;
  for (char& c : result) {
    if (c == '/') c = '\\';
  }
  return result;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

ProgramUnderTest::~ProgramUnderTest() {
  if (info_.hProcess != nullptr) {
    if (IsRunning()) {
      TerminateProcess(info_.hProcess, 255);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool ProgramUnderTest::Start(const std::string& program, const std::string& workingFolder) {
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info_)) {
    return false;
  }
  processId_ = info_.dwProcessId;
  return true;
}

bool ProgramUnderTest::IsRunning() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramUnderTest::WaitForExit(int timeoutMs, DWORD* exitCode) {
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
    return false;
  }
  if (exitCode != nullptr) GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->windows.push_back(window);
  return TRUE;
}

// The icon static of a message box.
constexpr int kMessageBoxIconId = 1088;

bool HasClass(HWND window, const char* className) {
  if (className == nullptr) return true;
  char actual[64] = {};
  GetClassNameA(window, actual, sizeof(actual));
  return std::strcmp(actual, className) == 0;
}

}  // namespace

std::vector<HWND> ProgramUnderTest::TopLevelWindows() const {
  WindowSearch search{processId_, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

HWND ProgramUnderTest::WaitForWindowWithControl(int controlId, int timeoutMs,
                                                const char* className) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows()) {
          if (HasClass(window, className) && GetDlgItem(window, controlId) != nullptr) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

HWND ProgramUnderTest::WaitForMessageBox(int timeoutMs) const {
  // Statics of a DIALOG template with id -1 read back as 0xFFFF too, so the
  // text's id alone does not tell a message box; its icon static (1088, there
  // even without an icon) does.
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows()) {
          if (HasClass(window, "#32770") && GetDlgItem(window, 0xFFFF) != nullptr &&
              GetDlgItem(window, kMessageBoxIconId) != nullptr) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

HWND ProgramUnderTest::WaitForWindowWithCaption(const char* caption, int timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows()) {
          if (WindowText(window) == caption) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

std::string WindowText(HWND window) {
  char text[4096] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return std::string(text, static_cast<std::size_t>(copied));
}

std::string ControlText(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return control != nullptr ? WindowText(control) : std::string();
}

std::string MessageBoxText(HWND messageBox) { return ControlText(messageBox, 0xFFFF); }

void SetControlText(HWND dialog, int controlId, const std::string& text) {
  HWND control = GetDlgItem(dialog, controlId);
  if (control == nullptr) return;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_ABORTIFHUNG, 5000, &ignored);
}

bool IsControlVisible(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return control != nullptr && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool ControlExists(HWND dialog, int controlId) { return GetDlgItem(dialog, controlId) != nullptr; }

bool IsButtonChecked(HWND dialog, int controlId) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &state);
  return state == BST_CHECKED;
}

void ClickRadioButton(HWND dialog, int controlId) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &ignored);
}

void PressButton(HWND dialog, int controlId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)));
}

void PressEscape(HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }

void PressKey(HWND window, UINT virtualKey) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_KEYDOWN, virtualKey, 1, SMTO_ABORTIFHUNG, 5000, &ignored);
}

bool WaitForWindowToClose(HWND window, int timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

}  // namespace harness
