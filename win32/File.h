#pragma once
#include <windows.h>

struct CFileStatus {
  FILETIME m_ctime;
  FILETIME m_atime;
  FILETIME m_mtime;
  ULONGLONG m_size;
  DWORD m_attribute;
  char m_szFullName[MAX_PATH];
};

class CFile {
 public:
  // TRUE when the path names any directory entry (file or folder) on a
  // volume that answers. A path that cannot be made full fails.
  static BOOL GetStatus(LPCSTR fileName, CFileStatus& status);
};
