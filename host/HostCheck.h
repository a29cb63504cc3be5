// The tests that a folder holds a Business installation of the host.
#pragma once
#include "Afx.h"

// Any directory entry named KorvApp.exe in the folder counts.
BOOL HostIsPresent(const CString& hostDir);

// The data file's markers name the Business edition.
BOOL HostIsBusiness(const CString& hostDir);

// Shows the error, then ends the process with exit code 1.
void HostFail(CWnd* owner, LPCSTR text);

// Run before each installation. FALSE when the folder has no host (after
// telling the user); a wrong edition ends the process.
BOOL HostCheckForInstall(CWnd* owner, const CString& hostDir);
