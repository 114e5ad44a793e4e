// Unpacking the payload into the examples folder, one log line per file.
//
// The payload is one entry list closed by 'E'. Inside a list 'R' and 'E' both
// close it, 'F' begins a file entry and any other byte a folder entry. Every
// name, size and content is checked against the end of the payload, names
// must be plain file names, and folders nest at most kMaxNestingDepth deep:
// anything else is a damaged payload and stops the walk.
//
// On false the error text is in MessageBuffer.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "payload_reader.h"

// Unpacks the whole payload at the reader's cursor under rootFolder. window is
// the log window, refreshed after each file.
bool UnpackExamples(PayloadReader* reader, HWND window, const char* rootFolder);

// Creates folder (present already is fine) and unpacks the entry list at the
// cursor into it. rootLength is the root folder's length, for the log lines;
// depth is the nesting of folder below the root folder.
bool UnpackFolder(PayloadReader* reader, HWND window, const char* folder, std::size_t rootLength,
                  int depth);

// Writes size bytes from data to a new file at path (replacing any file of that
// name). path may lie in MessageBuffer.
bool WriteUnpackedFile(const char* path, const std::uint8_t* data, std::uint32_t size);
