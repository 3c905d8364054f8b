#pragma once

// The device side of the sync service for the shell user: STAT (and STA2,
// LST2 on phones with stat_v2), LIST, RECV and QUIT. A failure answers FAIL
// and closes the stream, as adbd does.

#include <fstream>
#include <memory>
#include <string>

#include "tools/phonesim/phone_fs.h"
#include "tools/phonesim/phone_profile.h"
#include "tools/phonesim/stream_service.h"

namespace cdv::phonesim {

// adbd's largest DATA block.
constexpr std::size_t kDeviceDataBlock = 65528;

class SyncService final : public StreamService {
 public:
  SyncService(const PhoneFs& fs, const PhoneProfile& profile) : fs_(fs), profile_(profile) {}

  void OnInput(std::string_view bytes) override;
  void TakeOutput(std::size_t max, std::string* out) override;
  bool Finished() const override { return closing_ && reply_.empty() && !file_; }

 private:
  void HandleRequests();
  void Fail(const std::string& message);
  void Recv(const std::string& path);
  void List(const std::string& path);

  const PhoneFs& fs_;
  const PhoneProfile profile_;
  std::string input_;
  std::string reply_;
  std::unique_ptr<std::ifstream> file_;  // the file a RECV is sending
  bool closing_ = false;
};

}  // namespace cdv::phonesim
