// A fresh installation folder for each extraction test, with the help
// settings file in the Windows folder removed before and after the test: all
// tests of a program share one Windows folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "archive_bytes.h"
#include "extraction_context.h"
#include "install_folders.h"
#include "scratch_folder.h"
#include "windows_state.h"

class ExtractionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installFolder_ = scratch_.PathOf("Sim");
    ASSERT_TRUE(CreateDirectoryA(installFolder_.c_str(), nullptr));
    InstallationFolder.Assign(installFolder_.c_str());
    helpSettingsFile_ = harness::WindowsFolder() + "\\msim.ini";
    DeleteFileA(helpSettingsFile_.c_str());
  }
  void TearDown() override {
    DeleteFileA(helpSettingsFile_.c_str());
    ResetFolders();
  }

  // For the next case of a table: an empty installation folder and journal.
  void StartAfresh() {
    harness::DeleteTree(installFolder_);
    ASSERT_TRUE(CreateDirectoryA(installFolder_.c_str(), nullptr));
    context_.journal.Free();
  }

  // Attaches the archive (read from guarded memory) and runs the extraction.
  bool Extract(const std::string& archive, HWND ownerWindow = nullptr) {
    Attach(archive);
    return ExtractPayload(context_, ownerWindow);
  }
  void Attach(const std::string& archive) {
    archive_ = std::make_unique<GuardedArchive>(archive);
    AttachArchive(context_, archive_->Data(), archive_->Size());
  }

  std::vector<std::string> Records() const {
    std::vector<std::string> records;
    for (const JournalNode* node = context_.journal.First(); node != nullptr; node = node->next) {
      records.push_back(node->text);
    }
    return records;
  }
  // A path inside the installation folder.
  std::string In(const std::string& relative) const { return installFolder_ + "\\" + relative; }
  std::vector<std::string> InstalledTree() const { return harness::ListTree(installFolder_); }
  // Everything in the scratch folder, the installation folder included: what
  // an unsafe archive might have written beside it shows up here.
  std::vector<std::string> ScratchTree() const { return harness::ListTree(scratch_.Path()); }

  harness::ScratchFolder scratch_;
  std::string installFolder_;
  std::string helpSettingsFile_;
  std::unique_ptr<GuardedArchive> archive_;
  ExtractionContext context_;
};
