#include "dialog_procs.h"

#include "install_sequence.h"
#include "resource.h"

INT_PTR CALLBACK WelcomeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ShowWindow(GetDlgItem(dialog, IDC_PROGRESS), SW_HIDE);
      return TRUE;  // the system sets the default focus
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_OK:
          // The dialog stays on screen as the backdrop of the installation and
          // shows its percentage; the sequence runs inside this handler.
          ShowWindow(GetDlgItem(dialog, IDC_OK), SW_HIDE);
          ShowWindow(GetDlgItem(dialog, IDC_CANCEL), SW_HIDE);
          ShowWindow(GetDlgItem(dialog, IDC_PROGRESS), SW_SHOW);
          UpdateWindow(dialog);
          EndDialog(dialog, RunInstallSequence(dialog));
          break;
        case IDC_CANCEL:
          EndDialog(dialog, 1);
          break;
        default:  // IDCANCEL from the Escape key among them
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK FinishedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_OK) EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ChoiceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(dialog, IDC_CHOICE_FIRST, IDC_CHOICE_SECOND, IDC_CHOICE_FIRST);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_OK) {
        EndDialog(dialog, IsDlgButtonChecked(dialog, IDC_CHOICE_FIRST) == BST_CHECKED ? 0 : 1);
      }
      return TRUE;
    default:
      return FALSE;
  }
}
