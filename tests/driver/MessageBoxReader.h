// Wine's message box: a "#32770" window, its text the static 0xFFFF, its
// icon the static 0x440, one button per answer (the others are destroyed).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Controls.h"
#include "Result.h"
#include "Wait.h"

namespace pw {

constexpr int kBoxTextId = 0xFFFF;
constexpr int kBoxIconId = 0x440;

enum class IconKind { None, Error, Information, Warning, Question, Unknown };
const char* IconName(IconKind kind);

struct MessageBoxView {
  HWND hwnd = NULL;
  std::string caption;
  std::string text;
  std::vector<Control> buttons;  // visible, in z-order
};

// A "#32770" with both the text and the icon static. A dialog of our own
// has no 0x440 static, so it does not pass.
bool IsMessageBox(HWND window);

Result<MessageBoxView> ReadMessageBox(HWND box);

// Compares the icon static with the system icons until one matches. An
// area that stays blank for a second is None; no match in time is Unknown.
IconKind ReadIcon(HWND box, DWORD timeoutMs = kPatienceMs);

}  // namespace pw
