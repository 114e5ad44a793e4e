// The program-group and desktop shortcuts that open the examples folder in the
// Windows Explorer. COM must be initialised on the calling thread.
#pragma once

#include <windows.h>

// Asks for the scope (all users or the current user), then saves the shortcut
// in the program group "Morvane" and on the desktop of that scope. True when
// the program-group shortcut was saved; the desktop one does not count.
bool CreateExamplesLinks(HWND ownerWindow, const char* rootFolder);

// Saves "ispLever examples.lnk" in folder: command split into program and
// arguments at its first space outside quotes, iconPath with index 0, and the
// description "ispLever examples". True when the file was saved.
bool SaveExamplesLink(const char* folder, const char* command, const char* iconPath);
