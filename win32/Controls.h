#pragma once
#include "Wnd.h"

class CButton : public CWnd {
 public:
  int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
  void SetCheck(int check) { SendMessage(BM_SETCHECK, check); }
  BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "BUTTON", text, style, rect, parent, id);
  }
};

class CEdit : public CWnd {
 public:
  void SetSel(int start, int end) { SendMessage(EM_SETSEL, start, end); }
  void GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    start = (int)s;
    end = (int)e;
  }
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "EDIT", "", style, rect, parent, id);
  }
};
