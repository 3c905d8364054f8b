#pragma once
// The worker seams in the program: the main window's manual-reset pause event
// (signalled = run), its stop flag, a synchronous send to the progress bar,
// and callbacks for the buttons and the Contacts item that the window owns.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "contacts/worker_control.h"

namespace cdv {

class WinLoadControl : public LoadControl {
 public:
  WinLoadControl(HANDLE pauseEvent, const std::atomic<int>* stopFlag, HWND progressBar,
                 std::function<void()> onCounted = {},
                 std::function<void(const std::u16string&)> labelContacts = {});

  void WaitWhilePaused() override;
  bool StopRequested() override;
  void SetProgress(int percent) override;
  void OnCounted() override;
  void LabelContacts(const std::u16string& label) override;

 private:
  HANDLE pauseEvent_;
  const std::atomic<int>* stopFlag_;
  HWND progressBar_;
  std::function<void()> onCounted_;
  std::function<void(const std::u16string&)> labelContacts_;
};

}  // namespace cdv
