#include <windows.h>

#include "install_sequence.h"

HINSTANCE ModuleInstance = nullptr;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // not yet implemented
  ModuleInstance = instance;
  return 0;
}
