// A stand-in for adb.exe: writes its command line, the kinds of its standard
// handles and whether a probe handle reached it into the file named by
// CARDIVANE_STAND_IN_ADB_LOG, then exits.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cwchar>
#include <string>

int wmain() {
  const wchar_t* log_path = _wgetenv(L"CARDIVANE_STAND_IN_ADB_LOG");
  if (!log_path) return 2;
  const wchar_t* probe = _wgetenv(L"CARDIVANE_STAND_IN_ADB_PROBE");
  DWORD flags = 0;
  const bool probe_inherited =
      probe && GetHandleInformation(reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(_wtoi64(probe))), &flags);
  // Write to a temporary name and rename, so the reader never sees half a report.
  std::wstring temp = std::wstring(log_path) + L".part";
  FILE* log = _wfopen(temp.c_str(), L"wb");
  if (!log) return 3;
  // Command line without the program's own name.
  const wchar_t* line = GetCommandLineW();
  const wchar_t* args = std::wcsstr(line, L" -P ");
  std::fprintf(log, "args=%ls\n", args ? args + 1 : line);
  std::fprintf(log, "stdin=%lu stdout=%lu stderr=%lu\n", GetFileType(GetStdHandle(STD_INPUT_HANDLE)),
               GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)), GetFileType(GetStdHandle(STD_ERROR_HANDLE)));
  std::fprintf(log, "probe=%s\n", probe_inherited ? "inherited" : "absent");
  std::fclose(log);
  MoveFileExW(temp.c_str(), log_path, MOVEFILE_REPLACE_EXISTING);
  return 0;
}
