// Our thin class layer over Win32, shaped like the classic one so that
// the application code reads the same.
#pragma once
#include <windows.h>

#include "CmdTarget.h"
#include "Controls.h"
#include "Dialog.h"
#include "File.h"
#include "Str.h"
#include "StrArray.h"
#include "WinApp.h"
#include "Wnd.h"
