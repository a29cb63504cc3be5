#include "SetupSession.h"

#include "Controls.h"
#include "Input.h"
#include "TopWindows.h"
#include "Wait.h"

namespace pw {

Status SetupSession::Open() {
  Result<HWND> found = WaitForWindow(process_, {"#32770", "Setup"});
  if (!found.ok()) return Fail(found.error());
  if (IsMessageBox(found.value())) return Fail("a message box came up instead of the Setup dialog: " +
                                               Text(ControlById(found.value(), kBoxTextId)));
  dialog_ = found.value();
  return Status();
}

Status SetupSession::SetLaunch(bool checked) {
  HWND box = ControlById(dialog_, kLaunchId);
  if (!box) return Fail("no Launch check box");
  auto state = [box] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; };
  if (state() != checked) Click(box);
  if (!WaitUntil([&] { return state() == checked; })) return Fail("the Launch box did not change");
  return Status();
}

void SetupSession::PressInstall() { Click(ControlById(dialog_, IDOK)); }

Result<MessageBoxView> SetupSession::WaitForBox() {
  HWND box = NULL;
  bool found = WaitUntil([&] {
    for (HWND w : VisibleTopWindows(process_.id())) {
      if (w != dialog_ && IsMessageBox(w)) {
        box = w;
        return true;
      }
    }
    return !process_.Running();
  });
  if (!found) return Fail("no message box came up");
  if (!box) return Fail("the installer ended without a message box");
  return ReadMessageBox(box);
}

void SetupSession::AnswerOk(const MessageBoxView& box) {
  Click(ControlById(box.hwnd, IDOK));
  WaitUntil([&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); });
}

Result<std::string> SetupSession::InstallAndAnswer() {
  PressInstall();
  Result<MessageBoxView> box = WaitForBox();
  if (!box.ok()) return Fail(box.error());
  AnswerOk(box.value());
  return box.value().text;
}

bool SetupSession::DialogStillOpen() const { return IsWindow(dialog_) && IsWindowVisible(dialog_); }

}  // namespace pw
