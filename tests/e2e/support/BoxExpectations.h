// Checks of what an installer run showed, shared by the cases.
#pragma once
#include <windows.h>

#include <stdint.h>

#include <ostream>
#include <string>

#include "MessageBoxReader.h"
#include "Process.h"

namespace pw {

// The flags of the installer's own boxes that end the program.
constexpr uint32_t kFatalBoxFlags = MB_OK | MB_TOPMOST | MB_SETFOREGROUND | MB_ICONERROR;

enum class Dismiss { OkButton, Escape, CloseBox };
const char* DismissName(Dismiss how);
inline void PrintTo(Dismiss how, std::ostream* out) { *out << DismissName(how); }

struct ExpectedBox {
  std::string caption;
  std::string text;
};

// The process shows exactly one message box, with no owner: the caption and
// text given, OK as its only button, the error icon, and kFatalBoxFlags in
// the call. Dismissed as asked, the process ends with exit code 1 and shows
// nothing more. Use under ASSERT_NO_FATAL_FAILURE.
void ExpectFatalBoxThenExit1(const Process& process, const ExpectedBox& expected, Dismiss how = Dismiss::OkButton);

// The host check passes: no message box, ever. A Setup dialog, if one comes
// up, is closed with Esc; then the process ends with exit code 0.
void ExpectNoBoxThenExit0(const Process& process);

}  // namespace pw
