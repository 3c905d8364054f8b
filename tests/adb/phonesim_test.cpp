// The simulated phone: its file permissions, its shell, and its side of the
// wire protocol driven packet by packet as the adb server would.

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <fstream>
#include <functional>

#include "platform/droidgate/little_endian.h"
#include "platform/droidgate/shell_protocol.h"
#include "platform/droidgate/sync_protocol.h"
#include "platform/droidgate/wire_protocol.h"
#include "tools/phonesim/device_session.h"
#include "tools/phonesim/phone_fs.h"
#include "tools/phonesim/shell_interpreter.h"

namespace cdv::phonesim {
namespace {

namespace fs = std::filesystem;
using adb::WirePacket;

constexpr const char* kDb = "/data/data/com.android.providers.contacts/databases/contacts2.db";

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

// A phone folder holding the contacts database, a public file, and a secret
// beside (not inside) the folder.
class PhoneFolder {
 public:
  explicit PhoneFolder(std::size_t db_size = 1000) : db_content(Pattern(db_size)) {
    static std::atomic<int> counter{0};
    base_ = fs::temp_directory_path() /
            ("phonesim-" + std::to_string(std::rand()) + "-" + std::to_string(counter++));
    root = base_ / "phone";
    fs::create_directories(root / "data/data/com.android.providers.contacts/databases");
    fs::create_directories(root / "sdcard");
    std::ofstream(root / "data/data/com.android.providers.contacts/databases/contacts2.db", std::ios::binary)
        << db_content;
    std::ofstream(root / "sdcard/note.txt", std::ios::binary) << "hello\n";
    std::ofstream(base_ / "secret.txt") << "outside";
  }
  ~PhoneFolder() {
    std::error_code ec;
    fs::remove_all(base_, ec);
  }
  PhoneFolder(const PhoneFolder&) = delete;
  PhoneFolder& operator=(const PhoneFolder&) = delete;

  fs::path root;
  std::string db_content;

 private:
  fs::path base_;
};

TEST(PhonePath, NormalizesWithoutLeavingTheRoot) {
  struct Case {
    const char* in;
    std::optional<std::string> out;
  } cases[] = {{"/a/b", "/a/b"},          {"a//b/./c/", "/a/b/c"}, {"/a/../../etc", "/etc"},
               {"/..", "/"},              {"/", "/"},              {"", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(NormalizePhonePath(c.in), c.out) << c.in;
  EXPECT_EQ(NormalizePhonePath(std::string("/a\0b", 4)), std::nullopt);
}

TEST(PhoneFs, ContactsDatabaseOpensForTheShellOnlyAfterRootsChmod) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  adb::RemoteStat stat;
  std::unique_ptr<std::ifstream> file;

  ASSERT_EQ(phone.Stat(kDb, kShellUid, &stat), 0u);  // folders below /data are searchable
  EXPECT_EQ(stat.mode, adb::kModeRegular | 0660u);
  EXPECT_EQ(stat.uid, kAppUid);
  EXPECT_EQ(stat.size, folder.db_content.size());
  EXPECT_EQ(phone.OpenForRead(kDb, kShellUid, &file), adb::kLinuxEACCES);
  EXPECT_EQ(phone.Chmod(kDb, kShellUid, 0777), adb::kLinuxEPERM);
  std::vector<PhoneDirEntry> entries;
  EXPECT_EQ(phone.List("/data/data", kShellUid, &entries), adb::kLinuxEACCES);

  ASSERT_EQ(phone.Chmod(kDb, kRootUid, 0777), 0u);
  ASSERT_EQ(phone.OpenForRead(kDb, kShellUid, &file), 0u);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*file), {}), folder.db_content);
  ASSERT_EQ(phone.Stat(kDb, kShellUid, &stat), 0u);
  EXPECT_EQ(stat.mode, adb::kModeRegular | 0777u);
}

TEST(PhoneFs, NothingOutsideTheFolderIsReachable) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  adb::RemoteStat stat;
  EXPECT_EQ(phone.Stat("/../secret.txt", kRootUid, &stat), adb::kLinuxENOENT);
  std::error_code ec;
  fs::create_symlink(folder.root.parent_path() / "secret.txt", folder.root / "sdcard/link.txt", ec);
  if (!ec) {
    EXPECT_EQ(phone.Stat("/sdcard/link.txt", kRootUid, &stat), adb::kLinuxENOENT);
  }
  EXPECT_EQ(phone.Stat("/sdcard/note.txt", kShellUid, &stat), 0u);
  EXPECT_EQ(phone.Stat("/sdcard/note.txt/x", kShellUid, &stat), adb::kLinuxENOTDIR);
}

