#include <gtest/gtest.h>

#include "NameRules.h"

namespace {

struct NameCase {
  const char* local;  // UTF-8, as given on the command line
  unsigned codePage;
  NameProblem problem;
  const char* stored;  // expected bytes when accepted
};

class NameRulesTest : public testing::TestWithParam<NameCase> {};

TEST_P(NameRulesTest, ConvertsOrRefuses) {
  const NameCase& c = GetParam();
  std::string stored = "<untouched>", culprit;
  NameProblem problem = StoredNameFromLocal(c.local, c.codePage, &stored, &culprit);
  EXPECT_EQ(problem, c.problem) << NameProblemText(problem);
  if (c.problem == NAME_OK) EXPECT_EQ(stored, c.stored);
  else EXPECT_EQ(stored, "<untouched>");
}

const NameCase kNames[] = {
    {"PRODUCT1.prd", 1252, NAME_OK, "PRODUCT1.prd"},
    {"Sub\\Readme.txt", 1252, NAME_OK, "Sub\\Readme.txt"},
    {"x.prdata", 1252, NAME_OK, "x.prdata"},
    {" leading blank.txt", 1252, NAME_OK, " leading blank.txt"},
    {"a=b.txt", 1252, NAME_OK, "a=b.txt"},
    {"CONFIG.ini", 1252, NAME_OK, "CONFIG.ini"},  // starts like CON, is not CON
    {"COM0.txt", 1252, NAME_OK, "COM0.txt"},
    // Code page conversion: the same character in two code pages.
    {"caf\xC3\xA9.txt", 1252, NAME_OK, "caf\xE9.txt"},
    {"caf\xC3\xA9.txt", 932, NAME_NOT_IN_CODE_PAGE, ""},
    {"\xE2\x82\xAC.txt", 1252, NAME_OK, "\x80.txt"},  // euro sign
    {"\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF.txt", 932, NAME_OK, "\x83\x66\x81\x5B\x83\x5E.txt"},
    {"\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF.txt", 1252, NAME_NOT_IN_CODE_PAGE, ""},
    // Katakana SO: its trail byte is 0x5C, which must not read as a separator.
    {"\xE3\x82\xBD.txt", 932, NAME_OK, "\x83\x5C.txt"},
    {"Sub\\\xE3\x82\xBD", 932, NAME_OK, "Sub\\\x83\x5C"},
    // The yen sign becomes byte 0x5C in code page 932: a separator.
    {"a\xC2\xA5" "b.txt", 932, NAME_TURNS_ASCII, ""},
    {"bad\xFF.txt", 1252, NAME_NOT_UTF8, ""},
    {"\xC0\xAF.txt", 1252, NAME_NOT_UTF8, ""},  // overlong '/'
    // Refusals.
    {"", 1252, NAME_EMPTY, ""},
    {"\\Windows\\x.dll", 1252, NAME_ABSOLUTE, ""},
    {"/etc/passwd", 1252, NAME_ABSOLUTE, ""},
    {"C:\\x.txt", 1252, NAME_DRIVE, ""},
    {"C:x.txt", 1252, NAME_DRIVE, ""},
    {"a:b.txt", 1252, NAME_DRIVE, ""},
    {"file.txt:stream", 1252, NAME_COLON, ""},
    {"..\\x.txt", 1252, NAME_PARENT, ""},
    {"Sub\\..\\..\\x.txt", 1252, NAME_PARENT, ""},
    {"Sub\\..", 1252, NAME_PARENT, ""},
    {"Sub\\. .\\x", 1252, NAME_PARENT, ""},  // Windows drops trailing dots and blanks
    {"Sub/x.txt", 1252, NAME_FORWARD_SLASH, ""},
    {"a<b", 1252, NAME_INVALID_CHAR, ""},
    {"a>b", 1252, NAME_INVALID_CHAR, ""},
    {"a\"b", 1252, NAME_INVALID_CHAR, ""},
    {"a|b", 1252, NAME_INVALID_CHAR, ""},
    {"a?b", 1252, NAME_INVALID_CHAR, ""},
    {"a*b", 1252, NAME_INVALID_CHAR, ""},
    {"a\tb", 1252, NAME_INVALID_CHAR, ""},
    {"a\x1F" "b", 1252, NAME_INVALID_CHAR, ""},
    {"Sub\\\\x.txt", 1252, NAME_EMPTY_COMPONENT, ""},
    {"Sub\\", 1252, NAME_EMPTY_COMPONENT, ""},
    {"readme.", 1252, NAME_TRAILING_DOT_OR_SPACE, ""},
    {"readme ", 1252, NAME_TRAILING_DOT_OR_SPACE, ""},
    {"Sub.\\x", 1252, NAME_TRAILING_DOT_OR_SPACE, ""},
    {".\\x.txt", 1252, NAME_TRAILING_DOT_OR_SPACE, ""},
    {"CON", 1252, NAME_DEVICE, ""},
    {"nul.txt", 1252, NAME_DEVICE, ""},
    {"Sub\\Com1.log", 1252, NAME_DEVICE, ""},
    {"LPT9", 1252, NAME_DEVICE, ""},
    {"aux .txt", 1252, NAME_DEVICE, ""},
};

INSTANTIATE_TEST_SUITE_P(Table, NameRulesTest, testing::ValuesIn(kNames));

TEST(NameRules, NamesTheCharacterAtFault) {
  std::string stored, culprit;
  EXPECT_EQ(StoredNameFromLocal("ok\xC3\xA9x.txt", 932, &stored, &culprit), NAME_NOT_IN_CODE_PAGE);
  EXPECT_EQ(culprit, "\xC3\xA9");
  EXPECT_EQ(StoredNameFromLocal("a\xC2\xA5" "b", 932, &stored, &culprit), NAME_TURNS_ASCII);
  EXPECT_EQ(culprit, "\xC2\xA5");
}

TEST(NameRules, LengthLimits) {
  std::string stored, culprit;
  std::string part(255, 'a');
  EXPECT_EQ(StoredNameFromLocal(part, 1252, &stored, &culprit), NAME_OK);
  EXPECT_EQ(StoredNameFromLocal(part + "a", 1252, &stored, &culprit), NAME_TOO_LONG);
  std::string path = std::string(128, 'a') + "\\" + std::string(127, 'b');  // 256 bytes
  EXPECT_EQ(StoredNameFromLocal(path, 1252, &stored, &culprit), NAME_OK);
  EXPECT_EQ(StoredNameFromLocal(path + "b", 1252, &stored, &culprit), NAME_TOO_LONG);
}

// On stored bytes, as verify sees them: a double-byte character's trail
// byte is never a separator or a forbidden character.
TEST(NameRules, StoredBytesAreWalkedByCharacter) {
  LeadByteFn sjis = LeadByteFnForCodePage(932);
  const char trailBackslash[] = "\x83\x5C.txt";
  const char trailBar[] = "\x83\x7C.txt";  // 0x7C is '|' as a single byte
  EXPECT_EQ(CheckStoredName(trailBackslash, 6, sjis), NAME_OK);
  EXPECT_EQ(CheckStoredName(trailBar, 6, sjis), NAME_OK);
  EXPECT_EQ(CheckStoredName(trailBar, 6, LeadByteFnForCodePage(1252)), NAME_INVALID_CHAR);
  // In 1252 the 0x5C is a separator and 0x83 alone an ordinary letter.
  EXPECT_EQ(CheckStoredName("\x83\\", 2, LeadByteFnForCodePage(1252)), NAME_EMPTY_COMPONENT);
}

}  // namespace
