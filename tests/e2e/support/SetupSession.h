// Using the Setup dialog of a running installer as a person would: wait for
// it, set the Launch box, press Install, read and answer the message boxes.
#pragma once
#include <windows.h>

#include <string>

#include "MessageBoxReader.h"
#include "Process.h"
#include "Result.h"

namespace pw {

constexpr int kBrowseId = 1001;
constexpr int kHostDirId = 1005;
constexpr int kLaunchId = 1008;

class SetupSession {
 public:
  explicit SetupSession(const Process& process) : process_(process) {}

  // Waits for the "Setup" dialog.
  Status Open();
  HWND Dialog() const { return dialog_; }
  Status SetLaunch(bool checked);
  void PressInstall();
  // The next message box of the installer; its view, with the box left open.
  Result<MessageBoxView> WaitForBox();
  // Presses OK on the box that WaitForBox returned.
  void AnswerOk(const MessageBoxView& box);
  // Presses Install, answers the one box with OK and returns its text.
  Result<std::string> InstallAndAnswer();
  bool DialogStillOpen() const;

 private:
  const Process& process_;
  HWND dialog_ = NULL;
};

}  // namespace pw
