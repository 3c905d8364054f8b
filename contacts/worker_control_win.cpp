#include "contacts/worker_control_win.h"

#include <commctrl.h>

namespace cdv {

WinLoadControl::WinLoadControl(HANDLE pauseEvent, const std::atomic<int>* stopFlag, HWND progressBar,
                               std::function<void()> onCounted,
                               std::function<void(const std::u16string&)> labelContacts)
    : pauseEvent_(pauseEvent),
      stopFlag_(stopFlag),
      progressBar_(progressBar),
      onCounted_(std::move(onCounted)),
      labelContacts_(std::move(labelContacts)) {}

void WinLoadControl::WaitWhilePaused() {
  if (pauseEvent_ != nullptr) WaitForSingleObject(pauseEvent_, INFINITE);
}

bool WinLoadControl::StopRequested() { return stopFlag_ != nullptr && stopFlag_->load() != 0; }

void WinLoadControl::SetProgress(int percent) {
  if (progressBar_ != nullptr) SendMessageW(progressBar_, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void WinLoadControl::OnCounted() {
  if (onCounted_) onCounted_();
}

void WinLoadControl::LabelContacts(const std::u16string& label) {
  if (labelContacts_) labelContacts_(label);
}

}  // namespace cdv
