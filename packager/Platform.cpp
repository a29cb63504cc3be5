#include "Platform.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#include <sys/stat.h>
#else
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

static std::wstring Wide(const std::string& text, unsigned codePage = CP_UTF8) {
  int n = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), NULL, 0);
  std::wstring wide(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), &wide[0], n);
  return wide;
}

static std::string Narrow(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), NULL, 0, NULL, NULL);
  std::string text(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &text[0], n, NULL, NULL);
  return text;
}

static FILE* OpenFile(const std::string& path, const char* mode) {
  return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

bool RegularFileSize(const std::string& path, uint64_t* size, std::string* error) {
  struct _stat64 st;
  if (_wstat64(Wide(path).c_str(), &st) != 0) {
    *error = strerror(errno);
    return false;
  }
  if ((st.st_mode & _S_IFMT) != _S_IFREG) {
    *error = "not a regular file";
    return false;
  }
  *size = (uint64_t)st.st_size;
  return true;
}

bool MakeDirectory(const std::string& path) { return CreateDirectoryW(Wide(path).c_str(), NULL) != 0; }

static int RemoveFile(const std::string& path) { return _wremove(Wide(path).c_str()); }

std::string ExecutableDirectory() {
  wchar_t buffer[32768];
  DWORD n = GetModuleFileNameW(NULL, buffer, sizeof buffer / sizeof buffer[0]);
  if (n == 0 || n >= sizeof buffer / sizeof buffer[0]) return std::string();
  std::string path = Narrow(std::wstring(buffer, n));
  return path.substr(0, path.find_last_of("\\/") + 1);
}

static bool IsSeparator(char c) { return c == '/' || c == '\\' || c == ':'; }

static const char kSeparator = '\\';

bool CodePageSupported(unsigned codePage) { return IsValidCodePage(codePage) != 0; }

bool LocalToCodePage(const std::string& text, unsigned codePage, std::string* out) {
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), (int)text.size(), NULL, 0);
  if (n <= 0 && !text.empty()) return false;
  std::wstring wide = Wide(text);
  BOOL usedDefault = FALSE;
  // No best fit: a character the code page lacks must fail, not turn into a
  // look-alike.
  int m = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), (int)wide.size(), NULL, 0,
                              NULL, &usedDefault);
  if ((m <= 0 && !wide.empty()) || usedDefault) return false;
  out->assign(m > 0 ? m : 0, '\0');
  if (m > 0) {
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), (int)wide.size(), &(*out)[0], m,
                        NULL, &usedDefault);
  }
  return !usedDefault;
}

bool CodePageToLocal(const std::string& bytes, unsigned codePage, std::string* text) {
  int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), (int)bytes.size(), NULL, 0);
  if (n <= 0 && !bytes.empty()) return false;
  *text = Narrow(Wide(bytes, codePage));
  return true;
}

std::vector<std::string> CommandLineArgs(int, char**) {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == NULL) return args;
  for (int i = 1; i < count; i++) args.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

#else  // POSIX

static FILE* OpenFile(const std::string& path, const char* mode) { return fopen(path.c_str(), mode); }

bool RegularFileSize(const std::string& path, uint64_t* size, std::string* error) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    *error = strerror(errno);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    *error = "not a regular file";
    return false;
  }
  *size = (uint64_t)st.st_size;
  return true;
}

bool MakeDirectory(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }

static int RemoveFile(const std::string& path) { return remove(path.c_str()); }

std::string ExecutableDirectory() {
  char buffer[4096];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0 || (size_t)n >= sizeof buffer) return std::string();
  std::string path(buffer, (size_t)n);
  return path.substr(0, path.rfind('/') + 1);
}

static bool IsSeparator(char c) { return c == '/'; }

static const char kSeparator = '/';

static std::string IconvName(unsigned codePage) { return "CP" + std::to_string(codePage); }

// Converts all or nothing: a character without a counterpart fails.
static bool Convert(const char* to, const char* from, const std::string& in, std::string* out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == (iconv_t)-1) return false;
  std::string result;
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  char buffer[256];
  bool ok = true;
  while (ok && inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    result.append(buffer, (size_t)(outPtr - buffer));
    // A positive count means characters were replaced, which is a failure too.
    if (r == (size_t)-1 ? errno != E2BIG : r != 0) ok = false;
  }
  iconv_close(cd);
  if (ok) *out = result;
  return ok;
}

bool CodePageSupported(unsigned codePage) {
  std::string name = IconvName(codePage);
  iconv_t there = iconv_open(name.c_str(), "UTF-8");
  if (there == (iconv_t)-1) return false;
  iconv_close(there);
  iconv_t back = iconv_open("UTF-8", name.c_str());
  if (back == (iconv_t)-1) return false;
  iconv_close(back);
  return true;
}

bool LocalToCodePage(const std::string& text, unsigned codePage, std::string* out) {
  return Convert(IconvName(codePage).c_str(), "UTF-8", text, out);
}

bool CodePageToLocal(const std::string& bytes, unsigned codePage, std::string* text) {
  return Convert("UTF-8", IconvName(codePage).c_str(), bytes, text);
}

std::vector<std::string> CommandLineArgs(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

#endif

bool ReadFileBytes(const std::string& path, Bytes* out, std::string* error) {
  FILE* file = OpenFile(path, "rb");
  if (file == NULL) {
    *error = strerror(errno);
    return false;
  }
  out->clear();
  unsigned char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) out->insert(out->end(), buffer, buffer + n);
  bool ok = !ferror(file);
  if (!ok) *error = strerror(errno);
  fclose(file);
  return ok;
}

bool WriteFileBytes(const std::string& path, const void* data, size_t size, std::string* error) {
  FILE* file = OpenFile(path, "wb");
  if (file == NULL) {
    *error = strerror(errno);
    return false;
  }
  bool ok = fwrite(data, 1, size, file) == size;
  if (!ok) *error = strerror(errno);
  if (fclose(file) != 0 && ok) {
    ok = false;
    *error = strerror(errno);
  }
  if (!ok) RemoveFile(path);
  return ok;
}

std::string PathBaseName(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) i--;
  return path.substr(i);
}

std::string PathJoin(const std::string& folder, const std::string& name) {
  if (folder.empty() || IsSeparator(folder[folder.size() - 1])) return folder + name;
  return folder + kSeparator + name;
}
