#include "platform/qzutility/update_manifest.h"

namespace qz {
namespace {

constexpr size_t kMaxVersionParts = 8;
constexpr size_t kMaxPartDigits = 9;

std::string_view Trim(std::string_view s) {
  const char* blanks = " \t\r";
  const size_t first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const size_t last = s.find_last_not_of(blanks);
  return s.substr(first, last - first + 1);
}

bool SameIdIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<uint32_t>> ParseVersion(std::string_view text) {
  std::vector<uint32_t> parts;
  size_t start = 0;
  for (;;) {
    const size_t dot = text.find('.', start);
    const std::string_view part = text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
    if (part.empty() || part.size() > kMaxPartDigits || parts.size() == kMaxVersionParts) return std::nullopt;
    uint32_t value = 0;
    for (char c : part) {
      if (c < '0' || c > '9') return std::nullopt;
      value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    parts.push_back(value);
    if (dot == std::string_view::npos) return parts;
    start = dot + 1;
  }
}

std::optional<int> CompareVersions(std::string_view a, std::string_view b) {
  const auto left = ParseVersion(a);
  const auto right = ParseVersion(b);
  if (!left || !right) return std::nullopt;
  const size_t n = left->size() > right->size() ? left->size() : right->size();
  for (size_t i = 0; i < n; ++i) {
    const uint32_t x = i < left->size() ? (*left)[i] : 0;
    const uint32_t y = i < right->size() ? (*right)[i] : 0;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

std::optional<std::string> LatestVersionIn(std::string_view manifest, std::string_view productId) {
  if (manifest.size() > kMaxManifestBytes) return std::nullopt;
  if (manifest.substr(0, 3) == "\xEF\xBB\xBF") manifest.remove_prefix(3);
  size_t start = 0;
  while (start <= manifest.size()) {
    const size_t end = manifest.find('\n', start);
    const std::string_view line =
        Trim(manifest.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (!line.empty() && line[0] != '#' && line[0] != ';') {
      const size_t equals = line.find('=');
      if (equals != std::string_view::npos && SameIdIgnoringCase(Trim(line.substr(0, equals)), productId)) {
        const std::string_view version = Trim(line.substr(equals + 1));
        if (!ParseVersion(version)) return std::nullopt;
        return std::string(version);
      }
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return std::nullopt;
}

bool ManifestOffersUpdate(std::string_view manifest, std::string_view productId, std::string_view current) {
  const auto latest = LatestVersionIn(manifest, productId);
  if (!latest) return false;
  const auto order = CompareVersions(*latest, current);
  return order && *order > 0;
}

}  // namespace qz
