// The parcelwright program as a user runs it.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A small package exercising each placement, and the files behind it.
struct Package {
  CScratchDir dir;
  std::vector<std::string> files;

  Package() {
    WriteFile(dir / "PRODUCT1.prd", "product file");
    WriteFile(dir / "Readme.PRD", "capital extension");
    WriteFile(dir / "x.prdata", "counts as product");
    WriteFile(dir / "readme.txt", "in a folder");
    files = {dir / "PRODUCT1.prd", dir / "Readme.PRD", dir / "x.prdata", dir / "readme.txt=Sub\\Readme.txt"};
  }
};

TEST(Cli, PackListVerifyExtractRoundTrip) {
  Package package;
  std::string block = package.dir / "payload.bin";
  std::vector<std::string> args = {"pack", "-o", block};
  args.insert(args.end(), package.files.begin(), package.files.end());
  RunResult packed = RunTool(args);
  ASSERT_EQ(packed.code, 0) << packed.err;
  EXPECT_EQ(packed.err, "");

  RunResult listed = RunTool({"list", block});
  ASSERT_EQ(listed.code, 0) << listed.err;
  EXPECT_EQ(listed.out,
            "entries: 4\n"
            "0\thost\t12\tPRODUCT1.prd\tPRODUCT1.prd\n"
            "1\tOEM\t17\tReadme.PRD\tOEM\\Readme.PRD\n"
            "2\thost\t17\tx.prdata\tx.prdata\n"
            "3\tOEM\t11\tSub\\Readme.txt\tSub\\OEM\\Readme.txt\n");

  RunResult verified = RunTool({"verify", block});
  EXPECT_EQ(verified.code, 0) << verified.err;
  EXPECT_EQ(verified.out, "ok: 4 entries, " + std::to_string(ReadFile(block).size()) + " bytes\n");

  std::string host = package.dir / "host";
  MakeDir(host);
  MakeDir(host + "/Sub");
  RunResult extracted = RunTool({"extract", block, "-C", host});
  ASSERT_EQ(extracted.code, 0) << extracted.err;
  EXPECT_EQ(ReadFile(host + "/PRODUCT1.prd"), "product file");
  EXPECT_EQ(ReadFile(host + "/OEM/Readme.PRD"), "capital extension");
  EXPECT_EQ(ReadFile(host + "/x.prdata"), "counts as product");
  EXPECT_EQ(ReadFile(host + "/Sub/OEM/Readme.txt"), "in a folder");
  EXPECT_TRUE(Contains(extracted.out, "OEM  " + host + "/Sub/OEM/Readme.txt\n")) << extracted.out;

  // Without Sub its OEM folder cannot be made and the last entry fails.
  std::string bare = package.dir / "bare";
  MakeDir(bare);
  RunResult failed = RunTool({"extract", block, "-C", bare});
  EXPECT_EQ(failed.code, 1);
  EXPECT_TRUE(Contains(failed.err, "entry 3 \"Sub\\Readme.txt\"")) << failed.err;
  EXPECT_EQ(ReadFile(bare + "/x.prdata"), "counts as product");
  EXPECT_FALSE(Exists(bare + "/Sub"));
}

