#pragma once
// The load and recovery workers' view of the main window: its manual-reset
// pause event, its stop flag, the progress bar, and (for a load) the pause
// and stop buttons and the Contacts item.
//
// Two shortcuts keep a run of tens of thousands of records from spending its
// time in the system: the worker waits on the event only while the window
// says it is paused, and sends the progress bar a position only when the
// position changes. What the user sees is the same.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "contacts/worker_control.h"

namespace cdv {

struct PauseSwitch {
  HANDLE event = nullptr;          // manual reset; signalled = run
  std::atomic<int> paused{0};      // mirrors the event for the worker's quick look

  void Pause() {
    paused = 1;
    ::ResetEvent(event);
  }
  void Run() {
    ::SetEvent(event);
    paused = 0;
  }
};

class WindowWorkerControl : public LoadControl {
 public:
  WindowWorkerControl(PauseSwitch& pause, const std::atomic<int>& stop, HWND progressBar,
                      std::function<void()> onCounted = {},
                      std::function<void(const std::u16string&)> labelContacts = {});

  void WaitWhilePaused() override;
  bool StopRequested() override { return m_stop.load() != 0; }
  void SetProgress(int percent) override;
  void OnCounted() override;
  void LabelContacts(const std::u16string& label) override;

 private:
  PauseSwitch& m_pause;
  const std::atomic<int>& m_stop;
  HWND m_progressBar;
  int m_lastPercent = -1;
  std::function<void()> m_onCounted;
  std::function<void(const std::u16string&)> m_labelContacts;
};

}  // namespace cdv
