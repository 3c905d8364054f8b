#include <gtest/gtest.h>

#include "platform/uprovia/updater_args.h"

namespace {

using uprovia::ParseUpdaterArgs;
using uprovia::UpdaterRequest;

const wchar_t kId[] = L"6F1D2B9C-4E7A-4C53-9B0E-8A2F61D7C4E5";

TEST(UpdaterArgs, SixArgumentsOrFiveWithoutAVersion) {
  UpdaterRequest request;
  ASSERT_TRUE(ParseUpdaterArgs({L"Cardivane", L"1.0.0.1", L"Marlowen Cardivane", L"#32770", kId, kId}, &request));
  EXPECT_EQ(request.productId, L"Cardivane");
  EXPECT_EQ(request.version, L"1.0.0.1");
  EXPECT_EQ(request.windowTitle, L"Marlowen Cardivane");
  EXPECT_EQ(request.windowClass, L"#32770");
  EXPECT_EQ(request.instanceId, kId);

  // "Cardivane  \"Marlowen Cardivane\" ..." splits into five.
  ASSERT_TRUE(ParseUpdaterArgs({L"Cardivane", L"Marlowen Cardivane", L"#32770", kId, kId}, &request));
  EXPECT_EQ(request.version, L"");
  EXPECT_EQ(request.windowTitle, L"Marlowen Cardivane");
  EXPECT_EQ(request.instanceId, kId);
}

TEST(UpdaterArgs, OtherShapesAreRefused) {
  UpdaterRequest request;
  EXPECT_FALSE(ParseUpdaterArgs({}, &request));
  EXPECT_FALSE(ParseUpdaterArgs({L"Cardivane", L"1.0.0.1"}, &request));
  EXPECT_FALSE(ParseUpdaterArgs({L"Cardivane", L"1.0.0.1", L"T", L"#32770", kId, L"other"}, &request));
  EXPECT_FALSE(ParseUpdaterArgs({L"", L"1.0.0.1", L"T", L"#32770", kId, kId}, &request));
  EXPECT_FALSE(ParseUpdaterArgs({L"a", L"b", L"c", L"d", L"e", L"f", L"g"}, &request));
}

TEST(UpdaterArgs, StatusNamesWhatTheManifestOffers) {
  EXPECT_EQ(uprovia::UpdateStatusText(L"1.0.0.9", L"1.0.0.10", true), L"Version 1.0.0.10 is available on the download page.");
  EXPECT_EQ(uprovia::UpdateStatusText(L"1.0.0.10", L"1.0.0.10", true), L"You have the latest version.");
  EXPECT_EQ(uprovia::UpdateStatusText(L"1.0.0.11", L"1.0.0.10", true), L"You have the latest version.");
  EXPECT_EQ(uprovia::UpdateStatusText(L"", L"1.0.0.10", true), L"Version 1.0.0.10 is on the download page.");
  EXPECT_EQ(uprovia::UpdateStatusText(L"1.0.0.1", L"", false),
            L"The update server could not be reached. Please try again later.");
}

}  // namespace
