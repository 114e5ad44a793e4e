#include "link_scope_dialog.h"

#include "resource.h"

INT_PTR CALLBACK LinkScopeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendMessageA(GetDlgItem(dialog, IDC_ALL_USERS), BM_SETCHECK, BST_CHECKED, 0);
      return TRUE;
    case WM_COMMAND:
      // Escape's IDCANCEL is ignored like every command but OK.
      if (LOWORD(wParam) == IDOK) {
        const bool allUsers =
            SendMessageA(GetDlgItem(dialog, IDC_ALL_USERS), BM_GETCHECK, 0, 0) != 0;
        EndDialog(dialog, allUsers ? 0 : 1);
      }
      return TRUE;
    default:
      return FALSE;
  }
}
