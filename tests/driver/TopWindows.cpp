#include "TopWindows.h"

#include <algorithm>

#include "Controls.h"

namespace pw {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

std::vector<HWND> AllTopWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, (LPARAM)&windows);
  return windows;
}

DWORD OwnerPid(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::string ExitText(const Process& process) {
  Result<DWORD> code = process.WaitForExit(0);
  return code.ok() ? " (exit code " + std::to_string(code.value()) + ")" : "";
}

}  // namespace

bool Matches(HWND window, const WindowQuery& query) {
  if (!query.className.empty() && ClassName(window) != query.className) return false;
  if (!query.title.empty() && Text(window) != query.title) return false;
  return true;
}

std::vector<HWND> VisibleTopWindows(DWORD pid) {
  std::vector<HWND> found;
  for (HWND window : AllTopWindows()) {
    if (OwnerPid(window) == pid && IsWindowVisible(window)) found.push_back(window);
  }
  return found;
}

Result<HWND> WaitForWindow(const Process& process, const WindowQuery& query, DWORD timeoutMs) {
  HWND found = NULL;
  bool ended = false;
  WaitUntil(
      [&] {
        // Looked at before the process state: a window shown just before
        // the end still counts.
        bool running = process.Running();
        for (HWND window : VisibleTopWindows(process.id())) {
          if (Matches(window, query)) {
            found = window;
            return true;
          }
        }
        ended = !running;
        return ended;
      },
      timeoutMs);
  if (found) return found;
  std::string wanted = "window class '" + query.className + "' title '" + query.title + "'";
  if (ended) return Fail("process ended" + ExitText(process) + " without showing " + wanted);
  return Fail("no " + wanted + " within " + std::to_string(timeoutMs) + " ms");
}

Result<HWND> FirstWindowOrExit(const Process& process, DWORD timeoutMs) {
  HWND found = NULL;
  bool ended = false;
  WaitUntil(
      [&] {
        bool running = process.Running();
        std::vector<HWND> windows = VisibleTopWindows(process.id());
        if (!windows.empty()) found = windows.front();
        ended = !running;
        return found != NULL || ended;
      },
      timeoutMs);
  if (found || ended) return found;
  return Fail("process still running without a window after " + std::to_string(timeoutMs) + " ms");
}

HWND NewWindowWithin(const Process& process, const std::vector<HWND>& known, DWORD settleMs) {
  HWND found = NULL;
  WaitUntil(
      [&] {
        bool running = process.Running();
        for (HWND window : VisibleTopWindows(process.id())) {
          if (std::find(known.begin(), known.end(), window) == known.end()) {
            found = window;
            return true;
          }
        }
        return !running;
      },
      settleMs);
  return found;
}

std::vector<HWND> WindowsOfClass(const std::string& className) {
  std::vector<HWND> found;
  for (HWND window : AllTopWindows()) {
    if (ClassName(window) == className) found.push_back(window);
  }
  return found;
}

void KillOwnersOfClass(const std::string& className) {
  for (HWND window : WindowsOfClass(className)) {
    Result<Process> owner = Process::Attach(OwnerPid(window));
    if (owner.ok()) owner.value().Kill();
  }
}

}  // namespace pw
