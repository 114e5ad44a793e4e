// The command line that starts the schematic editor with the package's
// settings file, registered for the ".zre" file type.
#pragma once

#include "counted_string.h"

// "<folder>\BinDL\psched.exe" -i "<folder>\BinDL\zrsim.ini", both paths in
// double quotes so that a folder with blanks stays one argument.
void BuildSimulatorCommandLine(const CountedString& installationFolder, CountedString& commandLine);
