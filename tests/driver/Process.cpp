#include "Process.h"

#include "Wait.h"
#include "WinError.h"

namespace pw {

namespace {

const DWORD kKilledExitCode = 0xDEAD;

}  // namespace

Result<Process> Process::Start(const LaunchOptions& options) {
  EnvVars environment = options.environment;
  uint64_t mark = 0;
  if (options.relay) {
    Status prepared = options.relay->Prepare();
    if (!prepared.ok()) return Fail(prepared.error());
    Result<uint64_t> size = options.relay->Size();
    if (!size.ok()) return Fail(size.error());
    mark = size.value();
    environment.push_back({"WINEDEBUG", RelayLog::kWineDebug});
  }
  std::string block = EnvironmentBlock(environment);
  std::string commandLine = "\"" + options.exe + "\"";
  if (!options.arguments.empty()) commandLine += " " + options.arguments;
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(options.exe.c_str(), mutableLine.data(), NULL, NULL, FALSE, 0, &block[0],
                      options.workingDir.empty() ? NULL : options.workingDir.c_str(), &startup, &info)) {
    return Fail(WinError("start " + commandLine));
  }
  CloseHandle(info.hThread);
  Process process;
  process.handle_ = info.hProcess;
  process.id_ = info.dwProcessId;
  process.relay_ = options.relay;
  process.relayMark_ = mark;
  return process;
}

Result<Process> Process::Attach(DWORD pid) {
  HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
  if (!handle) return Fail(WinError("open process " + std::to_string(pid)));
  Process process;
  process.handle_ = handle;
  process.id_ = pid;
  return process;
}

Process::Process(Process&& other) noexcept { *this = std::move(other); }

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Reset();
    handle_ = other.handle_;
    id_ = other.id_;
    relay_ = other.relay_;
    relayMark_ = other.relayMark_;
    other.handle_ = NULL;
  }
  return *this;
}

Process::~Process() { Reset(); }

void Process::Reset() {
  if (!handle_) return;
  if (Running()) Kill();
  CloseHandle(handle_);
  handle_ = NULL;
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

Result<DWORD> Process::WaitForExit(DWORD timeoutMs) const {
  if (!handle_) return Fail("no process");
  DWORD waited = WaitForSingleObject(handle_, timeoutMs);
  if (waited == WAIT_TIMEOUT) {
    return Fail("process " + std::to_string(id_) + " still running after " + std::to_string(timeoutMs) + " ms");
  }
  if (waited != WAIT_OBJECT_0) return Fail(WinError("wait for process " + std::to_string(id_)));
  DWORD code = 0;
  if (!GetExitCodeProcess(handle_, &code)) return Fail(WinError("exit code of process " + std::to_string(id_)));
  return code;
}

void Process::Kill() {
  if (!handle_) return;
  TerminateProcess(handle_, kKilledExitCode);
  WaitForSingleObject(handle_, kPatienceMs);
}

Result<std::vector<RelayCall>> Process::RelayCalls() const {
  if (!relay_) return Fail("process " + std::to_string(id_) + " was started without the relay trace");
  return relay_->CallsSince(relayMark_, id_);
}

}  // namespace pw
