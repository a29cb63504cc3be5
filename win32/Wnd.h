// CWnd: a window handle and, for windows we subclass, the object that owns
// their messages. The object is found from the handle through a window
// property, so any window can be subclassed, ours or the system's.
#pragma once
#include <windows.h>

#include "CmdTarget.h"
#include "Str.h"

class CWnd : public CCmdTarget {
 public:
  CWnd();
  ~CWnd() override;

  HWND m_hWnd;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // The subclassing object of hWnd, or a temporary wrapper that lives until
  // the outermost message handler returns.
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);

  BOOL Attach(HWND hWnd);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, const RECT& rect,
                CWnd* parent, UINT id);
  BOOL DestroyWindow();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  void SetWindowText(LPCSTR text);
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  CWnd* GetParent() const;
  CWnd* SetFocus();
  BOOL ShowWindow(int cmdShow);
  BOOL EnableWindow(BOOL enable = TRUE);
  void SetFont(HFONT font, BOOL redraw = TRUE);
  HFONT GetFont() const;
  void GetWindowRect(RECT* rect) const;
  void GetClientRect(RECT* rect) const;
  void ScreenToClient(RECT* rect) const;
  BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  DWORD GetStyle() const;
  int MessageBox(LPCSTR text, LPCSTR caption = NULL, UINT type = MB_OK);

 protected:
  // Message-map dispatch, then Default for what no map handles.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual void PostNcDestroy() {}
  // The window's own procedure for the message being handled.
  LRESULT Default();
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC m_superProc;

 private:
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  BOOL DispatchMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  UINT m_currentMessage;
  WPARAM m_currentWParam;
  LPARAM m_currentLParam;
  bool m_temporary;
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Keeps temporary wrappers alive for the duration of a message.
class CAfxMessageScope {
 public:
  CAfxMessageScope();
  ~CAfxMessageScope();
};
