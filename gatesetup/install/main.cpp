#include <windows.h>

#include "install_sequence.h"

// The command line and the show flag are not used: everything is built in.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunInstallation(instance); }
