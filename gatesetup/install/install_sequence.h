// The whole run of gatesetup: the log window with its start dialog, the paced
// install steps, and the completion dialog or, after an error, the log file and
// the open log window.
#pragma once

#include <windows.h>

// Returns the process exit code, which is always 0.
int RunInstallation(HINSTANCE instance);
