#pragma once
#include <string>
#include <utility>
#include <vector>

namespace pw {

using EnvVars = std::vector<std::pair<std::string, std::string>>;

// This process's environment with the given variables added or replaced
// (names compared without case), as a block for CreateProcessA.
std::string EnvironmentBlock(const EnvVars& overrides);

}  // namespace pw
