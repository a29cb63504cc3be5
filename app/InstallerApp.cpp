#include "InstallerApp.h"

#include "SetupDlg.h"

BEGIN_MESSAGE_MAP(CInstallerApp, CWinApp)
  ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CInstallerApp theApp;

CInstallerApp::CInstallerApp() : CWinApp(NULL) {}

CInstallerApp::~CInstallerApp() {}

BOOL CInstallerApp::InitInstance() {
  Enable3dControlsStatic();
  m_strHostDir = FindHostDir();
  if (m_strHostDir.IsEmpty()) return FALSE;
  CSetupDlg dialog(NULL);
  dialog.DoModal();
  return FALSE;
}
