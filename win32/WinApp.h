// The application object and the start-up that runs it.
#pragma once
#include <windows.h>

#include "CmdTarget.h"

class CWnd;

#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CCmdTarget {
 public:
  // A null name makes the application name the executable's file name
  // without its extension.
  explicit CWinApp(LPCSTR appName = NULL);
  ~CWinApp() override;

  virtual BOOL InitApplication();
  virtual BOOL InitInstance();
  virtual int Run();
  virtual int ExitInstance();

  // count +1 shows the wait cursor, -1 ends one such request.
  void DoWaitCursor(int count);
  void OnHelp();

  HINSTANCE m_hInstance;
  LPSTR m_lpCmdLine;
  int m_nCmdShow;
  LPCSTR m_pszAppName;
  CWnd* m_pMainWnd;

  DECLARE_MESSAGE_MAP()

 private:
  friend int AfxWinMain(HINSTANCE, HINSTANCE, LPSTR, int);
  char m_appNameBuffer[MAX_PATH];
  int m_waitCount;
  HCURSOR m_cursorBeforeWait;
};

struct AFX_MODULE_STATE {
  CWinApp* m_pCurrentWinApp;
  HINSTANCE m_hCurrentInstanceHandle;
  HINSTANCE m_hCurrentResourceHandle;
  LPCSTR m_lpszCurrentAppName;
};

AFX_MODULE_STATE* AfxGetModuleState();
CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The application's main window, or the thread's active window when it has
// none; NULL when there is neither.
CWnd* AfxGetMainWnd();

// Turns on the themed look of dialog controls.
BOOL Enable3dControlsStatic();

int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow);
