#include "examples_links.h"

#include <direct.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "link_command.h"
#include "link_scope_dialog.h"
#include "resource.h"

namespace {

constexpr char kLinkFileName[] = "\\ispLever examples.lnk";

// first + second in a new buffer that the caller frees; null without memory.
char* JoinTexts(const char* first, const char* second) {
  const std::size_t size = std::strlen(first) + std::strlen(second) + 1;
  auto* joined = static_cast<char*>(std::malloc(size));
  if (joined != nullptr) std::snprintf(joined, size, "%s%s", first, second);
  return joined;
}

// Saves the link under path, converted to UTF-16 in a buffer of its own size.
bool SaveLinkFile(IShellLinkA* link, const char* path) {
  IPersistFile* file = nullptr;
  if (link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) != S_OK) {
    return false;
  }
  bool saved = false;
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  auto* widePath =
      wideLength > 0 ? static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * wideLength)) : nullptr;
  if (widePath != nullptr &&
      MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, wideLength) == wideLength) {
    saved = file->Save(widePath, TRUE) == S_OK;
  }
  std::free(widePath);
  file->Release();
  return saved;
}

}  // namespace

bool SaveExamplesLink(const char* folder, const char* command, const char* iconPath) {
  IShellLinkA* link = nullptr;
  if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                       reinterpret_cast<void**>(&link)) != S_OK) {
    return false;
  }
  bool saved = false;
  char* program = JoinTexts(command, "");
  char* linkPath = JoinTexts(folder, kLinkFileName);
  if (program != nullptr && linkPath != nullptr) {
    const char* arguments = SplitLinkCommand(program);
    link->SetPath(program);
    if (arguments != nullptr) link->SetArguments(arguments);
    link->SetIconLocation(iconPath, 0);
    link->SetDescription("ispLever examples");
    saved = SaveLinkFile(link, linkPath);
  }
  std::free(program);
  std::free(linkPath);
  link->Release();
  return saved;
}

bool CreateExamplesLinks(HWND ownerWindow, const char* rootFolder) {
  const INT_PTR scope = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LINK_SCOPE),
                                        ownerWindow, LinkScopeDialogProc, 0);
  const bool allUsers = scope == 0;
  const int programsFolder = allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
  const int desktopFolder = allUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY;

  char* command = JoinTexts("explorer.exe ", rootFolder);
  char* iconPath = JoinTexts(rootFolder, "\\zricon.ico");
  char folder[MAX_PATH];
  bool created = false;
  if (command != nullptr && iconPath != nullptr &&
      SHGetFolderPathA(nullptr, programsFolder, nullptr, SHGFP_TYPE_CURRENT, folder) == S_OK) {
    char* group = JoinTexts(folder, "\\Morvane");
    if (group != nullptr) {
      // An existing group is reused; one that cannot be made fails the save.
      _mkdir(group);
      created = SaveExamplesLink(group, command, iconPath);
      std::free(group);
    }
  }
  if (created &&
      SHGetFolderPathA(nullptr, desktopFolder, nullptr, SHGFP_TYPE_CURRENT, folder) == S_OK) {
    SaveExamplesLink(folder, command, iconPath);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA, folder, nullptr);
  }
  std::free(command);
  std::free(iconPath);
  return created;
}
