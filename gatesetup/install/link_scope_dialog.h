// The dialog that asks whether the shortcuts are for all users (ends with 0)
// or for the current user only (ends with 1). It is left only through OK.
#pragma once

#include <windows.h>

INT_PTR CALLBACK LinkScopeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
