#include "tests/mainwindow/program_folder.h"

#include <cstdio>
#include <sstream>

namespace mwtest {
namespace {

std::wstring FromUtf8(const std::string& text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

void SetOrClear(const wchar_t* name, const wchar_t* value) {
  SetEnvironmentVariableW(name, *value == L'\0' ? nullptr : value);
}

}  // namespace

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring TestDatabase(const wchar_t* name) {
  return TestProgramFolder() + L"testdata\\mainwindow\\" + name + L"\\contacts2.db";
}

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  if (FILE* f = _wfopen(path.c_str(), L"rb")) {
    char buffer[4096];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof(buffer), f)) > 0) bytes.append(buffer, got);
    fclose(f);
  }
  return bytes;
}

unsigned long long BytesUnder(const std::wstring& folder, const wchar_t* fileName) {
  unsigned long long bytes = 0;
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (found.cFileName[0] == L'.') continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      bytes += BytesUnder(folder + L"\\" + found.cFileName, fileName);
    } else if (fileName == nullptr || std::wstring(found.cFileName) == fileName) {
      bytes += (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return bytes;
}

std::wstring WorkingCopyFor(const std::wstring& programFolder) {
  return programFolder.substr(0, 3) + L"marlowen\\contacts2.db";
}

ProgramFolder::ProgramFolder() : m_scratch(L"mainwin") {
  const std::wstring programFiles = m_scratch.File(L"Program Files");
  CreateDirectoryW(programFiles.c_str(), nullptr);
  m_folder = programFiles + L"\\Marlowen Cardivane";
  CreateDirectoryW(m_folder.c_str(), nullptr);
  CreateDirectoryW(OutputFolder().c_str(), nullptr);
  const std::wstring standIn = TestProgramFolder() + L"mainwindow_stand_in.exe";
  CopyFileW(standIn.c_str(), (m_folder + L"\\droidgate.exe").c_str(), FALSE);
  CopyFileW(standIn.c_str(), (m_folder + L"\\Uprovia.exe").c_str(), FALSE);
  CopyFileW(standIn.c_str(), Bait().c_str(), FALSE);
  m_log = m_scratch.File(L"starts.log");
  SetEnvironmentVariableW(L"CDV_STANDIN_LOG", m_log.c_str());
  SetPullSource(L"");
  SetHang(L"");
  SetCrash(L"");
  SetPullWrites(L"");
}

ProgramFolder::~ProgramFolder() {
  SetEnvironmentVariableW(L"CDV_STANDIN_LOG", nullptr);
  SetEnvironmentVariableW(L"CDV_STANDIN_SOURCE", nullptr);
  SetEnvironmentVariableW(L"CDV_STANDIN_HANG", nullptr);
  SetEnvironmentVariableW(L"CDV_STANDIN_CRASH", nullptr);
  SetEnvironmentVariableW(L"CDV_STANDIN_PULL", nullptr);
  DeleteFileW(WorkingCopyFor(m_folder).c_str());
}

void ProgramFolder::SetPullSource(const std::wstring& database) {
  SetEnvironmentVariableW(L"CDV_STANDIN_SOURCE", database.empty() ? nullptr : database.c_str());
}

void ProgramFolder::SetHang(const wchar_t* mode) { SetOrClear(L"CDV_STANDIN_HANG", mode); }
void ProgramFolder::SetCrash(const wchar_t* mode) { SetOrClear(L"CDV_STANDIN_CRASH", mode); }
void ProgramFolder::SetPullWrites(const wchar_t* mode) { SetOrClear(L"CDV_STANDIN_PULL", mode); }

std::vector<std::wstring> ProgramFolder::LogLines() const {
  std::stringstream text(ReadFileBytes(m_log));
  std::vector<std::wstring> lines;
  std::string line;
  while (std::getline(text, line)) lines.push_back(FromUtf8(line));
  return lines;
}

std::vector<std::wstring> ProgramFolder::RelayCommandLines() const {
  std::vector<std::wstring> relay;
  const std::wstring prefix = m_folder + L"\\droidgate.exe|";
  for (const std::wstring& line : LogLines()) {
    if (line.compare(0, prefix.size(), prefix) == 0) relay.push_back(line.substr(prefix.size()));
  }
  return relay;
}

}  // namespace mwtest
