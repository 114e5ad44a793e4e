// Waiting for particular dialogs of a program under test, and reading the
// focus and selection that the program's own thread holds.
#pragma once

#include <windows.h>

#include <functional>

#include "gui_driver.h"

namespace harness {

// Waits for a visible top-level window of the program for which `matches`
// holds; null on time-out.
HWND WaitForWindow(const ProgramUnderTest& program, const std::function<bool(HWND)>& matches,
                   int timeoutMs);

// True when the program has a visible top-level window for which `matches`
// holds right now.
bool HasWindow(const ProgramUnderTest& program, const std::function<bool(HWND)>& matches);

// Waits until the dialog's thread has handled every message posted to the
// dialog before this call. A posted message leaves no trace of its own when
// it is ignored, so a marker is posted after it: a style change of the push
// button pushButtonId, visible from outside, which is then undone.
bool WaitForPostedMessages(HWND dialog, int pushButtonId, int timeoutMs);

// The window that has the keyboard focus in the dialog's thread, or null.
HWND FocusedWindow(HWND dialog);

// The selection of an edit control: first and one past the last character.
void EditSelection(HWND dialog, int controlId, DWORD* start, DWORD* end);

}  // namespace harness
