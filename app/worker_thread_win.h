#pragma once
// A worker thread the window can wait for: started with default attributes,
// joined before anything it reads is released.
#include <windows.h>

#include <functional>

namespace cdv {

class WorkerThread {
 public:
  WorkerThread() = default;
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Runs `work` on a new thread. False when the thread could not be made, or
  // when a previous one has not been joined.
  bool Start(std::function<void()> work);

  // Waits for the thread to end and forgets it. While waiting, messages that
  // other threads send to this thread's windows are answered (the workers
  // send to the progress bar, the buttons and the tree), so the wait cannot
  // deadlock; posted and input messages stay queued.
  void Join();

  bool Running() const { return m_thread != nullptr; }
  HANDLE Handle() const { return m_thread; }

 private:
  static DWORD WINAPI ThreadProc(LPVOID param);

  HANDLE m_thread = nullptr;
};

}  // namespace cdv
