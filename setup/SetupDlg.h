// The Setup dialog: names the host folder, offers another, installs.
#pragma once
#include "Afx.h"

class CSetupDlg : public CDialog {
 public:
  explicit CSetupDlg(CWnd* pParent = NULL);
  ~CSetupDlg() override;

  // Names of our EXE_DUMP resources as the enumeration reports them.
  CStringArray m_arrPayloadNames;
  CButton m_btnLaunch;
  CEdit m_editHostDir;
  HICON m_hIcon;

  // 1 installed, 0 failed, -2 no host in the chosen folder.
  int InstallPayload();
  void CloseRunningHost();

  static BOOL CALLBACK EnumPayloadNameProc(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnBrowse();

  DECLARE_MESSAGE_MAP()
};
