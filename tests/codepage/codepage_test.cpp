#include <gtest/gtest.h>

#include "platform/codepage/codepage.h"

namespace {

struct Utf8Case {
  const char* what;
  std::string bytes;
  bool valid;
};

TEST(Utf8, StrictValidation) {
  const Utf8Case cases[] = {
      {"ascii", "Anna 0171", true},
      {"two-byte", "\xC3\xA9", true},
      {"three-byte CJK", "\xE5\xBC\xA0\xE4\xBC\x9F", true},
      {"four-byte emoji", "\xF0\x9F\x98\x80", true},
      {"empty", "", true},
      {"lone continuation", "\x80", false},
      {"overlong slash", "\xC0\xAF", false},
      {"overlong three-byte", "\xE0\x80\xAF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"truncated", "\xE5\xBC", false},
      {"bad continuation", "\xC3\x28", false},
      {"F5 lead", "\xF5\x80\x80\x80", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cdv::IsValidUtf8(c.bytes), c.valid) << c.what;
    EXPECT_EQ(cdv::Utf8ToAnsi(c.bytes).empty(), !c.valid || c.bytes.empty()) << c.what;
  }
}

TEST(Codepage, RoundTripsEveryScriptThroughUtf16) {
  // With UTF-8 as the narrow code page nothing is lost on the way.
  const std::string names[] = {"Zo\xC3\xAB M\xC3\xBCller", "\xE5\xBC\xA0\xE4\xBC\x9F",
                               "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "\xD8\xB3\xD8\xA7\xD8\xB1\xD8\xA9",
                               "Sam \xF0\x9F\x98\x80"};
  for (const auto& name : names) {
    const std::string ansi = cdv::Utf8ToAnsi(name);
    EXPECT_EQ(ansi, name);
    const std::u16string wide = cdv::AnsiToUtf16(ansi);
    EXPECT_FALSE(wide.empty());
    EXPECT_EQ(cdv::Utf16ToAnsi(wide), name);
  }
  EXPECT_EQ(cdv::AnsiToUtf16("Sam \xF0\x9F\x98\x80"), u"Sam \U0001F600");
}

}  // namespace
