#pragma once

// What kind of phone the simulator plays.

#include <cstdint>
#include <string>

#include "platform/droidgate/wire_protocol.h"

namespace cdv::phonesim {

struct PhoneProfile {
  // An Android 4-era phone: no shell_v2 or stat_v2, 4 KiB packets, checksums
  // on every packet, and shell output through a terminal (CR LF line ends).
  bool old_phone = false;
  // Whether `su` exists.
  bool rooted = true;
  std::string model = "Cardisim";
  // A slow cable: stream data is paced to this many KiB per second (0 = no limit).
  unsigned throttle_kib_per_second = 0;

  std::uint32_t Version() const {
    return old_phone ? adb::kVersionWithChecksum : adb::kVersionSkipChecksum;
  }
  std::uint32_t MaxData() const { return old_phone ? 4096u : 256u * 1024u; }
  bool ShellV2() const { return !old_phone; }
  bool StatV2() const { return !old_phone; }

  // The CNXN banner; it announces only the features implemented here.
  std::string Banner() const {
    std::string banner = "device::ro.product.name=" + model + ";ro.product.model=" + model +
                         ";ro.product.device=" + model + ";";
    if (!old_phone) banner += "features=shell_v2,stat_v2";
    return banner;
  }
};

}  // namespace cdv::phonesim
