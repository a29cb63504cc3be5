// Runs an installer the way a hurried person would and times it: starts it,
// presses Install as soon as the Setup dialog is up, OK as soon as the result
// box is up, and waits for it to end. An installer given with /S (an NSIS
// one) is only started and waited for. Prints seconds and the installer's
// peak private memory.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <string.h>

static HWND FindProcessWindow(DWORD pid, const char* title, HWND except) {
  for (HWND w = FindWindowExA(NULL, NULL, "#32770", NULL); w; w = FindWindowExA(NULL, w, "#32770", NULL)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != pid || w == except || !IsWindowVisible(w)) continue;
    char text[256];
    GetWindowTextA(w, text, sizeof(text));
    if (!title || strcmp(text, title) == 0) return w;
  }
  return NULL;
}

// The most private memory seen while waiting; an ended process reports none.
static SIZE_T g_peakPrivate = 0;

static void SampleMemory(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX c = {sizeof(c)};
  if (!GetProcessMemoryInfo(process, (PROCESS_MEMORY_COUNTERS*)&c, sizeof(c))) return;
  if (c.PeakPagefileUsage > g_peakPrivate) g_peakPrivate = c.PeakPagefileUsage;
  if (c.PrivateUsage > g_peakPrivate) g_peakPrivate = c.PrivateUsage;
}

static HWND WaitWindow(HANDLE process, DWORD pid, const char* title, HWND except) {
  for (;;) {
    SampleMemory(process);
    HWND w = FindProcessWindow(pid, title, except);
    if (w) return w;
    if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0) return NULL;
  }
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: InstallTimer INSTALLER.exe [/S]\n");
    return 2;
  }
  bool silent = argc > 2 && strcmp(argv[2], "/S") == 0;
  char command[MAX_PATH * 2];
  snprintf(command, sizeof(command), "\"%s\"%s", argv[1], silent ? " /S" : "");

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  STARTUPINFOA si = {sizeof(si)};
  PROCESS_INFORMATION pi;
  if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
    fprintf(stderr, "cannot start %s (%lu)\n", argv[1], GetLastError());
    return 2;
  }
  if (!silent) {
    HWND dialog = WaitWindow(pi.hProcess, pi.dwProcessId, "Setup", NULL);
    if (!dialog) return 3;
    // No host start afterwards: only the install is timed.
    SendMessageA(GetDlgItem(dialog, 1008), BM_SETCHECK, BST_UNCHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND box = WaitWindow(pi.hProcess, pi.dwProcessId, NULL, dialog);
    if (!box) return 3;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  while (WaitForSingleObject(pi.hProcess, 1) != WAIT_OBJECT_0) SampleMemory(pi.hProcess);
  QueryPerformanceCounter(&end);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  printf("seconds=%.4f peak_private_kb=%lu exit=%lu\n",
         (double)(end.QuadPart - start.QuadPart) / frequency.QuadPart, (unsigned long)(g_peakPrivate / 1024),
         (unsigned long)code);
  return 0;
}
