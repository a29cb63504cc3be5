// Acting on another process's windows. Everything is posted, not sent: a
// handler that opens a modal box would otherwise block the test until the
// box is gone.
#pragma once
#include <windows.h>

namespace pw {

void Click(HWND button);                // BM_CLICK
void Command(HWND dialog, int id);      // WM_COMMAND / BN_CLICKED from control id
void PressEscape(HWND window);          // to the focused control of its thread
void Close(HWND window);                // WM_CLOSE
void SystemClose(HWND window);          // WM_SYSCOMMAND / SC_CLOSE: the close box, Alt+F4

}  // namespace pw
