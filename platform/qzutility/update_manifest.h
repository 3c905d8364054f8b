#pragma once
// The update manifest and version numbers, without any networking.
//
// A manifest is UTF-8 text, one product per line: "<product id>=<version>".
// Blank lines and lines starting with '#' or ';' are ignored; blanks around
// the id and the version are ignored; ids compare without regard to ASCII
// case; the first line naming the product counts.
//
// A version is 1 to 8 dotted decimal numbers of at most 9 digits each;
// missing trailing numbers count as 0 ("1.2" equals "1.2.0.0").
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// Larger answers are not manifests.
constexpr size_t kMaxManifestBytes = 64 * 1024;

std::optional<std::vector<uint32_t>> ParseVersion(std::string_view text);

// <0, 0 or >0 as a is older than, equal to or newer than b; nothing when
// either is not a version.
std::optional<int> CompareVersions(std::string_view a, std::string_view b);

// The version the manifest gives for `productId`, as written; nothing when
// the manifest names no such product or gives it no valid version.
std::optional<std::string> LatestVersionIn(std::string_view manifest, std::string_view productId);

// True only when the manifest gives `productId` a version newer than `current`.
bool ManifestOffersUpdate(std::string_view manifest, std::string_view productId, std::string_view current);

}  // namespace qz
