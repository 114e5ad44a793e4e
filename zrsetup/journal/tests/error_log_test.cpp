#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "install_journal.h"
#include "scratch_folder.h"
#include "windows_state.h"

namespace {

std::string ReadLog(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(harness::ReadFileBytes(path, &bytes));
  return bytes;
}

// What the system says for code, as text mode writes it (every LF as CR LF).
std::string SystemMessageInTextMode(DWORD code) {
  char* message = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&message),
      0, nullptr);
  std::string text;
  for (DWORD i = 0; i < length; ++i) {
    if (message[i] == '\n') text += '\r';
    text += message[i];
  }
  if (message != nullptr) LocalFree(message);
  return text;
}

TEST(ErrorLogTest, HoldsTheJournalThenTheErrorCodeAndItsMessage) {
  harness::ScratchFolder scratch;
  const std::string log = scratch.PathOf("zrsetup.log");
  // An existing log is replaced; replacing it makes the system set a code of
  // its own (ERROR_ALREADY_EXISTS), which must not reach the log.
  ASSERT_TRUE(harness::WriteFileBytes(log, std::string(300, 'o')));

  InstallJournal journal;
  journal.Append("DD:\\Sim");
  journal.Append("FD:\\Sim\\files");
  SetLastError(ERROR_ACCESS_DENIED);
  WriteErrorLog(journal, log.c_str());

  const std::string message = SystemMessageInTextMode(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(message.empty());
  EXPECT_EQ(ReadLog(log), "DD:\\Sim\nFD:\\Sim\\files\nError = 5\r\n" + message + "\r\n");
}

TEST(ErrorLogTest, SaysUnknownErrorWhenTheSystemHasNoMessage) {
  harness::ScratchFolder scratch;
  const std::string log = scratch.PathOf("zrsetup.log");
  const DWORD codeWithoutMessage = 0x20001234;  // the customer bit: never a system code
  InstallJournal journal;
  journal.Append("DD:\\Sim");
  SetLastError(codeWithoutMessage);
  WriteErrorLog(journal, log.c_str());
  EXPECT_EQ(ReadLog(log), "DD:\\Sim\nError = 536875572\r\nUnknown error\r\n");
}

TEST(ErrorLogTest, GoesToTheRootOfDriveCByDefault) {
  const std::string log = "c:\\zrsetup.log";
  DeleteFileA(log.c_str());
  InstallJournal empty;
  SetLastError(ERROR_FILE_NOT_FOUND);
  WriteErrorLog(empty);
  const std::string bytes = ReadLog(log);
  DeleteFileA(log.c_str());
  EXPECT_EQ(bytes.rfind("Error = 2\r\n", 0), 0u) << bytes;
}

TEST(ErrorLogTest, GivesUpQuietlyWhenTheLogCannotBeOpened) {
  harness::ScratchFolder scratch;
  InstallJournal journal;
  journal.Append("DD:\\Sim");
  SetLastError(ERROR_ACCESS_DENIED);
  WriteErrorLog(journal, scratch.Path().c_str());  // a folder
  EXPECT_TRUE(harness::FolderExists(scratch.Path()));
}

}  // namespace
