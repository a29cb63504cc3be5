#include "InstallerTest.h"

#include <ctype.h>

#include "Files.h"
#include "HostRegistration.h"
#include "TestConfig.h"
#include "TopWindows.h"

namespace pw {

const char kHostWindowClass[] = "KorvAppClass";

namespace {

const char kRoot[] = "C:\\pwtest\\";

std::string CaseName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (!isalnum((unsigned char)c) && c != '.' && c != '-') c = '_';
  }
  return name;
}

}  // namespace

void InstallerTest::SetUp() {
  caseDir_ = kRoot + CaseName() + "\\";
  host_ = HostFolder(caseDir_ + "host\\");
  relay_ = RelayLog(Config().relayLog);
  CleanMachine();
  Status made = MakeDirectories(caseDir_);
  ASSERT_TRUE(made.ok()) << made.error();
}

void InstallerTest::TearDown() {
  Status unregistered = RemoveHostRegistration();
  EXPECT_TRUE(unregistered.ok()) << unregistered.error();
  KillOwnersOfClass(kHostWindowClass);
  // A failed case keeps its folder to look at; the next run clears it.
  if (!HasFailure()) {
    Status removed = RemoveTree(caseDir_);
    EXPECT_TRUE(removed.ok()) << removed.error();
  }
}

void InstallerTest::CleanMachine() {
  KillOwnersOfClass(kHostWindowClass);
  Status unregistered = RemoveHostRegistration();
  ASSERT_TRUE(unregistered.ok()) << unregistered.error();
  Status removed = RemoveTree(caseDir_);
  ASSERT_TRUE(removed.ok()) << removed.error();
}

Result<Process> InstallerTest::StartInstaller(const std::string& fileName) {
  return StartInstallerFrom(Config().installer, fileName);
}

Result<Process> InstallerTest::StartInstallerFrom(const std::string& source, const std::string& fileName) {
  std::string dir = caseDir_ + "installer\\";
  Status copied = MakeDirectories(dir);
  if (copied.ok() && source != dir + fileName) copied = CopyOneFile(source, dir + fileName);
  if (!copied.ok()) return Fail(copied.error());
  LaunchOptions options;
  options.exe = dir + fileName;
  options.workingDir = dir;
  options.relay = &relay_;
  return Process::Start(options);
}

}  // namespace pw
