#include "Controls.h"

#include <string.h>

#include "Wait.h"
#include "WinError.h"

namespace pw {

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  auto* found = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(param);
  if (GetAncestor(child, GA_PARENT) == found->first) found->second->push_back(child);
  return TRUE;
}

}  // namespace

std::string ClassName(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string Text(HWND window) {
  // A hung target must not hang the test: the sends time out.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &length)) return "";
  std::vector<char> buffer(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data(), SMTO_ABORTIFHUNG, kPatienceMs,
                           &copied)) {
    return "";
  }
  return std::string(buffer.data(), copied);
}

std::string Describe(HWND window) {
  if (!IsWindow(window)) return "window " + HandleText(window) + " (gone)";
  return ClassName(window) + " '" + Text(window) + "'";
}

std::vector<Control> Children(HWND parent) {
  std::vector<HWND> handles;
  std::pair<HWND, std::vector<HWND>*> search(parent, &handles);
  EnumChildWindows(parent, CollectChild, (LPARAM)&search);
  std::vector<Control> children;
  for (HWND handle : handles) {
    Control control;
    control.hwnd = handle;
    control.id = (int)(unsigned short)GetDlgCtrlID(handle);
    control.className = ClassName(handle);
    control.text = Text(handle);
    control.visible = IsWindowVisible(handle) != FALSE;
    control.enabled = IsWindowEnabled(handle) != FALSE;
    children.push_back(control);
  }
  return children;
}

std::vector<Control> VisibleButtons(HWND parent) {
  std::vector<Control> buttons;
  for (const Control& child : Children(parent)) {
    if (child.visible && _stricmp(child.className.c_str(), "Button") == 0) buttons.push_back(child);
  }
  return buttons;
}

HWND ControlById(HWND parent, int id) {
  for (const Control& child : Children(parent)) {
    if (child.id == id) return child.hwnd;
  }
  return NULL;
}

}  // namespace pw
