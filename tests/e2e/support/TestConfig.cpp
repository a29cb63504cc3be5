#include "TestConfig.h"

#include <string.h>

namespace pw {

namespace {

TestConfig g_config;

bool TakeOption(const char* arg, const char* name, std::string* value) {
  size_t length = strlen(name);
  if (strncmp(arg, name, length) != 0) return false;
  *value = arg + length;
  return true;
}

}  // namespace

const TestConfig& Config() { return g_config; }

bool LoadConfig(int argc, char** argv, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    if (TakeOption(argv[i], "--installer=", &g_config.installer)) continue;
    if (TakeOption(argv[i], "--fakehost=", &g_config.fakeHost)) continue;
    if (TakeOption(argv[i], "--relay-log=", &g_config.relayLog)) continue;
    *error = std::string("unknown argument ") + argv[i];
    return false;
  }
  if (g_config.installer.empty() || g_config.fakeHost.empty() || g_config.relayLog.empty()) {
    *error = "usage: --installer=SETUP.EXE --fakehost=KORVAPP.EXE --relay-log=FILE (Windows paths; standard error "
             "must go to FILE, see with-relay-log.sh)";
    return false;
  }
  return true;
}

}  // namespace pw