TEST(Cli, LiteralFileAndCodePage) {
  CScratchDir dir;
  WriteFile(dir / "a=b.txt", "eq");
  WriteFile(dir / "caf\xC3\xA9.ini", "cp");
  RunResult packed = RunTool({"pack", "-o", dir / "p.bin", "--codepage=1252", "--file", dir / "a=b.txt",
                              dir / "caf\xC3\xA9.ini"});
  ASSERT_EQ(packed.code, 0) << packed.err;
  const char expected[] = "\x02\0\0\0a=b.txt\0\x02\0\0\0eqcaf\xE9.ini\0\x02\0\0\0cp";
  EXPECT_EQ(ReadFile(dir / "p.bin"), std::string(expected, sizeof expected - 1));
  RunResult listed = RunTool({"list", dir / "p.bin"});
  EXPECT_TRUE(Contains(listed.out, "\tcaf\xC3\xA9.ini\t")) << listed.out;

  RunResult refused = RunTool({"pack", "-o", dir / "q.bin", "--codepage", "932", dir / "caf\xC3\xA9.ini"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_TRUE(Contains(refused.err, dir / "caf\xC3\xA9.ini")) << refused.err;
  EXPECT_FALSE(Exists(dir / "q.bin"));
}

TEST(Cli, VerifyNamesTheFault) {
  CScratchDir dir;
  Bytes good = BlockOf({{"a.prd", "product"}, {"b.ico", "icon"}});
  struct Case {
    const char* what;
    Bytes block;
    const char* message;
  };
  Bytes cut(good.begin(), good.end() - 1);
  Bytes trailing = good;
  trailing.push_back(0);
  const Case cases[] = {
      {"cut short", cut, "entry 1 of 2 at offset 21: an entry's data run past the end of the block"},
      {"trailing byte", trailing, "1 bytes trail the last entry, from offset 35"},
      {"escaping name", BlockOf({{"..\\..\\evil.dll", "x"}}), "'..'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(dir / "b.bin", std::string(c.block.begin(), c.block.end()));
    RunResult verified = RunTool({"verify", dir / "b.bin"});
    EXPECT_EQ(verified.code, 1);
    EXPECT_TRUE(Contains(verified.err, c.message)) << verified.err;
    EXPECT_EQ(verified.out, "");
  }
}

TEST(Cli, EveryCommandHasHelp) {
  for (const char* command : {"build", "pack", "list", "verify", "extract"}) {
    SCOPED_TRACE(command);
    RunResult help = RunTool({command, "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind(std::string("usage: parcelwright ") + command, 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
  }
  RunResult top = RunTool({"--help"});
  EXPECT_EQ(top.code, 0);
  EXPECT_TRUE(Contains(top.out, "extract"));
}

TEST(Cli, UsageErrorsExitTwo) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{}, "usage: parcelwright COMMAND"},
      {{"unpack"}, "unknown command \"unpack\""},
      {{"build", "x.prd"}, "no output given"},
      {{"pack", "-o"}, "option -o needs a value"},
      {{"pack", "-o", "a", "-o", "b"}, "option -o is given twice"},
      {{"pack", "-o", "a", "--frobnicate"}, "unknown option --frobnicate"},
      {{"pack", "-o", "a", "--codepage", "abc"}, "code page \"abc\""},
      {{"pack", "-o", "a", "--codepage", "99999"}, "code page \"99999\""},
      {{"pack", "-o", "a", "=name"}, "no file before '='"},
      {{"build", "-o", "a", "--resource-name", "#1", "f"}, "starts with '#'"},
      {{"build", "-o", "a", "--arch", "arm64", "f"}, "--arch must be i686 or x86_64"},
      {{"build", "-o", "a", "--payload", "p", "f"}, "either --payload or files"},
      {{"list"}, "exactly one FILE"},
      {{"verify", "a", "b"}, "exactly one FILE"},
      {{"extract", "a"}, "no folder given (-C DIR)"},
      {{"list", "--help=yes"}, "takes no value"},
  };
  for (const Case& c : cases) {
    std::string label;
    for (const std::string& a : c.args) label += a + " ";
    SCOPED_TRACE(label);
    RunResult result = RunTool(c.args);
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(Contains(result.err, c.message)) << result.err;
  }
}

TEST(Cli, FailuresExitOne) {
  CScratchDir dir;
  WriteFile(dir / "ok.txt", "x");
  WriteFile(dir / "fake.exe", "MZ but nothing else of a PE image");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"pack", "-o", dir / "o.bin", dir / "ok.txt", dir / "missing.txt"}, dir / "missing.txt"},
      {{"pack", "-o", dir / "o.bin", dir / "ok.txt=C:\\ok.txt"}, "drive letter"},
      {{"pack", "-o", dir / "no/such/dir/o.bin", dir / "ok.txt"}, "cannot write"},
      {{"list", dir / "fake.exe"}, "PE"},
      {{"verify", dir / "missing.bin"}, "missing.bin"},
      {{"build", "-o", dir / "o.exe", "--stub", dir / "fake.exe", dir / "ok.txt"}, "fake.exe"},
      {{"build", "-o", dir / "o.exe", "--stub", dir / "ok.txt", dir / "ok.txt"}, "no MZ header"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.message);
    RunResult result = RunTool(c.args);
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(Contains(result.err, c.message)) << result.err;
  }
  EXPECT_FALSE(Exists(dir / "o.bin"));
  EXPECT_FALSE(Exists(dir / "o.exe"));
}

class CliStubTest : public testing::Test {
 protected:
  void SetUp() override {
    m_stub = PW_STUB_I686;
    if (m_stub.empty() || !Exists(m_stub)) GTEST_SKIP() << "no stub: configure with -DPW_STUB_I686=path/to/Setup.exe";
  }
  std::string m_stub;
};

