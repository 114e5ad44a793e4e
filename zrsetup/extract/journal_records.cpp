#include "journal_records.h"

#include "counted_string.h"

void AppendRecord(InstallJournal& journal, const char* type, const char* path, const char* tail) {
  CountedString record;
  record.Concat(type, path, tail);
  journal.Append(record.CStr());
}
