#pragma once
// The URI under which the reader opens a database file read-only.
#include <string>

namespace cdv {

// `utf8Path` as a "file:" URI (percent-encoded, forward slashes, a drive
// letter as an absolute path), with `query` ("immutable=1", "mode=ro") added.
std::string SqliteFileUri(const std::string& utf8Path, const std::string& query);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace cdv
