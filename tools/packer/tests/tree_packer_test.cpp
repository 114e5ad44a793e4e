#include "tree_packer.h"

#include <sys/stat.h>

#include <functional>
#include <string>

#include "gtest/gtest.h"
#include "payload_archive.h"
#include "temp_tree.h"

namespace payload {
namespace {

namespace fs = std::filesystem;
using std::string_literals::operator""s;

// Packs the tree and returns the archive; the outcome goes to `outcome`.
std::string Pack(const TempTree& tree, ArchiveForm form, PackOutcome* outcome) {
  ArchiveWriter writer;
  *outcome = PackTree(tree.root(), form, &writer);
  return AsString(writer.bytes());
}

TEST(TreePackerTest, GatesetupTreeIsPackedByteForByte) {
  TempTree tree;
  tree.AddFile("b.txt", "hello");
  tree.AddFile("a/inner/x", "X");
  tree.AddFile("a/empty.bin");
  tree.AddFile("Zeta.txt", "zz");
  tree.AddFolder("a/void");

  PackOutcome outcome;
  const std::string archive = Pack(tree, ArchiveForm::kGatesetup, &outcome);

  ASSERT_TRUE(outcome.packed) << outcome.error;
  EXPECT_TRUE(outcome.warnings.empty());
  EXPECT_EQ(archive,
            "FZeta.txt\0\x02\0\0\0zz"
            "Da\0"
            "Fempty.bin\0\0\0\0\0"
            "Dinner\0Fx\0\x01\0\0\0XR"
            "Dvoid\0R"
            "R"
            "Fb.txt\0\x05\0\0\0hello"
            "E"s);
}

TEST(TreePackerTest, ZrsetupTreeIsPackedByteForByte) {
  TempTree tree;
  tree.AddFile("BinDL/prog.exe", "MZ");
  tree.AddFile("BinDL/sub/lib.dll", "L");
  tree.AddFile("Examples/amp.sch", "S");

  PackOutcome outcome;
  const std::string archive = Pack(tree, ArchiveForm::kZrsetup, &outcome);

  ASSERT_TRUE(outcome.packed) << outcome.error;
  EXPECT_TRUE(outcome.warnings.empty());
  EXPECT_EQ(archive,
            "B"
            "Fprog.exe\0\x02\0\0\0MZ"
            "Dsub\0Flib.dll\0\x01\0\0\0LR"
            "E"
            "Famp.sch\0\x01\0\0\0S"
            "\0"s);
}

TEST(TreePackerTest, EntriesStandInAscendingByteOrder) {
  TempTree tree;
  for (const char* name : {"apple", "file9", "_under", "Banana", "file10", "ab", "a b", "a"}) {
    tree.AddFile(name, name);
  }
  tree.AddFolder("Cherry");

  PackOutcome outcome;
  const std::string archive = Pack(tree, ArchiveForm::kGatesetup, &outcome);

  ASSERT_TRUE(outcome.packed) << outcome.error;
  // Capitals, then '_', then small letters; a name before its extensions.
  EXPECT_EQ(archive, FileEntry("Banana", "Banana") + DirectoryEntry("Cherry", "") +
                         FileEntry("_under", "_under") + FileEntry("a", "a") +
                         FileEntry("a b", "a b") + FileEntry("ab", "ab") +
                         FileEntry("apple", "apple") + FileEntry("file10", "file10") +
                         FileEntry("file9", "file9") + "E");
}

TEST(TreePackerTest, ZrsetupTreeWithOneSectionIsPackedWithAWarning) {
  struct Case {
    const char* present;
    const char* missing;
    std::uint8_t section_tag;
  };
  for (const Case& c : {Case{"BinDL", "Examples", kProgramsSectionTag},
                        Case{"Examples", "BinDL", kExamplesSectionTag}}) {
    SCOPED_TRACE(c.present);
    TempTree tree;
    tree.AddFile(std::string(c.present) + "/f", "1");

    PackOutcome outcome;
    const std::string archive = Pack(tree, ArchiveForm::kZrsetup, &outcome);

    ASSERT_TRUE(outcome.packed) << outcome.error;
    EXPECT_EQ(archive,
              std::string(1, static_cast<char>(c.section_tag)) + FileEntry("f", "1") + '\0');
    ASSERT_EQ(outcome.warnings.size(), 1u);
    EXPECT_NE(outcome.warnings[0].find(tree.Path(c.missing).string()), std::string::npos)
        << outcome.warnings[0];
  }
}

TEST(TreePackerTest, ZrsetupSectionsMayBeEmpty) {
  TempTree tree;
  tree.AddFolder("BinDL");
  tree.AddFolder("Examples");

  PackOutcome outcome;
  EXPECT_EQ(Pack(tree, ArchiveForm::kZrsetup, &outcome), "BE\0"s);
  EXPECT_TRUE(outcome.packed) << outcome.error;
}

TEST(TreePackerTest, NestingStaysWithinTheReadersLimit) {
  // The folder unpacked into counts as the first level.
  std::string deepest_allowed = "d";
  for (int level = 3; level <= kMaxNestingDepth; ++level) deepest_allowed += "/d";
  {
    TempTree tree;
    tree.AddFile(deepest_allowed + "/f");
    PackOutcome outcome;
    Pack(tree, ArchiveForm::kGatesetup, &outcome);
    EXPECT_TRUE(outcome.packed) << outcome.error;
  }
  {
    TempTree tree;
    tree.AddFolder(deepest_allowed + "/d");
    PackOutcome outcome;
    Pack(tree, ArchiveForm::kGatesetup, &outcome);
    EXPECT_FALSE(outcome.packed);
    EXPECT_NE(outcome.error.find(tree.Path(deepest_allowed + "/d").string() + ":"),
              std::string::npos)
        << outcome.error;
  }
}

struct RefusalCase {
  const char* what;
  ArchiveForm form;
  std::function<void(const TempTree&)> build;
  const char* offending;  // relative to the tree's root; "" for the root itself
};

TEST(TreePackerTest, RefusesWhatTheInstallersCannotUnpackNamingThePath) {
  const ArchiveForm gate = ArchiveForm::kGatesetup;
  const ArchiveForm zr = ArchiveForm::kZrsetup;
  const RefusalCase cases[] = {
      {"backslash", gate, [](const TempTree& t) { t.AddFile("a\\b"); }, "a\\b"},
      {"colon", gate, [](const TempTree& t) { t.AddFile("data:stream"); }, "data:stream"},
      {"tab", gate, [](const TempTree& t) { t.AddFile("tab\tname"); }, "tab\tname"},
      {"DEL", gate, [](const TempTree& t) { t.AddFile("del\x7f"); }, "del\x7f"},
      {"UTF-8", gate, [](const TempTree& t) { t.AddFile("caf\xc3\xa9"); }, "caf\xc3\xa9"},
      {"bad folder name", gate, [](const TempTree& t) { t.AddFolder("x:y"); }, "x:y"},
      {"bad name deep down", zr,
       [](const TempTree& t) {
         t.AddFile("BinDL/ok.txt");
         t.AddFile("Examples/sub/bad\\name");
       },
       "Examples/sub/bad\\name"},
      {"names equal but for case", gate,
       [](const TempTree& t) {
         t.AddFile("sub/Read.me");
         t.AddFile("sub/read.ME");
       },
       "sub/read.ME"},
      {"symbolic link to a file", gate,
       [](const TempTree& t) {
         t.AddFile("target");
         fs::create_symlink(t.Path("target"), t.Path("link"));
       },
       "link"},
      {"symbolic link to a folder", gate,
       [](const TempTree& t) {
         t.AddFolder("dir");
         t.AddFolder("sub");
         fs::create_directory_symlink(t.Path("dir"), t.Path("sub/link"));
       },
       "sub/link"},
      {"dangling symbolic link", gate,
       [](const TempTree& t) { fs::create_symlink(t.Path("nowhere"), t.Path("link")); }, "link"},
      {"named pipe", gate,
       [](const TempTree& t) { ASSERT_EQ(mkfifo(t.Path("pipe").c_str(), 0600), 0); }, "pipe"},
      {"file of 4 GiB", gate,
       [](const TempTree& t) {
         t.AddFile("big");
         fs::resize_file(t.Path("big"), std::uintmax_t{1} << 32);  // sparse: costs no disk
       },
       "big"},
      {"zrsetup tree with neither section", zr, [](const TempTree& t) { t.AddFolder("Other"); },
       "Other"},
      {"zrsetup tree that is empty", zr, [](const TempTree&) {}, ""},
      {"file beside the sections", zr,
       [](const TempTree& t) {
         t.AddFolder("BinDL");
         t.AddFolder("Examples");
         t.AddFile("readme.txt");
       },
       "readme.txt"},
      {"section folder in the wrong case", zr,
       [](const TempTree& t) {
         t.AddFolder("BinDL");
         t.AddFolder("examples");
       },
       "examples"},
      {"section that is a file", zr,
       [](const TempTree& t) {
         t.AddFolder("Examples");
         t.AddFile("BinDL");
       },
       "BinDL"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempTree tree;
    c.build(tree);
    const std::string offending =
        (*c.offending == '\0' ? tree.root() : tree.Path(c.offending)).string();

    PackOutcome outcome;
    Pack(tree, c.form, &outcome);

    EXPECT_FALSE(outcome.packed);
    EXPECT_EQ(outcome.error.rfind(offending + ": ", 0), 0u) << outcome.error;
  }
}

TEST(TreePackerTest, RefusesARootThatIsNoFolder) {
  TempTree tree;
  tree.AddFile("file");
  for (const std::string& root : {tree.Path("file").string(), tree.Path("absent").string()}) {
    ArchiveWriter writer;
    const PackOutcome outcome = PackTree(root, ArchiveForm::kGatesetup, &writer);
    EXPECT_FALSE(outcome.packed);
    EXPECT_EQ(outcome.error.rfind(root + ": ", 0), 0u) << outcome.error;
  }
}

TEST(TreePackerTest, PackableNamesArePrintableAsciiSafeNames) {
  const std::string longest(kMaxNameLength, 'n');
  const std::string packable[] = {"a", "Read Me.txt", "~$!#%&'()+,;=@[]^`{}", longest};
  const std::string refused[] = {
      longest + "n",
      "",
      ".",
      "..",
      "a/b",
      "a\\b",
      "c:",
      "new\nline",
      "del\x7f",
      "caf\xe9",
      "nul"s + '\0' + "inside",
      "...",
      "a?b",
      "ends.",
      "CON",
      "aux.txt",
  };
  for (const std::string& name : packable) EXPECT_TRUE(IsPackableName(name)) << '"' << name << '"';
  for (const std::string& name : refused) EXPECT_FALSE(IsPackableName(name)) << '"' << name << '"';
}

}  // namespace
}  // namespace payload
