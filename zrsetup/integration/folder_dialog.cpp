#include "folder_dialog.h"

INT_PTR CALLBACK FolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // not yet implemented
  (void)dialog;
  (void)message;
  (void)wParam;
  (void)lParam;
  return FALSE;
}
