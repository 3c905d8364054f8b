#pragma once
// Appends lines to a UTF-16 little-endian text file: FF FE written once when
// the file is created, every line ending in CR LF (0D 00 0A 00). The file is
// opened and closed for each line, so whatever was written stays on disk
// whatever happens later.
#include <string>
#include <string_view>

namespace cdv {

class TkTxtFile {
 public:
  explicit TkTxtFile(std::u16string path) : m_path(std::move(path)) {}
  virtual ~TkTxtFile() = default;

  // 1 when the line and its line end were written, 0 when the file could not
  // be opened or written.
  int AppendLine(std::u16string_view line);

  const std::u16string& Path() const { return m_path; }

 private:
  std::u16string m_path;
};

// The bytes text mode writes for `line` and its line feed: UTF-16 LE, every LF
// as CR LF, preceded by the byte-order mark when the file is new.
std::string Utf16TextLineBytes(std::u16string_view line, bool withByteOrderMark);

}  // namespace cdv
