// The dialog procedure of the start and completion dialogs: OK ends the dialog
// with IDOK, Cancel or Escape with IDCANCEL.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OkCancelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
