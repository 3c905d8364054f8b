#include "app/worker_thread_win.h"

#include <memory>

namespace cdv {

WorkerThread::~WorkerThread() { Join(); }

DWORD WINAPI WorkerThread::ThreadProc(LPVOID param) {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(param));
  try {
    (*work)();
  } catch (...) {
    // A worker that throws ends like one that finished; its completion
    // message is the caller's business.
  }
  return 1;
}

bool WorkerThread::Start(std::function<void()> work) {
  if (m_thread != nullptr) return false;
  auto* param = new std::function<void()>(std::move(work));
  m_thread = ::CreateThread(nullptr, 0, &WorkerThread::ThreadProc, param, 0, nullptr);
  if (m_thread == nullptr) {
    delete param;
    return false;
  }
  return true;
}

void WorkerThread::Join() {
  if (m_thread == nullptr) return;
  for (;;) {
    const DWORD woke = ::MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_SENDMESSAGE);
    if (woke != WAIT_OBJECT_0 + 1) break;
    // Dispatches the messages sent from other threads, nothing else.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  ::CloseHandle(m_thread);
  m_thread = nullptr;
}

}  // namespace cdv
