#include "shortcut_set.h"

#include <windows.h>
// After windows.h, which they need.
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "install_folders.h"

namespace {

// The registry reads of the browser lookup are told the buffer holds this
// many bytes; a longer value makes the read fail and leaves no browser.
constexpr DWORD kRegistryValueBytes = 1000;

// Reads the key's default value into buffer (kRegistryValueBytes + 2 bytes,
// the last one a NUL that no read overwrites). False when the read fails.
bool ReadDefaultValue(HKEY key, char* buffer, DWORD* type) {
  // Cleared first: a value stored without its NUL must not pick up the tail
  // of an earlier read.
  std::memset(buffer, 0, kRegistryValueBytes);
  DWORD size = kRegistryValueBytes;
  return RegQueryValueExA(key, nullptr, nullptr, type, reinterpret_cast<BYTE*>(buffer), &size) ==
         ERROR_SUCCESS;
}

struct ShortcutSettings {
  const char* fileName;
  const char* description;
};

const ShortcutSettings& SettingsOf(ShortcutKind kind) {
  static const ShortcutSettings kSettings[] = {
      {"\\ZR Examples.lnk", "ZR Examples"},
      {"\\ZR PSpice.lnk", "ZR PSpice"},
      {"\\Deinstallation.lnk", "Deinstallation"},
  };
  return kSettings[kind];
}

// Fills in what the kind puts into a shortcut, each composed value in a
// scratch string just before its call.
void ApplySettings(IShellLinkA* link, ShortcutKind kind, const CountedString& browserPath) {
  const char* folder = InstallationFolder.CStr();
  CountedString scratch;
  switch (kind) {
    case ExamplesShortcut:
      scratch.Concat(folder, "\\Examples\\index.htm");
      if (browserPath.IsEmpty()) {
        // No browser found: the start page itself, which the shell opens with
        // the default browser.
        link->SetPath(scratch.CStr());
      } else {
        link->SetPath(browserPath.CStr());
        link->SetArguments(scratch.CStr());
      }
      scratch.Concat(folder, "\\Examples");
      link->SetWorkingDirectory(scratch.CStr());
      scratch.Concat(folder, "\\BinDL\\zricon.ico");
      link->SetIconLocation(scratch.CStr(), 0);
      break;
    case SimulatorShortcut:
      scratch.Concat("\"", folder, "\\BinDL\\psched.exe\"");
      link->SetPath(scratch.CStr());
      scratch.Concat(" -i \"", folder, "\\BinDL\\zrsim.ini\"");
      link->SetArguments(scratch.CStr());
      link->SetWorkingDirectory(UserFolder.CStr());
      break;
    case UninstallShortcut:
      scratch.Concat("\"", folder, "\\BinDL\\zruninstall.exe\"");
      link->SetPath(scratch.CStr());
      scratch.Concat(folder, "\\BinDL");
      link->SetWorkingDirectory(scratch.CStr());
      break;
  }
  link->SetDescription(SettingsOf(kind).description);
}

// Saves the link to path (ANSI code page); true only for S_OK.
bool SaveLink(IPersistFile* file, const char* path) {
  const int measured = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  if (measured <= 0) return false;
  auto* widePath =
      static_cast<wchar_t*>(std::calloc(static_cast<std::size_t>(measured) + 1, sizeof(wchar_t)));
  if (widePath == nullptr) std::abort();
  MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, measured + 1);
  const bool saved = file->Save(widePath, TRUE) == S_OK;
  std::free(widePath);
  return saved;
}

// The current path of a known folder, without creating it; empty on failure.
void GetKnownFolder(int csidl, CountedString* path) {
  path->Reserve(MAX_PATH);
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path->Buffer()))) {
    path->Release();
    return;
  }
  path->ShrinkToFirstNul();
}

}  // namespace

bool ShortcutSet::CreateShortcut(ShortcutKind kind) {
  linkPath.Assign(folder);
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  ApplySettings(link, kind, browserPath);
  linkPath.Append(SettingsOf(kind).fileName);

  // Recorded before the file is written, so that the uninstaller also removes
  // a shortcut whose save failed halfway.
  CountedString record;
  record.Concat("F", linkPath.CStr());
  journal.Append(record.CStr());

  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    link->Release();
    return false;
  }
  const bool saved = SaveLink(file, linkPath.CStr());
  file->Release();
  link->Release();
  return saved;
}

bool ShortcutSet::CreateProgramGroupAndShortcuts(int currentUserOnly) {
  const int groupCsidl = currentUserOnly == 0 ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
  const int desktopCsidl =
      currentUserOnly == 0 ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY;

  CountedString knownFolder;
  GetKnownFolder(groupCsidl, &knownFolder);
  if (knownFolder.IsEmpty()) return false;
  folder.Concat(knownFolder.CStr(), "\\Morvane");
  // A group that exists already is simply used.
  CreateDirectoryA(folder.CStr(), nullptr);
  CountedString record;
  record.Concat("D", folder.CStr());
  journal.Append(record.CStr());

  for (ShortcutKind kind : {ExamplesShortcut, SimulatorShortcut, UninstallShortcut}) {
    if (!CreateShortcut(kind)) return false;
  }

  // The desktop shortcuts are a convenience: their failures change nothing.
  GetKnownFolder(desktopCsidl, &knownFolder);
  if (!knownFolder.IsEmpty()) {
    folder.Assign(knownFolder);
    CreateShortcut(ExamplesShortcut);
    CreateShortcut(SimulatorShortcut);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA, knownFolder.CStr(), nullptr);
  }
  return true;
}

void ShortcutSet::SaveLinksJournal() {
  CountedString path;
  path.Concat(InstallationFolder.CStr(), "\\links");
  journal.SaveToFile(path.CStr());
}

void FindBrowserExecutable(CountedString& browserPath) {
  browserPath.Release();
  HKEY classKey = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "InternetExplorer.Application\\CLSID", 0, KEY_READ,
                    &classKey) != ERROR_SUCCESS) {
    return;
  }
  char buffer[kRegistryValueBytes + 2] = {};
  DWORD type = 0;
  if (ReadDefaultValue(classKey, buffer, &type) && type == REG_SZ) {
    CountedString serverKeyPath;
    serverKeyPath.Concat("CLSID\\", buffer, "\\LocalServer32");
    HKEY serverKey = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, serverKeyPath.CStr(), 0, KEY_READ, &serverKey) ==
        ERROR_SUCCESS) {
      // Taken verbatim, whatever its type: quotes, options and environment
      // references go to the shortcut unchanged.
      if (ReadDefaultValue(serverKey, buffer, &type)) browserPath.Assign(buffer);
      RegCloseKey(serverKey);
    }
  }
  RegCloseKey(classKey);
}
