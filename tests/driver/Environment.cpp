#include "Environment.h"

#include <windows.h>

#include <string.h>

namespace pw {

namespace {

std::string NameOf(const std::string& entry) {
  // Entries like "=C:=C:\dir" keep their leading '=' in the name.
  size_t eq = entry.find('=', 1);
  return entry.substr(0, eq);
}

bool Overridden(const std::string& name, const EnvVars& overrides) {
  for (const auto& var : overrides) {
    if (_stricmp(var.first.c_str(), name.c_str()) == 0) return true;
  }
  return false;
}

}  // namespace

std::string EnvironmentBlock(const EnvVars& overrides) {
  std::string block;
  char* current = GetEnvironmentStringsA();
  for (const char* entry = current; entry && *entry; entry += strlen(entry) + 1) {
    std::string text = entry;
    if (Overridden(NameOf(text), overrides)) continue;
    block += text;
    block += '\0';
  }
  if (current) FreeEnvironmentStringsA(current);
  for (const auto& var : overrides) {
    block += var.first + "=" + var.second;
    block += '\0';
  }
  block += '\0';
  return block;
}

}  // namespace pw
