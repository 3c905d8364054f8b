// Outside Windows there is no UTF-16 text mode: the same bytes are built here
// and written in binary.
#include <cstdio>

#include "contacts/file_system.h"
#include "contacts/tk_txt_file.h"
#include "platform/codepage/codepage.h"

namespace cdv {

int TkTxtFile::AppendLine(std::u16string_view line) {
  const bool exists = FileExists(m_path);
  std::FILE* file = std::fopen(Utf16ToAnsi(m_path).c_str(), exists ? "ab" : "wb");
  if (file == nullptr) return 0;
  const std::string bytes = Utf16TextLineBytes(line, !exists);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed ? 1 : 0;
}

}  // namespace cdv
