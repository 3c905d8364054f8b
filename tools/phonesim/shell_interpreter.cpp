#include "tools/phonesim/shell_interpreter.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <vector>

namespace cdv::phonesim {
namespace {

constexpr const char* kShellName = "/system/bin/sh";
// su -c "su -c ..." must end somewhere.
constexpr int kMaxNesting = 8;

enum class Joiner { kAlways, kIfSuccess, kIfFailure };

struct SimpleCommand {
  Joiner joiner = Joiner::kAlways;  // how it follows the previous command
  std::vector<std::string> words;
};

// Splits a command line into simple commands; false with a message on a
// syntax error or on shell features this phone does not have.
bool ParseCommandLine(std::string_view line, std::vector<SimpleCommand>* commands, std::string* error) {
  commands->assign(1, SimpleCommand{});
  std::string word;
  bool in_word = false;
  auto finish_word = [&] {
    if (in_word) commands->back().words.push_back(word);
    word.clear();
    in_word = false;
  };
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      finish_word();
    } else if (c == '\'') {
      const std::size_t end = line.find('\'', i + 1);
      if (end == std::string_view::npos) {
        *error = "syntax error: unterminated quoted string";
        return false;
      }
      word.append(line.substr(i + 1, end - i - 1));
      in_word = true;
      i = end;
    } else if (c == '"') {
      std::size_t j = i + 1;
      for (; j < line.size() && line[j] != '"'; ++j) {
        if (line[j] == '\\' && j + 1 < line.size() && std::string_view("\"\\$`").find(line[j + 1]) != std::string_view::npos) ++j;
        word.push_back(line[j]);
      }
      if (j >= line.size()) {
        *error = "syntax error: unterminated quoted string";
        return false;
      }
      in_word = true;
      i = j;
    } else if (c == '\\' && i + 1 < line.size()) {
      word.push_back(line[++i]);
      in_word = true;
    } else if (c == ';' || (c == '&' && i + 1 < line.size() && line[i + 1] == '&') ||
               (c == '|' && i + 1 < line.size() && line[i + 1] == '|')) {
      finish_word();
      if (commands->back().words.empty() && c != ';') {
        *error = std::string("syntax error: '") + c + c + "' unexpected";
        return false;
      }
      SimpleCommand next;
      next.joiner = c == ';' ? Joiner::kAlways : c == '&' ? Joiner::kIfSuccess : Joiner::kIfFailure;
      if (c != ';') ++i;
      commands->push_back(next);
    } else if (std::string_view("|&<>`$()").find(c) != std::string_view::npos) {
      *error = std::string("'") + c + "': pipes, redirections and substitutions are not supported";
      return false;
    } else {
      word.push_back(c);
      in_word = true;
    }
  }
  finish_word();
  return true;
}

std::string ModeString(const adb::RemoteStat& stat) {
  std::string text = (stat.mode & adb::kModeTypeMask) == adb::kModeDirectory ? "d" : "-";
  const char* letters = "rwxrwxrwx";
  for (int bit = 8; bit >= 0; --bit) text.push_back((stat.mode >> bit) & 1 ? letters[8 - bit] : '-');
  return text;
}

std::string LongListing(const adb::RemoteStat& stat, const std::string& name) {
  char when[32] = "1970-01-01 00:00";
  const std::time_t seconds = static_cast<std::time_t>(stat.mtime);
  if (const std::tm* utc = std::gmtime(&seconds)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", utc);
  return ModeString(stat) + " " + std::to_string(stat.nlink) + " " + UserName(stat.uid) + " " +
         UserName(stat.gid) + " " + std::to_string(stat.size) + " " + when + " " + name + "\n";
}

bool ParseOctalMode(const std::string& text, std::uint32_t* mode) {
  if (text.empty() || text.size() > 4) return false;
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '7') return false;
    value = value * 8 + static_cast<std::uint32_t>(c - '0');
  }
  *mode = value;
  return true;
}

}  // namespace

ShellResult ShellInterpreter::Run(std::string_view line, std::uint32_t uid) { return RunLine(line, uid, 0); }

