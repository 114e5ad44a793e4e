#include "windows_state.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>

namespace harness {

std::string KnownFolderPath(int csidl) {
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return "";
  return path;
}

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  UINT length = GetWindowsDirectoryA(path, MAX_PATH);
  return std::string(path, length < MAX_PATH ? length : 0);
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes->clear();
  char chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) bytes->append(chunk, got);
  std::fclose(file);
  return true;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

bool CreateFolders(const std::string& path) {
  int result = SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
  return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
}

namespace {

void CollectTree(const std::string& root, const std::string& relative,
                 std::vector<std::string>* entries) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((root + "\\" + relative + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries->push_back(relative + name + "\\");
      CollectTree(root, relative + name + "\\", entries);
    } else {
      entries->push_back(relative + name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

std::vector<std::string> ListTree(const std::string& root) {
  std::vector<std::string> entries;
  CollectTree(root, "", &entries);
  std::sort(entries.begin(), entries.end());
  return entries;
}

void DeleteTree(const std::string& path) {
  if (FileExists(path)) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    return;
  }
  if (!FolderExists(path)) return;
  std::vector<std::string> entries = ListTree(path);
  // Deepest first: files and folders below a folder sort after it.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    std::string full = path + "\\" + *it;
    if (!it->empty() && it->back() == '\\') {
      RemoveDirectoryA(full.c_str());
    } else {
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(full.c_str());
    }
  }
  RemoveDirectoryA(path.c_str());
}

RegistryValue ReadRegistryValue(HKEY hive, const char* key, const char* valueName) {
  RegistryValue value;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(hive, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return value;
  DWORD size = 0;
  if (RegQueryValueExA(opened, valueName, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.data.resize(size);
    if (RegQueryValueExA(opened, valueName, nullptr, &value.type,
                         reinterpret_cast<BYTE*>(&value.data[0]), &size) == ERROR_SUCCESS) {
      value.data.resize(size);
      value.found = true;
    }
  }
  RegCloseKey(opened);
  return value;
}

bool RegistryKeyExists(HKEY hive, const char* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(hive, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

bool WriteRegistryValue(HKEY hive, const char* key, const char* valueName, DWORD type,
                        const std::string& data) {
  HKEY created = nullptr;
  if (RegCreateKeyExA(hive, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  LONG result =
      RegSetValueExA(created, valueName, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
  RegCloseKey(created);
  return result == ERROR_SUCCESS;
}

bool DeleteRegistryTree(HKEY hive, const char* key) {
  return RegDeleteTreeA(hive, key) == ERROR_SUCCESS;
}

bool ReadShortcut(const std::string& file, ShortcutContents* contents) {
  IShellLinkA* link = nullptr;
  if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                       reinterpret_cast<void**>(&link)) != S_OK) {
    return false;
  }
  IPersistFile* persist = nullptr;
  bool loaded = false;
  if (link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)) == S_OK) {
    wchar_t wide[MAX_PATH * 4] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH * 4);
    loaded = persist->Load(wide, STGM_READ) == S_OK;
    persist->Release();
  }
  if (loaded) {
    char text[2048] = {};
    link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH);
    contents->path = text;
    text[0] = '\0';
    link->GetArguments(text, sizeof(text));
    contents->arguments = text;
    text[0] = '\0';
    link->GetWorkingDirectory(text, sizeof(text));
    contents->workingFolder = text;
    text[0] = '\0';
    link->GetIconLocation(text, sizeof(text), &contents->iconIndex);
    contents->iconPath = text;
    text[0] = '\0';
    link->GetDescription(text, sizeof(text));
    contents->description = text;
  }
  link->Release();
  return loaded;
}

}  // namespace harness
