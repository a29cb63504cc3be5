#pragma once
#include <windows.h>

#include <string>

namespace pw {

// "what: error N (system text)" for the calling thread's last error.
std::string WinError(const std::string& what);
std::string WinError(const std::string& what, DWORD code);

// "0x1234" for messages about windows.
std::string HandleText(const void* handle);

}  // namespace pw