ShellResult ShellInterpreter::RunLine(std::string_view line, std::uint32_t uid, int depth) {
  ShellResult result;
  std::vector<SimpleCommand> commands;
  std::string error;
  if (!ParseCommandLine(line, &commands, &error)) {
    result.err = std::string(kShellName) + ": " + error + "\n";
    result.status = 2;
    return result;
  }

  bool exited = false;
  for (const SimpleCommand& command : commands) {
    if (exited) break;
    if (command.joiner == Joiner::kIfSuccess && result.status != 0) continue;
    if (command.joiner == Joiner::kIfFailure && result.status == 0) continue;
    if (command.words.empty()) continue;
    const std::string& name = command.words[0];
    const std::vector<std::string> args(command.words.begin() + 1, command.words.end());
    int status = 0;
    auto fail = [&](const std::string& message, int code) {
      result.err += message + "\n";
      status = code;
    };

    if (name == "true") {
    } else if (name == "false") {
      status = 1;
    } else if (name == "exit") {
      status = args.empty() ? result.status : std::atoi(args[0].c_str()) & 0xFF;
      exited = true;
    } else if (name == "echo") {
      const bool newline = args.empty() || args[0] != "-n";
      std::string text;
      for (std::size_t i = newline ? 0 : 1; i < args.size(); ++i) text += (text.empty() ? "" : " ") + args[i];
      result.out += text + (newline ? "\n" : "");
    } else if (name == "id") {
      result.out += uid == kRootUid ? "uid=0(root) gid=0(root) context=u:r:su:s0\n"
                                    : "uid=2000(shell) gid=2000(shell) groups=2000(shell),1007(log),"
                                      "1011(adb),1015(sdcard_rw),3003(inet) context=u:r:shell:s0\n";
    } else if (name == "whoami") {
      result.out += UserName(uid) + "\n";
    } else if (name == "getprop") {
      const std::vector<std::pair<std::string, std::string>> props = {
          {"ro.build.version.release", profile_.old_phone ? "4.4.2" : "9"},
          {"ro.product.model", profile_.model},
          {"ro.product.name", profile_.model}};
      for (const auto& [key, value] : props) {
        if (args.empty()) result.out += "[" + key + "]: [" + value + "]\n";
        else if (args[0] == key) result.out += value + "\n";
      }
    } else if (name == "chmod") {
      std::uint32_t mode = 0;
      if (args.size() < 2) {
        fail("chmod: needs a mode and a file", 1);
      } else if (!ParseOctalMode(args[0], &mode)) {
        fail("chmod: bad mode '" + args[0] + "'", 1);
      } else {
        char mode_text[8];
        std::snprintf(mode_text, sizeof mode_text, "%04o", static_cast<unsigned>(mode));
        for (std::size_t i = 1; i < args.size(); ++i) {
          if (const std::uint32_t e = fs_.Chmod(args[i], uid, mode)) {
            fail("chmod: chmod '" + args[i] + "' to " + mode_text + ": " + adb::LinuxErrorText(e), 1);
          }
        }
      }
    } else if (name == "cat") {
      for (const std::string& path : args) {
        std::unique_ptr<std::ifstream> file;
        if (const std::uint32_t e = fs_.OpenForRead(path, uid, &file)) {
          fail("cat: " + path + ": " + adb::LinuxErrorText(e), 1);
          continue;
        }
        result.out.append(std::istreambuf_iterator<char>(*file), std::istreambuf_iterator<char>());
      }
    } else if (name == "ls") {
      bool long_form = false;
      std::vector<std::string> paths;
      for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-') long_form = long_form || arg.find('l') != std::string::npos;
        else paths.push_back(arg);
      }
      if (paths.empty()) paths.push_back("/");
      for (const std::string& path : paths) {
        adb::RemoteStat stat;
        if (const std::uint32_t e = fs_.Stat(path, uid, &stat)) {
          fail("ls: " + path + ": " + adb::LinuxErrorText(e), 1);
          continue;
        }
        if ((stat.mode & adb::kModeTypeMask) != adb::kModeDirectory) {
          result.out += long_form ? LongListing(stat, path) : path + "\n";
          continue;
        }
        std::vector<PhoneDirEntry> entries;
        if (const std::uint32_t e = fs_.List(path, uid, &entries)) {
          fail("ls: " + path + ": " + adb::LinuxErrorText(e), 1);
          continue;
        }
        if (paths.size() > 1) result.out += path + ":\n";
        for (const PhoneDirEntry& entry : entries) {
          result.out += long_form ? LongListing(entry.stat, entry.name) : entry.name + "\n";
        }
      }
    } else if (name == "sh" && args.size() >= 2 && args[0] == "-c") {
      if (depth >= kMaxNesting) {
        fail(std::string(kShellName) + ": too many nested shells", 2);
      } else {
        const ShellResult inner = RunLine(args[1], uid, depth + 1);
        result.out += inner.out;
        result.err += inner.err;
        status = inner.status;
      }
    } else if (name == "su") {
      if (!profile_.rooted) {
        fail(std::string(kShellName) + ": su: not found", 127);
      } else {
        // su [-c COMMAND] [-|-l|--mount-master] [USER] [COMMAND ARGS...]
        std::uint32_t target = kRootUid;
        std::string inner_line;
        bool user_seen = false;
        bool bad_user = false;
        std::vector<std::string> rest;
        for (std::size_t i = 0; i < args.size(); ++i) {
          const std::string& arg = args[i];
          if (!rest.empty()) {
            rest.push_back(arg);
          } else if ((arg == "-c" || arg == "--command") && i + 1 < args.size()) {
            inner_line = args[++i];
          } else if (arg == "-" || arg == "-l" || arg == "--login" || arg == "-mm" || arg == "--mount-master") {
          } else if (!user_seen && (arg == "root" || arg == "0")) {
            user_seen = true;
          } else if (!user_seen && (arg == "shell" || arg == "2000")) {
            target = kShellUid;
            user_seen = true;
          } else if (!user_seen && !arg.empty() && arg[0] != '/' && arg.find_first_not_of("0123456789") == std::string::npos) {
            fail("su: unknown user " + arg, 1);
            bad_user = true;
            break;
          } else {
            rest.push_back(arg);
          }
        }
        for (const std::string& word : rest) inner_line += (inner_line.empty() ? "" : " ") + word;
        if (bad_user) {
        } else if (depth >= kMaxNesting) {
          fail("su: too many nested shells", 1);
        } else if (!inner_line.empty()) {
          const ShellResult inner = RunLine(inner_line, target, depth + 1);
          result.out += inner.out;
          result.err += inner.err;
          status = inner.status;
        }
        // Without a command su starts an interactive shell, whose input is already closed.
      }
    } else {
      fail(std::string(kShellName) + ": " + name + ": not found", 127);
    }
    result.status = status;
  }
  return result;
}

}  // namespace cdv::phonesim
