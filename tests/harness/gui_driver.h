// Driving a program under test from a test program in the same Wine session:
// starting it, finding its dialogs and message boxes by control identifier,
// reading and setting control texts, pressing buttons, and waiting for it to end.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace harness {

// Z:\x\y for the Linux path /x/y; other paths are returned unchanged.
std::string ToWindowsPath(const std::string& path);

// Polls condition every 20 ms until it holds or timeoutMs has passed.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

class ProgramUnderTest {
 public:
  ProgramUnderTest() = default;
  ~ProgramUnderTest();  // terminates the program if it still runs
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  // Starts program (a Windows path) in workingFolder (empty: the test's own).
  bool Start(const std::string& program, const std::string& workingFolder = "");

  DWORD ProcessId() const { return processId_; }
  bool IsRunning() const;

  // Waits for the program to end; false on time-out. exitCode gets its code.
  bool WaitForExit(int timeoutMs, DWORD* exitCode);

  // The visible top-level windows of the program.
  std::vector<HWND> TopLevelWindows() const;

  // Waits for a visible top-level window of the program that has a child with
  // controlId (for a dialog) and, when className is given, that class; null
  // on time-out.
  HWND WaitForWindowWithControl(int controlId, int timeoutMs,
                                const char* className = "#32770") const;

  // Waits for a message box (a dialog with a static text of id 65535 and the
  // icon static 1088) and returns it; null on time-out.
  HWND WaitForMessageBox(int timeoutMs) const;

  // Waits for a visible top-level window with exactly this caption.
  HWND WaitForWindowWithCaption(const char* caption, int timeoutMs) const;

 private:
  PROCESS_INFORMATION info_{};
  DWORD processId_ = 0;
};

// The text of a window, or of a dialog's control when controlId is given.
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int controlId);
// A message box's message text.
std::string MessageBoxText(HWND messageBox);

void SetControlText(HWND dialog, int controlId, const std::string& text);
bool IsControlVisible(HWND dialog, int controlId);
bool ControlExists(HWND dialog, int controlId);
bool IsButtonChecked(HWND dialog, int controlId);
// Checks a radio button the way a click does (the others of its group clear).
void ClickRadioButton(HWND dialog, int controlId);

// Sends the dialog the command of a button press (posted, so that a handler
// that opens further modal dialogs does not block the test).
void PressButton(HWND dialog, int controlId);
// What the Escape key produces in a dialog: WM_COMMAND with IDCANCEL.
void PressEscape(HWND dialog);
// Sends a key press (WM_KEYDOWN) to a window.
void PressKey(HWND window, UINT virtualKey);

// Waits until the window is gone or hidden.
bool WaitForWindowToClose(HWND window, int timeoutMs);

}  // namespace harness
