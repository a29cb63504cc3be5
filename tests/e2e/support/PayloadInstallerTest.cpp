#include "PayloadInstallerTest.h"

#include <windows.h>

#include <vector>

#include "Files.h"
#include "HostRegistration.h"
#include "Packager.h"
#include "TestConfig.h"

namespace pw {

const char kInstalledText[] = "Files have been installed successfully!";
const char kFailedText[] = "Unable to install files on your computer. Exiting installation...";
const char kNotInThisFolderText[] =
    "Korvelin is not installed in this folder. Please select appropriate folder and try again.";

std::string Pattern(size_t size, unsigned seed) {
  std::string s(size, '\0');
  unsigned x = seed * 2654435761u + 1;
  for (size_t i = 0; i < size; i++) {
    x = x * 1103515245u + 12345u;
    s[i] = (char)(x >> 16);
  }
  return s;
}

void PayloadInstallerTest::SetUp() {
  InstallerTest::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_NO_FATAL_FAILURE(MakeHost(Host()));
  Status made = MakeDirectories(CaseDir() + "made\\");
  ASSERT_TRUE(made.ok()) << made.error();
}

void PayloadInstallerTest::MakeHost(const HostFolder& host) {
  Status status = host.Create();
  if (status.ok()) status = host.AddFakeHost();
  if (status.ok()) status = host.WriteDataFile(Markers{42, {}, {}});
  if (status.ok()) status = RegisterHostPath(host.Dir());
  ASSERT_TRUE(status.ok()) << status.error();
}

void PayloadInstallerTest::MakeInstaller(const std::string& block, const std::string& resourceName) {
  std::string blockFile = CaseDir() + "payload.bin";
  Status status = WriteWholeFile(blockFile, block);
  if (status.ok()) status = BuildFromBlock(MadeInstaller(), blockFile, Config().installer, resourceName);
  ASSERT_TRUE(status.ok()) << status.error();
}

std::string PayloadInstallerTest::InstallOnce() {
  Result<Process> process = Start();
  EXPECT_TRUE(process.ok()) << process.error();
  if (!process.ok()) return "";
  SetupSession setup(process.value());
  Status opened = setup.Open();
  EXPECT_TRUE(opened.ok()) << opened.error();
  if (!opened.ok()) return "";
  Status launch = setup.SetLaunch(false);
  EXPECT_TRUE(launch.ok()) << launch.error();
  Result<std::string> text = setup.InstallAndAnswer();
  EXPECT_TRUE(text.ok()) << text.error();
  Result<DWORD> code = process.value().WaitForExit(kPatienceMs);
  EXPECT_TRUE(code.ok()) << code.error();
  if (code.ok()) {
    EXPECT_EQ(0u, code.value());
  }
  return text.ok() ? text.value() : "";
}

void PayloadInstallerTest::ExpectFile(const std::string& path, const std::string& contents) {
  Result<std::string> read = ReadWholeFile(path);
  ASSERT_TRUE(read.ok()) << path << ": " << read.error();
  EXPECT_EQ(contents.size(), read.value().size()) << path;
  EXPECT_TRUE(read.value() == contents) << path << " differs";
}

void PayloadInstallerTest::ExpectHostUntouched(const HostFolder& host) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((host.Dir() + "*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  do {
    std::string n = found.cFileName;
    if (n != "." && n != ".." && n != "KorvApp.exe" && n != "KorvApp.dat" && n != "KorvApp.log") {
      names.push_back(n);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_TRUE(names.empty()) << "written: " << ::testing::PrintToString(names);
}

std::string PayloadInstallerTest::HostLog() const {
  Result<std::string> text = ReadWholeFile(Host().PathOf("KorvApp.log"));
  return text.ok() ? text.value() : "";
}

}  // namespace pw
