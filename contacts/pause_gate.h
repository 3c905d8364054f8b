#pragma once
// Portable equivalents of the worker seams: a manual-reset gate in place of
// the pause event, an atomic stop flag, and a load control built on both for
// the command line and the tests.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>

#include "contacts/worker_control.h"

namespace cdv {

// Open = run (the signalled event); Close = pause.
class PauseGate {
 public:
  void Open();
  void Close();
  void Wait();

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = true;
};

class PortableLoadControl : public LoadControl {
 public:
  void Pause() { gate_.Close(); }
  void Continue() { gate_.Open(); }
  // As the Stop button: set the flag, then release a paused worker.
  void Stop() {
    stop_.store(true);
    gate_.Open();
  }

  void WaitWhilePaused() override { gate_.Wait(); }
  bool StopRequested() override { return stop_.load(); }
  void SetProgress(int percent) override { progress_.store(percent); }
  void LabelContacts(const std::u16string& label) override;

  int progress() const { return progress_.load(); }
  std::u16string label() const;
  bool hasData() const;

 private:
  PauseGate gate_;
  std::atomic<bool> stop_{false};
  std::atomic<int> progress_{0};
  mutable std::mutex labelMutex_;
  std::u16string label_ = u"Contacts";
  bool hasData_ = false;
};

}  // namespace cdv
