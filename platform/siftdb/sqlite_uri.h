#pragma once
// The URI under which the reader opens a database file read-only.
#include <string>

namespace cdv {

// `utf8Path` as a "file:" URI (percent-encoded, forward slashes, a drive
// letter as an absolute path), with `query` ("immutable=1", "mode=ro") added.
std::string SqliteFileUri(const std::string& utf8Path, const std::string& query);

}  // namespace cdv
