// What each of zrsetup's shortcuts should hold, and the check of a shortcut
// file against it; shared by the unit tests and the scenarios.
#pragma once

#include <string>
#include <vector>

#include "windows_state.h"

struct ExpectedShortcutFile {
  std::string file;
  harness::ShortcutContents contents;
};

// The five shortcut files of a complete run, in the order they are made:
// three in the group, two on the desktop. The shell link stores a target
// without its quotes; `browser` is the examples' target as stored.
std::vector<ExpectedShortcutFile> ExpectedShortcutFiles(const std::string& group,
                                                        const std::string& desktop,
                                                        const std::string& installationFolder,
                                                        const std::string& userFolder,
                                                        const std::string& browser);

// The "links" journal records of a complete run.
std::vector<std::string> ExpectedLinkRecords(const std::string& group, const std::string& desktop);

// Loads the shortcut through IShellLinkA (COM initialised by the caller) and
// compares every field; the icon index only where an icon is set.
void ExpectShortcut(const ExpectedShortcutFile& expected);
