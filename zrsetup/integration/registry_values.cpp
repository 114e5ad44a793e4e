#include "registry_values.h"

#include <windows.h>

#include <cstring>

#include "install_folders.h"

namespace {

// Opens the key with full access, creating it (and its missing parents) when
// it cannot be opened. Null when it can be neither opened nor created.
HKEY OpenOrCreateKey(HKEY hive, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) return key;
  char noClass[] = "";
  if (RegCreateKeyExA(hive, path, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) == ERROR_SUCCESS) {
    return key;
  }
  return nullptr;
}

// A REG_SZ value of the text with its terminating NUL counted, as the
// simulator and the file-type starter read it.
void SetStringValue(HKEY key, const char* valueName, const char* text) {
  RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(std::strlen(text) + 1));
}

// Sets the key's default value to text; the key is left out when it can be
// neither opened nor created.
void SetDefaultValue(HKEY hive, const char* path, const char* text) {
  HKEY key = OpenOrCreateKey(hive, path);
  if (key == nullptr) return;
  SetStringValue(key, nullptr, text);
  RegCloseKey(key);
}

}  // namespace

void WriteFolderValues() {
  HKEY key = OpenOrCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\MicroSim\\MicroSim\\ZR");
  if (key == nullptr) return;
  SetStringValue(key, "InstallationFolder", InstallationFolder.CStr());
  SetStringValue(key, "UserFolder", UserFolder.CStr());
  RegCloseKey(key);
}

void EnsureSimulatorKey() {
  HKEY key = OpenOrCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\MicroSim\\MicroSim\\8.0");
  if (key != nullptr) RegCloseKey(key);
}

void RegisterFileAssociation(const CountedString& simulatorCommandLine) {
  SetDefaultValue(HKEY_CLASSES_ROOT, ".zre", "WinZREStarter");

  HKEY key = OpenOrCreateKey(HKEY_CLASSES_ROOT, "WinZREStarter\\shell\\open\\command");
  if (key != nullptr) {
    CountedString openCommand;
    openCommand.Concat("\"", InstallationFolder.CStr(), "\\BinDL\\winzre.exe\" %1");
    SetStringValue(key, nullptr, openCommand.CStr());
    RegCloseKey(key);
  }

  SetDefaultValue(HKEY_CLASSES_ROOT, "WinZREStarter\\psched", simulatorCommandLine.CStr());
}

void AllowHelpMacros() {
  HKEY key = OpenOrCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\WinHelp");
  if (key == nullptr) return;
  const DWORD allowed = 1;
  RegSetValueExA(key, "AllowProgrammaticMacros", 0, REG_DWORD,
                 reinterpret_cast<const BYTE*>(&allowed), sizeof(allowed));
  RegCloseKey(key);
}
