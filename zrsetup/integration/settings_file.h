// The simulator's settings file InstallationFolder + "\BinDL\zrsim.ini":
// every line's first folder marker (the byte 0xA7) is replaced by the
// installation folder, and the file is written back with line feeds only.
#pragma once

// The folder marker in the shipped settings file.
constexpr char kFolderMarker = '\xA7';

// Reads the whole settings file, then writes it again. False when it cannot be
// opened for reading or for writing, or when writing it fails.
bool AdaptSettingsFile();
