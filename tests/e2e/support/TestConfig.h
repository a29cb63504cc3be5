// What the build tells an end-to-end test binary on its command line.
#pragma once
#include <string>

namespace pw {

struct TestConfig {
  std::string installer;  // --installer=: the installer under test
  std::string fakeHost;   // --fakehost=: tests/fakehost's KorvApp.exe
  std::string relayLog;   // --relay-log=: where this program's standard error goes
};

const TestConfig& Config();

// Takes the options out of argv (after GoogleTest has taken its own). False,
// with the reason in error, when one is missing or unknown.
bool LoadConfig(int argc, char** argv, std::string* error);

}  // namespace pw
