#include "Dialog.h"

#include "WinApp.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (control.m_hWnd) return;
  control.SubclassDlgItem(id, pDX->m_pDlgWnd);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
  return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, DialogProc,
                         (LPARAM)this);
}

// Until WM_INITDIALOG the dialog has no object; from then on it is
// subclassed and its messages go through the message map first.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  CAfxMessageScope scope;
  CDialog* dialog = (CDialog*)lParam;
  if (!dialog->SubclassWindow(hWnd)) return TRUE;
  dialog->CenterOnOwnerOrWorkArea();
  return dialog->OnInitDialog();
}

void CDialog::CenterOnOwnerOrWorkArea() {
  RECT area;
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  if (owner && IsWindowVisible(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT r;
  GetWindowRect(&r);
  int x = area.left + ((area.right - area.left) - (r.right - r.left)) / 2;
  int y = area.top + ((area.bottom - area.top) - (r.bottom - r.top)) / 2;
  SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
  }
  return FALSE;
}
