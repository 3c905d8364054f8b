// Starting adb on Windows: the right command line, standard handles on the
// null device, and none of our own inheritable handles passed on (a pipe
// held by the server would keep a reader of our output waiting forever).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/droidgate/server_launch.h"
#include "platform/droidgate/windows_text.h"

namespace cdv::adb {
namespace {

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::string ReadWhenPresent(const std::wstring& path, int timeout_ms) {
  for (int waited = 0; waited < timeout_ms; waited += 50) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (in) {
      std::stringstream text;
      text << in.rdbuf();
      return text.str();
    }
    Sleep(50);
  }
  return {};
}

TEST(ServerLaunchWin, StartsAdbWithNullHandlesAndNothingElseInherited) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring log = std::wstring(temp) + L"stand-in-adb-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  DeleteFileW(log.c_str());

  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, &inheritable, 0));
  SetEnvironmentVariableW(L"CARDIVANE_STAND_IN_ADB_LOG", log.c_str());
  SetEnvironmentVariableW(L"CARDIVANE_STAND_IN_ADB_PROBE",
                          std::to_wstring(reinterpret_cast<std::uintptr_t>(write_end)).c_str());

  std::string error;
  const std::string adb = Utf8FromWide(OwnFolder() + L"\\stand_in_adb.exe");
  ASSERT_TRUE(StartAdbServer(adb, 41234, &error)) << error;
  const std::string report = ReadWhenPresent(log, 10000);
  CloseHandle(read_end);
  CloseHandle(write_end);
  DeleteFileW(log.c_str());

  EXPECT_NE(report.find("args=-P 41234 start-server\n"), std::string::npos) << report;
  // FILE_TYPE_CHAR: the null device, not a pipe or a console of ours.
  EXPECT_NE(report.find("stdin=2 stdout=2 stderr=2\n"), std::string::npos) << report;
  EXPECT_NE(report.find("probe=absent\n"), std::string::npos) << report;
}

TEST(ServerLaunchWin, MissingProgramIsReported) {
  std::string error;
  EXPECT_FALSE(StartAdbServer("C:\\no\\such\\adb.exe", 41235, &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace cdv::adb
