// Closing a file that was written through a buffered stream, so that a failed
// write (a full disk) is noticed: the C runtime may report the failure of
// flushing its buffer only through the stream's error flag.
#pragma once

#include <cstdio>

// Flushes and closes file; false when any write to it, the flush or the close
// failed. The file is closed in every case.
bool CloseWrittenFile(std::FILE* file);
