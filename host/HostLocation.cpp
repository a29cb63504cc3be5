// Finding the host at start-up: its registration, then the checks.
#include <string.h>

#include "HostCheck.h"
#include "HostNames.h"
#include "InstallerApp.h"

CString CInstallerApp::ReadAppPath() {
  CString path;
  HKEY key = NULL;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, HOST_APP_PATHS_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return path;
  }
  char buffer[HOST_REG_BUFFER];
  DWORD size = sizeof(buffer);
  LONG result = RegQueryValueExA(key, HOST_APP_PATHS_VALUE, NULL, NULL, (BYTE*)buffer, &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || size > sizeof(buffer)) return path;
  if (memchr(buffer, 0, size) == NULL) {
    // A value that fills the whole buffer without its NUL may be cut short:
    // taken as not found. A shorter one stored without its NUL is whole.
    if (size == sizeof(buffer)) return path;
    buffer[size] = 0;
  }
  if (buffer[0] != 0) path = buffer;
  return path;
}

CString CInstallerApp::FindHostDir() {
  CString hostDir = ReadAppPath();
  if (hostDir.IsEmpty() || !HostIsPresent(hostDir)) HostFail(AfxGetMainWnd(), MSG_HOST_NOT_INSTALLED);
  if (!HostIsBusiness(hostDir)) HostFail(AfxGetMainWnd(), MSG_BUSINESS_NOT_INSTALLED);
  return hostDir;
}
