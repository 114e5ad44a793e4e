#include "simulator_command_line.h"

void BuildSimulatorCommandLine(const CountedString& installationFolder,
                               CountedString& commandLine) {
  commandLine.Concat("\"", installationFolder.CStr(), "\\BinDL\\psched.exe\" -i \"");
  commandLine.Append(installationFolder.CStr());
  commandLine.Append("\\BinDL\\zrsim.ini\"");
}
