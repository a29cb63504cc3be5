#include "WinError.h"

#include <stdio.h>

namespace pw {

std::string WinError(const std::string& what) { return WinError(what, GetLastError()); }

std::string WinError(const std::string& what, DWORD code) {
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, code, 0, text, sizeof(text),
                 NULL);
  std::string message = text;
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return what + ": error " + std::to_string(code) + (message.empty() ? "" : " (" + message + ")");
}

std::string HandleText(const void* handle) {
  char text[32];
  snprintf(text, sizeof(text), "0x%llx", (unsigned long long)(ULONG_PTR)handle);
  return text;
}

}  // namespace pw
