// The Setup dialog as a person meets it: what it shows, Install with and
// without a running host, the Launch box, and the ways to close it.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "BoxExpectations.h"
#include "Controls.h"
#include "Files.h"
#include "Input.h"
#include "PayloadBlock.h"
#include "PayloadInstallerTest.h"
#include "TestConfig.h"
#include "TopWindows.h"

namespace pw {
namespace {

const char kClosingHost[] = "Setup will close \"Korvelin\" to continue installation.";
const char kNotBusiness[] = "Korvelin Business is not installed in your computer! Please install it and try again.";
constexpr uint32_t kInfoFlags = MB_OK | MB_TOPMOST | MB_SETFOREGROUND | MB_ICONINFORMATION;

int CountOf(const std::string& text, const std::string& line) {
  int n = 0;
  for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) n++;
  return n;
}

// The icon's red band, drawn left of the caption.
bool TitleBarShowsTheParcel(HWND dialog) {
  RECT r;
  GetWindowRect(dialog, &r);
  HDC screen = GetDC(NULL);
  bool found = false;
  for (int y = r.top; y < r.top + 30 && !found; y++) {
    for (int x = r.left; x < r.left + 30 && !found; x++) {
      COLORREF c = GetPixel(screen, x, y);
      found = abs(GetRValue(c) - 0xD8) < 24 && abs(GetGValue(c) - 0x32) < 24 && abs(GetBValue(c) - 0x28) < 24;
    }
  }
  ReleaseDC(NULL, screen);
  return found;
}

class SetupDialogTest : public PayloadInstallerTest {
 protected:
  void SetUp() override {
    PayloadInstallerTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_NO_FATAL_FAILURE(MakeInstaller(PayloadBlock({{"Addon.prd", "product"}, {"Addon.ini", "ini"}})));
  }

  // A running host, started from its own folder so that the one in the host
  // folder can come and go.
  Result<Process> StartRunningHost(const std::string& folder) {
    Status status = MakeDirectories(folder);
    if (status.ok()) status = CopyOneFile(Config().fakeHost, folder + "KorvApp.exe");
    if (!status.ok()) return Fail(status.error());
    LaunchOptions options;
    options.exe = folder + "KorvApp.exe";
    Result<Process> host = Process::Start(options);
    if (host.ok() && !WaitForWindow(host.value(), {"KorvAppClass", ""}).ok()) return Fail("no host window");
    return host;
  }

  void ExpectInstalledFiles() {
    ExpectFile(Host().PathOf("Addon.prd"), "product");
    ExpectFile(Host().PathOf("OEM\\Addon.ini"), "ini");
  }

