#include "app/window_worker_control.h"

#include <commctrl.h>

namespace cdv {

WindowWorkerControl::WindowWorkerControl(PauseSwitch& pause, const std::atomic<int>& stop, HWND progressBar,
                                         std::function<void()> onCounted,
                                         std::function<void(const std::u16string&)> labelContacts)
    : m_pause(pause),
      m_stop(stop),
      m_progressBar(progressBar),
      m_onCounted(std::move(onCounted)),
      m_labelContacts(std::move(labelContacts)) {}

void WindowWorkerControl::WaitWhilePaused() {
  // Pause sets the flag before it resets the event, so a worker that sees the
  // flag clear may pass at most the record it is at, as with the event alone.
  if (m_pause.paused.load() != 0) ::WaitForSingleObject(m_pause.event, INFINITE);
}

void WindowWorkerControl::SetProgress(int percent) {
  if (percent == m_lastPercent) return;
  m_lastPercent = percent;
  ::SendMessageW(m_progressBar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void WindowWorkerControl::OnCounted() {
  if (m_onCounted) m_onCounted();
}

void WindowWorkerControl::LabelContacts(const std::u16string& label) {
  if (m_labelContacts) m_labelContacts(label);
}

}  // namespace cdv
