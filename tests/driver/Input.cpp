#include "Input.h"

namespace pw {

namespace {

HWND FocusOfThreadOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  DWORD thread = GetWindowThreadProcessId(window, NULL);
  if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
  return window;
}

}  // namespace

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void Command(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

void PressEscape(HWND window) {
  // The dialog's own loop turns the key into IDCANCEL, as for a real key.
  HWND target = FocusOfThreadOf(window);
  PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void Close(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

void SystemClose(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace pw
