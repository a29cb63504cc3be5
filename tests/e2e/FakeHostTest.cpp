// The fake host behaves as the installer tests assume: its window class,
// and a log of being started and asked to close.
#include <gtest/gtest.h>

#include "Files.h"
#include "InstallerTest.h"
#include "Input.h"
#include "TopWindows.h"

namespace pw {
namespace {

class FakeHostTest : public InstallerTest {
 protected:
  Result<Process> StartHost(const std::string& arguments) {
    Status made = Host().Create();
    if (made.ok()) made = Host().AddFakeHost();
    if (!made.ok()) return Fail(made.error());
    LaunchOptions options;
    options.exe = Host().PathOf("KorvApp.exe");
    options.arguments = arguments;
    return Process::Start(options);
  }

  std::string Log() const {
    Result<std::string> text = ReadWholeFile(Host().PathOf("KorvApp.log"));
    return text.ok() ? text.value() : "";
  }
};

TEST_F(FakeHostTest, LogsStartAndCloseThenExits) {
  Result<Process> host = StartHost("");
  ASSERT_TRUE(host.ok()) << host.error();
  Result<HWND> window = WaitForWindow(host.value(), {kHostWindowClass, "Korvelin"});
  ASSERT_TRUE(window.ok()) << window.error();
  EXPECT_EQ(WindowsOfClass(kHostWindowClass).size(), 1u);
  EXPECT_TRUE(WaitUntil([&] { return Log() == "started\r\n"; })) << Log();

  Close(window.value());
  Result<DWORD> exit = host.value().WaitForExit(kPatienceMs);
  ASSERT_TRUE(exit.ok()) << exit.error();
  EXPECT_EQ(exit.value(), 0u);
  EXPECT_EQ(Log(), "started\r\nclosed\r\n");
}

TEST_F(FakeHostTest, IgnoresCloseWhenAsked) {
  Result<Process> host = StartHost("/ignoreclose");
  ASSERT_TRUE(host.ok()) << host.error();
  Result<HWND> window = WaitForWindow(host.value(), {kHostWindowClass, ""});
  ASSERT_TRUE(window.ok()) << window.error();

  Close(window.value());
  EXPECT_TRUE(WaitUntil([&] { return Log() == "started\r\nclose ignored\r\n"; })) << Log();
  EXPECT_TRUE(host.value().Running());
  EXPECT_TRUE(IsWindowVisible(window.value()));
}

}  // namespace
}  // namespace pw
