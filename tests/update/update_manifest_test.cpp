#include <gtest/gtest.h>

#include "platform/qzutility/update_manifest.h"

namespace {

struct VersionCase {
  const char* a;
  const char* b;
  int order;  // 2: not comparable
};

TEST(UpdateManifest, VersionsCompareAsDottedNumbers) {
  const VersionCase cases[] = {
      {"1.0.0.10", "1.0.0.9", 1},  {"1.0.0.9", "1.0.0.10", -1}, {"1.0.0.1", "1.0.0.1", 0},
      {"1.2", "1.2.0.0", 0},       {"2", "1.99.99.99", 1},      {"1.0.1", "1.0.0.99", 1},
      {"01.0.0.2", "1.0.0.2", 0},  {"1.0.0.1", "", 2},          {"1..0", "1.0", 2},
      {"1.0.", "1.0", 2},          {".1", "1", 2},              {"1.0a", "1.0", 2},
      {"-1", "1", 2},              {"1 .0", "1.0", 2},          {"1234567890", "1", 2},
      {"1.2.3.4.5.6.7.8", "1", 1}, {"1.2.3.4.5.6.7.8.9", "1", 2}, {"999999999", "1000", 1},
  };
  for (const auto& c : cases) {
    const auto order = qz::CompareVersions(c.a, c.b);
    if (c.order == 2) {
      EXPECT_FALSE(order.has_value()) << c.a << " vs " << c.b;
    } else {
      ASSERT_TRUE(order.has_value()) << c.a << " vs " << c.b;
      EXPECT_EQ(*order < 0 ? -1 : (*order > 0 ? 1 : 0), c.order) << c.a << " vs " << c.b;
    }
  }
}

TEST(UpdateManifest, FindsTheProductLine) {
  const char* manifest =
      "\xEF\xBB\xBF# Marlowen products\r\n"
      "; older entries below\r\n"
      "\r\n"
      "Other = 9.9\r\n"
      "  cardivane =\t1.0.0.12  \r\n"
      "Cardivane=0.1\r\n";
  EXPECT_EQ(qz::LatestVersionIn(manifest, "Cardivane"), "1.0.0.12");
  EXPECT_EQ(qz::LatestVersionIn(manifest, "Other"), "9.9");
  EXPECT_FALSE(qz::LatestVersionIn(manifest, "Absent"));
  // No line end after the last line.
  EXPECT_EQ(qz::LatestVersionIn("Cardivane=2.0", "Cardivane"), "2.0");
}

TEST(UpdateManifest, MalformedManifestsOfferNothing) {
  const char* malformed[] = {
      "",
      "<html><body>Not found</body></html>",
      "Cardivane",
      "Cardivane=",
      "Cardivane=latest",
      "Cardivane 1.0.0.2",
      "#Cardivane=9.0",
      "Cardivane=1.0.0.2 beta",
  };
  for (const char* text : malformed) {
    EXPECT_FALSE(qz::ManifestOffersUpdate(text, "Cardivane", "1.0.0.1")) << text;
  }
  std::string huge(qz::kMaxManifestBytes, '#');
  huge += "\nCardivane=9.0\n";
  EXPECT_FALSE(qz::ManifestOffersUpdate(huge, "Cardivane", "1.0.0.1"));
}

TEST(UpdateManifest, OnlyANewerVersionIsAnUpdate) {
  EXPECT_TRUE(qz::ManifestOffersUpdate("Cardivane=1.0.0.10\n", "Cardivane", "1.0.0.9"));
  EXPECT_FALSE(qz::ManifestOffersUpdate("Cardivane=1.0.0.9\n", "Cardivane", "1.0.0.10"));
  EXPECT_FALSE(qz::ManifestOffersUpdate("Cardivane=1.0.0.1\n", "Cardivane", "1.0.0.1"));
  // An unknown installed version cannot be older than anything.
  EXPECT_FALSE(qz::ManifestOffersUpdate("Cardivane=1.0.0.2\n", "Cardivane", ""));
}

}  // namespace
