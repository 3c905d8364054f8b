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

TEST(Acquisition, APullCutOffLeavesWhatWasWritten) {
  ProgramFolder program;
  program.SetPullSource(mwtest::TestDatabase(L"small"));
  program.SetHang(L"pull");
  cdv::AcquisitionJob job;
  job.programFolder = Ansi(program.Folder());
  job.contactsCopy = Ansi(mwtest::WorkingCopyFor(program.Folder()));
  job.timing.startDelayMs = 0;
  CreateDirectoryW(mwtest::WorkingCopyFor(program.Folder()).substr(0, 11).c_str(), nullptr);
  cdv::RunAcquisition(job);
  WIN32_FILE_ATTRIBUTE_DATA copy{};
  WIN32_FILE_ATTRIBUTE_DATA source{};
  ASSERT_TRUE(GetFileAttributesExW(mwtest::WorkingCopyFor(program.Folder()).c_str(), GetFileExInfoStandard, &copy));
  ASSERT_TRUE(GetFileAttributesExW(mwtest::TestDatabase(L"small").c_str(), GetFileExInfoStandard, &source));
  EXPECT_EQ(copy.nFileSizeLow, source.nFileSizeLow);
}

}  // namespace
