#include "simulator_command_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct CommandLineCase {
  const char* installationFolder;
  const char* commandLine;
};

// Both paths stay one argument each, whatever the folder holds; the folder is
// used as accepted, so a trailing backslash gives two in a row.
TEST(SimulatorCommandLine, QuotesBothPathsOfTheInstallationFolder) {
  const CommandLineCase cases[] = {
      {"D:\\Sim", "\"D:\\Sim\\BinDL\\psched.exe\" -i \"D:\\Sim\\BinDL\\zrsim.ini\""},
      {"C:\\Program Files\\Morvane",
       "\"C:\\Program Files\\Morvane\\BinDL\\psched.exe\" -i "
       "\"C:\\Program Files\\Morvane\\BinDL\\zrsim.ini\""},
      {"E:\\", "\"E:\\\\BinDL\\psched.exe\" -i \"E:\\\\BinDL\\zrsim.ini\""},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(c.installationFolder);
    CountedString folder;
    folder.Assign(c.installationFolder);
    CountedString commandLine;
    BuildSimulatorCommandLine(folder, commandLine);
    ASSERT_NE(commandLine.Text(), nullptr);
    EXPECT_EQ(std::string(commandLine.Text()), c.commandLine);
    EXPECT_EQ(commandLine.Length(), static_cast<std::int32_t>(std::strlen(c.commandLine)));
  }
}

// A command line built before is replaced, not extended.
TEST(SimulatorCommandLine, ReplacesAnEarlierText) {
  CountedString folder;
  folder.Assign("D:\\Sim");
  CountedString commandLine;
  commandLine.Assign("left over");
  BuildSimulatorCommandLine(folder, commandLine);
  EXPECT_EQ(std::string(commandLine.Text()),
            "\"D:\\Sim\\BinDL\\psched.exe\" -i \"D:\\Sim\\BinDL\\zrsim.ini\"");
}

}  // namespace
