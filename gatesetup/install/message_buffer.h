// The one buffer in which the installer forms its log lines, paths and error
// texts before use. Each use overwrites the last; a failing step leaves its
// error text here for the install sequence to log.
#pragma once

#include <cstddef>

constexpr std::size_t kMessageBufferSize = 1024;

extern char MessageBuffer[kMessageBufferSize];

// Formats into MessageBuffer. False when the text did not fit: the buffer then
// holds it cut short, and it must not be used as a path.
bool FormatMessageText(const char* format, ...) __attribute__((format(printf, 1, 2)));
