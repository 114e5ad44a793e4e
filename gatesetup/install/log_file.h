// The log file that an installation that failed leaves behind.
#pragma once

// Writes every log line to "zrsetup.log" in the current folder, one line each,
// replacing an earlier file. A file that cannot be opened is skipped silently.
void WriteLogFile();
