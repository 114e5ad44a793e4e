#include "install_sequence.h"

#include <cstdint>

#include "dialog_procs.h"
#include "extraction_context.h"
#include "folder_dialog.h"
#include "install_folders.h"
#include "registry_values.h"
#include "resource.h"
#include "settings_file.h"
#include "shortcut_set.h"
#include "simulator_command_line.h"

namespace {

constexpr const char* kOlderSimulatorKey = "SOFTWARE\\MicroSim\\MicroSim\\8.0";
constexpr const char* kOwnInstallationKey = "SOFTWARE\\MicroSim\\MicroSim\\ZR";

// Every message of the sequence: modal, owned by the welcome dialog, OK only,
// no icon.
void ShowMessage(HWND owner, const char* text) { MessageBoxA(owner, text, "ZR Installer", MB_OK); }

// Present when the key opens with full access; nothing is read from it.
bool RegistryKeyOpens(const char* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(opened);
  return true;
}

// Points the context at the payload archive, read in place from the loaded
// resource. False when the executable carries no usable payload.
bool AttachPayloadResource(ExtractionContext& context) {
  HRSRC found = FindResourceA(ModuleInstance, MAKEINTRESOURCEA(IDR_PAYLOAD), "BIN");
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(ModuleInstance, found);
  if (loaded == nullptr) return false;
  const DWORD size = SizeofResource(ModuleInstance, found);
  const void* bytes = LockResource(loaded);
  if (bytes == nullptr || size == 0) return false;
  AttachArchive(context, static_cast<const std::uint8_t*>(bytes), size);
  return true;
}

INT_PTR ShowDialog(HWND owner, int dialogId, DLGPROC procedure) {
  return DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(dialogId), owner, procedure, 0);
}

}  // namespace

// The context with its journal, the shortcut set and the command line are
// locals: they are released on every way out.
int RunInstallSequence(HWND welcomeDialog) {
  const bool olderSimulatorPresent = RegistryKeyOpens(kOlderSimulatorKey);
  const bool ownInstallationPresent = RegistryKeyOpens(kOwnInstallationKey);

  ExtractionContext context;
  if (!AttachPayloadResource(context)) {
    ShowMessage(welcomeDialog, "Installation data not found");
    return -1;
  }
  ResetFolders();

  // The browser is looked up now, whatever the next steps decide.
  ShortcutSet shortcuts;
  FindBrowserExecutable(shortcuts.browserPath);

  if (ownInstallationPresent) {
    ShowMessage(welcomeDialog, "An installation already exists");
    return -1;
  }
  // 0 is "Cancel installation", preselected; the user was told why.
  if (olderSimulatorPresent &&
      ShowDialog(welcomeDialog, IDD_OLDER_VERSION, ChoiceDialogProc) == 0) {
    return -1;
  }

  if (ShowDialog(welcomeDialog, IDD_FOLDERS, FolderDialogProc) != 0) return -1;
  UpdateWindow(welcomeDialog);  // the folder dialog has just left it

  if (!ExtractPayload(context, welcomeDialog)) {
    // First, while the last error is still the failed operation's.
    WriteErrorLog(context.journal);
    context.journal.RollBack();
    ShowMessage(welcomeDialog, "Error while copying files");
    return -1;
  }
  if (!AdaptSettingsFile()) {
    context.journal.RollBack();
    ShowMessage(welcomeDialog, "Error while customizing ini file");
    return -1;
  }

  CountedString simulatorCommandLine;
  BuildSimulatorCommandLine(InstallationFolder, simulatorCommandLine);
  WriteFolderValues();
  EnsureSimulatorKey();
  RegisterFileAssociation(simulatorCommandLine);
  AllowHelpMacros();

  // 0 is "for all users", preselected.
  const INT_PTR scope = ShowDialog(welcomeDialog, IDD_SHORTCUT_SCOPE, ChoiceDialogProc);
  shortcuts.CreateProgramGroupAndShortcuts(static_cast<int>(scope));
  shortcuts.SaveLinksJournal();
  return 0;
}