struct ShellCase {
  std::string line;
  int status;
  const char* out;  // exact
  const char* err;  // a part of it
};

void RunShellCases(const PhoneProfile& profile, const std::vector<ShellCase>& cases) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  ShellInterpreter shell(phone, profile);
  for (const ShellCase& c : cases) {
    const ShellResult r = shell.Run(c.line, kShellUid);
    EXPECT_EQ(r.status, c.status) << c.line << "\n" << r.err;
    EXPECT_EQ(r.out, c.out) << c.line;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << c.line << ": " << r.err;
  }
}

TEST(PhoneShell, RootedPhoneGrantsTheChmodThroughSuOnly) {
  const std::string db = kDb;
  RunShellCases(PhoneProfile{}, {
      {"id", 0, "uid=2000(shell) gid=2000(shell) groups=2000(shell),1007(log),1011(adb),1015(sdcard_rw),3003(inet) "
                "context=u:r:shell:s0\n", ""},
      {"su -c id", 0, "uid=0(root) gid=0(root) context=u:r:su:s0\n", ""},
      {"su 0 whoami", 0, "root\n", ""},
      {"cat " + db, 1, "", "cat: /data/data/com.android.providers.contacts/databases/contacts2.db: Permission denied"},
      {"chmod 777 " + db, 1, "", "to 0777: Operation not permitted"},
      {"chmod 777 /nope", 1, "", "No such file or directory"},
      {"chmod u+r /sdcard/note.txt", 1, "", "bad mode 'u+r'"},
      {"su root chmod 777 " + db, 0, "", ""},
      {"cat /sdcard/note.txt", 0, "hello\n", ""},
      {"ls /data/data", 1, "", "ls: /data/data: Permission denied"},
      {"su -c 'ls /data/data'", 0, "com.android.providers.contacts\n", ""},
      {"su shell -c 'ls /data/data'", 1, "", "Permission denied"},
      {"su 1234 id", 1, "", "su: unknown user 1234"},
      {"su", 0, "", ""},
  });
}

TEST(PhoneShell, ChmodByRootLastsForLaterCommands) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  ShellInterpreter shell(phone, PhoneProfile{});
  EXPECT_EQ(shell.Run(std::string("su root chmod 777 ") + kDb, kShellUid).status, 0);
  const ShellResult listing = shell.Run(std::string("ls -l ") + kDb, kShellUid);
  EXPECT_EQ(listing.out.substr(0, 10), "-rwxrwxrwx");
  EXPECT_EQ(shell.Run(std::string("cat ") + kDb, kShellUid).out, folder.db_content);
}

TEST(PhoneShell, CommandListsQuotingAndErrors) {
  RunShellCases(PhoneProfile{}, {
      {"echo 'a  b' \"c\\\"d\" e\\ f", 0, "a  b c\"d e f\n", ""},
      {"false && echo no; echo yes", 0, "yes\n", ""},
      {"false || echo rescued", 0, "rescued\n", ""},
      {"true && false", 1, "", ""},
      {"exit 3; echo never", 3, "", ""},
      {"sh -c 'echo inner; exit 4'", 4, "inner\n", ""},
      {"frobnicate", 127, "", "/system/bin/sh: frobnicate: not found"},
      {"echo 'open", 2, "", "unterminated quoted string"},
      {"&& id", 2, "", "syntax error"},
      {"cat /sdcard/note.txt | head", 2, "", "not supported"},
      {"getprop ro.product.model", 0, "Cardisim\n", ""},
  });
}

// Wraps "id" in `levels` shells, alternately sh -c and su -c, each quoting the last.
std::string NestedShells(int levels) {
  std::string line = "id";
  for (int i = 0; i < levels; ++i) {
    std::string quoted;
    for (char c : line) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line = (i % 2 ? "su -c '" : "sh -c '") + quoted + "'";
  }
  return line;
}

TEST(PhoneShell, NestedShellsRunUpToABound) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  ShellInterpreter shell(phone, PhoneProfile{});
  const ShellResult three = shell.Run(NestedShells(3), kShellUid);
  EXPECT_EQ(three.status, 0) << NestedShells(3) << "\n" << three.err;
  EXPECT_EQ(three.out, "uid=0(root) gid=0(root) context=u:r:su:s0\n");
  const ShellResult deep = shell.Run(NestedShells(9), kShellUid);
  EXPECT_NE(deep.status, 0);
  EXPECT_NE(deep.err.find("too many nested shells"), std::string::npos) << deep.err;
}

