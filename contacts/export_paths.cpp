#include "contacts/export_paths.h"

#include <cstdio>

#include "contacts/file_system.h"

namespace cdv {
namespace {

std::u16string Ascii(const char* text) {
  std::u16string out;
  for (; *text; ++text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
  return out;
}

}  // namespace

std::u16string RecoverFolderName(const std::tm& t) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "Cardivane%04d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return Ascii(stamp);
}

std::u16string ExportLabel(std::u16string_view itemLabel, bool everyRecordTicked, int tickedCount) {
  if (everyRecordTicked) return std::u16string(itemLabel);
  std::u16string label(itemLabel.substr(0, itemLabel.find(u'(')));
  label += u'(';
  label += Ascii(std::to_string(tickedCount).c_str());
  label += u')';
  return label;
}

std::u16string CreateRecoverFolder(const std::u16string& picked, const std::tm& localTime) {
  const std::u16string folder = JoinPath(picked, RecoverFolderName(localTime));
  CreateFolder(folder);
  return folder;
}

}  // namespace cdv
