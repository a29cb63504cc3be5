// Installers made during a test by the shipped Windows packager,
// dist\parcelwright.exe, which lies beside the installer under test.
#pragma once
#include <string>
#include <vector>

#include "Result.h"

namespace pw {

// Runs parcelwright.exe with the arguments and waits; fails on a non-zero
// exit. The stub is always the installer under test.
Status RunPackager(const std::vector<std::string>& arguments);

// parcelwright build -o out --payload blockFile [--resource-name name]
Status BuildFromBlock(const std::string& out, const std::string& blockFile, const std::string& stub,
                      const std::string& resourceName = "");

}  // namespace pw