TEST(PhoneShell, PhoneWithoutRootHasNoSu) {
  PhoneProfile profile;
  profile.rooted = false;
  RunShellCases(profile, {
      {std::string("su root chmod 777 ") + kDb, 127, "", "/system/bin/sh: su: not found"},
      {"su -c id || echo no root", 0, "no root\n", "su: not found"},
  });
}

// The adb server's side of one connection, scripted: the session reads what
// the test queued, and every packet the session writes goes to `on_packet`,
// which may queue answers. An empty queue reads as the server hanging up.
class ScriptedServer final : public adb::ByteStream {
 public:
  std::function<void(const WirePacket&)> on_packet;
  std::vector<WirePacket> received;

  void Queue(std::uint32_t command, std::uint32_t arg0, std::uint32_t arg1, std::string_view payload) {
    queue_ += adb::EncodeWirePacket(command, arg0, arg1, payload, false);
  }

  void QueueRaw(const std::string& bytes) { queue_ += bytes; }

  std::ptrdiff_t ReadSome(void* buffer, std::size_t capacity) override {
    const std::size_t n = std::min(capacity, queue_.size());
    std::copy_n(queue_.data(), n, static_cast<char*>(buffer));
    queue_.erase(0, n);
    return static_cast<std::ptrdiff_t>(n);
  }

  bool WriteAll(const void* data, std::size_t length) override {
    pending_.append(static_cast<const char*>(data), length);
    while (pending_.size() >= adb::kWireHeaderSize) {
      const auto* h = reinterpret_cast<const unsigned char*>(pending_.data());
      const std::uint32_t size = adb::LoadU32Le(h + 12);
      if (pending_.size() < adb::kWireHeaderSize + size) break;
      WirePacket packet;
      packet.command = adb::LoadU32Le(h);
      packet.arg0 = adb::LoadU32Le(h + 4);
      packet.arg1 = adb::LoadU32Le(h + 8);
      packet.checksum = adb::LoadU32Le(h + 16);
      EXPECT_EQ(adb::LoadU32Le(h + 20), packet.command ^ 0xFFFFFFFFu);
      packet.payload = pending_.substr(adb::kWireHeaderSize, size);
      pending_.erase(0, adb::kWireHeaderSize + size);
      received.push_back(packet);
      if (on_packet) on_packet(packet);
    }
    return true;
  }

 private:
  std::string queue_;
  std::string pending_;
};

constexpr std::uint32_t kHostStream = 77;
const std::string kHostBanner = "host::features=shell_v2,stat_v2";

// Runs one service to its end, answering every WRTE with OKAY; returns the
// stream's reassembled bytes and checks the packet rules on the way.
std::string RunService(const PhoneProfile& profile, PhoneFs& phone, const std::string& service,
                       const std::string& input, std::vector<WirePacket>* all = nullptr) {
  ScriptedServer server;
  std::string stream_bytes;
  std::uint32_t device_id = 0;
  bool closed = false;
  server.on_packet = [&](const WirePacket& p) {
    EXPECT_FALSE(closed) << "packet after CLSE";
    // The first OKAY accepts the OPEN; later ones acknowledge our WRTE.
    if (p.command == adb::kCmdOkay && p.arg1 == kHostStream && device_id == 0) {
      device_id = p.arg0;
      if (!input.empty()) server.Queue(adb::kCmdWrte, kHostStream, device_id, input);
    } else if (p.command == adb::kCmdWrte) {
      EXPECT_LE(p.payload.size(), profile.MaxData());
      stream_bytes += p.payload;
      server.Queue(adb::kCmdOkay, kHostStream, p.arg0, {});
    } else if (p.command == adb::kCmdClse) {
      closed = true;
    }
  };
  server.Queue(adb::kCmdCnxn, adb::kVersionSkipChecksum, 1 << 20, kHostBanner);
  server.Queue(adb::kCmdOpen, kHostStream, 0, service + std::string(1, '\0'));
  DeviceSession(server, phone, profile, [](const std::string&) {}).Run();
  EXPECT_TRUE(closed) << service;
  if (all) *all = server.received;
  return stream_bytes;
}

