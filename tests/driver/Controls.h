// Reading windows of another process.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace pw {

struct Control {
  HWND hwnd = NULL;
  int id = 0;
  std::string className;
  std::string text;
  bool visible = false;
  bool enabled = false;
};

std::string ClassName(HWND window);
std::string Text(HWND window);
// "#32770 'Setup'" for failure messages.
std::string Describe(HWND window);

// Direct children, in z-order.
std::vector<Control> Children(HWND parent);
// The visible children of class "Button".
std::vector<Control> VisibleButtons(HWND parent);
HWND ControlById(HWND parent, int id);

}  // namespace pw
