#include "install_sequence.h"

int RunInstallSequence(HWND welcomeDialog) {
  // not yet implemented
  (void)welcomeDialog;
  return -1;
}