TEST_F(CliStubTest, BuildThenExamineTheInstaller) {
  Package package;
  std::string exe = package.dir / "MyAddon.exe";
  std::vector<std::string> args = {"build", "-o", exe, "--arch", "i686", "--stub", m_stub};
  args.insert(args.end(), package.files.begin(), package.files.end());
  RunResult built = RunTool(args);
  ASSERT_EQ(built.code, 0) << built.err;
  EXPECT_EQ(built.err, "");

  RunResult listed = RunTool({"list", exe});
  ASSERT_EQ(listed.code, 0) << listed.err;
  EXPECT_EQ(listed.out.rfind("resource: EXE_DUMP #24001, ", 0), 0u) << listed.out;
  EXPECT_TRUE(Contains(listed.out, "3\tOEM\t11\tSub\\Readme.txt\tSub\\OEM\\Readme.txt\n")) << listed.out;
  RunResult verified = RunTool({"verify", exe});
  EXPECT_EQ(verified.code, 0) << verified.err;
  EXPECT_TRUE(Contains(verified.out, "in EXE_DUMP #24001")) << verified.out;

  // The block inside is the one pack writes for the same files.
  std::vector<std::string> packArgs = {"pack", "-o", package.dir / "p.bin"};
  packArgs.insert(packArgs.end(), package.files.begin(), package.files.end());
  ASSERT_EQ(RunTool(packArgs).code, 0);
  std::string image = ReadFile(exe);
  EXPECT_TRUE(Contains(image, ReadFile(package.dir / "p.bin")));

  args[2] = package.dir / "again.exe";
  ASSERT_EQ(RunTool(args).code, 0);
  EXPECT_TRUE(ReadFile(package.dir / "again.exe") == image) << "two builds differ";

  std::string host = package.dir / "host";
  MakeDir(host);
  MakeDir(host + "/Sub");
  ASSERT_EQ(RunTool({"extract", exe, "-C", host}).code, 0);
  EXPECT_EQ(ReadFile(host + "/Sub/OEM/Readme.txt"), "in a folder");
}

TEST_F(CliStubTest, EmbedsAnyPayloadWithAWarning) {
  CScratchDir dir;
  WriteFile(dir / "junk.bin", std::string("\x05\0\0\0not really", 14));
  RunResult built = RunTool({"build", "-o", dir / "j.exe", "--stub", m_stub, "--payload", dir / "junk.bin",
                             "--resource-name", "junk"});
  ASSERT_EQ(built.code, 0) << built.err;
  EXPECT_TRUE(Contains(built.err, "warning")) << built.err;
  EXPECT_TRUE(Contains(ReadFile(dir / "j.exe"), ReadFile(dir / "junk.bin")));
  RunResult listed = RunTool({"list", dir / "j.exe"});
  EXPECT_EQ(listed.code, 1);
  EXPECT_EQ(listed.out.rfind("resource: EXE_DUMP JUNK, 14 bytes\n", 0), 0u) << listed.out;
}

TEST_F(CliStubTest, DefaultStubLivesNextToTheProgram) {
  CScratchDir dir;
  std::string program = dir / "parcelwright";
  WriteFile(program, ReadFile(PARCELWRIGHT_EXE));
  chmod(program.c_str(), 0755);
  WriteFile(dir / "Setup.exe", ReadFile(m_stub));
  WriteFile(dir / "a.prd", "a");
  std::string command = "'" + program + "' build -o '" + (dir / "out.exe") + "' '" + (dir / "a.prd") + "' 2>/dev/null";
  EXPECT_EQ(system(command.c_str()), 0);
  EXPECT_TRUE(Exists(dir / "out.exe"));
  command = "'" + program + "' build --arch x86_64 -o '" + (dir / "x.exe") + "' '" + (dir / "a.prd") + "' 2>'" +
            (dir / "err") + "'";
  EXPECT_NE(system(command.c_str()), 0);
  EXPECT_TRUE(Contains(ReadFile(dir / "err"), dir / "Setup-x64.exe")) << ReadFile(dir / "err");
}

TEST_F(CliStubTest, ArchMustMatchTheStub) {
  CScratchDir dir;
  WriteFile(dir / "a.prd", "a");
  RunResult built = RunTool({"build", "-o", dir / "o.exe", "--arch", "x86_64", "--stub", m_stub, dir / "a.prd"});
  EXPECT_EQ(built.code, 1);
  EXPECT_TRUE(Contains(built.err, "is not an x86_64 image")) << built.err;
}

}  // namespace
