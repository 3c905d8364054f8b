#include "tests/recovery/reference_pairing.h"

#include <algorithm>

#include "platform/codepage/codepage.h"
#include "recovery/carved_text.h"

namespace cdvtest {

std::string QuadraticContactsText(const std::vector<CarvedContact>& rows) {
  std::string out;
  std::vector<size_t> used;
  const size_t n = rows.size();
  for (size_t i = 0; i < n; ++i) {
    for (size_t a = i; a < n; ++a) {
      const std::string& di = rows[i].data1;
      const std::string& da = rows[a].data1;
      if (di.empty() || da.empty() || rows[i].rawContactId != rows[a].rawContactId || di == da) continue;
      const bool digits = cdv::IsAllDigits(di);
      out += cdv::Utf8ToAnsi(digits ? da : di) + "\t" + cdv::Utf8ToAnsi(digits ? di : da) + "\r\n";
      used.push_back(i);
      used.push_back(a);
    }
  }
  for (size_t j = 0; j < n; ++j) {
    if (rows[j].data1.empty() || std::find(used.begin(), used.end(), j) != used.end()) continue;
    const std::string text = cdv::Utf8ToAnsi(rows[j].data1);
    out += cdv::IsAllDigits(rows[j].data1) ? "N/A\t" + text + "\r\n" : text + "\tN/A\r\n";
  }
  return out;
}

}  // namespace cdvtest
