// The installation itself, run from the welcome dialog's OK button.
#pragma once

#include <windows.h>

// The module instance, stored at entry; every dialog comes from its resources.
extern HINSTANCE ModuleInstance;

// Runs the whole installation with welcomeDialog as the owner of every dialog
// and message box it shows. 0 for a completed installation, -1 otherwise.
int RunInstallSequence(HWND welcomeDialog);
