// Modal dialogs from a template, with control attachment by data exchange.
#pragma once
#include "Wnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
};

// Attaches the control object to the dialog's control with that id, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = NULL);

  // IDOK, IDCANCEL or what EndDialog was given; -1 when no dialog could be made.
  virtual INT_PTR DoModal();
  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CenterOnOwnerOrWorkArea();
};
