// File system set-up and checks for the tests, on Windows paths.
#pragma once
#include <string>

#include "Result.h"

namespace pw {

// Creates every missing level of dir.
Status MakeDirectories(const std::string& dir);
// Removes a file or a whole folder; fine when there is nothing.
Status RemoveTree(const std::string& path);
Status CopyOneFile(const std::string& from, const std::string& to);
Status WriteWholeFile(const std::string& path, const std::string& bytes);
Result<std::string> ReadWholeFile(const std::string& path);
bool PathExists(const std::string& path);

}  // namespace pw
