// Every fuzz target over its seed corpus and the minimised inputs of past
// findings, in the sanitized native tree: a finding that comes back fails here
// without clang or libFuzzer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/fuzz_targets.h"

namespace {

namespace fs = std::filesystem;
using Entry = int (*)(const uint8_t*, size_t);

std::vector<fs::path> Inputs(const std::string& target) {
  std::vector<fs::path> files;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(CDV_FUZZ_DIR) / kind / target;
    if (!fs::is_directory(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file()) files.push_back(e.path());
  }
  return files;
}

void Replay(const std::string& target, Entry entry) {
  const std::vector<fs::path> files = Inputs(target);
  ASSERT_FALSE(files.empty()) << "no inputs for " << target;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
  }
}

TEST(FuzzReplay, Engine) { Replay("engine", cdvfuzz::Engine); }
TEST(FuzzReplay, Reader) { Replay("reader", cdvfuzz::Reader); }
TEST(FuzzReplay, CarvedText) { Replay("carvedtext", cdvfuzz::CarvedText); }
TEST(FuzzReplay, UpdateManifest) { Replay("updatemanifest", cdvfuzz::UpdateManifest); }
TEST(FuzzReplay, Relay) { Replay("relay", cdvfuzz::Relay); }

}  // namespace
