// Program entry of zrsetup: the welcome dialog, whose OK button runs the whole
// installation, then the finished dialog when it completed. No command line is
// read; the exit code is 0 whatever happened.
#include <objbase.h>
#include <windows.h>

#include "dialog_procs.h"
#include "install_sequence.h"
#include "resource.h"

HINSTANCE ModuleInstance = nullptr;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ModuleInstance = instance;
  // The shortcut step needs COM on this thread; a failure shows there.
  CoInitialize(nullptr);
  const INT_PTR outcome =
      DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(IDD_WELCOME), nullptr, WelcomeDialogProc, 0);
  if (outcome == 0) {
    DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(IDD_FINISHED), nullptr, FinishedDialogProc, 0);
  }
  CoUninitialize();
  return 0;
}
