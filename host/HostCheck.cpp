#include "HostCheck.h"

#include "HostNames.h"
#include "InstallerBox.h"

BOOL HostIsPresent(const CString& hostDir) {
  CFileStatus status;
  return CFile::GetStatus(hostDir + HOST_EXE_NAME, status);
}

BOOL HostIsBusiness(const CString& hostDir) {
  CString dataFile = hostDir + HOST_DATA_NAME;
  UINT version = GetPrivateProfileIntA(HOST_DATA_SECTION, HOST_KEY_VERSION, HOST_VERSION_DEFAULT, dataFile);
  if (version != HOST_VERSION_BUSINESS) return FALSE;
  UINT slx = GetPrivateProfileIntA(HOST_DATA_SECTION, HOST_KEY_SLX, 0, dataFile);
  UINT oem = GetPrivateProfileIntA(HOST_DATA_SECTION, HOST_KEY_OEM, 0, dataFile);
  return slx != HOST_SLX_NOT_BUSINESS && oem != HOST_OEM_NOT_BUSINESS;
}

void HostFail(CWnd* owner, LPCSTR text) {
  InstallerMessageBox(owner, text, MB_ICONERROR);
  ExitProcess(1);
}

BOOL HostCheckForInstall(CWnd* owner, const CString& hostDir) {
  if (!HostIsPresent(hostDir)) {
    InstallerMessageBox(owner, MSG_HOST_NOT_IN_FOLDER, MB_ICONINFORMATION);
    return FALSE;
  }
  if (!HostIsBusiness(hostDir)) HostFail(owner, MSG_BUSINESS_NOT_INSTALLED);
  return TRUE;
}
