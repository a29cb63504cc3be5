// A program under test, started the way a person would start it.
#pragma once
#include <windows.h>

#include <stdint.h>
#include <string>
#include <vector>

#include "Environment.h"
#include "RelayLog.h"
#include "Result.h"

namespace pw {

struct LaunchOptions {
  std::string exe;         // Windows path
  std::string arguments;   // after the quoted exe path
  std::string workingDir;  // empty: this process's
  EnvVars environment;     // added to or replacing this process's
  const RelayLog* relay = nullptr;  // trace the child's calls into this log
};

class Process {
 public:
  static Result<Process> Start(const LaunchOptions& options);
  // A process this test did not start, e.g. a host the installer started.
  static Result<Process> Attach(DWORD pid);

  Process() = default;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  // Kills a process still running, so a failed test leaves nothing behind.
  ~Process();

  DWORD id() const { return id_; }
  bool Running() const;
  Result<DWORD> WaitForExit(DWORD timeoutMs) const;
  void Kill();

  // Its calls from the relay trace so far.
  Result<std::vector<RelayCall>> RelayCalls() const;

 private:
  void Reset();

  HANDLE handle_ = NULL;
  DWORD id_ = 0;
  const RelayLog* relay_ = nullptr;
  uint64_t relayMark_ = 0;
};

}  // namespace pw
