// The program's worker seams for real: the manual-reset pause event, the stop
// flag and a progress bar driven by synchronous sends from the load worker.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "contacts/loading.h"
#include "contacts/worker_control_win.h"
#include "platform/codepage/codepage.h"
#include "record_lists_fixture.h"
#include "temp_folder.h"

namespace cdv {
namespace {

// Pumps this thread's messages (the worker's sends to the progress bar need
// them) until `done` or the time runs out.
bool PumpUntil(const std::atomic<bool>& done, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!done.load()) {
    if (GetTickCount() - start >= milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  return true;
}

class WinLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    progress = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(progress, nullptr);
    SendMessageW(progress, PBM_SETRANGE32, 0, 100);
    pauseEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    dbPath = Utf16ToAnsi(folder.Touch("contacts2.db").u16string());
    for (int i = 0; i < 4; ++i) records.Contact(i + 1, "Live");
    loaded.carvedText = "Ann\t555\r\n";
  }
  void TearDown() override {
    if (worker.joinable()) {
      stop = 1;
      SetEvent(pauseEvent);
      worker.join();
    }
    DestroyWindow(progress);
    CloseHandle(pauseEvent);
  }

  void Start(WinLoadControl& control) {
    worker = std::thread([&] {
      result = LoadContacts(dbPath, reader, loaded, control);
      done = true;
    });
  }
  int Position() { return static_cast<int>(SendMessageW(progress, PBM_GETPOS, 0, 0)); }

  test::TempFolder folder;
  test::RecordLists records;
  test::FakeReader reader{records};
  LoadedContacts loaded;
  std::string dbPath;
  HWND progress = nullptr;
  HANDLE pauseEvent = nullptr;
  std::atomic<int> stop{0};
  std::atomic<bool> done{false};
  std::thread worker;
  int result = 0;
};

TEST_F(WinLoad, ResetEventHoldsTheWorkerUntilItIsSignalled) {
  std::u16string label;
  bool counted = false;
  WinLoadControl control(pauseEvent, &stop, progress, [&] { counted = true; },
                         [&](const std::u16string& l) { label = l; });
  ResetEvent(pauseEvent);  // paused before the first live record
  Start(control);
  EXPECT_FALSE(PumpUntil(done, 300));
  EXPECT_EQ(Position(), 0);

  SetEvent(pauseEvent);
  ASSERT_TRUE(PumpUntil(done, 10000));
  worker.join();
  EXPECT_EQ(result, 5);
  EXPECT_TRUE(counted);
  EXPECT_EQ(Position(), 100);
  EXPECT_EQ(label, u"Contacts (5)");
}

TEST_F(WinLoad, StopSetsTheFlagAndReleasesTheWait) {
  WinLoadControl control(pauseEvent, &stop, progress);
  ResetEvent(pauseEvent);
  Start(control);
  EXPECT_FALSE(PumpUntil(done, 200));
  stop = 1;
  SetEvent(pauseEvent);
  ASSERT_TRUE(PumpUntil(done, 10000));
  worker.join();
  EXPECT_EQ(result, -1);
  EXPECT_TRUE(loaded.carved.empty());
}

}  // namespace
}  // namespace cdv
