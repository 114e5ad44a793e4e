// The simulator's settings file InstallationFolder + "\BinDL\zrsim.ini":
// every line's first folder marker (the byte 0xA7) is replaced by the
// installation folder, and the file is written back with line feeds only.
#pragma once

#include "counted_string.h"

// The folder marker in the shipped settings file.
constexpr char kFolderMarker = '\xA7';

// Reads the whole settings file, then writes it again. False when it cannot be
// opened for reading or for writing, or when writing it fails.
bool AdaptSettingsFile();

// The work of AdaptSettingsFile on any path and folder. The file is read in
// pieces of at most 999 characters (a longer line becomes several lines), each
// piece's first marker is replaced by `folder`, and the pieces are written back
// one per line. The file is read and closed before it is opened for writing;
// false, with the file untouched, when it cannot be opened or a read fails, and
// false when writing it fails.
bool RewriteSettingsFile(const char* path, const CountedString& folder);
