#pragma once
// UTF-16 to UTF-8 whatever the narrow code page: SQLite takes UTF-8 file
// names, and the command line prints UTF-8.
#include <string>
#include <string_view>

namespace cdv {

// A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace cdv
