// The lines of the installation log: painted by the log window and, after an
// error, written to the log file. One process-wide list; lines are only ever
// appended, and one iteration runs at a time.
#pragma once

struct LogLine {
  char* text;  // owned, NUL-terminated
  LogLine* next;
};

struct LogLineList {
  int count;
  LogLine* head;
  LogLine* tail;    // where appends go
  LogLine* cursor;  // the line of the iteration under way
};

// Adds a copy of text as the last line. 0 on success; -1 when no memory could
// be had, and the list is then as it was.
int AppendLine(const char* text);

int LineCount();

// Starts the iteration at the first line; null when the list is empty.
const char* FirstLine();

// Moves the iteration on; null after the last line or when none is under way.
const char* NextLine();

// Frees every line and leaves the list empty. Runs at process end.
void FreeLines();
