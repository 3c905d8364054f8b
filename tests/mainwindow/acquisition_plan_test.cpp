#include <gtest/gtest.h>

#include <string>

#include "app/acquisition_plan.h"

namespace {

using cdv::RelayCommandLine;
using cdv::RelayStep;

TEST(AcquisitionPlan, WorkingFolderSitsAtTheFirstThreeCharacters) {
  struct Case {
    const char* programFolder;
    const char* folder;
  } cases[] = {
      {"C:\\Program Files\\Marlowen Cardivane", "C:\\marlowen"},
      {"D:\\", "D:\\marlowen"},
      {"\\\\server\\share\\Cardivane", "\\\\smarlowen"},
      // Three characters, not three bytes: "É" is two bytes in UTF-8.
      {"\xC3\x89:\\x", "\xC3\x89:\\marlowen"},
      {"C:", "C:marlowen"},
  };
  for (const auto& c : cases) {
    const cdv::WorkingPaths paths = cdv::WorkingPathsFor(c.programFolder);
    EXPECT_EQ(paths.folder, c.folder) << c.programFolder;
    EXPECT_EQ(paths.contactsCopy, std::string(c.folder) + "\\contacts2.db");
    EXPECT_EQ(paths.messagesCopy, std::string(c.folder) + "\\mmssms.db");
  }
}

TEST(AcquisitionPlan, CommandLinesQuoteTheRelayAndKeepTheRest) {
  const std::string folder = "C:\\Program Files\\Marlowen Cardivane";
  const std::string copy = "C:\\marlowen\\contacts2.db";
  EXPECT_EQ(RelayCommandLine(RelayStep::ChmodContacts, folder, copy),
            "\"C:\\Program Files\\Marlowen Cardivane\\droidgate.exe\" shell su root chmod 777 "
            "/data/data/com.android.providers.contacts/databases/contacts2.db");
  EXPECT_EQ(RelayCommandLine(RelayStep::ChmodMessages, folder, copy),
            "\"C:\\Program Files\\Marlowen Cardivane\\droidgate.exe\" shell su root chmod 777 "
            "/data/data/com.android.providers.telephony/databases/mmssms.db");
  EXPECT_EQ(RelayCommandLine(RelayStep::PullContacts, folder, copy),
            "\"C:\\Program Files\\Marlowen Cardivane\\droidgate.exe\" pull "
            "/data/data/com.android.providers.contacts/databases/contacts2.db C:\\marlowen\\contacts2.db");
}

TEST(AcquisitionPlan, ALineThatWouldNotFitItsBufferIsNotBuilt) {
  const std::string copy = "C:\\marlowen\\contacts2.db";
  // The pull line is the longest: quotes and "\droidgate.exe" (16), " pull " (6),
  // the phone path (64), a blank and the copy path.
  const size_t fixed = 16 + 6 + 64 + 1 + copy.size();
  const std::string fits(259 - fixed, 'a');
  const std::string tooLong(260 - fixed, 'a');
  const auto last = RelayCommandLine(RelayStep::PullContacts, fits, copy);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->size(), 259u);
  EXPECT_FALSE(RelayCommandLine(RelayStep::PullContacts, tooLong, copy).has_value());
  // The shorter permission changes still fit that folder.
  EXPECT_TRUE(RelayCommandLine(RelayStep::ChmodContacts, tooLong, copy).has_value());
  EXPECT_TRUE(RelayCommandLine(RelayStep::ChmodMessages, tooLong, copy).has_value());
}

}  // namespace
