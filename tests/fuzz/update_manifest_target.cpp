#include <string_view>

#include "platform/qzutility/update_manifest.h"
#include "tests/fuzz/fuzz_targets.h"

namespace cdvfuzz {

int UpdateManifest(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first line doubles as the product id and a version to compare with.
  const std::string_view first = text.substr(0, text.find('\n'));
  (void)qz::ParseVersion(first);
  (void)qz::LatestVersionIn(text, first);
  (void)qz::LatestVersionIn(text, "Cardivane");
  (void)qz::ManifestOffersUpdate(text, "Cardivane", "1.0.0.1");
  const auto half = text.size() / 2;
  if (const auto c = qz::CompareVersions(text.substr(0, half), text.substr(half))) {
    const auto back = qz::CompareVersions(text.substr(half), text.substr(0, half));
    // Comparison is antisymmetric.
    if (!back || (*c < 0) != (*back > 0) || (*c == 0) != (*back == 0)) __builtin_trap();
  }
  return 0;
}

}  // namespace cdvfuzz
