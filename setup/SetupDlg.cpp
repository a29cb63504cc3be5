#include "SetupDlg.h"

#include <shellapi.h>

#include "HostNames.h"
#include "InstallerApp.h"
#include "InstallerBox.h"
#include "resource.h"

#define MSG_CLOSING_HOST "Setup will close \"Korvelin\" to continue installation."
#define MSG_INSTALLED "Files have been installed successfully!"
#define MSG_INSTALL_FAILED "Unable to install files on your computer. Exiting installation..."

// The host gets this long to close before files are written, and the
// success message this long before the host starts again.
static const DWORD kHostClosePause = 2000;
static const DWORD kHostStartPause = 1000;

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
  ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CSetupDlg::CSetupDlg(CWnd* pParent) : CDialog(IDD_SETUP, pParent) {
  m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CSetupDlg::~CSetupDlg() {}

void CSetupDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_LAUNCH, m_btnLaunch);
  DDX_Control(pDX, IDC_HOSTDIR, m_editHostDir);
}

BOOL CSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIcon);
  SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIcon);
  m_editHostDir.SetWindowText(((CInstallerApp*)AfxGetApp())->m_strHostDir);
  m_btnLaunch.SetCheck(BST_CHECKED);
  return TRUE;
}

void CSetupDlg::OnOK() {
  CloseRunningHost();
  BeginWaitCursor();
  int result = InstallPayload();
  if (result != -2) {
    InstallerMessageBox(this, result == 1 ? MSG_INSTALLED : MSG_INSTALL_FAILED, MB_ICONINFORMATION);
    if (m_btnLaunch.GetCheck()) {
      CString host = ((CInstallerApp*)AfxGetApp())->m_strHostDir + HOST_EXE_NAME;
      Sleep(kHostStartPause);
      ShellExecuteA(NULL, "open", host, NULL, NULL, SW_SHOW);
    }
    CDialog::OnOK();
  }
  EndWaitCursor();
}

void CSetupDlg::CloseRunningHost() {
  HWND host = FindWindowA(HOST_WINDOW_CLASS, NULL);
  if (!host) return;
  InstallerMessageBox(this, MSG_CLOSING_HOST, MB_ICONINFORMATION);
  ::PostMessageA(host, WM_CLOSE, 0, 0);
  Sleep(kHostClosePause);
}
