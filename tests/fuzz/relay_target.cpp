#include <cstdio>
#include <string>
#include <vector>

#include "platform/droidgate/commands.h"
#include "tests/adb/memory_stream.h"
#include "tests/fuzz/fuzz_targets.h"

namespace cdvfuzz {
namespace {

class NullSink : public cdv::adb::OutputSink {
 public:
  void Write(std::string_view) override {}
};

// The input: one byte choosing the command, then the server's side of each
// connection in turn, every one as a 2-byte little-endian length and its
// bytes. Once they run out, nothing listens any more.
struct Conversation {
  unsigned choice = 0;
  std::vector<std::string> connections;
};

Conversation Split(const uint8_t* data, size_t size) {
  Conversation c;
  if (size == 0) return c;
  c.choice = data[0];
  size_t at = 1;
  while (at < size) {
    size_t length = data[at];
    if (at + 1 < size) length |= static_cast<size_t>(data[at + 1]) << 8;
    at += 2;
    if (at > size) break;
    if (length > size - at) length = size - at;
    c.connections.emplace_back(reinterpret_cast<const char*>(data + at), length);
    at += length;
  }
  return c;
}

bool Exists(const std::string& path) {
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fclose(f);
    return true;
  }
  return false;
}

}  // namespace

int Relay(const uint8_t* data, size_t size) {
  const Conversation conversation = Split(data, size);
  size_t next = 0;
  // Reads come in small pieces, so frames split anywhere.
  const size_t piece = 1 + (conversation.choice >> 4);
  auto make_access = [&](std::uint16_t port) {
    cdv::adb::ServerAccess access;
    access.port = port;
    access.connect = [&](std::uint16_t) {
      cdv::adb::ConnectResult result;
      if (next >= conversation.connections.size()) {
        result.outcome = cdv::adb::ConnectOutcome::kRefused;
        return result;
      }
      auto stream = std::make_unique<cdv::adb::testing::MemoryStream>(conversation.connections[next++], piece);
      if (conversation.choice & 4) stream->FailAtEnd();
      result.outcome = cdv::adb::ConnectOutcome::kConnected;
      result.stream = std::move(stream);
      return result;
    };
    access.find_adb = [] { return std::string("adb"); };
    access.start_server = [](const std::string&, std::uint16_t, std::string*) { return false; };
    access.sleep_ms = [](int) {};
    return access;
  };

  const std::string local = ScratchFolder() + "/pulled.db";
  std::remove(local.c_str());
  std::vector<std::string> args;
  if (conversation.choice & 2) args = {"-s", "emulator-5554"};
  if (conversation.choice & 1) {
    args.insert(args.end(), {"pull", "/data/data/com.android.providers.contacts/databases/contacts2.db", local});
  } else {
    args.insert(args.end(), {"shell", "su", "root", "chmod", "777", "/data/data"});
  }
  NullSink out, err;
  const int code = cdv::adb::RunRelay(args, {}, make_access, {out, err});
  // A pull that did not succeed leaves no file behind.
  if (code != 0 && (conversation.choice & 1) && Exists(local)) __builtin_trap();
  std::remove(local.c_str());
  return 0;
}

}  // namespace cdvfuzz
