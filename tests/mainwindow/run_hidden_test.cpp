// RunHidden and the acquisition's timing with a relay that never ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/acquisition_plan.h"
#include "app/acquisition_win.h"
#include "app/run_hidden_win.h"
#include "platform/codepage/codepage.h"
#include "tests/mainwindow/program_folder.h"

namespace {

using mwtest::ProgramFolder;

std::string Ansi(const std::wstring& text) { return cdv::Utf16ToAnsi(std::u16string(text.begin(), text.end())); }

// True when the stand-in holding `mutexName` has ended (its mutex was abandoned).
bool StandInEnded(const std::wstring& mutexName) {
  HANDLE m = OpenMutexW(SYNCHRONIZE, FALSE, mutexName.c_str());
  if (m == nullptr) return true;
  const DWORD waited = WaitForSingleObject(m, 2000);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) ReleaseMutex(m);
  CloseHandle(m);
  return waited == WAIT_ABANDONED || waited == WAIT_OBJECT_0;
}

TEST(RunHidden, AHangingRelayIsEndedAfterItsTime) {
  ProgramFolder program;
  program.SetHang(L"all");
  const std::wstring mutexName = uitest::UniqueName(L"standin");
  SetEnvironmentVariableW(L"CDV_STANDIN_MUTEX", mutexName.c_str());

  const DWORD start = GetTickCount();
  EXPECT_EQ(cdv::RunHidden(Ansi(L"\"" + program.Folder() + L"\\droidgate.exe\" shell su root chmod 777 /x"), 3000), 1);
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 2900u);
  EXPECT_LT(took, 4500u);
  EXPECT_EQ(program.RelayCommandLines().size(), 1u);
  EXPECT_TRUE(StandInEnded(mutexName)) << "the relay was terminated";
  SetEnvironmentVariableW(L"CDV_STANDIN_MUTEX", nullptr);
}

TEST(RunHidden, AProgramThatCannotStartGivesZero) {
  ProgramFolder program;
  EXPECT_EQ(cdv::RunHidden(Ansi(L"\"" + program.Folder() + L"\\missing.exe\" pull a b")), 0);
  EXPECT_EQ(cdv::RunHidden(""), 0);
}

TEST(RunHidden, ACancelEndsTheWaitAtOnce) {
  ProgramFolder program;
  program.SetHang(L"all");
  HANDLE cancel = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  const DWORD start = GetTickCount();
  EXPECT_EQ(cdv::RunHidden(Ansi(L"\"" + program.Folder() + L"\\droidgate.exe\" pull a b"), 3000, cancel), 1);
  EXPECT_LT(GetTickCount() - start, 1500u);
  CloseHandle(cancel);
}

TEST(Acquisition, EveryCommandTimingOutTakesAboutFourteenSeconds) {
  ProgramFolder program;
  program.SetHang(L"all");
  cdv::AcquisitionJob job;
  job.programFolder = Ansi(program.Folder());
  job.contactsCopy = Ansi(mwtest::WorkingCopyFor(program.Folder()));
  const DWORD start = GetTickCount();
  cdv::RunAcquisition(job);
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 13900u);
  EXPECT_LT(took, 16500u);
  EXPECT_EQ(program.RelayCommandLines().size(), 3u);
}

TEST(Acquisition, ACancelDuringTheFirstPauseRunsNothing) {
  ProgramFolder program;
  cdv::AcquisitionJob job;
  job.programFolder = Ansi(program.Folder());
  job.contactsCopy = Ansi(mwtest::WorkingCopyFor(program.Folder()));
  job.cancel = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  const DWORD start = GetTickCount();
  cdv::RunAcquisition(job);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_TRUE(program.LogLines().empty());
  CloseHandle(job.cancel);
}

DWORD FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// The acquisition with a relay whose pull writes the small database as
// `pullWrites` says and then hangs or not; returns how long it took.
DWORD RunPull(const wchar_t* pullWrites, const wchar_t* hang, DWORD commandTimeoutMs) {
  ProgramFolder program;
  program.SetPullSource(mwtest::TestDatabase(L"small"));
  program.SetPullWrites(pullWrites);
  program.SetHang(hang);
  cdv::AcquisitionJob job;
  job.programFolder = Ansi(program.Folder());
  job.contactsCopy = Ansi(mwtest::WorkingCopyFor(program.Folder()));
  job.timing.startDelayMs = 0;
  job.timing.commandTimeoutMs = commandTimeoutMs;
  CreateDirectoryW(mwtest::WorkingCopyFor(program.Folder()).substr(0, 11).c_str(), nullptr);
  DeleteFileW(mwtest::WorkingCopyFor(program.Folder()).c_str());
  const DWORD start = GetTickCount();
  cdv::RunAcquisition(job);
  const DWORD took = GetTickCount() - start;
  EXPECT_EQ(FileSize(mwtest::WorkingCopyFor(program.Folder())), FileSize(mwtest::TestDatabase(L"small")));
  return took;
}

TEST(Acquisition, APullCutOffLeavesWhatWasWritten) {
  // Written at once, then stalled: ended one wait after the copy stopped growing.
  const DWORD took = RunPull(L"", L"pull", 1000);
  EXPECT_GE(took, 1900u);
  EXPECT_LT(took, 10000u) << "the relay was ended";
}

TEST(Acquisition, APullStillArrivingIsNotCutOff) {
  // Ten pieces 400 ms apart: about 3.6 s in all, each within the 1 s wait.
  const DWORD took = RunPull(L"slow", L"", 1000);
  EXPECT_GE(took, 3500u);
  EXPECT_LT(took, 15000u);
}

}  // namespace
