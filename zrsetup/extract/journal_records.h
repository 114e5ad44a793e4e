// The records that the extraction adds to its journal: a type character
// directly followed by a path, built from pieces without adding or removing
// separators.
#pragma once

#include "install_journal.h"

constexpr const char* kFolderRecord = "D";
constexpr const char* kFileRecord = "F";

// Appends type, path and tail (may be null) as one record.
void AppendRecord(InstallJournal& journal, const char* type, const char* path,
                  const char* tail = nullptr);
