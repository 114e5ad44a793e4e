#include "dialog_waits.h"

namespace harness {

HWND WaitForWindow(const ProgramUnderTest& program, const std::function<bool(HWND)>& matches,
                   int timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : program.TopLevelWindows()) {
          if (matches(window)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

bool HasWindow(const ProgramUnderTest& program, const std::function<bool(HWND)>& matches) {
  for (HWND window : program.TopLevelWindows()) {
    if (matches(window)) return true;
  }
  return false;
}

namespace {

LONG ButtonType(HWND button) { return GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK; }

bool PostStyleAndWait(HWND button, LONG type, int timeoutMs) {
  if (!PostMessageA(button, BM_SETSTYLE, static_cast<WPARAM>(type), TRUE)) return false;
  return WaitUntil([&] { return ButtonType(button) == type; }, timeoutMs);
}

}  // namespace

bool WaitForPostedMessages(HWND dialog, int pushButtonId, int timeoutMs) {
  HWND button = GetDlgItem(dialog, pushButtonId);
  if (button == nullptr) return false;
  // Messages posted to windows of one thread are handled in the order posted.
  const LONG original = ButtonType(button);
  const LONG marker = original == BS_DEFPUSHBUTTON ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON;
  return PostStyleAndWait(button, marker, timeoutMs) &&
         PostStyleAndWait(button, original, timeoutMs);
}

HWND FocusedWindow(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void EditSelection(HWND dialog, int controlId, DWORD* start, DWORD* end) {
  DWORD_PTR packed = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, controlId), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &packed);
  *start = LOWORD(packed);
  *end = HIWORD(packed);
}

}  // namespace harness