TEST(PhoneSession, AnswersCnxnWithItsBannerAndNoAuth) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  for (bool old_phone : {false, true}) {
    PhoneProfile profile;
    profile.old_phone = old_phone;
    ScriptedServer server;
    server.Queue(adb::kCmdCnxn, adb::kVersionSkipChecksum, 1 << 20, kHostBanner);
    DeviceSession(server, phone, profile, [](const std::string&) {}).Run();
    ASSERT_EQ(server.received.size(), 1u);
    const WirePacket& cnxn = server.received[0];
    EXPECT_EQ(cnxn.command, adb::kCmdCnxn);
    EXPECT_EQ(cnxn.arg0, old_phone ? adb::kVersionWithChecksum : adb::kVersionSkipChecksum);
    EXPECT_EQ(cnxn.arg1, old_phone ? 4096u : 256u * 1024u);
    EXPECT_EQ(cnxn.payload.rfind("device::ro.product.name=Cardisim;", 0), 0u);
    EXPECT_EQ(cnxn.payload.find("features=shell_v2,stat_v2") != std::string::npos, !old_phone);
    // An old phone checksums everything; a new one nothing once versions are known.
    EXPECT_EQ(cnxn.checksum, old_phone ? adb::WireChecksum(cnxn.payload) : 0u);
  }
}

TEST(PhoneSession, KeepsOneWriteInFlightUntilTheServerAcknowledges) {
  PhoneFolder folder(300 * 1024);
  PhoneFs phone(folder.root);
  phone.Chmod(kDb, kRootUid, 0777);
  ScriptedServer server;
  bool opened = false;
  server.on_packet = [&](const WirePacket& p) {
    if (p.command == adb::kCmdOkay && p.arg1 == kHostStream && !opened) {
      opened = true;
      server.Queue(adb::kCmdWrte, kHostStream, p.arg0, adb::EncodeSyncRequest("RECV", kDb));
    }
  };
  server.Queue(adb::kCmdCnxn, adb::kVersionSkipChecksum, 1 << 20, kHostBanner);
  server.Queue(adb::kCmdOpen, kHostStream, 0, std::string("sync:\0", 6));
  DeviceSession(server, phone, PhoneProfile{}, [](const std::string&) {}).Run();
  int writes = 0;
  for (const WirePacket& p : server.received) writes += p.command == adb::kCmdWrte;
  EXPECT_EQ(writes, 1);  // the file needs several, but no OKAY came
}

TEST(PhoneSession, SyncPullRespectsTheOldPhonesPacketSizeAndChecksums) {
  PhoneFolder folder(150 * 1024);
  PhoneFs phone(folder.root);
  phone.Chmod(kDb, kRootUid, 0777);
  PhoneProfile profile;
  profile.old_phone = true;
  std::vector<WirePacket> packets;
  const std::string bytes = RunService(profile, phone, "sync:",
                                       adb::EncodeSyncRequest("STAT", kDb) + adb::EncodeSyncRequest("RECV", kDb) +
                                           adb::EncodeSyncHeader("QUIT", 0),
                                       &packets);
  for (const WirePacket& p : packets) {
    if (p.command == adb::kCmdWrte) {
      EXPECT_EQ(p.checksum, adb::WireChecksum(p.payload));
    }
  }
  // STAT v1, then DATA blocks of at most adbd's size, then DONE.
  ASSERT_GE(bytes.size(), adb::kStatV1ReplySize);
  adb::RemoteStat stat;
  ASSERT_TRUE(adb::DecodeStatV1Reply(reinterpret_cast<const unsigned char*>(bytes.data()), &stat));
  EXPECT_EQ(stat.size, folder.db_content.size());
  std::string content;
  std::size_t at = adb::kStatV1ReplySize;
  for (;;) {
    ASSERT_LE(at + 8, bytes.size());
    const adb::SyncHeader h = adb::DecodeSyncHeader(reinterpret_cast<const unsigned char*>(bytes.data() + at));
    at += 8;
    if (h.id == "DONE") break;
    ASSERT_EQ(h.id, "DATA");
    EXPECT_LE(h.length, 65528u);
    content += bytes.substr(at, h.length);
    at += h.length;
  }
  EXPECT_EQ(at, bytes.size());
  EXPECT_EQ(content, folder.db_content);
}

TEST(PhoneSession, SyncRefusesUnreadableFilesAndUnknownRequests) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  const std::string denied = "open failed: Permission denied";
  EXPECT_EQ(RunService(PhoneProfile{}, phone, "sync:", adb::EncodeSyncRequest("RECV", kDb)),
            adb::EncodeSyncHeader("FAIL", static_cast<std::uint32_t>(denied.size())) + denied);

  PhoneProfile old_phone;
  old_phone.old_phone = true;
  const std::string reply = RunService(old_phone, phone, "sync:", adb::EncodeSyncRequest("STA2", kDb));
  EXPECT_EQ(reply.substr(0, 4), "FAIL");  // an old phone has no STA2

  const std::string stat = RunService(PhoneProfile{}, phone, "sync:",
                                     adb::EncodeSyncRequest("STA2", "/nope") + adb::EncodeSyncHeader("QUIT", 0));
  adb::RemoteStat decoded;
  ASSERT_EQ(stat.size(), adb::kStatV2ReplySize);
  ASSERT_TRUE(adb::DecodeStatV2Reply(reinterpret_cast<const unsigned char*>(stat.data()), "STA2", &decoded));
  EXPECT_EQ(decoded.error, adb::kLinuxENOENT);

  const std::string too_long = RunService(PhoneProfile{}, phone, "sync:", adb::EncodeSyncHeader("RECV", 5000));
  EXPECT_EQ(too_long.substr(0, 4), "FAIL");
}

