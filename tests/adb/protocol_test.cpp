// The wire formats shared by the relay and the simulated phone, checked
// against byte layouts taken from the protocol, not against each other.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/droidgate/host_protocol.h"
#include "platform/droidgate/little_endian.h"
#include "platform/droidgate/shell_protocol.h"
#include "platform/droidgate/sync_protocol.h"
#include "platform/droidgate/wire_protocol.h"
#include "tests/adb/memory_stream.h"

namespace cdv::adb {
namespace {

using testing::MemoryStream;

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

TEST(HostProtocol, FramesRequestsWithLowercaseHexLength) {
  EXPECT_EQ(FrameHostRequest("host:version"), "000chost:version");
  EXPECT_EQ(FrameHostRequest(std::string(0x1ab, 'x')).substr(0, 4), "01ab");
  EXPECT_EQ(FrameHostRequest(""), "");
  EXPECT_EQ(FrameHostRequest(std::string(kMaxHostPayload + 1, 'x')), "");
}

TEST(HostProtocol, ParsesHexLengthsOfEitherCase) {
  struct Case {
    const char* text;
    std::optional<std::size_t> value;
  } cases[] = {{"0029", 0x29}, {"ffff", 0xffff}, {"FFFF", 0xffff}, {"00aB", 0xab},
               {"00g1", std::nullopt}, {"001", std::nullopt}, {"-001", std::nullopt}};
  for (const Case& c : cases) {
    std::size_t value = 0;
    const bool ok = ParseHex4(c.text, &value);
    EXPECT_EQ(ok, c.value.has_value()) << c.text;
    if (ok) {
      EXPECT_EQ(value, *c.value) << c.text;
    }
  }
}

TEST(HostProtocol, ReadsOkayFailAndBrokenReplies) {
  struct Case {
    std::string reply;
    HostStatus status;
    std::string message;
  } cases[] = {
      {"OKAY", HostStatus::kOkay, ""},
      {"FAIL001edevice '127.0.0.1:9' not found", HostStatus::kFail, "device '127.0.0.1:9' not found"},
      {"FAIL0010cut", HostStatus::kFail, "the adb server failed without a reason"},
      {"OK", HostStatus::kBroken, "the adb server closed the connection"},
      {"WHAT", HostStatus::kBroken, "unexpected reply from the adb server"},
  };
  for (const Case& c : cases) {
    MemoryStream stream(c.reply, 3);
    const HostReply reply = ReadHostStatus(stream);
    EXPECT_EQ(reply.status, c.status) << c.reply;
    EXPECT_EQ(reply.message, c.message) << c.reply;
  }
}

TEST(HostProtocol, QueryReplyIsOkayThenFramedString) {
  MemoryStream stream("OKAY00040029");
  EXPECT_EQ(SendHostRequest(stream, "host:version").status, HostStatus::kOkay);
  std::string text;
  ASSERT_TRUE(ReadHostString(stream, &text));
  EXPECT_EQ(text, "0029");
  EXPECT_EQ(stream.written(), "000chost:version");
}

TEST(ShellProtocol, ServiceNamesJoinArgumentsWithoutQuoting) {
  const std::vector<std::string> args = {"su", "root", "chmod", "777", "/data/a b"};
  EXPECT_EQ(ShellServiceName(true, JoinShellArguments(args)), "shell,v2,raw:su root chmod 777 /data/a b");
  EXPECT_EQ(ShellServiceName(false, "id"), "shell:id");
}

TEST(ShellProtocol, ParsesServiceOptionsBeforeTheFirstColon) {
  struct Case {
    const char* name;
    bool valid;
    bool v2;
    bool pty;
    const char* command;
  } cases[] = {
      {"shell:ls -l", true, false, false, "ls -l"},
      {"shell,v2,TERM=xterm,raw:echo a:b", true, true, false, "echo a:b"},
      {"shell,v2,pty:id", true, true, true, "id"},
      {"shell:", true, false, false, ""},
      {"shellx:id", false, false, false, ""},
      {"sync:", false, false, false, ""},
      {"shell", false, false, false, ""},
  };
  for (const Case& c : cases) {
    ShellServiceRequest request;
    ASSERT_EQ(ParseShellServiceName(c.name, &request), c.valid) << c.name;
    if (!c.valid) continue;
    EXPECT_EQ(request.v2, c.v2) << c.name;
    EXPECT_EQ(request.pty, c.pty) << c.name;
    EXPECT_EQ(request.command, c.command) << c.name;
  }
}

struct Collected : ShellPacketReader::Sink {
  std::string out, err;
  std::vector<int> exits;
  int empty_pieces = 0;
  void OnShellData(std::uint8_t id, std::string_view piece) override {
    if (piece.empty()) ++empty_pieces;
    if (id == kShellStdout) out.append(piece);
    if (id == kShellStderr) err.append(piece);
    if (id == kShellExit && !piece.empty()) exits.push_back(static_cast<unsigned char>(piece[0]));
  }
};

TEST(ShellProtocol, PacketLayoutIsIdThenLittleEndianLength) {
  EXPECT_EQ(EncodeShellPacket(kShellStdout, "hi"), Bytes({1, 2, 0, 0, 0, 'h', 'i'}));
  EXPECT_EQ(EncodeShellPacket(kShellCloseStdin, ""), Bytes({4, 0, 0, 0, 0}));
}

TEST(ShellProtocol, ReaderGivesTheSameResultWhateverTheSplit) {
  const std::string stream = EncodeShellPacket(kShellStdout, "hello ") + EncodeShellPacket(kShellStderr, "") +
                             EncodeShellPacket(kShellStderr, "oops\n") + EncodeShellPacket(kShellStdout, "world\n") +
                             EncodeShellPacket(kShellExit, std::string(1, '\xfe'));
  for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{4}, std::size_t{7}, stream.size()}) {
    ShellPacketReader reader;
    Collected sink;
    for (std::size_t i = 0; i < stream.size(); i += piece) {
      reader.Feed(std::string_view(stream).substr(i, piece), sink);
      const bool last = i + piece >= stream.size();
      if (last) {
        EXPECT_TRUE(reader.AtPacketBoundary());
      }
    }
    EXPECT_EQ(sink.out, "hello world\n") << piece;
    EXPECT_EQ(sink.err, "oops\n") << piece;
    EXPECT_EQ(sink.exits, std::vector<int>{254}) << piece;
    EXPECT_EQ(sink.empty_pieces, 1) << piece;
  }
}

