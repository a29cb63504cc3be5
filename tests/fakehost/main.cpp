// A stand-in for the Korvelin host: a main window of the class the installer
// asks to close, and KorvApp.log next to the exe telling a test what it saw.
// With /ignoreclose on its command line it stays open on WM_CLOSE, like a
// slow host.
#include <windows.h>

#include <string.h>

namespace {

const char kClassName[] = "KorvAppClass";
bool g_ignoreClose = false;

void AppendLog(const char* line) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  char* name = strrchr(path, '\\');
  char* dot = strrchr(name ? name : path, '.');
  if (!dot || (size_t)(dot - path) + 5 > sizeof(path)) return;
  strcpy(dot, ".log");
  HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
  if (log == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(log, line, (DWORD)strlen(line), &written, NULL);
  WriteFile(log, "\r\n", 2, &written, NULL);
  CloseHandle(log);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (g_ignoreClose) {
        AppendLog("close ignored");
        return 0;
      }
      AppendLog("closed");
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  g_ignoreClose = strstr(commandLine, "/ignoreclose") != NULL;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 2;
  // In a corner, clear of the centred dialogs and boxes the tests read.
  HWND window = CreateWindowA(kClassName, "Korvelin", WS_OVERLAPPEDWINDOW, 0, 0, 240, 120, NULL, NULL, instance, NULL);
  if (!window) return 2;
  ShowWindow(window, SW_SHOW);
  // Logged once the window exists, so a test that reads "started" finds it.
  AppendLog("started");
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
