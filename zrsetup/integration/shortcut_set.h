// The program group "Morvane" with its three shortcuts, the two desktop
// shortcuts, and the "links" journal that lists them for the uninstaller.
#pragma once

#include "counted_string.h"
#include "install_journal.h"

enum ShortcutKind { ExamplesShortcut, SimulatorShortcut, UninstallShortcut };

struct ShortcutSet {
  CountedString folder;       // where shortcuts are being made: the group, later the desktop
  CountedString linkPath;     // the shortcut file being made
  InstallJournal journal;     // the group folder and every shortcut file, in the order made
  CountedString browserPath;  // the web browser's program, empty when none was found

  // Creates the group in the all-users (currentUserOnly 0) or the current
  // user's programs folder with its three shortcuts, then the examples and
  // simulator shortcuts on the matching desktop. True when the group's known
  // folder was found and all three group shortcuts were saved.
  bool CreateProgramGroupAndShortcuts(int currentUserOnly);

  // Creates one shortcut of that kind in `folder` and records it.
  bool CreateShortcut(ShortcutKind kind);

  // Writes the journal to InstallationFolder + "\links".
  void SaveLinksJournal();
};

// Looks up the web browser's program in the registry (the local server of
// InternetExplorer.Application); browserPath ends holding it or empty.
void FindBrowserExecutable(CountedString& browserPath);
