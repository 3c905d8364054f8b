#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "tests/recovery/db_fixture.h"
#include "tests/recovery/page_builder.h"
#include "tools/cli/cli_command.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

using namespace cdvtest;

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result Cli(std::vector<std::string> args) {
  args.insert(args.begin(), "cardivane-cli");
  std::ostringstream out, err;
  const int code = cdv::RunCli(args, out, err);
  return {code, out.str(), err.str()};
}

// A contacts2.db whose data table holds two deleted rows of one contact.
std::string SampleDb(const TempDir& dir) {
  const std::string path = dir.file("contacts2.db");
  ExecSql(path, std::string("PRAGMA page_size=1024;") + kSmallDataTable + ";");
  LeafPage leaf(1024);
  leaf.freed(Cell(5001, {Null(), Null(), Int8(5), Int(7), Int(0), Text("Ann"), Null()}));
  leaf.freed(Cell(5002, {Null(), Null(), Int8(5), Int(7), Int(0), Text("5551234"), Null()}));
  WritePage(path, 1024, 2, leaf.build());
  return path;
}

TEST(Cli, CarveWritesTheCarvedText) {
  TempDir dir;
  const Result r = Cli({"carve", SampleDb(dir)});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "Ann\t5551234\r\n");
  EXPECT_EQ(r.err, "");
}

TEST(Cli, NothingToRecoverIsNoError) {
  TempDir dir;
  const std::string path = dir.file("contacts2.db");
  ExecSql(path, kSmallDataTable);
  const Result r = Cli({"carve", path});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "");
}

TEST(Cli, UnreadableInputsAndBadArguments) {
  TempDir dir;
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* errContains;
  } cases[] = {
      {{"carve", dir.file("contacts2.db")}, 2, "no such file"},
      {{"carve", dir.path()}, 2, "no such file"},
      {{"carve"}, 2, "usage: cardivane-cli carve PATH"},
      {{"carve", "a", "b"}, 2, "usage: cardivane-cli carve PATH"},
      {{}, 2, "commands:"},
      {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
  };
  for (const Case& c : cases) {
    const Result r = Cli(c.args);
    EXPECT_EQ(r.code, c.code) << ::testing::PrintToString(c.args);
    EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  // One line on stderr for a missing file.
  const Result missing = Cli({"carve", dir.file("contacts2.db")});
  EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);
}

TEST(Cli, HelpListsCarve) {
  const Result r = Cli({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("carve PATH"), std::string::npos);
}

#ifdef CARDIVANE_CLI_PATH
// The program itself: exit codes and bytes as a shell sees them.
std::pair<int, std::string> RunProgram(const std::string& arguments) {
  const std::string command = std::string("'") + CARDIVANE_CLI_PATH + "' " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(Cli, ProgramExitCodes) {
  TempDir dir;
  const std::string db = SampleDb(dir);
  EXPECT_EQ(RunProgram("carve '" + db + "'"), std::make_pair(0, std::string("Ann\t5551234\r\n")));
  EXPECT_EQ(RunProgram("carve '" + dir.file("missing/contacts2.db") + "'").first, 2);
  EXPECT_EQ(RunProgram("").first, 2);
}
#endif

}  // namespace
