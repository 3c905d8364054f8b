#include "platform/siftdb/siftdb_library_win.h"

namespace cdv {
namespace {

std::wstring BesideExecutable(const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(sizeof buffer / sizeof buffer[0]));
  std::wstring path(buffer, n);
  const size_t slash = path.find_last_of(L"\\/");
  path.erase(slash == std::wstring::npos ? 0 : slash + 1);
  return path + name;
}

}  // namespace

SiftDbLibraryReader::SiftDbLibraryReader(const std::wstring& dllPath) {
  const std::wstring path = dllPath.empty() ? BesideExecutable(L"siftdb.dll") : dllPath;
  HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) return;
  read_ = reinterpret_cast<SiftDbReadContactsFn>(
      reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(kSiftDbReadOrdinal))));
}

ReaderResult SiftDbLibraryReader::Read(const std::string& ansiPath) {
  ReaderResult result;
  if (read_ == nullptr) return result;
  ReaderLists& l = result.lists;
  read_(ansiPath.c_str(), &l.aux, &l.contacts, &l.data, &l.mimeTypes);
  return result;
}

}  // namespace cdv
