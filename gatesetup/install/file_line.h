// The log line of one unpacked file: "  FILE=" and the file's path below the
// root folder.
#pragma once

#include <cstddef>

// Forms the line for the file `name` in `folder` into line (of size bytes).
// The first rootLength characters of folder are the root folder: a file there
// is logged by its name alone, a file below it as "sub\name". False when the
// line did not fit.
bool FormatFileLine(char* line, std::size_t size, const char* folder, std::size_t rootLength,
                    const char* name);
