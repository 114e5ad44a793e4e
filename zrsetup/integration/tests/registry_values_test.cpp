// The registry writers against Wine's registry: keys, value names, types and
// data, each text with its terminating NUL. (Wine stores a NUL after a REG_SZ
// even when the byte count leaves it out, so reading back catches a count that
// is too large but not one that omits the NUL.)
#include "registry_values.h"

#include <gtest/gtest.h>

#include <string>

#include "install_folders.h"
#include "windows_state.h"

namespace {

using harness::ReadRegistryValue;

constexpr const char* kZrKey = "SOFTWARE\\MicroSim\\MicroSim\\ZR";
constexpr const char* kSimulatorKey = "SOFTWARE\\MicroSim\\MicroSim\\8.0";

std::string WithNul(const std::string& text) { return text + '\0'; }

void ExpectStringValue(HKEY hive, const char* key, const char* name, const std::string& text) {
  SCOPED_TRACE(std::string(key) + " " + (name != nullptr ? name : "(default)"));
  const harness::RegistryValue value = ReadRegistryValue(hive, key, name);
  ASSERT_TRUE(value.found);
  EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(value.data, WithNul(text));
}

class RegistryValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness::DeleteRegistryTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\MicroSim");
    harness::DeleteRegistryTree(HKEY_CLASSES_ROOT, ".zre");
    harness::DeleteRegistryTree(HKEY_CLASSES_ROOT, "WinZREStarter");
    InstallationFolder.Assign("C:\\Program Files\\ZR Sim\\");
    UserFolder.Assign("D:\\My Simulations");
  }
  void TearDown() override { ResetFolders(); }
};

TEST_F(RegistryValuesTest, FolderValuesHoldTheFoldersAsAccepted) {
  WriteFolderValues();
  ExpectStringValue(HKEY_LOCAL_MACHINE, kZrKey, "InstallationFolder",
                    "C:\\Program Files\\ZR Sim\\");
  ExpectStringValue(HKEY_LOCAL_MACHINE, kZrKey, "UserFolder", "D:\\My Simulations");
}

TEST_F(RegistryValuesTest, FolderValuesReplaceEarlierOnes) {
  ASSERT_TRUE(harness::WriteRegistryValue(HKEY_LOCAL_MACHINE, kZrKey, "UserFolder", REG_SZ,
                                          WithNul("an older and much longer folder name")));
  WriteFolderValues();
  ExpectStringValue(HKEY_LOCAL_MACHINE, kZrKey, "UserFolder", "D:\\My Simulations");
}

TEST_F(RegistryValuesTest, SimulatorKeyIsCreatedEmptyAndKeptWhenPresent) {
  EnsureSimulatorKey();
  EXPECT_TRUE(harness::RegistryKeyExists(HKEY_LOCAL_MACHINE, kSimulatorKey));
  EXPECT_FALSE(ReadRegistryValue(HKEY_LOCAL_MACHINE, kSimulatorKey, nullptr).found);

  ASSERT_TRUE(harness::WriteRegistryValue(HKEY_LOCAL_MACHINE, kSimulatorKey, "Kept", REG_SZ,
                                          WithNul("yes")));
  EnsureSimulatorKey();
  ExpectStringValue(HKEY_LOCAL_MACHINE, kSimulatorKey, "Kept", "yes");
}

TEST_F(RegistryValuesTest, FileAssociationNamesTheStarterAndTheSimulator) {
  CountedString commandLine;
  commandLine.Assign(
      "\"C:\\Program Files\\ZR Sim\\\\BinDL\\psched.exe\" -i "
      "\"C:\\Program Files\\ZR Sim\\\\BinDL\\zrsim.ini\"");
  RegisterFileAssociation(commandLine);

  const harness::RegistryValue type = ReadRegistryValue(HKEY_CLASSES_ROOT, ".zre", nullptr);
  ASSERT_TRUE(type.found);
  EXPECT_EQ(type.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(type.data.size(), 14u);
  EXPECT_EQ(type.data, WithNul("WinZREStarter"));
  ExpectStringValue(HKEY_CLASSES_ROOT, "WinZREStarter\\shell\\open\\command", nullptr,
                    "\"C:\\Program Files\\ZR Sim\\\\BinDL\\winzre.exe\" %1");
  ExpectStringValue(HKEY_CLASSES_ROOT, "WinZREStarter\\psched", nullptr, commandLine.Text());
}

// A volatile key takes no lasting subkeys, so the command key below it can be
// neither opened nor created: only that key's value is lost.
TEST_F(RegistryValuesTest, KeyThatCannotBeCreatedLosesOnlyItsOwnValue) {
  for (DWORD options : {REG_OPTION_NON_VOLATILE, REG_OPTION_VOLATILE}) {
    const char* key = options == REG_OPTION_VOLATILE ? "WinZREStarter\\shell" : "WinZREStarter";
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, options, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
  }
  CountedString commandLine;
  commandLine.Assign("\"psched.exe\" -i \"zrsim.ini\"");
  RegisterFileAssociation(commandLine);

  EXPECT_FALSE(
      harness::RegistryKeyExists(HKEY_CLASSES_ROOT, "WinZREStarter\\shell\\open\\command"));
  ExpectStringValue(HKEY_CLASSES_ROOT, ".zre", nullptr, "WinZREStarter");
  ExpectStringValue(HKEY_CLASSES_ROOT, "WinZREStarter\\psched", nullptr, commandLine.Text());
}

TEST_F(RegistryValuesTest, HelpMacrosAreAllowed) {
  AllowHelpMacros();
  const harness::RegistryValue value = ReadRegistryValue(
      HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\WinHelp", "AllowProgrammaticMacros");
  ASSERT_TRUE(value.found);
  EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value.data, std::string("\x01\x00\x00\x00", 4));
}

}  // namespace
