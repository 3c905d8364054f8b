#include "contacts/pause_gate.h"

namespace cdv {

void PauseGate::Open() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
  }
  opened_.notify_all();
}

void PauseGate::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = false;
}

void PauseGate::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  opened_.wait(lock, [this] { return open_; });
}

void PortableLoadControl::LabelContacts(const std::u16string& label) {
  std::lock_guard<std::mutex> lock(labelMutex_);
  label_ = label;
  hasData_ = true;
}

std::u16string PortableLoadControl::label() const {
  std::lock_guard<std::mutex> lock(labelMutex_);
  return label_;
}

bool PortableLoadControl::hasData() const {
  std::lock_guard<std::mutex> lock(labelMutex_);
  return hasData_;
}

}  // namespace cdv
