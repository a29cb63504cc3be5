// Base of the cases that install a payload: a Business host registered in
// the case folder, an installer made from a payload block by the shipped
// packager, and checks of what was written.
#pragma once
#include <string>

#include "InstallerTest.h"
#include "SetupSession.h"

namespace pw {

extern const char kInstalledText[];
extern const char kFailedText[];
extern const char kNotInThisFolderText[];

// Deterministic contents that differ at every offset.
std::string Pattern(size_t size, unsigned seed);

class PayloadInstallerTest : public InstallerTest {
 protected:
  void SetUp() override;

  // A folder with the fake host and Business markers, registered as the host.
  void MakeHost(const HostFolder& host);
  // Where the installer for the case is made.
  std::string MadeInstaller() const { return CaseDir() + "made\\Setup.exe"; }
  void MakeInstaller(const std::string& block, const std::string& resourceName = "");
  Result<Process> Start() { return StartInstallerFrom(MadeInstaller()); }
  // Starts, clears Launch, presses Install, answers the box, waits for the
  // end (exit code 0); the box's text.
  std::string InstallOnce();

  void ExpectFile(const std::string& path, const std::string& contents);
  // Nothing in the folder but what the fixture put there.
  void ExpectHostUntouched(const HostFolder& host);
  // The fake host's log: "started" and "closed" lines.
  std::string HostLog() const;
};

}  // namespace pw
