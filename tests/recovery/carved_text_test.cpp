#include "recovery/carved_text.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/recovery/reference_pairing.h"

namespace {

using cdvtest::QuadraticContactsText;

TEST(ContactsText, Cases) {
  struct Case {
    const char* name;
    std::vector<CarvedContact> rows;
    std::string text;
  } cases[] = {
      {"nothing carved", {}, ""},
      {"a lone name", {{"\x05", "Ann"}}, "Ann\tN/A\r\n"},
      {"a lone number", {{"\x05", "5551234"}}, "N/A\t5551234\r\n"},
      {"name then number", {{"\x05", "Ann"}, {"\x05", "5551234"}}, "Ann\t5551234\r\n"},
      {"number then name", {{"\x05", "5551234"}, {"\x05", "Ann"}}, "Ann\t5551234\r\n"},
      {"name, number, e-mail",
       {{"\x05", "Ann"}, {"\x05", "5551234"}, {"\x05", "ann@example.com"}},
       "Ann\t5551234\r\nAnn\tann@example.com\r\nann@example.com\t5551234\r\n"},
      {"name and e-mail in carving order", {{"\x05", "ann@example.com"}, {"\x05", "Ann"}},
       "ann@example.com\tAnn\r\n"},
      {"the same row twice", {{"\x05", "Ann"}, {"\x05", "Ann"}}, "Ann\tN/A\r\nAnn\tN/A\r\n"},
      {"a number with a plus sign is placed as a name", {{"\x05", "5551234"}, {"\x05", "+1 555-1234"}},
       "+1 555-1234\t5551234\r\n"},
      {"raw_contact_id 0 and 1 pair with each other", {{"", "Ann"}, {"", "5551234"}}, "Ann\t5551234\r\n"},
      {"different contacts stay apart", {{"\x05", "Ann"}, {"\x06", "5551234"}},
       "Ann\tN/A\r\nN/A\t5551234\r\n"},
      {"empty data1 takes no part", {{"\x05", ""}, {"\x05", "Ann"}, {"\x05", ""}}, "Ann\tN/A\r\n"},
      {"invalid UTF-8 gives an empty half", {{"\x05", "\xFF\xFE"}, {"\x05", "5551234"}}, "\t5551234\r\n"},
      {"invalid UTF-8 alone", {{"\x05", "\xC3"}}, "\tN/A\r\n"},
      {"a byte of 0x80 or above is no digit", {{"\x05", "12\xC3\xA9"}}, "12\xC3\xA9\tN/A\r\n"},
      {"used rows still pair again", {{"\x05", "Ann"}, {"\x05", "555"}, {"\x05", "Ann"}},
       "Ann\t555\r\nAnn\t555\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cdv::BuildContactsText(c.rows), c.text) << c.name;
    EXPECT_EQ(QuadraticContactsText(c.rows), c.text) << c.name;
  }
}

TEST(ContactsText, MatchesThePlainPairingOnRandomRows) {
  const std::vector<std::string> raws = {"", std::string("\x00\x05", 2), "\x05", "\x06", "\x01\x2C", "abc"};
  const std::vector<std::string> values = {"",  "Ann", "5551234", "ann@example.com", "\xFF", "+1 555",
                                           "0", "Zo\xC3\xAB", "\xE5\xBC\xA0\xE4\xBC\x9F", "Ann "};
  std::mt19937 random(20240611);
  for (int round = 0; round < 400; ++round) {
    // Few contacts and few values make long runs of equal rows, which the
    // grouping skips in one step.
    const size_t rawKinds = 1 + random() % raws.size();
    const size_t valueKinds = 1 + random() % values.size();
    std::vector<CarvedContact> rows(random() % 120);
    for (CarvedContact& row : rows) {
      row.rawContactId = raws[random() % rawKinds];
      row.data1 = values[random() % valueKinds];
    }
    ASSERT_EQ(cdv::BuildContactsText(rows), QuadraticContactsText(rows)) << "round " << round;
  }
}

TEST(SmsText, Cases) {
  const std::vector<LiveDataPair> live = {
      {"1", "Li Lei"}, {"1", "13800138000"}, {"2", "10086"}, {"3", "Bob"}, {"3", "555"}, {"4", "555"},
      {"5", "777"}, {"6", "777"}, {"6", "Eve"},
  };
  struct Case {
    const char* name;
    std::vector<CarvedSms> messages;
    std::string text;
  } cases[] = {
      {"no message", {}, ""},
      {"+86 is removed before matching", {{"+8613800138000", "", "hello"}},
       "Li Lei\t+8613800138000\thello\r\n"},
      {"the name is the contact's first other row", {{"13800138000", "7", "hi"}}, "Li Lei\t13800138000\thi\r\n"},
      {"a contact with no other row has no name", {{"10086", "", "bill"}}, "N/A\t10086\tbill\r\n"},
      {"only the first matching row counts", {{"555", "", "x"}}, "Bob\t555\tx\r\n"},
      {"the first match decides even without a name", {{"777", "", "w"}}, "N/A\t777\tw\r\n"},
      {"no match", {{"999", "", "y"}}, "N/A\t999\ty\r\n"},
      {"empty address and body", {{"", "", ""}}, "N/A\tN/A\tN/A\r\n"},
      {"invalid UTF-8 body is empty", {{"999", "", "\xFF"}}, "N/A\t999\t\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(cdv::BuildSmsText(c.messages, live), c.text) << c.name;
  EXPECT_EQ(cdv::BuildSmsText({{"10086", "", "z"}}, {}), "N/A\t10086\tz\r\n");
}

}  // namespace
