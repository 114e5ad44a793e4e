// The folder selection dialog (resource 111): the installation folder and the
// user folder, each with "Search" and "Default". OK accepts and creates both
// folders and stores them in InstallationFolder and UserFolder.
#pragma once

#include <windows.h>

// Dialog procedure of the folder dialog. The dialog ends with 0 when both
// folders were accepted and stored, with 1 on "Cancel".
INT_PTR CALLBACK FolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the default folder of the field with that edit id into the field.
void ShowDefaultFolder(HWND dialog, int editId);

// Lets the user pick a folder for the field whose "Search" button has that id.
void BrowseFolder(HWND dialog, int searchButtonId);

// Validates, creates and stores the folder in the edit field with that id.
bool AcceptFolder(HWND dialog, int editId);