TEST(ShellProtocol, ReaderStreamsAHugeDeclaredBodyWithoutWaitingForIt) {
  ShellPacketReader reader;
  Collected sink;
  std::string header = Bytes({1});
  AppendU32Le(header, 0xFFFFFFF0u);
  reader.Feed(header + "abc", sink);
  EXPECT_EQ(sink.out, "abc");
  EXPECT_FALSE(reader.AtPacketBoundary());
}

TEST(SyncProtocol, RequestIsIdLengthPath) {
  EXPECT_EQ(EncodeSyncRequest("RECV", "/a"), Bytes({'R', 'E', 'C', 'V', 2, 0, 0, 0, '/', 'a'}));
  EXPECT_EQ(EncodeSyncHeader("QUIT", 0), Bytes({'Q', 'U', 'I', 'T', 0, 0, 0, 0}));
}

TEST(SyncProtocol, Stat2ReplyHasThePackedLayout) {
  RemoteStat stat;
  stat.error = kLinuxEACCES;
  stat.mode = 0100660;
  stat.uid = 10002;
  stat.size = 0x123456789ull;
  stat.mtime = 1700000000;
  const std::string reply = EncodeStatV2Reply("STA2", stat);
  ASSERT_EQ(reply.size(), kStatV2ReplySize);
  const auto* p = reinterpret_cast<const unsigned char*>(reply.data());
  EXPECT_EQ(reply.substr(0, 4), "STA2");
  EXPECT_EQ(LoadU32Le(p + 4), 13u);          // error
  EXPECT_EQ(LoadU32Le(p + 24), 0100660u);    // mode after dev and ino
  EXPECT_EQ(LoadU32Le(p + 32), 10002u);      // uid after nlink
  EXPECT_EQ(LoadU64Le(p + 40), 0x123456789ull);  // size after gid
  EXPECT_EQ(LoadU64Le(p + 56), 1700000000ull);   // mtime after atime

  RemoteStat decoded;
  ASSERT_TRUE(DecodeStatV2Reply(p, "STA2", &decoded));
  EXPECT_EQ(decoded.size, stat.size);
  EXPECT_EQ(decoded.error, stat.error);
  EXPECT_FALSE(DecodeStatV2Reply(p, "LST2", &decoded));
}

