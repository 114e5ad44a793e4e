// The log window: paints the log lines in the system's fixed-pitch font and
// scrolls them by whole lines with its vertical scroll bar and the keyboard.
#pragma once

#include <windows.h>

struct LogViewState {
  int lineHeight;    // pixels per line: character height plus external leading
  int clientHeight;  // client area height from the last size message
  int shownCount;    // line count at the last refresh
  int firstNewLine;  // first line the next paint must draw; 0 for no limit
};

// Process-wide: there is one log window.
extern LogViewState logView;

// Whole lines that fit in the client area; the scroll bar's page.
int LogViewPage();

// Brings the window up to date after lines were appended and paints it before
// returning. While all lines fit, only the new lines are drawn.
void RefreshLogView(HWND window);

// The window procedure of the log window class. Its creation shows the start
// dialog and destroys the window unless the user confirms it.
LRESULT CALLBACK LogViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
