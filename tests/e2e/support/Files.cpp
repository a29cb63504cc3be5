#include "Files.h"

#include <windows.h>

#include "WinError.h"

namespace pw {

namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

}  // namespace

Status MakeDirectories(const std::string& dir) {
  std::string path = WithoutTrailingSlash(dir);
  for (size_t at = path.find('\\', 3); ; at = path.find('\\', at + 1)) {
    std::string level = path.substr(0, at);
    if (!CreateDirectoryA(level.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS) {
      return Fail(WinError("create folder " + level));
    }
    if (at == std::string::npos) return Status();
  }
}

Status RemoveTree(const std::string& target) {
  std::string path = WithoutTrailingSlash(target);
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Status();
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    if (!DeleteFileA(path.c_str())) return Fail(WinError("delete " + path));
    return Status();
  }
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      Status removed = RemoveTree(path + "\\" + name);
      if (!removed.ok()) {
        FindClose(find);
        return removed;
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  if (!RemoveDirectoryA(path.c_str())) return Fail(WinError("remove folder " + path));
  return Status();
}

Status CopyOneFile(const std::string& from, const std::string& to) {
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) return Fail(WinError("copy " + from + " to " + to));
  return Status();
}

Status WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return Fail(WinError("create " + path));
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
  CloseHandle(file);
  if (!ok || written != bytes.size()) return Fail(WinError("write " + path));
  return Status();
}

Result<std::string> ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return Fail(WinError("open " + path));
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, NULL) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace pw
