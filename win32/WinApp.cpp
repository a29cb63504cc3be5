#include "WinApp.h"

#include <commctrl.h>
#include <string.h>

#include "Wnd.h"

static AFX_MODULE_STATE g_moduleState;

AFX_MODULE_STATE* AfxGetModuleState() { return &g_moduleState; }
CWinApp* AfxGetApp() { return g_moduleState.m_pCurrentWinApp; }
HINSTANCE AfxGetInstanceHandle() { return g_moduleState.m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return g_moduleState.m_hCurrentResourceHandle; }

CWnd* AfxGetMainWnd() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd) return app->m_pMainWnd;
  HWND active = GetActiveWindow();
  return active ? CWnd::FromHandle(active) : NULL;
}

BOOL Enable3dControlsStatic() {
  INITCOMMONCONTROLSEX init = {sizeof(init), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  return InitCommonControlsEx(&init);
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR appName)
    : m_hInstance(NULL),
      m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(appName),
      m_pMainWnd(NULL),
      m_waitCount(0),
      m_cursorBeforeWait(NULL) {
  m_appNameBuffer[0] = 0;
  g_moduleState.m_pCurrentWinApp = this;
}

CWinApp::~CWinApp() {
  if (g_moduleState.m_pCurrentWinApp == this) g_moduleState.m_pCurrentWinApp = NULL;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

int CWinApp::Run() {
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return ExitInstance();
}

void CWinApp::DoWaitCursor(int count) {
  m_waitCount += count;
  if (m_waitCount < 0) m_waitCount = 0;
  if (m_waitCount > 0) {
    HCURSOR before = SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
    if (count > 0 && m_waitCount == 1) m_cursorBeforeWait = before;
  } else {
    SetCursor(m_cursorBeforeWait ? m_cursorBeforeWait : LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
  }
}

// There is no help file; the command exists so the standard Help id is taken.
void CWinApp::OnHelp() {}

// The executable's file name without folder and extension.
static void NameFromModule(HINSTANCE instance, char* name, size_t size) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(instance, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) path[0] = 0;
  LPCSTR base = path;
  for (LPCSTR p = path; *p; p = CharNextA(p)) {
    if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
  }
  lstrcpynA(name, base, (int)size);
  char* dot = NULL;
  for (char* p = name; *p; p = CharNextA(p)) {
    if (*p == '.') dot = p;
  }
  if (dot) *dot = 0;
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  g_moduleState.m_hCurrentInstanceHandle = instance;
  g_moduleState.m_hCurrentResourceHandle = instance;
  app->m_hInstance = instance;
  app->m_lpCmdLine = cmdLine;
  app->m_nCmdShow = cmdShow;
  if (!app->m_pszAppName) {
    NameFromModule(instance, app->m_appNameBuffer, sizeof(app->m_appNameBuffer));
    app->m_pszAppName = app->m_appNameBuffer;
  }
  g_moduleState.m_lpszCurrentAppName = app->m_pszAppName;

  if (!app->InitApplication()) return app->ExitInstance();
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}
