#include <windows.h>

#include <cstdio>

#include "install_journal.h"

namespace {

// Written in place of the system's message when it has none for the code.
constexpr const char* kUnknownErrorText = "Unknown error";

}  // namespace

void WriteErrorLog(const InstallJournal& journal, const char* logPath) {
  // First of all: anything called below may overwrite the code of the
  // operation that made the extraction fail.
  const DWORD errorCode = GetLastError();

  // The journal part keeps the journal file format (line feeds only); the
  // lines after it go through text mode and end in CR LF.
  journal.SaveToFile(logPath);
  std::FILE* log = std::fopen(logPath, "a");
  if (log == nullptr) return;
  std::fprintf(log, "Error = %d\n", static_cast<int>(errorCode));

  // Inserts are ignored: a message with placeholders would otherwise read
  // arguments that nobody passed.
  char* message = nullptr;
  const DWORD messageLength = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
      reinterpret_cast<char*>(&message), 0, nullptr);
  std::fprintf(log, "%s\n", messageLength != 0 ? message : kUnknownErrorText);
  if (message != nullptr) LocalFree(message);
  std::fclose(log);
}
