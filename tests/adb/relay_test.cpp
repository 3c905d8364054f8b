// The relay's two commands against a scripted adb server: device choice,
// shell exit statuses, pull results on disk, and starting a missing server.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include "platform/droidgate/commands.h"
#include "platform/droidgate/shell_protocol.h"
#include "platform/droidgate/sync_protocol.h"
#include "tests/adb/fake_adb_server.h"

namespace cdv::adb {
namespace {

namespace fs = std::filesystem;
using testing::FakeAdbServer;

class StringSink final : public OutputSink {
 public:
  void Write(std::string_view bytes) override { text.append(bytes); }
  std::string text;
};

struct Launcher {
  std::string adb_path = "/opt/sdk/adb";
  std::vector<std::string> started;  // "PATH PORT" per start
  FakeAdbServer* comes_up = nullptr; // server whose refusals end when started
  int sleeps = 0;
};

struct RunResult {
  int code = -1;
  std::string out;
  std::string err;
};

RunResult RunDroidgate(FakeAdbServer& server, const std::vector<std::string>& args, RelayEnvironment environment = {},
              Launcher* launcher = nullptr) {
  Launcher default_launcher;
  Launcher& l = launcher ? *launcher : default_launcher;
  StringSink out, err;
  auto make_access = [&](std::uint16_t port) {
    ServerAccess access;
    access.port = port;
    access.connect = [&](std::uint16_t p) { return server.Connect(p); };
    access.find_adb = [&] { return l.adb_path; };
    access.start_server = [&](const std::string& path, std::uint16_t p, std::string*) {
      l.started.push_back(path + " " + std::to_string(p));
      if (l.comes_up) l.comes_up->refusals = 2;
      return true;
    };
    access.sleep_ms = [&](int) { ++l.sleeps; };
    access.start_wait_ms = 1000;
    access.retry_interval_ms = 100;
    return access;
  };
  RunResult result;
  result.code = RunRelay(args, environment, make_access, {out, err});
  result.out = out.text;
  result.err = err.text;
  return result;
}

FakeAdbServer OneDevice(const std::string& features = "shell_v2,stat_v2") {
  FakeAdbServer server;
  server.devices = {{"127.0.0.1:5555", features}};
  return server;
}

std::string Stat2(std::uint64_t size, std::uint32_t mode = kModeRegular | 0777, std::uint32_t error = 0) {
  RemoteStat stat;
  stat.size = size;
  stat.mode = error ? 0 : mode;
  stat.error = error;
  return EncodeStatV2Reply("STA2", stat);
}

std::string Data(const std::string& bytes) {
  return EncodeSyncHeader("DATA", static_cast<std::uint32_t>(bytes.size())) + bytes;
}
std::string Done() { return EncodeSyncHeader("DONE", 0); }
std::string Fail(const std::string& message) {
  return EncodeSyncHeader("FAIL", static_cast<std::uint32_t>(message.size())) + message;
}

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
  return bytes;
}

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::temp_directory_path() /
            ("droidgate-" + std::string(info->name()) + "-" + std::to_string(std::rand()) + "-" +
             std::to_string(counter++));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string File(const std::string& name) const { return (path_ / name).u8string(); }
  std::string Path() const { return path_.u8string(); }

