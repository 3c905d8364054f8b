#pragma once
// What the acquisition runs and where the copy lands: the working folder at
// the root of the program's drive, the local copy paths and the three relay
// command lines. Narrow strings are in the active code page.
#include <optional>
#include <string>
#include <string_view>

namespace cdv {

// Each path and command line is built in a buffer of this many characters,
// terminator included.
constexpr size_t kAcquisitionBufferChars = 260;

constexpr char kPhoneContactsDb[] = "/data/data/com.android.providers.contacts/databases/contacts2.db";
constexpr char kPhoneMessagesDb[] = "/data/data/com.android.providers.telephony/databases/mmssms.db";

struct WorkingPaths {
  std::string folder;        // drive prefix + "marlowen"
  std::string contactsCopy;  // folder + "\contacts2.db"
  std::string messagesCopy;  // folder + "\mmssms.db"
};

// The drive prefix is the first three characters of the program's folder
// (normally "C:\"), whatever the path looks like.
WorkingPaths WorkingPathsFor(std::string_view programFolder);

enum class RelayStep { ChmodContacts, ChmodMessages, PullContacts };
constexpr RelayStep kRelaySteps[] = {RelayStep::ChmodContacts, RelayStep::ChmodMessages, RelayStep::PullContacts};

// The relay's command line for one step. The relay's own path is quoted, so
// that a folder with blanks names exactly our relay and no shorter program
// ("C:\Program.exe"). Empty when the line would not fit its buffer: a
// truncated command is never run.
std::optional<std::string> RelayCommandLine(RelayStep step, std::string_view programFolder,
                                            std::string_view contactsCopy);

}  // namespace cdv
