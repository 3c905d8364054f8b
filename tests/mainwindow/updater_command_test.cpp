#include <gtest/gtest.h>

#include "app/updater_command.h"

namespace {

TEST(UpdaterCommand, SixPartsJoinedByBlanks) {
  cdv::UpdaterArguments args{L"Cardivane", L"1.0.0.1", L"Marlowen Cardivane", L"#32770",
                             L"6F1D2B9C-4E7A-4C53-9B0E-8A2F61D7C4E5"};
  EXPECT_EQ(cdv::UpdaterCommandLine(args),
            L"Cardivane 1.0.0.1 \"Marlowen Cardivane\" #32770 6F1D2B9C-4E7A-4C53-9B0E-8A2F61D7C4E5 "
            L"6F1D2B9C-4E7A-4C53-9B0E-8A2F61D7C4E5");
  args.version.clear();
  EXPECT_EQ(cdv::UpdaterCommandLine(args),
            L"Cardivane  \"Marlowen Cardivane\" #32770 6F1D2B9C-4E7A-4C53-9B0E-8A2F61D7C4E5 "
            L"6F1D2B9C-4E7A-4C53-9B0E-8A2F61D7C4E5");
}

}  // namespace