TEST(PhoneSession, ShellRepliesInTheProtocolTheServiceNames) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  EXPECT_EQ(RunService(PhoneProfile{}, phone, "shell,v2,raw:echo hi; chmod 777 /x", ""),
            adb::EncodeShellPacket(adb::kShellStdout, "hi\n") +
                adb::EncodeShellPacket(adb::kShellStderr, "chmod: chmod '/x' to 0777: No such file or directory\n") +
                adb::EncodeShellPacket(adb::kShellExit, "\x01"));
  EXPECT_EQ(RunService(PhoneProfile{}, phone, "shell:echo a; echo b", ""), "a\nb\n");
  PhoneProfile old_phone;
  old_phone.old_phone = true;
  EXPECT_EQ(RunService(old_phone, phone, "shell:echo a; echo b", ""), "a\r\nb\r\n");
}

TEST(PhoneSession, RefusesUnknownServicesAndV2OnAnOldPhone) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  PhoneProfile old_phone;
  old_phone.old_phone = true;
  struct Case {
    const PhoneProfile* profile;
    const char* service;
  } cases[] = {{nullptr, "reboot:"}, {nullptr, "shell:"}, {&old_phone, "shell,v2,raw:id"}};
  const PhoneProfile modern;
  for (const Case& c : cases) {
    ScriptedServer server;
    server.Queue(adb::kCmdCnxn, adb::kVersionSkipChecksum, 1 << 20, kHostBanner);
    server.Queue(adb::kCmdOpen, kHostStream, 0, std::string(c.service) + '\0');
    DeviceSession(server, phone, c.profile ? *c.profile : modern, [](const std::string&) {}).Run();
    ASSERT_EQ(server.received.size(), 2u) << c.service;
    EXPECT_EQ(server.received[1].command, adb::kCmdClse) << c.service;
    EXPECT_EQ(server.received[1].arg0, 0u) << c.service;
    EXPECT_EQ(server.received[1].arg1, kHostStream) << c.service;
  }
}

TEST(PhoneSession, DropsAConnectionAnnouncingAnOversizedPayload) {
  PhoneFolder folder;
  PhoneFs phone(folder.root);
  std::string oversized = adb::EncodeWirePacket(adb::kCmdWrte, 1, 1, "", false);
  oversized[14] = '\xff';  // data_length of 16 MiB, far above the phone's maxdata
  ScriptedServer server;
  server.Queue(adb::kCmdCnxn, adb::kVersionSkipChecksum, 1 << 20, kHostBanner);
  std::vector<std::string> log;
  server.on_packet = [&](const WirePacket& p) {
    if (p.command != adb::kCmdCnxn) return;
    server.Queue(adb::kCmdOkay, 0, 0, {});
    server.Queue(adb::kCmdOpen, kHostStream, 0, std::string("shell:id\0", 9));
  };
  DeviceSession(server, phone, PhoneProfile{}, [&](const std::string& line) { log.push_back(line); }).Run();
  // Without the oversized packet the same OPEN is served.
  EXPECT_NE(std::find(log.begin(), log.end(), "open shell:id"), log.end());
  log.clear();

  ScriptedServer bad;
  bad.Queue(adb::kCmdCnxn, adb::kVersionSkipChecksum, 1 << 20, kHostBanner);
  bad.on_packet = [&](const WirePacket& p) {
    if (p.command != adb::kCmdCnxn) return;
    bad.QueueRaw(oversized);  // read before the OPEN behind it
    bad.Queue(adb::kCmdOpen, kHostStream, 0, std::string("shell:id\0", 9));
  };
  DeviceSession(bad, phone, PhoneProfile{}, [&](const std::string& line) { log.push_back(line); }).Run();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "malformed packet; dropping the connection");
  EXPECT_EQ(bad.received.size(), 1u);  // the CNXN answer only
}

}  // namespace
}  // namespace cdv::phonesim
