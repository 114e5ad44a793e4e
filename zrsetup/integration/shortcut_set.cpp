#include "shortcut_set.h"

// not yet implemented
bool ShortcutSet::CreateProgramGroupAndShortcuts(int currentUserOnly) {
  (void)currentUserOnly;
  return true;
}
bool ShortcutSet::CreateShortcut(ShortcutKind kind) {
  (void)kind;
  return true;
}
void ShortcutSet::SaveLinksJournal() {}
void FindBrowserExecutable(CountedString& browserPath) { browserPath.Release(); }