  // Every box the installer showed so far, as it asked for it.
  std::vector<MessageBoxCall> BoxCalls(const Process& process) {
    Result<std::vector<RelayCall>> calls = process.RelayCalls();
    EXPECT_TRUE(calls.ok()) << calls.error();
    return calls.ok() ? MessageBoxCalls(calls.value()) : std::vector<MessageBoxCall>();
  }
};

TEST_F(SetupDialogTest, ShowsTheTemplateCentredWithFocusOnBrowse) {
  Result<Process> process = Start();
  ASSERT_TRUE(process.ok()) << process.error();
  SetupSession setup(process.value());
  ASSERT_TRUE(setup.Open().ok());
  HWND dialog = setup.Dialog();

  EXPECT_EQ("Setup", Text(dialog));
  DWORD style = (DWORD)GetWindowLongA(dialog, GWL_STYLE);
  const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  EXPECT_EQ(frame, style & frame);
  EXPECT_EQ(0, GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(NULL, GetWindow(dialog, GW_OWNER));
  EXPECT_TRUE(TitleBarShowsTheParcel(dialog));

  // Control rectangles in dialog units, scaled by the client area of
  // 318 x 84 units.
  struct Expected {
    int id;
    const char* className;
    const char* text;
    LONG style;
    RECT units;
  };
  const Expected controls[] = {
      {1001, "Button", "...", BS_PUSHBUTTON | WS_TABSTOP, {291, 40, 14, 14}},
      {1008, "Button", "&Launch Korvelin", BS_AUTOCHECKBOX | WS_TABSTOP, {7, 67, 95, 10}},
      {IDOK, "Button", "&Install", BS_DEFPUSHBUTTON | WS_TABSTOP, {261, 65, 50, 14}},
      {1005, "Edit", nullptr, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, {14, 40, 276, 14}},
  };
  RECT client;
  GetClientRect(dialog, &client);
  double sx = client.right / 318.0, sy = client.bottom / 84.0;
  for (const Expected& e : controls) {
    HWND c = ControlById(dialog, e.id);
    ASSERT_TRUE(c != NULL) << e.id;
    EXPECT_EQ(e.className, ClassName(c)) << e.id;
    EXPECT_EQ(e.text ? e.text : Host().Dir(), Text(c)) << e.id;
    LONG s = GetWindowLongA(c, GWL_STYLE);
    // The dialog manager turns an edit's border into a sunken client edge.
    if (e.id == 1005 && (GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) s |= WS_BORDER;
    EXPECT_EQ(e.style, s & e.style) << e.id;
    EXPECT_TRUE(s & WS_VISIBLE) << e.id;
    if (e.id == 1005) {
      EXPECT_EQ(0, s & WS_TABSTOP);
    }
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(NULL, dialog, (POINT*)&r, 2);
    EXPECT_NEAR(e.units.left * sx, r.left, 2) << e.id;
    EXPECT_NEAR(e.units.top * sy, r.top, 2) << e.id;
    EXPECT_NEAR(e.units.right * sx, r.right - r.left, 2) << e.id;
    EXPECT_NEAR(e.units.bottom * sy, r.bottom - r.top, 2) << e.id;
  }
  // The group box and the text have no id of their own.
  std::vector<std::string> texts;
  for (const Control& c : Children(dialog)) {
    if (c.id == -1 || c.id == 0xFFFF) texts.push_back(c.text);
  }
  EXPECT_EQ((std::vector<std::string>{"Korvelin installed directory",
                                      "Setup has detected the Korvelin installed directory!\n"
                                      "Please click on Install to continue...."}),
            texts);

  // Tab order: "...", Launch, Install, and round again.
  HWND browse = ControlById(dialog, 1001);
  HWND next = browse;
  std::vector<int> order;
  for (int i = 0; i < 3; i++) {
    next = GetNextDlgTabItem(dialog, next, FALSE);
    order.push_back(GetDlgCtrlID(next));
  }
  EXPECT_EQ((std::vector<int>{1008, IDOK, 1001}), order);

  GUITHREADINFO gui = {};
  gui.cbSize = sizeof(gui);
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &gui));
  EXPECT_EQ(browse, gui.hwndFocus);
  EXPECT_EQ(BST_CHECKED, SendMessageA(ControlById(dialog, 1008), BM_GETCHECK, 0, 0));

  RECT area, r;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(dialog, &r);
  EXPECT_NEAR((area.left + area.right) / 2.0, (r.left + r.right) / 2.0, 2);
  EXPECT_NEAR((area.top + area.bottom) / 2.0, (r.top + r.bottom) / 2.0, 2);
  Close(dialog);
  ASSERT_TRUE(process.value().WaitForExit(kPatienceMs).ok());
}

TEST_F(SetupDialogTest, InstallReportsThenStartsTheHost) {
  Result<Process> process = Start();
  ASSERT_TRUE(process.ok()) << process.error();
  SetupSession setup(process.value());
  ASSERT_TRUE(setup.Open().ok());
  setup.PressInstall();
  Result<MessageBoxView> box = setup.WaitForBox();
  ASSERT_TRUE(box.ok()) << box.error();
  EXPECT_EQ(kInstalledText, box.value().text);
  EXPECT_EQ("Setup", box.value().caption);
  EXPECT_EQ(setup.Dialog(), GetWindow(box.value().hwnd, GW_OWNER));
  EXPECT_STREQ(IconName(IconKind::Information), IconName(ReadIcon(box.value().hwnd)));
  ExpectInstalledFiles();
  // The host waits for the message.
  EXPECT_EQ(nullptr, NewWindowWithin(process.value(), VisibleTopWindows(process.value().id()), 1500));
  EXPECT_TRUE(WindowsOfClass("KorvAppClass").empty());
  EXPECT_EQ("", HostLog());

  setup.AnswerOk(box.value());
  EXPECT_TRUE(WaitUntil([&] { return HostLog() == "started\r\n"; })) << HostLog();
  Result<DWORD> code = process.value().WaitForExit(kPatienceMs);
  ASSERT_TRUE(code.ok());
  EXPECT_EQ(0u, code.value());

  std::vector<MessageBoxCall> boxes = BoxCalls(process.value());
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(kInfoFlags, boxes[0].flags);
  Result<std::vector<RelayCall>> calls = process.value().RelayCalls();
  ASSERT_TRUE(calls.ok());
  std::vector<ShellExecuteCall> starts = ShellExecuteCalls(calls.value());
  ASSERT_EQ(1u, starts.size());
  EXPECT_EQ(0u, starts[0].owner);
  EXPECT_EQ("open", starts[0].verb.text);
  EXPECT_EQ(Host().PathOf("KorvApp.exe"), starts[0].file.text);
  EXPECT_FALSE(starts[0].parameters.hasText);
  EXPECT_FALSE(starts[0].directory.hasText);
  EXPECT_EQ(SW_SHOW, starts[0].show);
}

// A running host is told about, asked once to close, and gone before the
// files are written; with several windows of its class only one is asked.
TEST_F(SetupDialogTest, RunningHostsAreAskedToCloseOneAtATime) {
  Result<Process> first = StartRunningHost(CaseDir() + "running1\\");
  ASSERT_TRUE(first.ok()) << first.error();
  Result<Process> second = StartRunningHost(CaseDir() + "running2\\");
  ASSERT_TRUE(second.ok()) << second.error();

  Result<Process> process = Start();
  ASSERT_TRUE(process.ok()) << process.error();
  SetupSession setup(process.value());
  ASSERT_TRUE(setup.Open().ok());
  ASSERT_TRUE(setup.SetLaunch(false).ok());
  setup.PressInstall();
  Result<MessageBoxView> notice = setup.WaitForBox();
  ASSERT_TRUE(notice.ok()) << notice.error();
  EXPECT_EQ(kClosingHost, notice.value().text);
  EXPECT_EQ(setup.Dialog(), GetWindow(notice.value().hwnd, GW_OWNER));
  EXPECT_FALSE(PathExists(Host().PathOf("Addon.prd")));
  EXPECT_EQ(2u, WindowsOfClass("KorvAppClass").size());
  setup.AnswerOk(notice.value());

  Result<MessageBoxView> result = setup.WaitForBox();
  ASSERT_TRUE(result.ok()) << result.error();
  EXPECT_EQ(kInstalledText, result.value().text);
  EXPECT_EQ(1u, WindowsOfClass("KorvAppClass").size());
  int closed = 0;
  for (const char* folder : {"running1\\", "running2\\"}) {
    Result<std::string> log = ReadWholeFile(CaseDir() + folder + "KorvApp.log");
    if (log.ok()) closed += CountOf(log.value(), "closed");
  }
  EXPECT_EQ(1, closed);
  EXPECT_TRUE(!first.value().Running() || !second.value().Running());
  setup.AnswerOk(result.value());
  ASSERT_TRUE(process.value().WaitForExit(kPatienceMs).ok());
  ExpectInstalledFiles();
  std::vector<MessageBoxCall> boxes = BoxCalls(process.value());
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ(kInfoFlags, boxes[0].flags);
}

struct LaunchCase {
  const char* name;
  bool launch;
  bool failing;
};

void PrintTo(const LaunchCase& c, std::ostream* out) { *out << c.name; }

class LaunchTest : public SetupDialogTest, public ::testing::WithParamInterface<LaunchCase> {};

// The host starts after the result, success or failure, only when asked.
TEST_P(LaunchTest, HostStartsOnlyWhenLaunchIsChecked) {
  const LaunchCase& c = GetParam();
  if (c.failing) {
    ASSERT_NO_FATAL_FAILURE(MakeInstaller(PayloadBlock({{"Sub\\missing.txt", "x"}})));
  }
  Result<Process> process = Start();
  ASSERT_TRUE(process.ok()) << process.error();
  SetupSession setup(process.value());
  ASSERT_TRUE(setup.Open().ok());
  ASSERT_TRUE(setup.SetLaunch(c.launch).ok());
  Result<std::string> text = setup.InstallAndAnswer();
  ASSERT_TRUE(text.ok()) << text.error();
  EXPECT_EQ(c.failing ? kFailedText : kInstalledText, text.value());
  ASSERT_TRUE(process.value().WaitForExit(kPatienceMs).ok());
  if (c.launch) {
    EXPECT_TRUE(WaitUntil([&] { return HostLog() == "started\r\n"; })) << HostLog();
  } else {
    // Given the time a start would take, nothing came.
    Sleep(2500);
    EXPECT_EQ("", HostLog());
    EXPECT_TRUE(WindowsOfClass("KorvAppClass").empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, LaunchTest,
                         ::testing::Values(LaunchCase{"ClearedAfterSuccess", false, false},
                                           LaunchCase{"ClearedAfterFailure", false, true},
                                           LaunchCase{"CheckedAfterFailure", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// After "not installed in this folder" the dialog stays; the next Install
// runs every step again, the close notice included.
TEST_F(SetupDialogTest, SecondInstallRunsEveryStepAgain) {
  Result<Process> process = Start();
  ASSERT_TRUE(process.ok()) << process.error();
  SetupSession setup(process.value());
  ASSERT_TRUE(setup.Open().ok());
  ASSERT_TRUE(setup.SetLaunch(false).ok());
  ASSERT_TRUE(RemoveTree(Host().PathOf("KorvApp.exe")).ok());
  Result<std::string> first = setup.InstallAndAnswer();
  ASSERT_TRUE(first.ok()) << first.error();
  EXPECT_EQ(kNotInThisFolderText, first.value());
  EXPECT_TRUE(WaitUntil([&] { return setup.DialogStillOpen(); }));
  ExpectHostUntouched(Host());

  ASSERT_TRUE(Host().AddFakeHost().ok());
  Result<Process> running = StartRunningHost(CaseDir() + "running\\");
  ASSERT_TRUE(running.ok()) << running.error();
  Result<std::string> notice = setup.InstallAndAnswer();
  ASSERT_TRUE(notice.ok()) << notice.error();
  EXPECT_EQ(kClosingHost, notice.value());
  Result<MessageBoxView> result = setup.WaitForBox();
  ASSERT_TRUE(result.ok()) << result.error();
  EXPECT_EQ(kInstalledText, result.value().text);
  setup.AnswerOk(result.value());
  ASSERT_TRUE(process.value().WaitForExit(kPatienceMs).ok());
  ExpectInstalledFiles();
  std::vector<MessageBoxCall> boxes = BoxCalls(process.value());
  ASSERT_EQ(3u, boxes.size());
  EXPECT_EQ(kInfoFlags, boxes[0].flags);
}

TEST_F(SetupDialogTest, WrongEditionAtInstallEndsWithExitCode1) {
  Result<Process> process = Start();
  ASSERT_TRUE(process.ok()) << process.error();
  SetupSession setup(process.value());
  ASSERT_TRUE(setup.Open().ok());
  ASSERT_TRUE(Host().WriteDataFile(Markers{42, 1, {}}).ok());
  setup.PressInstall();
  Result<MessageBoxView> box = setup.WaitForBox();
  ASSERT_TRUE(box.ok()) << box.error();
  EXPECT_EQ(kNotBusiness, box.value().text);
  EXPECT_EQ(setup.Dialog(), GetWindow(box.value().hwnd, GW_OWNER));
  EXPECT_STREQ(IconName(IconKind::Error), IconName(ReadIcon(box.value().hwnd)));
  setup.AnswerOk(box.value());
  Result<DWORD> code = process.value().WaitForExit(kPatienceMs);
  ASSERT_TRUE(code.ok());
  EXPECT_EQ(1u, code.value());
  ExpectHostUntouched(Host());
  std::vector<MessageBoxCall> boxes = BoxCalls(process.value());
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(kFatalBoxFlags, boxes[0].flags);
}

class CloseTest : public SetupDialogTest, public ::testing::WithParamInterface<Dismiss> {};

TEST_P(CloseTest, ClosingWritesNothingAndSaysNothing) {
  Result<Process> process = Start();
  ASSERT_TRUE(process.ok()) << process.error();
  SetupSession setup(process.value());
  ASSERT_TRUE(setup.Open().ok());
  switch (GetParam()) {
    case Dismiss::Escape: PressEscape(setup.Dialog()); break;
    case Dismiss::CloseBox: SystemClose(setup.Dialog()); break;
    case Dismiss::OkButton: Close(setup.Dialog()); break;
  }
  Result<DWORD> code = process.value().WaitForExit(kPatienceMs);
  ASSERT_TRUE(code.ok()) << code.error();
  EXPECT_EQ(0u, code.value());
  ExpectHostUntouched(Host());
  EXPECT_TRUE(BoxCalls(process.value()).empty());
  EXPECT_EQ("", HostLog());
}

// OkButton stands here for WM_CLOSE, the message the close box and Alt+F4
// lead to; CloseBox is SC_CLOSE itself.
INSTANTIATE_TEST_SUITE_P(Ways, CloseTest, ::testing::Values(Dismiss::Escape, Dismiss::CloseBox, Dismiss::OkButton),
                         [](const auto& info) { return std::string(DismissName(info.param)); });

}  // namespace
}  // namespace pw
