#include "BoxExpectations.h"

#include <gtest/gtest.h>

#include "Input.h"
#include "TopWindows.h"

namespace pw {

namespace {

const char kSetupTitle[] = "Setup";

// A box is told by its text, other windows by class and title.
std::string Shown(HWND window) {
  if (IsMessageBox(window)) return "a box saying '" + Text(ControlById(window, kBoxTextId)) + "'";
  return Describe(window);
}

std::vector<MessageBoxCall> BoxCallsSoFar(const Process& process) {
  Result<std::vector<RelayCall>> calls = process.RelayCalls();
  EXPECT_TRUE(calls.ok()) << calls.error();
  return calls.ok() ? MessageBoxCalls(calls.value()) : std::vector<MessageBoxCall>();
}

void DismissBox(HWND box, Dismiss how) {
  switch (how) {
    case Dismiss::OkButton: Click(ControlById(box, IDOK)); break;
    case Dismiss::Escape: PressEscape(box); break;
    case Dismiss::CloseBox: SystemClose(box); break;
  }
}

}  // namespace

const char* DismissName(Dismiss how) {
  switch (how) {
    case Dismiss::OkButton: return "OkButton";
    case Dismiss::Escape: return "Escape";
    case Dismiss::CloseBox: return "CloseBox";
  }
  return "?";
}

void ExpectFatalBoxThenExit1(const Process& process, const ExpectedBox& expected, Dismiss how) {
  Result<HWND> found = WaitForWindow(process, {"#32770", ""});
  ASSERT_TRUE(found.ok()) << found.error();
  HWND box = found.value();
  for (HWND other : VisibleTopWindows(process.id())) {
    EXPECT_EQ(other, box) << "another window beside the box: " << Shown(other);
  }

  Result<MessageBoxView> view = ReadMessageBox(box);
  ASSERT_TRUE(view.ok()) << view.error();
  EXPECT_EQ(view.value().caption, expected.caption);
  EXPECT_EQ(view.value().text, expected.text);
  ASSERT_EQ(view.value().buttons.size(), 1u);
  EXPECT_EQ(view.value().buttons[0].id, IDOK);
  EXPECT_EQ(view.value().buttons[0].text, "OK");
  EXPECT_STREQ(IconName(ReadIcon(box)), IconName(IconKind::Error));

  std::vector<MessageBoxCall> calls = BoxCallsSoFar(process);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].owner, 0u);
  EXPECT_EQ(calls[0].caption, expected.caption);
  EXPECT_EQ(calls[0].text, expected.text);
  EXPECT_EQ(calls[0].flags, kFatalBoxFlags) << std::hex << "flags 0x" << calls[0].flags;

  DismissBox(box, how);
  HWND next = NewWindowWithin(process, {box}, kPatienceMs);
  ASSERT_EQ(next, (HWND)NULL) << "after the box: " << Shown(next);
  Result<DWORD> exit = process.WaitForExit(kPatienceMs);
  ASSERT_TRUE(exit.ok()) << exit.error();
  EXPECT_EQ(exit.value(), 1u);
  EXPECT_EQ(BoxCallsSoFar(process).size(), 1u);
}

void ExpectNoBoxThenExit0(const Process& process) {
  Result<HWND> first = FirstWindowOrExit(process);
  ASSERT_TRUE(first.ok()) << first.error();
  if (first.value()) {
    HWND dialog = first.value();
    ASSERT_FALSE(IsMessageBox(dialog)) << Shown(dialog);
    EXPECT_EQ(Text(dialog), kSetupTitle);
    PressEscape(dialog);
    HWND next = NewWindowWithin(process, {dialog}, kPatienceMs);
    ASSERT_EQ(next, (HWND)NULL) << "after closing the dialog: " << Shown(next);
  }
  Result<DWORD> exit = process.WaitForExit(kPatienceMs);
  ASSERT_TRUE(exit.ok()) << exit.error();
  EXPECT_EQ(exit.value(), 0u);
  EXPECT_EQ(BoxCallsSoFar(process).size(), 0u);
}

}  // namespace pw
