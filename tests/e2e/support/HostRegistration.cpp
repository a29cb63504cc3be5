#include "HostRegistration.h"

#include <windows.h>

#include <vector>

#include "WinError.h"

namespace pw {

namespace {

const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\KorvApp.exe";
const char kValueName[] = "Path";

Status SetPathValue(const BYTE* data, DWORD size) {
  HKEY key = NULL;
  LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL);
  if (rc != ERROR_SUCCESS) return Fail(WinError("create HKLM\\" + std::string(kAppPathsKey), (DWORD)rc));
  rc = RegSetValueExA(key, kValueName, 0, REG_SZ, data, size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return Fail(WinError("set Path", (DWORD)rc));
  return Status();
}

Result<std::string> ReadPathBytes() {
  HKEY key = NULL;
  LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, KEY_QUERY_VALUE, &key);
  if (rc != ERROR_SUCCESS) return Fail(WinError("open HKLM\\" + std::string(kAppPathsKey), (DWORD)rc));
  std::vector<char> buffer(4096);
  DWORD size = (DWORD)buffer.size();
  rc = RegQueryValueExA(key, kValueName, NULL, NULL, (BYTE*)buffer.data(), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return Fail(WinError("read Path back", (DWORD)rc));
  return std::string(buffer.data(), size);
}

}  // namespace

Status RemoveHostRegistration() {
  LONG rc = RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPathsKey);
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
    return Fail(WinError("delete HKLM\\" + std::string(kAppPathsKey), (DWORD)rc));
  }
  return Status();
}

Status RegisterHostKeyOnly() {
  Status removed = RemoveHostRegistration();
  if (!removed.ok()) return removed;
  HKEY key = NULL;
  LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL);
  if (rc != ERROR_SUCCESS) return Fail(WinError("create HKLM\\" + std::string(kAppPathsKey), (DWORD)rc));
  RegCloseKey(key);
  return Status();
}

Status RegisterHostPath(const std::string& dir) {
  return SetPathValue((const BYTE*)dir.c_str(), (DWORD)dir.size() + 1);
}

Status RegisterHostPathBytes(const std::string& bytes) {
  // A NUL right after the data would be counted in by the registry (as on
  // Windows), so the byte after the data is not NUL.
  std::string padded = bytes + "#";
  Status set = SetPathValue((const BYTE*)padded.data(), (DWORD)bytes.size());
  if (!set.ok()) return set;
  Result<std::string> stored = ReadPathBytes();
  if (!stored.ok()) return Fail(stored.error());
  if (stored.value() != bytes) {
    return Fail("the registry stored " + std::to_string(stored.value().size()) + " bytes for Path, not the " +
                std::to_string(bytes.size()) + " given");
  }
  return Status();
}

}  // namespace pw
