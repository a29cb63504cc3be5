// The installer's own message boxes: the application name as caption,
// always in front, a single OK button.
#pragma once
#include "Afx.h"

int InstallerMessageBox(CWnd* owner, LPCSTR text, UINT icon);
