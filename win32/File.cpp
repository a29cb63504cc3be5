#include "File.h"

#include <string.h>

// "C:\" for a drive path, "\\server\share\" for a UNC one.
static BOOL VolumeRootOf(LPCSTR fullPath, char* root, size_t size) {
  if (fullPath[0] == '\\' && fullPath[1] == '\\') {
    LPCSTR p = fullPath + 2;
    int separators = 0;
    while (*p && separators < 2) {
      if (*p == '\\') separators++;
      p = CharNextA(p);
    }
    size_t n = (size_t)(p - fullPath);
    if (n + 2 > size) return FALSE;
    memcpy(root, fullPath, n);
    root[n] = 0;
    if (separators < 2) lstrcatA(root, "\\");
    return TRUE;
  }
  if (!fullPath[0] || fullPath[1] != ':' || size < 4) return FALSE;
  root[0] = fullPath[0];
  root[1] = ':';
  root[2] = '\\';
  root[3] = 0;
  return TRUE;
}

BOOL CFile::GetStatus(LPCSTR fileName, CFileStatus& status) {
  memset(&status, 0, sizeof(status));
  LPSTR filePart = NULL;
  DWORD n = GetFullPathNameA(fileName, MAX_PATH, status.m_szFullName, &filePart);
  if (n == 0 || n >= MAX_PATH) {
    status.m_szFullName[0] = 0;
    return FALSE;
  }
  char root[MAX_PATH];
  if (!VolumeRootOf(status.m_szFullName, root, sizeof(root))) return FALSE;
  if (!GetVolumeInformationA(root, NULL, 0, NULL, NULL, NULL, NULL, 0)) return FALSE;

  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(fileName, &found);
  if (search == INVALID_HANDLE_VALUE) return FALSE;
  FindClose(search);
  status.m_attribute = found.dwFileAttributes;
  status.m_size = ((ULONGLONG)found.nFileSizeHigh << 32) | found.nFileSizeLow;
  status.m_ctime = found.ftCreationTime;
  status.m_atime = found.ftLastAccessTime;
  status.m_mtime = found.ftLastWriteTime;
  return TRUE;
}
