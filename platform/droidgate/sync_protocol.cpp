#include "platform/droidgate/sync_protocol.h"

#include "platform/droidgate/little_endian.h"

namespace cdv::adb {

std::string EncodeSyncHeader(std::string_view id, std::uint32_t length) {
  std::string header(id.substr(0, 4));
  header.resize(4, ' ');
  AppendU32Le(header, length);
  return header;
}

std::string EncodeSyncRequest(std::string_view id, std::string_view path) {
  std::string request = EncodeSyncHeader(id, static_cast<std::uint32_t>(path.size()));
  request.append(path);
  return request;
}

SyncHeader DecodeSyncHeader(const unsigned char* bytes) {
  SyncHeader header;
  header.id.assign(reinterpret_cast<const char*>(bytes), 4);
  header.length = LoadU32Le(bytes + 4);
  return header;
}

std::string EncodeStatV1Reply(const RemoteStat& stat) {
  std::string reply = "STAT";
  AppendU32Le(reply, stat.mode);
  AppendU32Le(reply, static_cast<std::uint32_t>(stat.size));
  AppendU32Le(reply, static_cast<std::uint32_t>(stat.mtime));
  return reply;
}

bool DecodeStatV1Reply(const unsigned char* bytes, RemoteStat* stat) {
  if (std::string_view(reinterpret_cast<const char*>(bytes), 4) != "STAT") return false;
  *stat = RemoteStat{};
  stat->mode = LoadU32Le(bytes + 4);
  stat->size = LoadU32Le(bytes + 8);
  stat->mtime = LoadU32Le(bytes + 12);
  return true;
}

std::string EncodeStatV2Reply(std::string_view id, const RemoteStat& stat) {
  std::string reply(id.substr(0, 4));
  reply.resize(4, ' ');
  AppendU32Le(reply, stat.error);
  AppendU64Le(reply, stat.dev);
  AppendU64Le(reply, stat.ino);
  AppendU32Le(reply, stat.mode);
  AppendU32Le(reply, stat.nlink);
  AppendU32Le(reply, stat.uid);
  AppendU32Le(reply, stat.gid);
  AppendU64Le(reply, stat.size);
  AppendU64Le(reply, static_cast<std::uint64_t>(stat.atime));
  AppendU64Le(reply, static_cast<std::uint64_t>(stat.mtime));
  AppendU64Le(reply, static_cast<std::uint64_t>(stat.ctime));
  return reply;
}

bool DecodeStatV2Reply(const unsigned char* bytes, std::string_view expected_id, RemoteStat* stat) {
  if (std::string_view(reinterpret_cast<const char*>(bytes), 4) != expected_id) return false;
  RemoteStat s;
  s.error = LoadU32Le(bytes + 4);
  s.dev = LoadU64Le(bytes + 8);
  s.ino = LoadU64Le(bytes + 16);
  s.mode = LoadU32Le(bytes + 24);
  s.nlink = LoadU32Le(bytes + 28);
  s.uid = LoadU32Le(bytes + 32);
  s.gid = LoadU32Le(bytes + 36);
  s.size = LoadU64Le(bytes + 40);
  s.atime = static_cast<std::int64_t>(LoadU64Le(bytes + 48));
  s.mtime = static_cast<std::int64_t>(LoadU64Le(bytes + 56));
  s.ctime = static_cast<std::int64_t>(LoadU64Le(bytes + 64));
  *stat = s;
  return true;
}

std::string LinuxErrorText(std::uint32_t error) {
  switch (error) {
    case kLinuxEPERM: return "Operation not permitted";
    case kLinuxENOENT: return "No such file or directory";
    case 5: return "I/O error";
    case 12: return "Out of memory";
    case kLinuxEACCES: return "Permission denied";
    case 16: return "Device or resource busy";
    case 17: return "File exists";
    case kLinuxENOTDIR: return "Not a directory";
    case kLinuxEISDIR: return "Is a directory";
    case 22: return "Invalid argument";
    case 28: return "No space left on device";
    case 30: return "Read-only file system";
    case 36: return "File name too long";
    case 40: return "Too many symbolic links encountered";
    default: return "Unknown error " + std::to_string(error);
  }
}

}  // namespace cdv::adb
