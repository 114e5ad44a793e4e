// Runs the real zrpack program and checks its exit codes and what it leaves.
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "temp_tree.h"

namespace payload {
namespace {

namespace fs = std::filesystem;
using std::string_literals::operator""s;

// Runs zrpack with `arguments` (already quoted for the shell), its standard
// error going to `error_file`; returns its exit code.
int RunZrpack(const std::string& arguments, const fs::path& error_file) {
  const std::string command = "'" ZRPACK_PATH "' " + arguments + " 2>'" + error_file.string() + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

class ZrpackTest : public ::testing::Test {
 protected:
  TempTree input_;
  TempTree work_;
  const fs::path output_ = work_.Path("payload.bin");
  const fs::path errors_ = work_.Path("stderr.txt");
};

TEST_F(ZrpackTest, PacksATreeIntoTheOutputFile) {
  input_.AddFile("BinDL/run.exe", "MZ\r\n\x1a\0"s);  // bytes a text stream would alter

  EXPECT_EQ(RunZrpack("--format zrsetup " + Quoted(input_.root()) + " " + Quoted(output_), errors_),
            0);

  EXPECT_EQ(AsString(ReadWholeFile(output_)), "B" + FileEntry("run.exe", "MZ\r\n\x1a\0"s) + '\0');
  const std::string errors = AsString(ReadWholeFile(errors_));
  EXPECT_NE(errors.find(input_.Path("Examples").string()), std::string::npos) << errors;
  EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(work_.root()), {}).size(), 2u)
      << "only the output and the captured standard error";
}

TEST_F(ZrpackTest, RefusedTreeLeavesNoOutputFile) {
  input_.AddFile("good.txt", "fine");
  input_.AddFile("bad:name", "refused");

  EXPECT_EQ(
      RunZrpack("--format gatesetup " + Quoted(input_.root()) + " " + Quoted(output_), errors_), 1);

  const std::string errors = AsString(ReadWholeFile(errors_));
  EXPECT_NE(errors.find(input_.Path("bad:name").string()), std::string::npos) << errors;
  EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(work_.root()), {}),
            std::vector<fs::path>{errors_});
}

TEST_F(ZrpackTest, UnwritableOutputIsAFailure) {
  input_.AddFile("f", "x");
  const fs::path output = work_.Path("missing-folder/payload.bin");

  EXPECT_EQ(
      RunZrpack("--format gatesetup " + Quoted(input_.root()) + " " + Quoted(output), errors_), 1);

  const std::string errors = AsString(ReadWholeFile(errors_));
  EXPECT_NE(errors.find(output.string()), std::string::npos) << errors;
}

TEST_F(ZrpackTest, BadArgumentsGetTheUsageAndExitCode2) {
  input_.AddFile("f", "x");
  const std::string folder = Quoted(input_.root());
  const std::string output = Quoted(output_);
  for (const std::string& arguments :
       {""s, "--format gatesetup "s + folder, "--format zip "s + folder + " " + output,
        "--fmt gatesetup "s + folder + " " + output,
        "--format gatesetup "s + folder + " " + output + " extra"}) {
    SCOPED_TRACE(arguments);
    EXPECT_EQ(RunZrpack(arguments, errors_), 2);
    EXPECT_NE(AsString(ReadWholeFile(errors_)).find("usage: zrpack"), std::string::npos);
    EXPECT_FALSE(fs::exists(output_));
  }
}

}  // namespace
}  // namespace payload
