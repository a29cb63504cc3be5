#include "InstallerBox.h"

int InstallerMessageBox(CWnd* owner, LPCSTR text, UINT icon) {
  return ::MessageBoxA(owner ? owner->m_hWnd : NULL, text, AfxGetModuleState()->m_lpszCurrentAppName,
                       MB_OK | MB_TOPMOST | MB_SETFOREGROUND | icon);
}
