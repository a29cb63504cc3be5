// The installer writing its payload: where each entry goes, what a failure
// leaves behind, and blocks it must refuse. Each case makes its installer
// from a payload block with the shipped packager and presses Install.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Files.h"
#include "HostRegistration.h"
#include "PayloadInstallerTest.h"
#include "Packager.h"
#include "PayloadBlock.h"
#include "TestConfig.h"

namespace pw {
namespace {

class ExtractionTest : public PayloadInstallerTest {};

TEST_F(ExtractionTest, EachEntryGoesWhereItsNameSays) {
  ASSERT_TRUE(MakeDirectories(Host().PathOf("Sub\\")).ok());
  struct Entry {
    const char* name;
    std::string data;
    const char* destination;  // relative to the host folder; null: overwritten later
  };
  const std::vector<Entry> entries = {
      {"Addon.prd", Pattern(70001, 1), "Addon.prd"},  // odd sizes put later fields at odd offsets
      {"Readme.PRD", "caps", "OEM\\Readme.PRD"},        // the rule is case-sensitive
      {"x.prdata", "prd inside", "x.prdata"},
      {"Addon.ico", Pattern(65536, 2), "OEM\\Addon.ico"},
      {"Empty.txt", "", "OEM\\Empty.txt"},
      {"Same.txt", "first", nullptr},
      {"Same.txt", "second wins", "OEM\\Same.txt"},
      {"Sub\\Readme.txt", "in a subfolder", "Sub\\OEM\\Readme.txt"},
      {"Tool.exe", Pattern(65537, 3), "OEM\\Tool.exe"},
  };
  std::vector<PayloadFile> files;
  for (const Entry& e : entries) files.push_back({e.name, e.data});
  ASSERT_NO_FATAL_FAILURE(MakeInstaller(PayloadBlock(files)));

  EXPECT_EQ(kInstalledText, InstallOnce());
  for (const Entry& e : entries) {
    if (e.destination) ExpectFile(Host().PathOf(e.destination), e.data);
  }
  EXPECT_FALSE(PathExists(Host().PathOf("OEM\\Addon.prd")));
}

TEST_F(ExtractionTest, ReferenceShapedPackageFromFiles) {
  const struct {
    const char* name;
    size_t size;
    const char* destination;
  } files[] = {{"KorvAddn.prd", 299008, "KorvAddn.prd"},
               {"KorvAddn.ico", 2238, "OEM\\KorvAddn.ico"},
               {"KorvAddn.ini", 552, "OEM\\KorvAddn.ini"},
               {"KorvAddn.exe", 28672, "OEM\\KorvAddn.exe"}};
  std::string src = CaseDir() + "src\\";
  ASSERT_TRUE(MakeDirectories(src).ok());
  std::vector<std::string> build = {"build", "-o", MadeInstaller(), "--stub", Config().installer};
  std::vector<std::string> pack = {"pack", "-o", CaseDir() + "block.bin"};
  unsigned seed = 10;
  for (const auto& f : files) {
    ASSERT_TRUE(WriteWholeFile(src + f.name, Pattern(f.size, seed++)).ok());
    build.push_back(src + f.name);
    pack.push_back(src + f.name);
  }
  Status built = RunPackager(build);
  ASSERT_TRUE(built.ok()) << built.error();
  Status packed = RunPackager(pack);
  ASSERT_TRUE(packed.ok()) << packed.error();
  Result<std::string> block = ReadWholeFile(CaseDir() + "block.bin");
  ASSERT_TRUE(block.ok());
  ASSERT_EQ(330542u, block.value().size());
  EXPECT_EQ(std::string("\x04\x00\x00\x00", 4), block.value().substr(0, 4));
  EXPECT_EQ(std::string("\x00\x90\x04\x00", 4), block.value().substr(17, 4));

  EXPECT_EQ(kInstalledText, InstallOnce());
  seed = 10;
  for (const auto& f : files) ExpectFile(Host().PathOf(f.destination), Pattern(f.size, seed++));
}

TEST_F(ExtractionTest, EmptyPayloadWritesNothing) {
  ASSERT_NO_FATAL_FAILURE(MakeInstaller(PayloadBlock({})));
  EXPECT_EQ(kInstalledText, InstallOnce());
  ExpectHostUntouched(Host());
}

TEST_F(ExtractionTest, ProductNameInTheHostPathSendsEverythingBesideTheHost) {
  HostFolder host(CaseDir() + "Data.prd\\host\\");
  ASSERT_NO_FATAL_FAILURE(MakeHost(host));
  ASSERT_NO_FATAL_FAILURE(MakeInstaller(PayloadBlock({{"Addon.ico", "icon"}, {"Addon.ini", "ini"}})));
  EXPECT_EQ(kInstalledText, InstallOnce());
  ExpectFile(host.PathOf("Addon.ico"), "icon");
  ExpectFile(host.PathOf("Addon.ini"), "ini");
  EXPECT_FALSE(PathExists(host.PathOf("OEM")));
}

// A destination that cannot be opened stops the install there: what came
// before stays, nothing after is written.
enum class Blocker { MissingSubfolder, EmptyName, LockedFile };

struct FailureCase {
  const char* name;
  Blocker blocker;
  const char* failing;  // the entry name that cannot be written
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class ExtractionFailureTest : public ExtractionTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ExtractionFailureTest, EarlierEntriesStayLaterOnesAreNotWritten) {
  const FailureCase& c = GetParam();
  HANDLE lock = INVALID_HANDLE_VALUE;
  if (c.blocker == Blocker::LockedFile) {
    ASSERT_TRUE(MakeDirectories(Host().PathOf("OEM\\")).ok());
    lock = CreateFileA(Host().PathOf("OEM\\locked.txt").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  }
  ASSERT_NO_FATAL_FAILURE(
      MakeInstaller(PayloadBlock({{"First.prd", "first"}, {c.failing, "blocked"}, {"After.txt", "after"}})));
  EXPECT_EQ(kFailedText, InstallOnce());
  if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);

  ExpectFile(Host().PathOf("First.prd"), "first");
  EXPECT_FALSE(PathExists(Host().PathOf("OEM\\After.txt")));
  if (c.blocker == Blocker::EmptyName) {
    EXPECT_TRUE(PathExists(Host().PathOf("OEM")));
  }
  if (c.blocker == Blocker::MissingSubfolder) {
    EXPECT_FALSE(PathExists(Host().PathOf("Sub")));
  }
  if (c.blocker == Blocker::LockedFile) ExpectFile(Host().PathOf("OEM\\locked.txt"), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, ExtractionFailureTest,
                         ::testing::Values(FailureCase{"MissingSubfolder", Blocker::MissingSubfolder, "Sub\\x.txt"},
                                           FailureCase{"EmptyName", Blocker::EmptyName, ""},
                                           FailureCase{"LockedFile", Blocker::LockedFile, "locked.txt"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A write that fails part-way (a full disk) fails the install. Under Wine a
// write smaller than the C runtime's buffer to /dev/full never fails, so
// both sizes are larger.
TEST_F(ExtractionTest, FullDiskFailsTheInstall) {
  HostFolder host("C:\\pwfixtures\\fulldisk\\");
  // Wine shows no attributes for a link to a device: the folder tells the
  // fixture ran.
  ASSERT_TRUE(PathExists(host.PathOf("OEM"))) << "made by make-full-disk.sh";
  ASSERT_NO_FATAL_FAILURE(MakeHost(host));
  for (size_t size : {(size_t)5000, (size_t)1 << 20}) {
    ASSERT_NO_FATAL_FAILURE(MakeInstaller(PayloadBlock({{"First.prd", "first"}, {"Full.bin", Pattern(size, 7)}})));
    EXPECT_EQ(kFailedText, InstallOnce()) << size << " bytes";
    ExpectFile(host.PathOf("First.prd"), "first");
    ASSERT_TRUE(RemoveTree(host.PathOf("First.prd")).ok());
  }
}

// Blocks that run past their end, or names that would leave the host
// folder: refused before the first byte is written.
struct UnsoundCase {
  const char* name;
  std::string block;
};

void PrintTo(const UnsoundCase& c, std::ostream* out) { *out << c.name; }

std::string WithSize(std::string block, size_t at, uint32_t size) {
  PutU32(&block, at, size);
  return block;
}

std::vector<UnsoundCase> UnsoundCases() {
  std::string two = PayloadBlock({{"Ok.prd", "fine"}, {"b.txt", "xyz"}});
  size_t secondSize = 4 + 7 + 4 + 4 + 6;
  return {
      {"NoCount", std::string("\x01\x00", 2)},
      {"CountBeyondTheEntries", WithSize(two, 0, 3)},
      {"SizeOneBytePastTheEnd", WithSize(two, secondSize, 4)},
      {"SizeNear4GiB", WithSize(two, secondSize, 0xFFFFFFF0u)},
      {"NameWithoutItsZero", std::string("\x02\x00\x00\x00Ok.prd\x00\x01\x00\x00\x00zb.txt", 21)},
      {"ClimbsOut", PayloadBlock({{"Ok.prd", "fine"}, {"..\\..\\evil.txt", "evil"}})},
      {"LeadingBackslash", PayloadBlock({{"Ok.prd", "fine"}, {"\\evil.txt", "evil"}})},
      {"DrivePath", PayloadBlock({{"Ok.prd", "fine"}, {"C:\\evil.txt", "evil"}})},
      {"Colon", PayloadBlock({{"Ok.prd", "fine"}, {"a:evil.txt", "evil"}})},
      {"SlashClimb", PayloadBlock({{"Ok.prd", "fine"}, {"Sub/../../evil.txt", "evil"}})},
  };
}

class UnsoundBlockTest : public ExtractionTest, public ::testing::WithParamInterface<UnsoundCase> {};

TEST_P(UnsoundBlockTest, FailsWithNothingWritten) {
  ASSERT_NO_FATAL_FAILURE(MakeInstaller(GetParam().block));
  EXPECT_EQ(kFailedText, InstallOnce());
  ExpectHostUntouched(Host());
  // Where the climbing names would have led.
  for (const char* escaped : {"C:\\pwtest\\OEM", "C:\\pwtest\\evil.txt", "C:\\evil.txt"}) {
    EXPECT_FALSE(PathExists(escaped)) << escaped;
  }
  EXPECT_FALSE(PathExists(CaseDir() + "OEM"));
}

INSTANTIATE_TEST_SUITE_P(Cases, UnsoundBlockTest, ::testing::ValuesIn(UnsoundCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExtractionTest, StringResourceNameIsFound) {
  ASSERT_NO_FATAL_FAILURE(MakeInstaller(PayloadBlock({{"Named.prd", "by name"}}), "ADDON"));
  EXPECT_EQ(kInstalledText, InstallOnce());
  ExpectFile(Host().PathOf("Named.prd"), "by name");
}

// Names are enumerated strings first, then ids from the lowest: only the
// first payload is installed.
TEST_F(ExtractionTest, OnlyTheFirstEnumeratedPayloadIsInstalled) {
  std::string stage = CaseDir() + "stage.exe";
  std::string blocks[] = {PayloadBlock({{"FromId24001.prd", "a"}}), PayloadBlock({{"FromId100.prd", "b"}}),
                          PayloadBlock({{"FromString.prd", "c"}})};
  const char* names[] = {"24001", "100", "ZPAYLOAD"};
  std::string stub = Config().installer;
  for (int i = 0; i < 3; i++) {
    std::string blockFile = CaseDir() + "block" + std::to_string(i) + ".bin";
    std::string out = CaseDir() + "stage" + std::to_string(i) + ".exe";
    ASSERT_TRUE(WriteWholeFile(blockFile, blocks[i]).ok());
    Status built = BuildFromBlock(out, blockFile, stub, names[i]);
    ASSERT_TRUE(built.ok()) << built.error();
    stub = out;
  }
  ASSERT_TRUE(CopyOneFile(stub, MadeInstaller()).ok());

  EXPECT_EQ(kInstalledText, InstallOnce());
  ExpectFile(Host().PathOf("FromString.prd"), "c");
  EXPECT_FALSE(PathExists(Host().PathOf("FromId100.prd")));
  EXPECT_FALSE(PathExists(Host().PathOf("FromId24001.prd")));
}

// Windows allows longer names than the installer's 256-character buffer.
TEST_F(ExtractionTest, OverlongResourceNameFailsCleanly) {
  ASSERT_TRUE(CopyOneFile(Config().installer, MadeInstaller()).ok());
  std::string name(300, 'L');
  std::string block = PayloadBlock({{"Long.prd", "long"}});
  HANDLE update = BeginUpdateResourceA(MadeInstaller().c_str(), FALSE);
  ASSERT_TRUE(update != NULL);
  ASSERT_TRUE(UpdateResourceA(update, "EXE_DUMP", name.c_str(), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                              (void*)block.data(), (DWORD)block.size()));
  ASSERT_TRUE(EndUpdateResourceA(update, FALSE));

  EXPECT_EQ(kFailedText, InstallOnce());
  ExpectHostUntouched(Host());
}

// 0x95 0x5C is one Shift-JIS character whose second byte is a backslash in
// any single-byte code page. Wine takes the ANSI code page from the locale.
TEST_F(ExtractionTest, TrailByteIsNoBackslashUnderADoubleByteCodePage) {
  if (GetACP() != 932) GTEST_SKIP() << "needs code page 932: the e2e_extraction_dbcs run";
  ASSERT_NO_FATAL_FAILURE(MakeInstaller(PayloadBlock({{"\x95\x5C.txt", "dbcs"}})));
  EXPECT_EQ(kInstalledText, InstallOnce());
  std::wstring wide;
  for (char c : Host().PathOf("OEM\\")) wide += (wchar_t)(unsigned char)c;
  wide += L"\u8868.txt";
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, file) << "no OEM\\<U+8868>.txt";
  char buffer[16];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof(buffer), &read, NULL);
  CloseHandle(file);
  EXPECT_EQ("dbcs", std::string(buffer, read));
}

}  // namespace
}  // namespace pw
