#include "install_folders.h"

CountedString InstallationFolder;
CountedString UserFolder;

void ResetFolders() {
  InstallationFolder.Release();
  UserFolder.Release();
}
