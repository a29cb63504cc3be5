#include "Packager.h"

#include "Process.h"
#include "TestConfig.h"

namespace pw {

static std::string PackagerPath() {
  const std::string& installer = Config().installer;
  return installer.substr(0, installer.find_last_of('\\') + 1) + "parcelwright.exe";
}

Status RunPackager(const std::vector<std::string>& arguments) {
  LaunchOptions options;
  options.exe = PackagerPath();
  for (const std::string& a : arguments) options.arguments += " \"" + a + "\"";
  Result<Process> started = Process::Start(options);
  if (!started.ok()) return Fail(started.error());
  Result<DWORD> code = started.value().WaitForExit(60000);
  if (!code.ok()) return Fail(code.error());
  if (code.value() != 0) return Fail("parcelwright" + options.arguments + " exited with " + std::to_string(code.value()));
  return Status();
}

Status BuildFromBlock(const std::string& out, const std::string& blockFile, const std::string& stub,
                      const std::string& resourceName) {
  std::vector<std::string> args = {"build", "-o", out, "--stub", stub, "--payload", blockFile};
  if (!resourceName.empty()) {
    args.push_back("--resource-name");
    args.push_back(resourceName);
  }
  return RunPackager(args);
}

}  // namespace pw
