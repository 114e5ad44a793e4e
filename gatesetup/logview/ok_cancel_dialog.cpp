#include "ok_cancel_dialog.h"

INT_PTR CALLBACK OkCancelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}
