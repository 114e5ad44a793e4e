#include "folder_dialog.h"

#include <shlobj.h>

#include <cstring>

#include "counted_string.h"
#include "install_folders.h"
#include "resource.h"

namespace {

// The two folder fields differ only in these values.
struct FolderField {
  int editId;
  int searchId;
  int defaultId;
  int knownFolder;  // CSIDL of the default's base folder
  const char* defaultSuffix;
  const char* browserTitle;
  CountedString* stored;
};

const FolderField kFields[] = {
    {IDC_INSTALLATION_FOLDER, IDC_SEARCH_INSTALLATION, IDC_DEFAULT_INSTALLATION,
     CSIDL_PROGRAM_FILES, "\\Morvane", "Folder for programs and simulation examples",
     &InstallationFolder},
    {IDC_USER_FOLDER, IDC_SEARCH_USER, IDC_DEFAULT_USER, CSIDL_PERSONAL, "\\PSpice",
     "Pre-defined folder for user-created simulation files", &UserFolder},
};

// Edit fields are read into 1000 characters: at most 999 and the NUL.
constexpr std::int32_t kEditTextRoom = 1000;

const FolderField* FieldByEditId(int editId) {
  for (const FolderField& field : kFields) {
    if (field.editId == editId) return &field;
  }
  return nullptr;
}

const FolderField* FieldBySearchId(int searchId) {
  for (const FolderField& field : kFields) {
    if (field.searchId == searchId) return &field;
  }
  return nullptr;
}

// After a "Default" or "Search" press the pressed button would keep the
// default-button look; OK gets it back, with the focus, so that Enter accepts.
void MakeOkTheDefaultButton(HWND dialog, int pressedButtonId) {
  SendDlgItemMessageA(dialog, pressedButtonId, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  SendDlgItemMessageA(dialog, IDC_OK, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  SetFocus(GetDlgItem(dialog, IDC_OK));
}

bool SameText(const CountedString& a, const CountedString& b) {
  return a.Length() == b.Length() &&
         (a.Length() == 0 || std::memcmp(a.Text(), b.Text(), a.Length()) == 0);
}

// The shell's "already exists" answers also come for an existing file of that
// name, which must not be taken for a folder.
bool IsExistingFolder(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateOrFindFolder(const char* path) {
  switch (SHCreateDirectoryExA(nullptr, path, nullptr)) {
    case ERROR_SUCCESS:
      return true;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return IsExistingFolder(path);
    default:
      return false;
  }
}

bool RejectFolder(HWND dialog, int editId) {
  MessageBoxA(dialog, "Invalid folder", "ZR Installer", MB_OK);
  SendDlgItemMessageA(dialog, editId, EM_SETSEL, 0, -1);
  SetFocus(GetDlgItem(dialog, editId));
  return false;
}

}  // namespace

void ShowDefaultFolder(HWND dialog, int editId) {
  const FolderField* field = FieldByEditId(editId);
  if (field == nullptr) return;
  char base[MAX_PATH + 1] = {};
  CountedString text;
  if (SHGetFolderPathA(nullptr, field->knownFolder, nullptr, SHGFP_TYPE_CURRENT, base) == S_OK) {
    text.Concat(base, field->defaultSuffix);
  }
  SetDlgItemTextA(dialog, editId, text.CStr());
  MakeOkTheDefaultButton(dialog, field->defaultId);
}

void BrowseFolder(HWND dialog, int searchButtonId) {
  const FolderField* field = FieldBySearchId(searchButtonId);
  if (field == nullptr) return;
  char path[MAX_PATH + 1] = {};
  BROWSEINFOA browse = {};
  browse.hwndOwner = dialog;
  browse.pidlRoot = nullptr;  // the whole shell namespace
  browse.pszDisplayName = path;
  browse.lpszTitle = field->browserTitle;
  browse.ulFlags = 0;
  browse.lpfn = nullptr;
  LPITEMIDLIST picked = SHBrowseForFolderA(&browse);
  if (picked != nullptr) {
    if (SHGetPathFromIDListA(picked, path)) SetDlgItemTextA(dialog, field->editId, path);
    CoTaskMemFree(picked);
  }
  MakeOkTheDefaultButton(dialog, searchButtonId);
}

bool AcceptFolder(HWND dialog, int editId) {
  const FolderField* field = FieldByEditId(editId);
  if (field == nullptr) return false;
  CountedString text;
  text.Reserve(kEditTextRoom);
  GetDlgItemTextA(dialog, editId, text.Buffer(), kEditTextRoom);
  text.ShrinkToFirstNul();
  if (text.IsEmpty()) return RejectFolder(dialog, editId);
  // Accepted before: the folder exists, so it is not created again.
  if (SameText(text, *field->stored)) return true;
  if (!CreateOrFindFolder(text.Text())) return RejectFolder(dialog, editId);
  field->stored->Assign(text);
  return true;
}

INT_PTR CALLBACK FolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ShowDefaultFolder(dialog, IDC_INSTALLATION_FOLDER);
      ShowDefaultFolder(dialog, IDC_USER_FOLDER);
      return TRUE;  // the dialog manager focuses the first tab stop, OK
    case WM_COMMAND:
      // Only the control id counts. IDOK and IDCANCEL are not handled, so
      // Escape does nothing and Enter reaches OK as the default button.
      switch (LOWORD(wParam)) {
        case IDC_SEARCH_INSTALLATION:
        case IDC_SEARCH_USER:
          BrowseFolder(dialog, LOWORD(wParam));
          break;
        case IDC_OK:
          if (AcceptFolder(dialog, IDC_INSTALLATION_FOLDER) &&
              AcceptFolder(dialog, IDC_USER_FOLDER)) {
            EndDialog(dialog, 0);
          }
          break;
        case IDC_CANCEL:
          EndDialog(dialog, 1);
          break;
        case IDC_DEFAULT_INSTALLATION:
          ShowDefaultFolder(dialog, IDC_INSTALLATION_FOLDER);
          break;
        case IDC_DEFAULT_USER:
          ShowDefaultFolder(dialog, IDC_USER_FOLDER);
          break;
        default:
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}
