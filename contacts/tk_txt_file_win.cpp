// The runtime library's UTF-16 text mode writes the byte-order mark on
// creation and turns each line feed into CR LF.
#include <stdio.h>
#include <wchar.h>

#include "contacts/file_system.h"
#include "contacts/tk_txt_file.h"

namespace cdv {

int TkTxtFile::AppendLine(std::u16string_view line) {
  const wchar_t* path = reinterpret_cast<const wchar_t*>(m_path.c_str());
  FILE* file = _wfopen(path, FileExists(m_path) ? L"at,ccs=UNICODE" : L"wt,ccs=UNICODE");
  if (file == nullptr) return 0;
  const std::wstring text(line.begin(), line.end());
  const bool written = fputws(text.c_str(), file) >= 0 && fputwc(L'\n', file) != WEOF;
  const bool closed = fclose(file) == 0;
  return written && closed ? 1 : 0;
}

}  // namespace cdv
