#pragma once

// The sync service (file transfer): 4-letter ids with a u32le length, and the
// fixed-layout replies of STAT and STA2.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cdv::adb {

constexpr std::size_t kSyncMaxPath = 1024;
// Largest DATA frame a device may send (adbd sends at most 65528 bytes).
constexpr std::size_t kSyncMaxData = 64 * 1024;
constexpr std::size_t kSyncHeaderSize = 8;
constexpr std::size_t kStatV1ReplySize = 16;
constexpr std::size_t kStatV2ReplySize = 72;

// Linux errno values as the device reports them in STA2 replies.
constexpr std::uint32_t kLinuxEPERM = 1;
constexpr std::uint32_t kLinuxENOENT = 2;
constexpr std::uint32_t kLinuxEACCES = 13;
constexpr std::uint32_t kLinuxENOTDIR = 20;
constexpr std::uint32_t kLinuxEISDIR = 21;

// File type bits of st_mode, as on the device.
constexpr std::uint32_t kModeTypeMask = 0170000;
constexpr std::uint32_t kModeDirectory = 0040000;
constexpr std::uint32_t kModeRegular = 0100000;
constexpr std::uint32_t kModeSymlink = 0120000;

struct SyncHeader {
  std::string id;  // 4 characters
  std::uint32_t length = 0;
};

std::string EncodeSyncHeader(std::string_view id, std::uint32_t length);
// A request carrying a path (STAT, STA2, LST2, RECV, LIST); QUIT has none.
std::string EncodeSyncRequest(std::string_view id, std::string_view path);
SyncHeader DecodeSyncHeader(const unsigned char* bytes);

struct RemoteStat {
  std::uint32_t error = 0;  // Linux errno, 0 on success (STA2 only)
  std::uint64_t dev = 0;
  std::uint64_t ino = 0;
  std::uint32_t mode = 0;
  std::uint32_t nlink = 0;
  std::uint32_t uid = 0;
  std::uint32_t gid = 0;
  std::uint64_t size = 0;
  std::int64_t atime = 0;
  std::int64_t mtime = 0;
  std::int64_t ctime = 0;
};

// STAT reply: "STAT" mode:u32 size:u32 mtime:u32; all zeros when it failed.
std::string EncodeStatV1Reply(const RemoteStat& stat);
bool DecodeStatV1Reply(const unsigned char* bytes, RemoteStat* stat);
// STA2/LST2 reply: the id, error:u32, then the stat fields, packed little-endian.
std::string EncodeStatV2Reply(std::string_view id, const RemoteStat& stat);
bool DecodeStatV2Reply(const unsigned char* bytes, std::string_view expected_id, RemoteStat* stat);

// The text of a Linux errno value, independent of the host's C library.
std::string LinuxErrorText(std::uint32_t error);

}  // namespace cdv::adb
