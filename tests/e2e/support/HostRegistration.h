// The host's App Paths registration in HKLM, set up the way a case needs it.
// Both registry views share App Paths under Wine, so one write serves the
// 32- and the 64-bit installer.
#pragma once
#include <string>

#include "Result.h"

namespace pw {

// No key at all.
Status RemoveHostRegistration();
// The key without its "Path" value.
Status RegisterHostKeyOnly();
// "Path" as a REG_SZ with its terminating NUL.
Status RegisterHostPath(const std::string& dir);
// "Path" as a REG_SZ of exactly these bytes, no NUL added; read back to
// make sure the registry stored them as given.
Status RegisterHostPathBytes(const std::string& bytes);

}  // namespace pw
