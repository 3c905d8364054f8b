#pragma once
// The one seam between the database's UTF-8, the narrow "ANSI" text the program
// keeps (the active code page on Windows, which the manifest makes UTF-8; UTF-8
// itself elsewhere) and the UTF-16 of the user interface and the export file.
#include <string>
#include <string_view>

namespace cdv {

// Strict check: no overlong forms, no surrogates, nothing above U+10FFFF, no
// truncated sequence.
bool IsValidUtf8(std::string_view bytes);

// UTF-8 to the narrow code page; empty when the input is not valid UTF-8.
// Characters the code page cannot hold become its default character.
std::string Utf8ToAnsi(std::string_view utf8);

// UTF-16 to UTF-8 whatever the narrow code page (SQLite takes UTF-8 file
// names; the command line prints UTF-8). A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view utf16);

}  // namespace cdv
