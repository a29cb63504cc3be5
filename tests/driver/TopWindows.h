// Finding the top-level windows a process shows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Process.h"
#include "Result.h"
#include "Wait.h"

namespace pw {

struct WindowQuery {
  std::string className;  // empty: any
  std::string title;      // empty: any
};

bool Matches(HWND window, const WindowQuery& query);

// Visible top-level windows of process pid, in z-order.
std::vector<HWND> VisibleTopWindows(DWORD pid);

// The first visible window of the process that matches. Fails when the
// process ends first or the time is up.
Result<HWND> WaitForWindow(const Process& process, const WindowQuery& query, DWORD timeoutMs = kPatienceMs);

// The first visible window of the process, or NULL when it ended without
// one. Fails when the time is up with the process still running and no window.
Result<HWND> FirstWindowOrExit(const Process& process, DWORD timeoutMs = kPatienceMs);

// A visible window of the process not among known that appears before
// settleMs have passed; NULL when none did, or the process ended first.
HWND NewWindowWithin(const Process& process, const std::vector<HWND>& known, DWORD settleMs);

// Visible or hidden top-level windows of a class, of any process.
std::vector<HWND> WindowsOfClass(const std::string& className);

// Ends every process that owns a top-level window of the class.
void KillOwnersOfClass(const std::string& className);

}  // namespace pw
