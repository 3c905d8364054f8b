#pragma once
#include <string>

namespace cdv {

// True when `path` names an existing regular file (not a folder).
bool IsExistingFile(const std::string& path);

}  // namespace cdv
