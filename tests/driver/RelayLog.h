// The relay trace of the programs a test starts. Wine writes a process's
// debug output to the Unix standard error it inherited from its parent,
// whatever standard handles the parent passes, so the trace of every child
// lands where this test program's own standard error goes. The test program
// is therefore run with its standard error sent to a file (see
// tests/e2e/with-relay-log.sh) and is told that file's Windows path.
#pragma once
#include <windows.h>

#include <stdint.h>
#include <string>
#include <vector>

#include "RelayParse.h"
#include "Result.h"

namespace pw {

class RelayLog {
 public:
  // What a traced child gets as WINEDEBUG: the pid prefix tells children apart.
  static constexpr const char* kWineDebug = "+pid,+relay";
  // Only the calls the tests look at, or the trace floods.
  static constexpr const char* kRelayInclude = "user32.MessageBoxA;shell32.ShellExecuteA";

  RelayLog() = default;
  explicit RelayLog(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // Limits the trace to kRelayInclude, and checks once that this process's
  // standard error really reaches the file.
  Status Prepare() const;

  // Where the file ends now: a child's calls are read from there on.
  Result<uint64_t> Size() const;

  // The calls process pid made, written after offset. Fails when the file
  // holds nothing at all from that process: it was not traced.
  Result<std::vector<RelayCall>> CallsSince(uint64_t offset, DWORD pid) const;

 private:
  Result<std::string> ReadFrom(uint64_t offset) const;
  Status CheckReachesFile() const;

  std::string path_;
  mutable bool checked_ = false;
};

}  // namespace pw
