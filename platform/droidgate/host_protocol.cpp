#include "platform/droidgate/host_protocol.h"

#include <cstdio>

namespace cdv::adb {

std::string FrameHostRequest(std::string_view payload) {
  if (payload.empty() || payload.size() > kMaxHostPayload) return {};
  char length[5];
  std::snprintf(length, sizeof length, "%04x", static_cast<unsigned>(payload.size()));
  std::string framed(length, 4);
  framed.append(payload);
  return framed;
}

bool ParseHex4(std::string_view digits, std::size_t* value) {
  if (digits.size() != 4) return false;
  std::size_t v = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v * 16 + static_cast<std::size_t>(d);
  }
  *value = v;
  return true;
}

bool ReadHostString(ByteStream& stream, std::string* text) {
  char digits[4];
  std::size_t length = 0;
  if (!ReadExact(stream, digits, 4) || !ParseHex4(std::string_view(digits, 4), &length)) return false;
  text->assign(length, '\0');
  return length == 0 || ReadExact(stream, text->data(), length);
}

HostReply ReadHostStatus(ByteStream& stream) {
  HostReply reply;
  char word[4];
  if (!ReadExact(stream, word, 4)) {
    reply.message = "the adb server closed the connection";
    return reply;
  }
  const std::string_view status(word, 4);
  if (status == "OKAY") {
    reply.status = HostStatus::kOkay;
  } else if (status == "FAIL") {
    reply.status = HostStatus::kFail;
    if (!ReadHostString(stream, &reply.message)) reply.message = "the adb server failed without a reason";
  } else {
    reply.message = "unexpected reply from the adb server";
  }
  return reply;
}

HostReply SendHostRequest(ByteStream& stream, std::string_view payload) {
  const std::string framed = FrameHostRequest(payload);
  if (framed.empty()) {
    HostReply reply;
    reply.message = "request too long for the adb server";
    return reply;
  }
  if (!WriteString(stream, framed)) {
    HostReply reply;
    reply.message = "cannot send to the adb server";
    return reply;
  }
  return ReadHostStatus(stream);
}

}  // namespace cdv::adb
