// Dialog procedures of the welcome, finished, older-version and shortcut scope
// dialogs. They react to control identifiers only.
#pragma once

#include <windows.h>

INT_PTR CALLBACK WelcomeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FinishedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Older-version dialog (121) and shortcut scope dialog (107): 0 when radio
// button 108 is checked on OK, else 1.
INT_PTR CALLBACK ChoiceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