 private:
  fs::path path_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// --- shell ---

TEST(RelayShell, V2RoutesOutputAndReturnsTheDevicesExitStatus) {
  FakeAdbServer server = OneDevice();
  server.read_piece = 3;
  server.device_reply = EncodeShellPacket(kShellStdout, "out\n") + EncodeShellPacket(kShellStderr, "err\n") +
                        EncodeShellPacket(kShellExit, "\x03");
  const RunResult r = RunDroidgate(server, {"shell", "su", "root", "chmod", "777", "/data/x"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.out, "out\n");
  EXPECT_EQ(r.err, "err\n");
  EXPECT_EQ(server.requests.back(), "shell,v2,raw:su root chmod 777 /data/x");
  EXPECT_EQ(server.device_input, EncodeShellPacket(kShellCloseStdin, ""));
}

TEST(RelayShell, V2StreamEndingWithoutExitStatusIsAFailure) {
  FakeAdbServer server = OneDevice();
  server.device_reply = EncodeShellPacket(kShellStdout, "partial");
  const RunResult r = RunDroidgate(server, {"shell", "id"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "partial");
  EXPECT_NE(r.err.find("without an exit status"), std::string::npos) << r.err;
}

TEST(RelayShell, V1PassesTheMixedStreamAndReportsSuccessLikeAdb) {
  FakeAdbServer server = OneDevice("");
  server.device_reply = "chmod: denied\r\n";
  const RunResult r = RunDroidgate(server, {"shell", "chmod", "777", "/x"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "chmod: denied\r\n");
  EXPECT_EQ(server.requests.back(), "shell:chmod 777 /x");
  EXPECT_EQ(server.device_input, "");
}

TEST(RelayShell, RefusedServiceAndEmptyCommandFail) {
  FakeAdbServer server = OneDevice();
  server.refuse_service = true;
  const RunResult refused = RunDroidgate(server, {"shell", "id"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "error: closed\n");

  FakeAdbServer idle = OneDevice();
  const RunResult empty = RunDroidgate(idle, {"shell"});
  EXPECT_EQ(empty.code, 1);
  EXPECT_TRUE(idle.requests.empty());
}

// --- choosing the device ---

TEST(RelayDevices, PicksTheDeviceLikeAdb) {
  struct Case {
    const char* name;
    std::vector<std::string> serials;
    std::optional<std::string> env_serial;
    std::vector<std::string> args;
    int code;
    std::string err;              // exact, when the run fails
    std::string transport;        // expected transport request, when it succeeds
  } cases[] = {
      {"none/shell", {}, {}, {"shell", "id"}, 1, "error: no devices/emulators found\n", ""},
      {"none/pull", {}, {}, {"pull", "/a", "b"}, 1,
       "adb: error: failed to get feature set: no devices/emulators found\n", ""},
      {"two without serial", {"a", "b"}, {}, {"shell", "id"}, 1, "error: more than one device/emulator\n", ""},
      {"unknown serial", {"a"}, {}, {"-s", "127.0.0.1:1", "shell", "id"}, 1,
       "error: device '127.0.0.1:1' not found\n", ""},
      {"one", {"a"}, {}, {"shell", "id"}, 0, "", "host:transport-any"},
      {"environment", {"a", "b"}, "b", {"shell", "id"}, 0, "", "host:transport:b"},
      {"option beats environment", {"a", "b"}, "b", {"-s", "a", "shell", "id"}, 0, "", "host:transport:a"},
  };
  for (const Case& c : cases) {
    FakeAdbServer server;
    for (const std::string& serial : c.serials) server.devices.push_back({serial, "shell_v2"});
    server.device_reply = EncodeShellPacket(kShellExit, std::string(1, '\0'));
    RelayEnvironment environment;
    environment.serial = c.env_serial;
    const RunResult r = RunDroidgate(server, c.args, environment);
    EXPECT_EQ(r.code, c.code) << c.name;
    if (c.code != 0) {
      EXPECT_EQ(r.err, c.err) << c.name;
    }
    if (!c.transport.empty()) {
      EXPECT_TRUE(Contains(server.requests, c.transport)) << c.name;
    }
  }
}

// --- pull ---

TEST(RelayPull, WritesTheFileFromDataSplitAnywhere) {
  TempFolder temp;
  const std::string content = Pattern(2 * kSyncMaxData + 100);
  FakeAdbServer server = OneDevice();
  server.read_piece = 7;
  server.device_reply = Stat2(content.size()) + Data(content.substr(0, kSyncMaxData)) +
                        Data(content.substr(kSyncMaxData, kSyncMaxData)) +
                        Data(content.substr(2 * kSyncMaxData)) + Done();
  const std::string local = temp.File("contacts2.db");
  const RunResult r = RunDroidgate(server, {"pull", "/data/c.db", local});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ReadFile(local), content);
  EXPECT_EQ(r.out.rfind("/data/c.db: 1 file pulled.", 0), 0u) << r.out;
  EXPECT_EQ(server.device_input, EncodeSyncRequest("STA2", "/data/c.db") + EncodeSyncRequest("RECV", "/data/c.db") +
                                     EncodeSyncHeader("QUIT", 0));
}

TEST(RelayPull, EmptyRemoteFileGivesAnEmptyLocalFile) {
  TempFolder temp;
  FakeAdbServer server = OneDevice();
  server.device_reply = Stat2(0) + Done();
  const std::string local = temp.File("empty");
  ASSERT_EQ(RunDroidgate(server, {"pull", "/e", local}).code, 0);
  EXPECT_TRUE(fs::exists(fs::u8path(local)));
  EXPECT_EQ(fs::file_size(fs::u8path(local)), 0u);
}

TEST(RelayPull, FailedTransfersLeaveNoFile) {
  struct Case {
    const char* name;
    std::string after_stat;  // what follows the stat reply
    bool lose_link;
    std::string message;     // after "failed to copy 'R' to 'L': "
  } cases[] = {
      {"refused", Fail("open failed: Permission denied"), false, "remote open failed: Permission denied"},
      {"fails midway", Data("abc") + Fail("read failed: I/O error"), false, "remote read failed: I/O error"},
      {"link lost", Data(Pattern(1000)), true, "the connection to the device was lost"},
      {"cut inside a block", Data(Pattern(1000)).substr(0, 500), false, "the connection to the device was lost"},
      {"oversized block", EncodeSyncHeader("DATA", kSyncMaxData + 1) + Pattern(100), false,
       "the device sent a data block of 65537 bytes"},
      {"unknown frame", EncodeSyncHeader("WHAT", 0), false, "the device answered with an unknown sync message"},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    FakeAdbServer server = OneDevice();
    server.device_reply = Stat2(1000) + c.after_stat;
    server.lose_link_after_reply = c.lose_link;
    const std::string local = temp.File("copy.db");
    const RunResult r = RunDroidgate(server, {"pull", "/data/c.db", local});
    EXPECT_EQ(r.code, 1) << c.name;
    EXPECT_EQ(r.err, "adb: error: failed to copy '/data/c.db' to '" + local + "': " + c.message + "\n") << c.name;
    EXPECT_FALSE(fs::exists(fs::u8path(local))) << c.name;
    // After FAIL the device has closed the stream: no QUIT follows.
    EXPECT_EQ(server.device_input.find("QUIT"), std::string::npos) << c.name;
  }
}

TEST(RelayPull, EmptyDataBlocksAreHarmless) {
  TempFolder temp;
  FakeAdbServer server = OneDevice();
  server.device_reply = Stat2(3) + Data("") + Data("abc") + Data("") + Done();
  ASSERT_EQ(RunDroidgate(server, {"pull", "/p", temp.File("x")}).code, 0);
  EXPECT_EQ(ReadFile(temp.File("x")), "abc");
}

TEST(RelayPull, LocalFileThatCannotBeCreatedIsReported) {
  TempFolder temp;
  FakeAdbServer server = OneDevice();
  server.device_reply = Stat2(3) + Data("abc") + Done();
  const std::string local = temp.File("missing-folder/x.db");
  const RunResult r = RunDroidgate(server, {"pull", "/p", local});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err.rfind("adb: error: failed to copy '/p' to '" + local + "': cannot create the local file: ", 0), 0u)
      << r.err;
}

TEST(RelayPull, RefusalBeforeAnyDataLeavesAnExistingFileAlone) {
  TempFolder temp;
  const std::string local = temp.File("keep.db");
  std::ofstream(fs::u8path(local), std::ios::binary) << "earlier copy";
  FakeAdbServer server = OneDevice();
  server.device_reply = Stat2(10) + Fail("open failed: Permission denied");
  EXPECT_EQ(RunDroidgate(server, {"pull", "/data/c.db", local}).code, 1);
  EXPECT_EQ(ReadFile(local), "earlier copy");
}

TEST(RelayPull, StatFailuresStopBeforeReceiving) {
  struct Case {
    const char* name;
    std::string features;
    std::string reply;
    std::string err;
  } cases[] = {
      {"stat v2 error", "stat_v2", Stat2(0, 0, kLinuxENOENT),
       "adb: error: failed to stat remote object '/p': No such file or directory\n"},
      {"stat v1 zeros", "", EncodeStatV1Reply(RemoteStat{}), "adb: error: remote object '/p' does not exist\n"},
      {"folder", "stat_v2", Stat2(4096, kModeDirectory | 0771),
       "adb: error: '/p' is a folder; droidgate pulls single files\n"},
      {"cut off", "stat_v2", Stat2(0).substr(0, 30),
       "adb: error: failed to stat remote object '/p': the connection to the device was lost\n"},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    FakeAdbServer server = OneDevice(c.features);
    server.device_reply = c.reply;
    const RunResult r = RunDroidgate(server, {"pull", "/p", temp.File("x")});
    EXPECT_EQ(r.code, 1) << c.name;
    EXPECT_EQ(r.err, c.err) << c.name;
    EXPECT_EQ(server.device_input.find("RECV"), std::string::npos) << c.name;
    EXPECT_FALSE(fs::exists(fs::u8path(temp.File("x")))) << c.name;
  }
}

TEST(RelayPull, StatV1IsUsedWithoutTheFeature) {
  TempFolder temp;
  RemoteStat stat;
  stat.mode = kModeRegular | 0644;
  stat.size = 3;
  FakeAdbServer server = OneDevice("shell_v2");
  server.device_reply = EncodeStatV1Reply(stat) + Data("abc") + Done();
  ASSERT_EQ(RunDroidgate(server, {"pull", "/p", temp.File("x")}).code, 0);
  EXPECT_EQ(server.device_input.substr(0, 4), "STAT");
  EXPECT_EQ(ReadFile(temp.File("x")), "abc");
}

TEST(RelayPull, IntoAFolderUsesTheRemoteName) {
  TempFolder temp;
  FakeAdbServer server = OneDevice();
  server.device_reply = Stat2(2) + Data("ok") + Done();
  ASSERT_EQ(RunDroidgate(server, {"pull", "/data/db/contacts2.db", temp.Path()}).code, 0);
  EXPECT_EQ(ReadFile(temp.File("contacts2.db")), "ok");
}

// --- the server itself ---

TEST(RelayServer, StartsAMissingServerOnceAndRetries) {
  FakeAdbServer server = OneDevice();
  server.refusals = 1;
  server.device_reply = EncodeShellPacket(kShellExit, std::string(1, '\0'));
  Launcher launcher;
  launcher.comes_up = &server;
  RelayEnvironment environment;
  environment.server_port = "15037";
  const RunResult r = RunDroidgate(server, {"shell", "id"}, environment, &launcher);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(launcher.started, std::vector<std::string>{"/opt/sdk/adb 15037"});
  EXPECT_EQ(r.err, "* daemon not running; starting now at tcp:15037\n* daemon started successfully\n");
  EXPECT_EQ(launcher.sleeps, 3);  // two more refusals, then it answers
}

TEST(RelayServer, GivesUpAfterTheWaitWithoutStartingTwice) {
  FakeAdbServer server = OneDevice();
  server.refusals = -1;
  Launcher launcher;
  const RunResult r = RunDroidgate(server, {"shell", "id"}, {}, &launcher);
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.sleeps, 10);  // 1000 ms in steps of 100
  EXPECT_NE(r.err.find("* failed to start daemon\n"), std::string::npos);
  EXPECT_NE(r.err.find("error: cannot connect to daemon at tcp:5037: Connection refused"), std::string::npos)
      << r.err;
}

TEST(RelayServer, WithoutAnAdbProgramSaysSoAtOnce) {
  FakeAdbServer server = OneDevice();
  server.refusals = -1;
  Launcher launcher;
  launcher.adb_path.clear();
  const RunResult r = RunDroidgate(server, {"pull", "/a", "b"}, {}, &launcher);
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_EQ(launcher.sleeps, 0);
  EXPECT_NE(r.err.find("no adb program beside droidgate or on the PATH"), std::string::npos) << r.err;
}

TEST(RelayServer, AnOldServerIsReportedNeverKilled) {
  FakeAdbServer server = OneDevice();
  server.version = "0020";
  const RunResult r = RunDroidgate(server, {"shell", "id"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("(version 32) is older than version 41"), std::string::npos) << r.err;
  EXPECT_EQ(server.requests, std::vector<std::string>{"host:version"});
}

TEST(RelayServer, PortComesFromTheOptionThenTheEnvironment) {
  struct Case {
    std::optional<std::string> env;
    std::vector<std::string> args;
    int code;
    std::uint16_t port;
  } cases[] = {
      {{}, {"shell", "id"}, 0, 5037},
      {"6000", {"shell", "id"}, 0, 6000},
      {"6000", {"-P", "7000", "shell", "id"}, 0, 7000},
      {"", {"shell", "id"}, 0, 5037},
      {"abc", {"shell", "id"}, 1, 0},
      {"70000", {"shell", "id"}, 1, 0},
      {{}, {"-P", "0", "shell", "id"}, 1, 0},
  };
  for (const Case& c : cases) {
    FakeAdbServer server = OneDevice();
    server.device_reply = EncodeShellPacket(kShellExit, std::string(1, '\0'));
    RelayEnvironment environment;
    environment.server_port = c.env;
    const RunResult r = RunDroidgate(server, c.args, environment);
    EXPECT_EQ(r.code, c.code) << c.env.value_or("-") << " " << r.err;
    if (c.code == 0) {
      ASSERT_FALSE(server.ports.empty());
      EXPECT_EQ(server.ports.front(), c.port);
    } else {
      EXPECT_TRUE(server.ports.empty());
    }
  }
}

TEST(RelayServer, MalformedCommandLinesPrintUsage) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"-s"}, {"pull", "/only-remote"}, {"pull", "/a", "b", "c"}, {"push", "a", "/b"}}) {
    FakeAdbServer server = OneDevice();
    const RunResult r = RunDroidgate(server, args);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("usage: droidgate", 0), 0u) << r.err;
    EXPECT_TRUE(server.ports.empty());
  }
}

}  // namespace
}  // namespace cdv::adb
