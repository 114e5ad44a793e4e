#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "install_journal.h"
#include "scratch_folder.h"
#include "windows_state.h"

namespace {

using harness::FileExists;
using harness::FolderExists;

void MakeFile(const std::string& path) { ASSERT_TRUE(harness::WriteFileBytes(path, "x")); }

// Reports the names removed from one folder (not below it), in the order in
// which the system saw them go.
class RemovalWatch {
 public:
  explicit RemovalWatch(const std::string& folder) {
    folder_ = CreateFileA(
        folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Listen();
  }
  ~RemovalWatch() {
    CancelIo(folder_);
    CloseHandle(folder_);
    CloseHandle(event_);
  }
  bool IsWatching() const { return listening_; }

  // Collects notifications until none has come for a while.
  std::vector<std::string> RemovedNames() {
    std::vector<std::string> names;
    while (listening_ && WaitForSingleObject(event_, 1000) == WAIT_OBJECT_0) {
      DWORD bytes = 0;
      if (!GetOverlappedResult(folder_, &overlapped_, &bytes, FALSE)) break;
      for (const char* entry = buffer_; bytes != 0;) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(entry);
        if (info->Action == FILE_ACTION_REMOVED) names.push_back(ToAnsi(info));
        if (info->NextEntryOffset == 0) break;
        entry += info->NextEntryOffset;
      }
      Listen();
    }
    return names;
  }

 private:
  void Listen() {
    ResetEvent(event_);
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_;
    listening_ = ReadDirectoryChangesW(folder_, buffer_, sizeof(buffer_), FALSE,
                                       FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME,
                                       nullptr, &overlapped_, nullptr) != 0;
  }
  static std::string ToAnsi(const FILE_NOTIFY_INFORMATION* info) {
    char name[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, info->FileName,
                        static_cast<int>(info->FileNameLength / sizeof(WCHAR)), name,
                        sizeof(name) - 1, nullptr, nullptr);
    return name;
  }

  HANDLE folder_ = INVALID_HANDLE_VALUE;
  HANDLE event_ = nullptr;
  OVERLAPPED overlapped_{};
  bool listening_ = false;
  alignas(DWORD) char buffer_[16384];
};

TEST(JournalRollBackTest, EmptyJournalSucceedsWithoutTouchingAnything) {
  InstallJournal journal;
  EXPECT_TRUE(journal.RollBack());
}

TEST(JournalRollBackTest, RemovesNewestFirstWithTheDerivedFilesInTheirOrder) {
  harness::ScratchFolder scratch;
  const std::string examples = scratch.PathOf("Examples");
  ASSERT_TRUE(harness::CreateFolders(examples + "\\Sub"));
  const char* present[] = {"Amp.Sch",   "Amp.zre",   "Amp.cir",   "Amp.net",
                           "Amp.als",   "Amp.mvl",   "Amp.1op",   "Amp.dat",
                           "Amp.mif",   "Amp.out",   "Amp.txt",   "guide.HLP",
                           "guide.gid", "notes.txt", "notes.zre", "Sub\\inner.txt"};
  for (const char* name : present) MakeFile(examples + "\\" + name);

  InstallJournal journal;
  journal.Append(("F" + examples + "\\Amp.Sch").c_str());
  journal.Append(("D" + examples + "\\Sub").c_str());
  journal.Append(("F" + examples + "\\Sub\\inner.txt").c_str());
  journal.Append(("F" + examples + "\\guide.HLP").c_str());
  journal.Append(("F" + examples + "\\notes.txt").c_str());

  RemovalWatch watch(examples);
  ASSERT_TRUE(watch.IsWatching());
  EXPECT_TRUE(journal.RollBack());

  // Sub's content goes before Sub but is not seen from this folder; files
  // other than schematics and help files have no derived files.
  EXPECT_EQ(watch.RemovedNames(),
            (std::vector<std::string>{"notes.txt", "guide.HLP", "guide.gid", "Sub", "Amp.Sch",
                                      "Amp.zre", "Amp.cir", "Amp.net", "Amp.als", "Amp.mvl",
                                      "Amp.1op", "Amp.dat", "Amp.mif", "Amp.out"}));
  EXPECT_EQ(harness::ListTree(examples), (std::vector<std::string>{"Amp.txt", "notes.zre"}));
}

// One derived file in various states; a second one (amp.out) shows that the
// walk goes on whatever happened before.
TEST(JournalRollBackTest, DerivedFileStatesDecideTheResult) {
  enum class State { kFile, kInUse, kFolder };
  struct Case {
    const char* description;
    bool schematicPresent;
    State derived;
    bool expectedResult;
    bool derivedRemains;
  };
  const Case cases[] = {
      {"all present", true, State::kFile, true, false},
      {"schematic already gone", false, State::kFile, false, false},
      {"derived file in use, cannot be deleted", true, State::kInUse, false, true},
      {"derived name is a folder, cannot be opened for reading", true, State::kFolder, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    harness::ScratchFolder scratch;
    const std::string schematic = scratch.PathOf("amp.sch");
    const std::string derived = scratch.PathOf("amp.cir");
    if (c.schematicPresent) MakeFile(schematic);
    MakeFile(scratch.PathOf("amp.out"));
    HANDLE inUse = INVALID_HANDLE_VALUE;
    if (c.derived == State::kFolder) {
      ASSERT_TRUE(CreateDirectoryA(derived.c_str(), nullptr));
    } else {
      MakeFile(derived);
    }
    if (c.derived == State::kInUse) {
      // Open without FILE_SHARE_DELETE: reading works, deleting does not.
      inUse = CreateFileA(derived.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    }

    InstallJournal journal;
    journal.Append(("F" + schematic).c_str());
    EXPECT_EQ(journal.RollBack(), c.expectedResult);
    if (inUse != INVALID_HANDLE_VALUE) CloseHandle(inUse);

    EXPECT_FALSE(FileExists(schematic));
    EXPECT_FALSE(FileExists(scratch.PathOf("amp.out")));
    EXPECT_EQ(FileExists(derived) || FolderExists(derived), c.derivedRemains);
  }
}

TEST(JournalRollBackTest, FolderWithUnlistedFilesStaysAndTheWalkGoesOn) {
  harness::ScratchFolder scratch;
  const std::string older = scratch.PathOf("older");
  const std::string kept = scratch.PathOf("kept");
  ASSERT_TRUE(harness::CreateFolders(older));
  ASSERT_TRUE(harness::CreateFolders(kept));
  MakeFile(kept + "\\listed.txt");
  MakeFile(kept + "\\users-own.txt");

  InstallJournal journal;
  journal.Append(("D" + older).c_str());
  journal.Append(("D" + kept).c_str());
  journal.Append(("F" + kept + "\\listed.txt").c_str());
  EXPECT_FALSE(journal.RollBack());

  EXPECT_FALSE(FileExists(kept + "\\listed.txt"));
  EXPECT_TRUE(FileExists(kept + "\\users-own.txt"));
  EXPECT_FALSE(FolderExists(older));
}

}  // namespace
