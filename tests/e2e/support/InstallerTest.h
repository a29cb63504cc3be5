// Base of the end-to-end cases: each starts from a machine with no host
// registration and no host running, and works in its own folder
// C:\pwtest\<case>\ (host\ for the host, installer\ for the installer copy).
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "HostFolder.h"
#include "Process.h"
#include "RelayLog.h"
#include "Result.h"

namespace pw {

extern const char kHostWindowClass[];

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  const std::string& CaseDir() const { return caseDir_; }
  const HostFolder& Host() const { return host_; }

  // Copies the installer under test to installer\<fileName> in the case
  // folder and starts it there, with the relay trace on.
  Result<Process> StartInstaller(const std::string& fileName = "Setup.exe");
  // The same for another installer, e.g. one made by the packager.
  Result<Process> StartInstallerFrom(const std::string& source, const std::string& fileName = "Setup.exe");

 private:
  void CleanMachine();

  std::string caseDir_;
  HostFolder host_;
  RelayLog relay_;
};

}  // namespace pw
