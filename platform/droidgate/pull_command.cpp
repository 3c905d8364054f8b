#include <chrono>
#include <cinttypes>
#include <cstdio>

#include "platform/droidgate/commands.h"
#include "platform/droidgate/local_file.h"
#include "platform/droidgate/sync_protocol.h"

namespace cdv::adb {
namespace {

// FAIL texts are short; a larger length means the stream is not a sync stream.
constexpr std::uint32_t kMaxFailMessage = 64 * 1024;

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::string BaseName(const std::string& remote) {
  std::string name = remote;
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  const std::size_t slash = name.rfind('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string JoinLocal(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder + name;
  return folder + "/" + name;
}

// The file is created at the first byte (or at DONE for an empty file), so a
// refusal before any data leaves nothing behind.
class PulledFile {
 public:
  explicit PulledFile(std::string path) : path_(std::move(path)) {}
  ~PulledFile() {
    writer_.reset();
    if (created_ && !kept_) RemoveLocalFile(path_);
  }
  PulledFile(const PulledFile&) = delete;
  PulledFile& operator=(const PulledFile&) = delete;

  bool Write(const char* data, std::size_t length, std::string* error) {
    if (!Open(error)) return false;
    return length == 0 || writer_->Write(data, length, error);
  }

  bool Open(std::string* error) {
    if (writer_) return true;
    writer_ = CreateLocalFile(path_, error);
    created_ = writer_ != nullptr;
    return created_;
  }

  void Keep() {
    writer_.reset();
    kept_ = true;
  }

 private:
  std::string path_;
  std::unique_ptr<LocalFileWriter> writer_;
  bool created_ = false;
  bool kept_ = false;
};

enum class RecvResult { kDone, kFailed };

struct RecvOutcome {
  RecvResult result = RecvResult::kFailed;
  std::uint64_t bytes = 0;
  std::string error;  // the text after "failed to copy 'R' to 'L': "
};

RecvOutcome ReceiveFile(ByteStream& stream, PulledFile& file) {
  RecvOutcome outcome;
  std::vector<char> buffer(kSyncMaxData);
  for (;;) {
    unsigned char header_bytes[kSyncHeaderSize];
    if (!ReadExact(stream, header_bytes, sizeof header_bytes)) {
      outcome.error = "the connection to the device was lost";
      return outcome;
    }
    const SyncHeader header = DecodeSyncHeader(header_bytes);
    if (header.id == "DATA") {
      if (header.length > kSyncMaxData) {
        outcome.error = "the device sent a data block of " + std::to_string(header.length) + " bytes";
        return outcome;
      }
      std::string open_error;
      if (!file.Open(&open_error)) {
        outcome.error = "cannot create the local file: " + open_error;
        return outcome;
      }
      // Write each piece as it arrives rather than each whole block.
      std::uint32_t left = header.length;
      while (left > 0) {
        const std::ptrdiff_t got = stream.ReadSome(buffer.data(), left);
        if (got <= 0) {
          outcome.error = "the connection to the device was lost";
          return outcome;
        }
        std::string write_error;
        if (!file.Write(buffer.data(), static_cast<std::size_t>(got), &write_error)) {
          outcome.error = "cannot write the local file: " + write_error;
          return outcome;
        }
        left -= static_cast<std::uint32_t>(got);
        outcome.bytes += static_cast<std::uint64_t>(got);
      }
    } else if (header.id == "DONE") {
      std::string open_error;
      if (!file.Open(&open_error)) {
        outcome.error = "cannot create the local file: " + open_error;
        return outcome;
      }
      outcome.result = RecvResult::kDone;
      return outcome;
    } else if (header.id == "FAIL") {
      std::string message;
      if (header.length <= kMaxFailMessage) {
        message.assign(header.length, '\0');
        if (header.length > 0 && !ReadExact(stream, message.data(), header.length)) message.clear();
      }
      outcome.error = "remote " + (message.empty() ? std::string("transfer failed") : message);
      return outcome;
    } else {
      outcome.error = "the device answered with an unknown sync message";
      return outcome;
    }
  }
}

std::string TransferSummary(const std::string& remote, std::uint64_t bytes, double seconds) {
  char figures[128];
  const double rate = seconds > 0 ? static_cast<double>(bytes) / seconds / (1024.0 * 1024.0) : 0.0;
  std::snprintf(figures, sizeof figures, "1 file pulled. %.1f MB/s (%" PRIu64 " bytes in %.3fs)", rate, bytes,
                seconds);
  return remote + ": " + figures;
}

}  // namespace

int RunPullCommand(ServerClient& server, const std::string& serial, const std::string& remote,
                   const std::string& local, CommandIo io) {
  if (remote.empty() || local.empty()) {
    io.err.WriteLine("adb: error: pull needs a remote and a local path");
    return 1;
  }
  if (remote.size() > kSyncMaxPath) {
    io.err.WriteLine("adb: error: remote path too long: " + Quoted(remote));
    return 1;
  }
  std::string error;
  std::vector<std::string> features;
  if (!server.CheckServerVersion(&error)) {
    io.err.WriteLine("adb: error: " + error);
    return 1;
  }
  if (!server.DeviceFeatures(serial, &features, &error)) {
    io.err.WriteLine("adb: error: failed to get feature set: " + error);
    return 1;
  }
  std::unique_ptr<ByteStream> stream = server.OpenDeviceService(serial, "sync:", &error);
  if (!stream) {
    io.err.WriteLine("adb: error: connect failed: " + error);
    return 1;
  }
  const auto started = std::chrono::steady_clock::now();

  // STA2 reports why a stat failed; plain STAT only says all zeros.
  const bool stat_v2 = HasFeature(features, "stat_v2");
  RemoteStat stat;
  bool stat_read;
  if (stat_v2) {
    unsigned char reply[kStatV2ReplySize];
    stat_read = WriteString(*stream, EncodeSyncRequest("STA2", remote)) &&
                ReadExact(*stream, reply, sizeof reply) && DecodeStatV2Reply(reply, "STA2", &stat);
  } else {
    unsigned char reply[kStatV1ReplySize];
    stat_read = WriteString(*stream, EncodeSyncRequest("STAT", remote)) &&
                ReadExact(*stream, reply, sizeof reply) && DecodeStatV1Reply(reply, &stat);
  }
  if (!stat_read) {
    io.err.WriteLine("adb: error: failed to stat remote object " + Quoted(remote) +
                     ": the connection to the device was lost");
    return 1;
  }
  if (stat_v2 && stat.error != 0) {
    io.err.WriteLine("adb: error: failed to stat remote object " + Quoted(remote) + ": " +
                     LinuxErrorText(stat.error));
    WriteString(*stream, EncodeSyncHeader("QUIT", 0));
    return 1;
  }
  if (!stat_v2 && stat.mode == 0 && stat.size == 0 && stat.mtime == 0) {
    io.err.WriteLine("adb: error: remote object " + Quoted(remote) + " does not exist");
    WriteString(*stream, EncodeSyncHeader("QUIT", 0));
    return 1;
  }
  if ((stat.mode & kModeTypeMask) == kModeDirectory) {
    io.err.WriteLine("adb: error: " + Quoted(remote) + " is a folder; droidgate pulls single files");
    WriteString(*stream, EncodeSyncHeader("QUIT", 0));
    return 1;
  }

  const std::string target = IsLocalDirectory(local) ? JoinLocal(local, BaseName(remote)) : local;
  if (!WriteString(*stream, EncodeSyncRequest("RECV", remote))) {
    io.err.WriteLine("adb: error: failed to copy " + Quoted(remote) + " to " + Quoted(target) +
                     ": the connection to the device was lost");
    return 1;
  }
  PulledFile file(target);
  const RecvOutcome outcome = ReceiveFile(*stream, file);
  if (outcome.result != RecvResult::kDone) {
    // The device closes the sync stream after FAIL, so no QUIT follows.
    io.err.WriteLine("adb: error: failed to copy " + Quoted(remote) + " to " + Quoted(target) + ": " +
                     outcome.error);
    return 1;
  }
  file.Keep();
  WriteString(*stream, EncodeSyncHeader("QUIT", 0));
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  io.out.WriteLine(TransferSummary(remote, outcome.bytes, seconds));
  return 0;
}

}  // namespace cdv::adb
