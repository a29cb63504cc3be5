#include <gtest/gtest.h>

#include <string>

#include "PayloadFormat.h"
#include "PayloadTarget.h"

namespace {

// The destination the installer would write, with OEM spliced in.
std::string Destination(const std::string& full, LeadByteFn isLead = NoLeadBytes) {
  PayloadTarget t = PayloadTargetOf(full.data(), full.size(), isLead);
  if (!t.intoOem) return full;
  return full.substr(0, t.split) + "OEM\\" + full.substr(t.split);
}

TEST(PayloadTarget, DestinationRule) {
  struct Case { const char* full; const char* dest; };
  const Case cases[] = {
      {"C:\\Host\\Addon.prd", "C:\\Host\\Addon.prd"},
      {"C:\\Host\\Addon.ico", "C:\\Host\\OEM\\Addon.ico"},
      {"C:\\Host\\Readme.PRD", "C:\\Host\\OEM\\Readme.PRD"},
      {"C:\\Host\\x.prdata", "C:\\Host\\x.prdata"},
      {"C:\\Data.prd\\Host\\Addon.ini", "C:\\Data.prd\\Host\\Addon.ini"},
      {"C:\\Host\\Sub\\Readme.txt", "C:\\Host\\Sub\\OEM\\Readme.txt"},
      {"C:\\Host\\", "C:\\Host\\OEM\\"},
      {"NoBackslash.txt", "NoBackslash.txt"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.dest, Destination(c.full)) << c.full;
}

TEST(PayloadTarget, TrailBytesAreNotBackslashesOrDots) {
  LeadByteFn sjis = LeadByteFnForCodePage(932);
  // 0x95 0x5C is one Shift-JIS character whose second byte is 0x5C.
  std::string full = "C:\\Host\\\x95\x5C.txt";
  EXPECT_EQ("C:\\Host\\OEM\\\x95\x5C.txt", Destination(full, sjis));
  EXPECT_EQ("C:\\Host\\\x95\\OEM\\.txt", Destination(full, NoLeadBytes));
  // ".prd" must begin on a character boundary: here '.' is a trail byte.
  std::string notProduct = "C:\\Host\\\x81.prd";
  EXPECT_EQ("C:\\Host\\OEM\\\x81.prd", Destination(notProduct, sjis));
  EXPECT_EQ(notProduct, Destination(notProduct, NoLeadBytes));
}

TEST(PayloadTarget, NamesThatEscapeTheHostFolder) {
  struct Case { const char* name; bool escapes; };
  const Case cases[] = {
      {"Addon.prd", false}, {"Sub\\Readme.txt", false}, {"", false}, {"a..b", false},
      {".\\x", false}, {"..", true}, {"..\\x", true}, {"Sub\\..\\..\\x", true},
      {"Sub/../x", true}, {"\\Windows\\x", true}, {"/etc/x", true}, {"C:x", true},
      {"C:\\x", true}, {"x:stream", true}, {"Sub\\... \\x", true}, {"\\\\server\\share", true},
  };
  for (const Case& c : cases) {
    std::string n = c.name;
    EXPECT_EQ(c.escapes, PayloadNameEscapes(n.data(), n.size(), NoLeadBytes)) << n;
  }
}

TEST(PayloadTarget, EscapeCheckStepsOverDoubleByteCharacters) {
  LeadByteFn sjis = LeadByteFnForCodePage(932);
  // "\x95\x5C" is one character, so no ".." component follows it.
  std::string name = "\x95\x5C..\\x";
  EXPECT_FALSE(PayloadNameEscapes(name.data(), name.size(), sjis));
  EXPECT_TRUE(PayloadNameEscapes(name.data(), name.size(), NoLeadBytes));
}

TEST(PayloadTarget, FindsTheFirstEscapingEntryOfABlock) {
  // count 3: "a" size 0, "..\\b" size 1 "x", "\\c" size 0
  const unsigned char block[] = {3, 0, 0, 0, 'a', 0, 0, 0, 0, 0, '.', '.', '\\', 'b', 0, 1, 0, 0, 0, 'x',
                                 '\\', 'c', 0, 0, 0, 0, 0};
  PayloadEntry entry;
  uint32_t index = 99;
  ASSERT_TRUE(PayloadFindEscapingName(block, sizeof(block), NoLeadBytes, &entry, &index));
  EXPECT_EQ(1u, index);
  EXPECT_EQ(std::string("..\\b"), std::string(entry.name, entry.nameLength));
  EXPECT_FALSE(PayloadFindEscapingName(block, 10, NoLeadBytes, &entry, &index));  // only "a" is whole
}

}  // namespace
