#pragma once
// A program folder for the window under test, in a path with blanks
// ("...\Program Files\Marlowen Cardivane"), holding stand-ins for the relay
// and the updater that log how they were started; the folder above it holds
// a "Program.exe" that an unquoted relay path would start instead.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/harness/ui_harness.h"

namespace mwtest {

class ProgramFolder {
 public:
  ProgramFolder();
  ~ProgramFolder();

  const std::wstring& Folder() const { return m_folder; }
  std::wstring Bait() const { return m_scratch.File(L"Program.exe"); }
  std::wstring OutputFolder() const { return m_scratch.File(L"out"); }

  // Each start of a stand-in: "<its path>|<its command line>".
  std::vector<std::wstring> LogLines() const;
  // Starts of the relay only.
  std::vector<std::wstring> RelayCommandLines() const;

  // The database the relay's pull copies (none: the pull copies nothing).
  void SetPullSource(const std::wstring& database);
  // "all", "pull" or "" (see stand_in_tool.cpp).
  void SetHang(const wchar_t* mode);
  void SetCrash(const wchar_t* mode);
  // What a pull writes: "" (a whole copy), "half", "garbage" or "empty".
  void SetPullWrites(const wchar_t* mode);

 private:
  uitest::ScratchFolder m_scratch;
  std::wstring m_folder;
  std::wstring m_log;
};

// The folder of this test program, with a trailing backslash.
std::wstring TestProgramFolder();
// A generated database beside the tests: testdata\mainwindow\<name>\contacts2.db.
std::wstring TestDatabase(const wchar_t* name);
// A whole file's bytes (empty when it cannot be read).
std::string ReadFileBytes(const std::wstring& path);
// The bytes of the files below `folder`, in every sub-folder; only the files
// called `fileName` when it is given.
unsigned long long BytesUnder(const std::wstring& folder, const wchar_t* fileName = nullptr);
// The working copy the window reads: C:\marlowen\contacts2.db for a program on C:.
std::wstring WorkingCopyFor(const std::wstring& programFolder);

}  // namespace mwtest
