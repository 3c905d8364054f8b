#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/fuzz/fuzz_targets.h"

namespace cdvfuzz {
namespace {

struct Scratch {
  std::string path;
  Scratch() {
    // Memory-backed when available: every input is written once per run.
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    char pattern[64];
    std::snprintf(pattern, sizeof pattern, "%s/cdvfuzz-XXXXXX", base);
    if (mkdtemp(pattern) != nullptr) path = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
};

}  // namespace

const std::string& ScratchFolder() {
  static Scratch scratch;
  return scratch.path;
}

std::string WriteDatabase(const uint8_t* data, size_t size) {
  const std::string path = ScratchFolder() + "/contacts2.db";
  // A journal or WAL left from an earlier input would be replayed into this one.
  for (const char* suffix : {"-journal", "-wal", "-shm"}) std::remove((path + suffix).c_str());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace cdvfuzz
