#pragma once

// The "smart socket" protocol between an adb client and the adb server:
// requests are 4 hex digits of length then the text; replies are OKAY or
// FAIL followed by a reason framed the same way.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/droidgate/byte_stream.h"

namespace cdv::adb {

// Longest request the 4-digit length can describe.
constexpr std::size_t kMaxHostPayload = 0xFFFF;

// Empty when the payload is empty or too long to frame.
std::string FrameHostRequest(std::string_view payload);

// Reads 4 hex digits (either case); false on anything else.
bool ParseHex4(std::string_view digits, std::size_t* value);

enum class HostStatus { kOkay, kFail, kBroken };

struct HostReply {
  HostStatus status = HostStatus::kBroken;
  std::string message;  // the server's reason after FAIL, or what went wrong
};

// Reads the status word and, after FAIL, the reason.
HostReply ReadHostStatus(ByteStream& stream);

// Reads one length-framed string as sent after OKAY by the query services.
bool ReadHostString(ByteStream& stream, std::string* text);

// Sends one request and reads its status.
HostReply SendHostRequest(ByteStream& stream, std::string_view payload);

}  // namespace cdv::adb
