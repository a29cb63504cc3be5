#pragma once
#include "Afx.h"

class CInstallerApp : public CWinApp {
 public:
  CInstallerApp();
  ~CInstallerApp() override;
  BOOL InitInstance() override;

  // The verified host folder; returns only on success.
  CString FindHostDir();
  // The registered host folder, or an empty string.
  CString ReadAppPath();

  // The host folder, ending in a backslash; file names are appended to it.
  CString m_strHostDir;

  DECLARE_MESSAGE_MAP()
};
