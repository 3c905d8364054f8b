#pragma once

// Starting an adb server when none answers. Implemented per platform.

#include <cstdint>
#include <string>

namespace cdv::adb {

// An adb executable beside this program, else the first on the PATH; empty when none.
std::string FindAdbExecutable();

// Runs "adb -P PORT start-server" detached, its standard handles on the null
// device and none of ours inherited, so that nothing reading our output waits
// on the long-lived server. Does not wait for it.
bool StartAdbServer(const std::string& adb_path, std::uint16_t port, std::string* error);

}  // namespace cdv::adb