TEST(SyncProtocol, StatV1ReplyIsModeSizeTime) {
  RemoteStat stat;
  stat.mode = 0100644;
  stat.size = 5;
  stat.mtime = 7;
  const std::string reply = EncodeStatV1Reply(stat);
  std::string expected = "STAT";
  AppendU32Le(expected, 0100644);
  AppendU32Le(expected, 5);
  AppendU32Le(expected, 7);
  EXPECT_EQ(reply, expected);
  RemoteStat decoded;
  ASSERT_TRUE(DecodeStatV1Reply(reinterpret_cast<const unsigned char*>(reply.data()), &decoded));
  EXPECT_EQ(decoded.mode, 0100644u);
}

TEST(SyncProtocol, LinuxErrorTextsDoNotDependOnTheHost) {
  EXPECT_EQ(LinuxErrorText(2), "No such file or directory");
  EXPECT_EQ(LinuxErrorText(13), "Permission denied");
  EXPECT_EQ(LinuxErrorText(9999), "Unknown error 9999");
}

TEST(WireProtocol, HeaderHasMagicAndByteSumChecksum) {
  const std::string packet = EncodeWirePacket(kCmdWrte, 1, 2, "\x01\xff", true);
  ASSERT_EQ(packet.size(), kWireHeaderSize + 2);
  const auto* p = reinterpret_cast<const unsigned char*>(packet.data());
  EXPECT_EQ(packet.substr(0, 4), "WRTE");
  EXPECT_EQ(LoadU32Le(p + 12), 2u);
  EXPECT_EQ(LoadU32Le(p + 16), 0x100u);
  EXPECT_EQ(LoadU32Le(p + 20), kCmdWrte ^ 0xFFFFFFFFu);
  EXPECT_EQ(LoadU32Le(reinterpret_cast<const unsigned char*>(EncodeWirePacket(kCmdWrte, 1, 2, "\x01\xff", false).data()) + 16), 0u);
}

TEST(WireProtocol, ReaderRejectsBadMagicAndOversizedPayloads) {
  const std::string good = EncodeWirePacket(kCmdOpen, 5, 0, std::string("shell:id\0", 9), false);
  WirePacket packet;
  {
    MemoryStream stream(good, 5);
    ASSERT_EQ(ReadWirePacket(stream, 4096, &packet), WireReadResult::kPacket);
    EXPECT_EQ(packet.command, kCmdOpen);
    EXPECT_EQ(packet.arg0, 5u);
    EXPECT_EQ(packet.payload.size(), 9u);
  }
  {
    MemoryStream stream(good);
    EXPECT_EQ(ReadWirePacket(stream, 8, &packet), WireReadResult::kMalformed);
  }
  {
    std::string bad = good;
    bad[20] ^= 1;
    MemoryStream stream(bad);
    EXPECT_EQ(ReadWirePacket(stream, 4096, &packet), WireReadResult::kMalformed);
  }
  {
    MemoryStream stream(good.substr(0, 30));
    EXPECT_EQ(ReadWirePacket(stream, 4096, &packet), WireReadResult::kMalformed);
  }
  {
    MemoryStream stream("");
    EXPECT_EQ(ReadWirePacket(stream, 4096, &packet), WireReadResult::kEnd);
  }
}

}  // namespace
}  // namespace cdv::adb
