#include "recovery/file_probe.h"

#include <sys/stat.h>

namespace cdv {

bool IsExistingFile(const std::string& path) {
  // The C runtime's stat takes narrow paths in the active code page on
  // Windows, the same text the engine's paths are in.
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace cdv
