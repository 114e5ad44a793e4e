// InstallJournal: the ordered list of records of everything an installation
// created, each a type character ('D' folder, 'F' file) directly followed by a
// path. Saved one record per line, each line ending in a single line feed, as
// the journal files "files" and "links" that the uninstaller reads; rolled back
// newest first when an installation fails. The same list also holds the lines
// of the simulator's settings file while it is rewritten.
#pragma once

#include <cstdint>

struct JournalNode {
  char* text;         // owned, NUL-terminated
  JournalNode* next;  // the next newer record, null for the newest
};

class InstallJournal {
 public:
  InstallJournal() = default;
  ~InstallJournal() { Free(); }
  InstallJournal(const InstallJournal&) = delete;
  InstallJournal& operator=(const InstallJournal&) = delete;

  // Stores a copy of record as the newest record.
  void Append(const char* record);

  // Writes every record, oldest first, each followed by one line feed, to
  // path (created or truncated). False when the file cannot be opened, or when
  // writing or closing it fails (a full disk): a truncated journal would make
  // the uninstaller leave files behind.
  bool SaveToFile(const char* path) const;

  // Removes what the records name, newest first: folders with
  // RemoveDirectoryA, files with DeleteFileA followed by the derived files of
  // schematics (".SCH") and help files (".HLP"). Every record is attempted;
  // true only when every attempted removal succeeded. Windows only.
  bool RollBack() const;

  std::int32_t Count() const { return count_; }
  // The oldest record's node, null when empty; follow `next` for newer ones.
  const JournalNode* First() const { return first_; }

  // Frees every record; the journal is empty afterwards.
  void Free();

 private:
  std::int32_t count_ = 0;
  JournalNode* first_ = nullptr;
  JournalNode* last_ = nullptr;
};

// Deletes base + extension when such a file can be opened for reading.
// Returns false when it exists but cannot be deleted, otherwise `result`.
// Windows only.
bool DeleteIfPresent(const char* extension, bool result, const char* base);

// The error log of a failed extraction.
constexpr const char* kErrorLogPath = "c:\\zrsetup.log";

// Writes the journal, then "Error = <code>" and the system's message for the
// calling thread's last error code ("Unknown error" when the system has none),
// to logPath. Reads GetLastError before anything else. Windows only.
void WriteErrorLog(const InstallJournal& journal, const char* logPath = kErrorLogPath);
