#include "tools/phonesim/sync_service.h"

#include "platform/droidgate/little_endian.h"
#include "platform/droidgate/sync_protocol.h"

namespace cdv::phonesim {

void SyncService::OnInput(std::string_view bytes) {
  if (closing_) return;
  input_.append(bytes);
  HandleRequests();
}

void SyncService::Fail(const std::string& message) {
  reply_ += adb::EncodeSyncHeader("FAIL", static_cast<std::uint32_t>(message.size())) + message;
  input_.clear();
  closing_ = true;
}

void SyncService::HandleRequests() {
  // Requests wait while a file is being sent, so replies never interleave.
  while (!closing_ && !file_ && input_.size() >= adb::kSyncHeaderSize) {
    const adb::SyncHeader header = adb::DecodeSyncHeader(reinterpret_cast<const unsigned char*>(input_.data()));
    if (header.id == "QUIT") {
      input_.clear();
      closing_ = true;
      return;
    }
    const bool stat2 = profile_.StatV2() && (header.id == "STA2" || header.id == "LST2");
    if (header.id != "STAT" && !stat2 && header.id != "LIST" && header.id != "RECV") {
      Fail("unknown command " + header.id);
      return;
    }
    if (header.length > adb::kSyncMaxPath) {
      Fail("path too long");
      return;
    }
    if (input_.size() < adb::kSyncHeaderSize + header.length) return;
    const std::string path = input_.substr(adb::kSyncHeaderSize, header.length);
    input_.erase(0, adb::kSyncHeaderSize + header.length);

    if (header.id == "RECV") {
      Recv(path);
    } else if (header.id == "LIST") {
      List(path);
    } else {
      adb::RemoteStat stat;
      const std::uint32_t error = fs_.Stat(path, kShellUid, &stat);
      if (header.id == "STAT") {
        // Version 1 has no error field: a failure is all zeros.
        reply_ += adb::EncodeStatV1Reply(error == 0 ? stat : adb::RemoteStat{});
      } else {
        if (error != 0) {
          stat = adb::RemoteStat{};
          stat.error = error;
        }
        reply_ += adb::EncodeStatV2Reply(header.id, stat);
      }
    }
  }
}

void SyncService::Recv(const std::string& path) {
  const std::uint32_t error = fs_.OpenForRead(path, kShellUid, &file_);
  if (error != 0) {
    file_.reset();
    Fail("open failed: " + adb::LinuxErrorText(error));
  }
}

void SyncService::List(const std::string& path) {
  std::vector<PhoneDirEntry> entries;
  // adbd lists an unreadable folder as empty.
  if (fs_.List(path, kShellUid, &entries) == 0) {
    for (const PhoneDirEntry& entry : entries) {
      reply_ += "DENT";
      adb::AppendU32Le(reply_, entry.stat.mode);
      adb::AppendU32Le(reply_, static_cast<std::uint32_t>(entry.stat.size));
      adb::AppendU32Le(reply_, static_cast<std::uint32_t>(entry.stat.mtime));
      adb::AppendU32Le(reply_, static_cast<std::uint32_t>(entry.name.size()));
      reply_ += entry.name;
    }
  }
  reply_ += "DONE";
  reply_.append(16, '\0');
}

void SyncService::TakeOutput(std::size_t max, std::string* out) {
  // Whole packets: read ahead until the reply fills one or the file ends.
  while (reply_.size() < max && file_) {
    std::string block(kDeviceDataBlock, '\0');
    file_->read(block.data(), static_cast<std::streamsize>(block.size()));
    block.resize(static_cast<std::size_t>(file_->gcount()));
    if (!block.empty()) {
      reply_ += adb::EncodeSyncHeader("DATA", static_cast<std::uint32_t>(block.size())) + block;
    } else if (file_->eof()) {
      reply_ += adb::EncodeSyncHeader("DONE", 0);
      file_.reset();
    } else {
      file_.reset();
      Fail("read failed: I/O error");
    }
  }
  const std::size_t n = std::min(max, reply_.size());
  out->append(reply_, 0, n);
  reply_.erase(0, n);
  if (reply_.empty() && !file_) HandleRequests();
}

}  // namespace cdv::phonesim
