#include "install_journal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scratch_folder.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> RecordsOf(const InstallJournal& journal) {
  std::vector<std::string> records;
  for (const JournalNode* node = journal.First(); node != nullptr; node = node->next) {
    records.push_back(node->text);
  }
  return records;
}

// A device on which every write fails as on a full disk.
#ifdef _WIN32
constexpr const char* kFullDisk = "Z:\\dev\\full";
#else
constexpr const char* kFullDisk = "/dev/full";
#endif

TEST(InstallJournalTest, SavesRecordsOldestFirstEachEndingInALineFeed) {
  harness::ScratchFolder folder;
  InstallJournal journal;
  journal.Append("DD:\\Sim");
  journal.Append("FD:\\Sim\\files");
  journal.Append("FD:\\Sim\\Examples\\amp.sch");
  EXPECT_EQ(journal.Count(), 3);

  const std::string path = folder.PathOf("files");
  WriteBytes(path, std::string(500, 'x'));  // truncated, not appended to
  ASSERT_TRUE(journal.SaveToFile(path.c_str()));
  EXPECT_EQ(ReadBytes(path), "DD:\\Sim\nFD:\\Sim\\files\nFD:\\Sim\\Examples\\amp.sch\n");
}

TEST(InstallJournalTest, EmptyJournalSavesAsAnEmptyFile) {
  harness::ScratchFolder folder;
  InstallJournal journal;
  const std::string path = folder.PathOf("links");
  WriteBytes(path, "old content\n");
  ASSERT_TRUE(journal.SaveToFile(path.c_str()));
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(journal.First(), nullptr);
}

TEST(InstallJournalTest, AppendStoresACopyAndKeepsDuplicates) {
  InstallJournal journal;
  char record[] = "FC:\\a.txt";
  journal.Append(record);
  journal.Append(record);
  std::strcpy(record, "Dchanged");
  EXPECT_EQ(RecordsOf(journal), (std::vector<std::string>{"FC:\\a.txt", "FC:\\a.txt"}));
}

TEST(InstallJournalTest, SaveFailsWhenTheFileCannotBeOpenedOrWritten) {
  harness::ScratchFolder folder;
  InstallJournal journal;
  journal.Append("DD:\\Sim");
  const std::string missingFolder = folder.PathOf("missing") + "/files";
  EXPECT_FALSE(journal.SaveToFile(missingFolder.c_str()));
  EXPECT_FALSE(journal.SaveToFile(folder.Path().c_str()));  // a folder
  // A full disk: the journal would be cut short, and the uninstaller would
  // leave files behind.
  EXPECT_FALSE(journal.SaveToFile(kFullDisk));
  EXPECT_EQ(RecordsOf(journal), std::vector<std::string>{"DD:\\Sim"});
}

TEST(InstallJournalTest, FreeEmptiesTheJournalForReuse) {
  harness::ScratchFolder folder;
  InstallJournal journal;
  journal.Append("DD:\\Sim");
  journal.Append("FD:\\Sim\\files");
  journal.Free();
  EXPECT_EQ(journal.Count(), 0);
  EXPECT_EQ(journal.First(), nullptr);

  journal.Append("FD:\\Sim\\links");
  const std::string path = folder.PathOf("files");
  ASSERT_TRUE(journal.SaveToFile(path.c_str()));
  EXPECT_EQ(ReadBytes(path), "FD:\\Sim\\links\n");
}

}  // namespace
