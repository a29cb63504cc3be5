#include <gtest/gtest.h>

#include "BlockReport.h"
#include "TestSupport.h"

namespace {

std::vector<std::string> Verify(const Bytes& block, unsigned codePage = 1252) {
  return VerifyPayload(block.data(), block.size(), LeadByteFnForCodePage(codePage), codePage);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Cutting a valid block anywhere must be caught, and named by the entry the
// cut falls into.
TEST(Verify, EveryPrefixOfABlockFails) {
  Bytes good = BlockOf({{"a.prd", "product"}, {"b.ico", "icon"}, {"c.ini", ""}});
  ASSERT_TRUE(Verify(good).empty()) << Joined(Verify(good));
  // Entry starts: 4, 4+6+4+7=21, 21+6+4+4=35; the block ends at 35+6+4=45.
  const size_t entryStarts[] = {4, 21, 35, 45};
  for (size_t length = 0; length < good.size(); length++) {
    SCOPED_TRACE("prefix of " + std::to_string(length) + " bytes");
    Bytes cut(good.begin(), good.begin() + length);
    std::vector<std::string> problems = Verify(cut);
    ASSERT_EQ(problems.size(), 1u) << Joined(problems);
    if (length < 4) {
      EXPECT_NE(problems[0].find("shorter than its 4-byte count"), std::string::npos) << problems[0];
      continue;
    }
    size_t entry = 0;
    while (entryStarts[entry + 1] <= length) entry++;
    std::string where = "entry " + std::to_string(entry) + " of 3 at offset " + std::to_string(entryStarts[entry]);
    EXPECT_NE(problems[0].find(where), std::string::npos) << problems[0];
  }
}

struct Corruption {
  const char* what;
  Bytes block;
  const char* problem;  // a part of the one problem reported
};

Bytes WithU32(Bytes block, size_t at, uint32_t value) {
  PutU32(&block[at], value);
  return block;
}

TEST(Verify, CorruptBlocks) {
  Bytes two = BlockOf({{"a.prd", "product"}, {"b.ico", "icon"}});  // 35 bytes
  const Corruption cases[] = {
      {"count too high", WithU32(two, 0, 3), "entry 2 of 3 at offset 35: a name runs to the end"},
      {"count of four billion", WithU32(two, 0, 0xFFFFFFFF), "entry 2 of 4294967295"},
      {"size one past the end", WithU32(two, 27, 5), "entry 1 of 2 at offset 21: an entry's data run past"},
      {"size 0xFFFFFFFF", WithU32(two, 10, 0xFFFFFFFF), "entry 0 of 2 at offset 4: an entry's data run past"},
      {"size swallows the next entry", WithU32(two, 10, 7 + 14), "entry 1 of 2 at offset 35: a name runs"},
      {"trailing bytes", WithU32(two, 0, 1), "14 bytes trail the last entry, from offset 21"},
      {"one trailing byte", [] { Bytes b = BlockOf({}); b.push_back(0); return b; }(), "1 bytes trail"},
      {"name climbing out", BlockOf({{"..\\evil.dll", "x"}}), "entry 0 at offset 4, name \"..\\evil.dll\""},
      {"absolute name", BlockOf({{"ok", ""}, {"C:\\x", ""}}), "entry 1 at offset 11, name \"C:\\x\""},
      {"empty name", BlockOf({{"", "x"}}), "the name is empty"},
      {"control character", BlockOf({{"a\tb", ""}}), "name \"a\\x09b\""},
  };
  for (const Corruption& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> problems = Verify(c.block);
    ASSERT_EQ(problems.size(), 1u) << Joined(problems);
    EXPECT_NE(problems[0].find(c.problem), std::string::npos) << problems[0];
  }
}

TEST(Verify, ReportsEveryBadNameAndTheTruncation) {
  Bytes block = BlockOf({{"..\\a", ""}, {"b|c", ""}});
  block[0] = 3;
  std::vector<std::string> problems = Verify(block);
  ASSERT_EQ(problems.size(), 3u) << Joined(problems);
  EXPECT_NE(problems[0].find("entry 2 of 3"), std::string::npos);
  EXPECT_NE(problems[1].find("entry 0"), std::string::npos);
  EXPECT_NE(problems[2].find("entry 1"), std::string::npos);
}

TEST(Verify, EdgeBlocksThatAreFine) {
  EXPECT_TRUE(Verify(BlockOf({})).empty());
  EXPECT_TRUE(Verify(BlockOf({{"Readme.txt", "1"}, {"Readme.txt", "2"}})).empty());
  // A trail byte 0x5C in 932 is no separator; in 1252 the same bytes end
  // in an empty part.
  Bytes sjis = BlockOf({{"x\x83\\", "data"}});
  EXPECT_TRUE(Verify(sjis, 932).empty()) << Joined(Verify(sjis, 932));
  EXPECT_EQ(Verify(sjis, 1252).size(), 1u);
}

struct Placement {
  const char* name;
  bool intoOem;
  const char* destination;
};

TEST(List, DestinationsFollowTheInstallerRule) {
  const Placement cases[] = {
      {"PRODUCT1.prd", false, "PRODUCT1.prd"},
      {"x.prdata", false, "x.prdata"},
      {"Readme.PRD", true, "OEM\\Readme.PRD"},
      {"Sub\\Readme.txt", true, "Sub\\OEM\\Readme.txt"},
      {"Data.prd\\Readme.txt", false, "Data.prd\\Readme.txt"},
      {"", true, "OEM\\"},
  };
  std::vector<std::pair<std::string, std::string>> entries;
  for (const Placement& c : cases) entries.push_back({c.name, "data"});
  Bytes block = BlockOf(entries);
  std::vector<ListedEntry> listed;
  PayloadSummary summary;
  ASSERT_EQ(ListPayload(block.data(), block.size(), NoLeadBytes, &listed, &summary), PAYLOAD_OK);
  ASSERT_EQ(listed.size(), sizeof cases / sizeof cases[0]);
  for (size_t i = 0; i < listed.size(); i++) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(listed[i].name, cases[i].name);
    EXPECT_EQ(listed[i].size, 4u);
    EXPECT_EQ(listed[i].intoOem, cases[i].intoOem);
    EXPECT_EQ(listed[i].destination, cases[i].destination);
  }
}

TEST(List, StopsWhereTheBlockBreaks) {
  Bytes block = BlockOf({{"a.prd", "product"}, {"b.ico", "icon"}});
  block.resize(block.size() - 1);
  std::vector<ListedEntry> listed;
  PayloadSummary summary;
  EXPECT_EQ(ListPayload(block.data(), block.size(), NoLeadBytes, &listed, &summary), PAYLOAD_DATA_TRUNCATED);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, "a.prd");
}

TEST(DisplayName, ShowsTheCodePageTextOrEscapes) {
  EXPECT_EQ(DisplayName("caf\xE9", 1252), "caf\xC3\xA9");
  EXPECT_EQ(DisplayName("\x83\x5C", 932), "\xE3\x82\xBD");
  EXPECT_EQ(DisplayName("a\x81" "b", 1252), "a\\x81b");  // 0x81 is unassigned in 1252
  EXPECT_EQ(DisplayName("a\nb", 1252), "a\\x0Ab");
}

}  // namespace
