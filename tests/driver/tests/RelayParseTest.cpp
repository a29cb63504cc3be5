// The relay parser decides what the end-to-end tests believe a program asked
// for, so its reading of Wine's lines is checked on lines Wine really writes.
#include <gtest/gtest.h>

#include "RelayParse.h"

namespace pw {
namespace {

TEST(RelayParse, ReadsA32BitMessageBoxCall) {
  auto call = ParseRelayLine(
      "0110:0114:Call user32.MessageBoxA(00000000,0042224d \"Korvelin is not installed in your computer! "
      "Please install it and try again.\",00421118 \"Setup\",00050010) ret=0041b5cf");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->pid, 0x110u);
  EXPECT_EQ(call->tid, 0x114u);
  std::vector<MessageBoxCall> boxes = MessageBoxCalls({*call});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, 0u);
  EXPECT_EQ(boxes[0].text, "Korvelin is not installed in your computer! Please install it and try again.");
  EXPECT_EQ(boxes[0].caption, "Setup");
  EXPECT_EQ(boxes[0].flags, 0x50010u);
}

TEST(RelayParse, ReadsWide64BitValues) {
  auto call = ParseRelayLine(
      "0128:012c:Call user32.MessageBoxA(000000000001004e,14001d215 \"t\",14001c230 \"Setup-x64\",00050040) "
      "ret=14001746f\r");
  ASSERT_TRUE(call);
  std::vector<MessageBoxCall> boxes = MessageBoxCalls({*call});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, 0x1004eu);
  EXPECT_EQ(boxes[0].caption, "Setup-x64");
  EXPECT_EQ(boxes[0].flags, 0x50040u);
}

TEST(RelayParse, UnescapesQuotesCommasParenthesesAndBreaks) {
  auto call = ParseRelayLine(
      "0020:0024:Call user32.MessageBoxA(00000000,00401000 \"C:\\\\x\\\\\\\"a, (b)\\\"\\nnext\\x09\\xe9\","
      "00401100 \"Parcelwright\",00000000) ret=00401234");
  ASSERT_TRUE(call);
  std::vector<MessageBoxCall> boxes = MessageBoxCalls({*call});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "C:\\x\\\"a, (b)\"\nnext\t\xe9");
  EXPECT_EQ(boxes[0].caption, "Parcelwright");
}

TEST(RelayParse, TellsNullStringsFromEmptyOnes) {
  auto call = ParseRelayLine(
      "0030:0034:Call shell32.ShellExecuteA(00000000,00402000 \"open\",00402010 \"C:\\\\h\\\\KorvApp.exe\","
      "00000000,00402020 \"\",00000005) ret=00401234");
  ASSERT_TRUE(call);
  std::vector<ShellExecuteCall> runs = ShellExecuteCalls({*call});
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].verb.text, "open");
  EXPECT_EQ(runs[0].file.text, "C:\\h\\KorvApp.exe");
  EXPECT_FALSE(runs[0].parameters.hasText);
  EXPECT_TRUE(runs[0].directory.hasText);
  EXPECT_EQ(runs[0].directory.text, "");
  EXPECT_EQ(runs[0].show, 5);
}

TEST(RelayParse, MarksStringsWineCutShort) {
  auto call = ParseRelayLine("0030:0034:Call user32.MessageBoxA(00000000,00402000 \"abc\"...,00402010 \"c\",0)");
  ASSERT_TRUE(call);
  EXPECT_TRUE(call->args[1].truncated);
  EXPECT_FALSE(call->args[2].truncated);
}

TEST(RelayParse, IgnoresLinesThatAreNotCalls) {
  const char* lines[] = {
      "0030:0034:Ret  user32.MessageBoxA() retval=00000001 ret=0041b5cf",
      "0030:0034:Call PE DLL (proc=7BC69420,module=7BC00000 L\"ntdll.dll\",reason=PROCESS_DETACH,res=00000001)",
      "0030:0034:trace:relay:load_list L\"RelayInclude\" = L\"user32.MessageBoxA\"",
      "0114:Call user32.MessageBoxA(00000000,0042224d \"no pid prefix\",00421118 \"Setup\",00050010) ret=0041b5cf",
      "pwdriver: relay log check 42",
      "0030:0034:Call user32.MessageBoxA(00000000,0042224d \"unterminated",
      "",
  };
  for (const char* line : lines) EXPECT_FALSE(ParseRelayLine(line)) << line;
}

}  // namespace
}  // namespace pw
