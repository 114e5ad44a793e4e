// Reading what a program left behind: files and folders, registry values and
// shortcut files, through the ordinary Windows API.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// The current path of a shell known folder (CSIDL_...), empty on failure.
std::string KnownFolderPath(int csidl);
// GetWindowsDirectoryA.
std::string WindowsFolder();

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The whole content of a file; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string* bytes);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Creates a folder and its missing parents.
bool CreateFolders(const std::string& path);
// Every folder and file below root, as paths relative to it, folders ending in
// '\\', sorted.
std::vector<std::string> ListTree(const std::string& root);
// Deletes a tree (for test set-up).
void DeleteTree(const std::string& path);

struct RegistryValue {
  bool found = false;
  DWORD type = 0;
  std::string data;  // raw bytes as stored
};
RegistryValue ReadRegistryValue(HKEY hive, const char* key, const char* valueName);
bool RegistryKeyExists(HKEY hive, const char* key);
// Creates the key (and parents) and sets a value of any type from raw bytes.
bool WriteRegistryValue(HKEY hive, const char* key, const char* valueName, DWORD type,
                        const std::string& data);
bool DeleteRegistryTree(HKEY hive, const char* key);

struct ShortcutContents {
  std::string path;
  std::string arguments;
  std::string workingFolder;
  std::string iconPath;
  int iconIndex = -1;
  std::string description;
};
// Loads a shortcut file through IShellLinkA; COM must be initialised.
bool ReadShortcut(const std::string& file, ShortcutContents* contents);

}  // namespace harness
