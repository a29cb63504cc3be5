#include "RelayLog.h"

#include <stdio.h>
#include <string.h>

#include "WinError.h"

namespace pw {

namespace {

const char kDebugKey[] = "Software\\Wine\\Debug";

bool HasPidPrefix(const std::string& line, DWORD pid) {
  char prefix[16];
  snprintf(prefix, sizeof(prefix), "%04lx:", (unsigned long)pid);
  return line.compare(0, strlen(prefix), prefix) == 0;
}

}  // namespace

Status RelayLog::Prepare() const {
  if (path_.empty()) return Fail("no relay log given (--relay-log=); run the test through with-relay-log.sh");
  Status reaches = CheckReachesFile();
  if (!reaches.ok()) return reaches;
  HKEY key = NULL;
  LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, kDebugKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL);
  if (rc != ERROR_SUCCESS) return Fail(WinError("open HKCU\\Software\\Wine\\Debug", (DWORD)rc));
  rc = RegSetValueExA(key, "RelayInclude", 0, REG_SZ, (const BYTE*)kRelayInclude, (DWORD)strlen(kRelayInclude) + 1);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return Fail(WinError("set RelayInclude", (DWORD)rc));
  return Status();
}

Status RelayLog::CheckReachesFile() const {
  if (checked_) return Status();
  Result<uint64_t> before = Size();
  if (!before.ok()) return Fail(before.error() + "; run the test through with-relay-log.sh");
  char marker[64];
  snprintf(marker, sizeof(marker), "pwdriver: relay log check %lu\n", GetCurrentProcessId());
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), marker, (DWORD)strlen(marker), &written, NULL);
  Result<std::string> text = ReadFrom(before.value());
  if (!text.ok()) return Fail(text.error());
  if (text.value().find(marker) == std::string::npos) {
    return Fail("standard error does not go to " + path_ + "; run the test through with-relay-log.sh");
  }
  checked_ = true;
  return Status();
}

Result<uint64_t> RelayLog::Size() const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &data)) {
    return Fail(WinError("relay log " + path_));
  }
  return ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

Result<std::string> RelayLog::ReadFrom(uint64_t offset) const {
  HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return Fail(WinError("open relay log " + path_));
  LARGE_INTEGER at;
  at.QuadPart = (LONGLONG)offset;
  std::string text;
  if (SetFilePointerEx(file, at, NULL, FILE_BEGIN)) {
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, NULL) && got > 0) text.append(buffer, got);
  }
  CloseHandle(file);
  return text;
}

Result<std::vector<RelayCall>> RelayLog::CallsSince(uint64_t offset, DWORD pid) const {
  Result<std::string> text = ReadFrom(offset);
  if (!text.ok()) return Fail(text.error());
  std::vector<RelayCall> calls;
  bool traced = false;
  size_t start = 0;
  const std::string& all = text.value();
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    std::string line = all.substr(start, end - start);
    start = end + 1;
    if (!HasPidPrefix(line, pid)) continue;
    traced = true;
    std::optional<RelayCall> call = ParseRelayLine(line);
    if (call && call->pid == pid) calls.push_back(*call);
  }
  if (!traced) return Fail("the relay log " + path_ + " has no trace of process " + std::to_string(pid));
  return calls;
}

}  // namespace pw
