#include <gtest/gtest.h>

#include "Extract.h"
#include "TestSupport.h"

namespace {

bool Extract(const Bytes& block, const std::string& folder, std::string* error, unsigned codePage = 1252) {
  std::vector<std::string> written;
  return ExtractPayload(block.data(), block.size(), folder, codePage, &written, error);
}

struct Landing {
  const char* name;
  const char* path;  // where it must land, below the folder
};

TEST(Extract, HostOrOemByTheName) {
  CScratchDir dir;
  MakeDir(dir / "Sub");
  const Landing cases[] = {
      {"PRODUCT1.prd", "PRODUCT1.prd"},
      {"x.prdata", "x.prdata"},
      {"Readme.PRD", "OEM/Readme.PRD"},
      {"Icon.ico", "OEM/Icon.ico"},
      {"Sub\\Readme.txt", "Sub/OEM/Readme.txt"},
      {"Sub\\Tool.prd", "Sub/Tool.prd"},
  };
  std::vector<std::pair<std::string, std::string>> entries;
  for (const Landing& c : cases) entries.push_back({c.name, std::string("data of ") + c.name});
  std::string error;
  ASSERT_TRUE(Extract(BlockOf(entries), dir.Path(), &error)) << error;
  for (const Landing& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadFile(dir / c.path), std::string("data of ") + c.name);
  }
  EXPECT_FALSE(Exists(dir / "Readme.PRD"));
  EXPECT_FALSE(Exists(dir / "OEM/PRODUCT1.prd"));
}

TEST(Extract, FolderPartMustExistBeforeItsOemFolder) {
  CScratchDir dir;
  std::string error;
  Bytes block = BlockOf({{"first.prd", "1"}, {"Sub\\Readme.txt", "2"}, {"last.prd", "3"}});
  EXPECT_FALSE(Extract(block, dir.Path(), &error));
  EXPECT_NE(error.find("entry 1 \"Sub\\Readme.txt\""), std::string::npos) << error;
  // As in the installer: what came before stays, nothing after is written.
  EXPECT_EQ(ReadFile(dir / "first.prd"), "1");
  EXPECT_FALSE(Exists(dir / "Sub"));
  EXPECT_FALSE(Exists(dir / "last.prd"));
}

TEST(Extract, HostFolderHoldingPrdTakesEverything) {
  CScratchDir dir;
  MakeDir(dir / "Data.prd");
  std::string error;
  ASSERT_TRUE(Extract(BlockOf({{"Icon.ico", "i"}, {"Setup.ini", "s"}}), dir / "Data.prd", &error)) << error;
  EXPECT_EQ(ReadFile(dir / "Data.prd/Icon.ico"), "i");
  EXPECT_EQ(ReadFile(dir / "Data.prd/Setup.ini"), "s");
  EXPECT_FALSE(Exists(dir / "Data.prd/OEM"));
}

TEST(Extract, OverwritesAndReusesWhatIsThere) {
  CScratchDir dir;
  MakeDir(dir / "OEM");
  WriteFile(dir / "OEM/a.ini", "old and longer contents");
  std::string error;
  ASSERT_TRUE(Extract(BlockOf({{"a.ini", "new"}, {"a.ini", "newer"}}), dir.Path(), &error)) << error;
  EXPECT_EQ(ReadFile(dir / "OEM/a.ini"), "newer");
}

TEST(Extract, EmptyPayloadWritesNothing) {
  CScratchDir dir;
  std::string error;
  ASSERT_TRUE(Extract(BlockOf({}), dir.Path(), &error)) << error;
  EXPECT_FALSE(Exists(dir / "OEM"));
}

TEST(Extract, EmptyNameMakesTheOemFolderAndFails) {
  CScratchDir dir;
  std::string error;
  EXPECT_FALSE(Extract(BlockOf({{"", "x"}}), dir.Path(), &error));
  EXPECT_TRUE(IsDirectory(dir / "OEM"));
}

TEST(Extract, DestinationThatIsAFolderFails) {
  CScratchDir dir;
  MakeDir(dir / "OEM");
  MakeDir(dir / "OEM/taken.ini");
  std::string error;
  EXPECT_FALSE(Extract(BlockOf({{"a.prd", "1"}, {"taken.ini", "2"}}), dir.Path(), &error));
  EXPECT_NE(error.find("entry 1 \"taken.ini\""), std::string::npos) << error;
  EXPECT_EQ(ReadFile(dir / "a.prd"), "1");
}

TEST(Extract, RefusesBeforeWritingAnything) {
  const std::pair<const char*, Bytes> cases[] = {
      {"climbing name", BlockOf({{"a.prd", "1"}, {"..\\b.prd", "2"}})},
      {"absolute name", BlockOf({{"a.prd", "1"}, {"\\b.prd", "2"}})},
      {"cut short", [] { Bytes b = BlockOf({{"a.prd", "1"}, {"b.prd", "2"}}); b.pop_back(); return b; }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    CScratchDir dir;
    MakeDir(dir / "inner");
    std::string error;
    EXPECT_FALSE(Extract(c.second, dir / "inner", &error));
    EXPECT_NE(error.find("nothing written"), std::string::npos) << error;
    EXPECT_FALSE(Exists(dir / "inner/a.prd"));
    EXPECT_FALSE(Exists(dir / "b.prd"));
  }
}

TEST(Extract, DoubleByteNamesBecomeLocalNames) {
  CScratchDir dir;
  std::string error;
  // Katakana SO (0x83 0x5C) must stay one character, not split at 0x5C.
  ASSERT_TRUE(Extract(BlockOf({{"\x83\x5C.ini", "x"}}), dir.Path(), &error, 932)) << error;
  EXPECT_EQ(ReadFile(dir / "OEM/\xE3\x82\xBD.ini"), "x");
}

// The folder's own name is UTF-8; its last byte (0x83 of the small tsu)
// leads a double-byte character in 932 and must not swallow the separator
// the rule sees after it.
TEST(Extract, FolderNameBytesDoNotPairWithTheSeparator) {
  CScratchDir dir;
  std::string host = dir / "\xE3\x83\x83";
  MakeDir(host);
  std::string error;
  ASSERT_TRUE(Extract(BlockOf({{"a.ini", "x"}}), host, &error, 932)) << error;
  EXPECT_EQ(ReadFile(host + "/OEM/a.ini"), "x");
}

}  // namespace
