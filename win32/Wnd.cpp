#include "Wnd.h"

#include "Array.h"

static const char kObjectProp[] = "Parcelwright.CWnd";

// Temporary wrappers handed out by FromHandle; freed when the outermost
// message scope ends.
static CAfxArray<CWnd*> g_temporaries;
static int g_messageDepth = 0;

CAfxMessageScope::CAfxMessageScope() { g_messageDepth++; }

CAfxMessageScope::~CAfxMessageScope() {
  if (--g_messageDepth > 0) return;
  for (int i = 0; i < g_temporaries.GetSize(); i++) delete g_temporaries[i];
  g_temporaries.RemoveAll();
}


CWnd::CWnd()
    : m_hWnd(NULL),
      m_superProc(NULL),
      m_currentMessage(0),
      m_currentWParam(0),
      m_currentLParam(0),
      m_temporary(false) {}

CWnd::~CWnd() {
  if (m_hWnd && !m_temporary) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  return hWnd ? (CWnd*)GetPropA(hWnd, kObjectProp) : NULL;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd) return NULL;
  CWnd* w = FromHandlePermanent(hWnd);
  if (w) return w;
  for (int i = 0; i < g_temporaries.GetSize(); i++) {
    if (g_temporaries[i]->m_hWnd == hWnd) return g_temporaries[i];
  }
  w = new CWnd;
  w->m_hWnd = hWnd;
  w->m_temporary = true;
  g_temporaries.Add(w);
  return w;
}

BOOL CWnd::Attach(HWND hWnd) {
  if (!hWnd || m_hWnd) return FALSE;
  m_hWnd = hWnd;
  return SetPropA(hWnd, kObjectProp, (HANDLE)this);
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd) {
    if (m_superProc && IsWindow(hWnd) &&
        (WNDPROC)GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxWndProc) {
      SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_superProc);
    }
    if (GetPropA(hWnd, kObjectProp) == (HANDLE)this) RemovePropA(hWnd, kObjectProp);
  }
  m_superProc = NULL;
  m_hWnd = NULL;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  m_superProc = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
  return m_superProc != NULL;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = ::GetDlgItem(parent->m_hWnd, id);
  return control && SubclassWindow(control);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id) {
  HWND hWnd = CreateWindowExA(exStyle, className, text, style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top,
                              parent ? parent->m_hWnd : NULL, (HMENU)(UINT_PTR)id,
                              GetModuleHandleA(NULL), NULL);
  return hWnd && SubclassWindow(hWnd);
}

BOOL CWnd::DestroyWindow() { return m_hWnd && ::DestroyWindow(m_hWnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

void CWnd::GetWindowText(CString& text) const {
  int length = GetWindowTextLength();
  ::GetWindowTextA(m_hWnd, text.GetBuffer(length + 1), length + 1);
  text.ReleaseBuffer();
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
BOOL CWnd::ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
void CWnd::SetFont(HFONT font, BOOL redraw) { SendMessage(WM_SETFONT, (WPARAM)font, redraw); }
HFONT CWnd::GetFont() const { return (HFONT)SendMessage(WM_GETFONT); }
void CWnd::GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::ScreenToClient(RECT* rect) const {
  ::MapWindowPoints(NULL, m_hWnd, (POINT*)rect, 2);
}

BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : NULL, x, y, cx, cy, flags);
}

DWORD CWnd::GetStyle() const { return (DWORD)GetWindowLongA(m_hWnd, GWL_STYLE); }

static BOOL ModifyLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags) {
  DWORD style = (DWORD)GetWindowLongA(hWnd, index);
  DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  SetWindowLongA(hWnd, index, (LONG)changed);
  if (flags) {
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  }
  return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  return ModifyLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
  return ::MessageBoxA(m_hWnd, text, caption, type);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_superProc) return CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  return DefWindowProc(m_currentMessage, m_currentWParam, m_currentLParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::DispatchMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (message == WM_COMMAND) return OnCommand(wParam, lParam);
  const AfxMessageMapEntry* e = FindEntry(message, 0, 0);
  if (!e) return FALSE;
  switch (e->signature) {
    case AfxSig_Size:
      (this->*reinterpret_cast<void (CCmdTarget::*)(UINT, int, int)>(e->handler))(
          (UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
      return TRUE;
    case AfxSig_Key:
      (this->*reinterpret_cast<void (CCmdTarget::*)(UINT, UINT, UINT)>(e->handler))(
          (UINT)wParam, LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case AfxSig_DlgCode:
      *result = (this->*reinterpret_cast<UINT (CCmdTarget::*)()>(e->handler))();
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (DispatchMap(message, wParam, lParam, &result)) return result;
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CAfxMessageScope scope;
  CWnd* w = CWnd::FromHandlePermanent(hWnd);
  if (!w) return ::DefWindowProcA(hWnd, message, wParam, lParam);

  // Handlers may send messages that come back here: keep the outer message.
  UINT savedMessage = w->m_currentMessage;
  WPARAM savedWParam = w->m_currentWParam;
  LPARAM savedLParam = w->m_currentLParam;
  w->m_currentMessage = message;
  w->m_currentWParam = wParam;
  w->m_currentLParam = lParam;
  LRESULT result = w->WindowProc(message, wParam, lParam);
  w->m_currentMessage = savedMessage;
  w->m_currentWParam = savedWParam;
  w->m_currentLParam = savedLParam;

  if (message == WM_NCDESTROY) {
    w->Detach();
    w->PostNcDestroy();
  }
  return result;
}
