// The two folders the user accepted in the folder dialog, shared by every step
// of the installation. They hold the texts exactly as accepted: nothing is
// trimmed or normalised, so a folder may end with a backslash.
#pragma once

#include "counted_string.h"

extern CountedString InstallationFolder;
extern CountedString UserFolder;

// Empties both folders; the install sequence does so when it starts.
void ResetFolders();
