#include "app/acquisition_plan.h"

namespace cdv {
namespace {

// Byte length of the first `count` characters of UTF-8 text (fewer when the
// text is shorter); never splits a multi-byte character.
size_t LeadingCharacters(std::string_view text, size_t count) {
  size_t bytes = 0;
  for (size_t seen = 0; seen < count && bytes < text.size(); ++seen) {
    ++bytes;
    while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) ++bytes;
  }
  return bytes;
}

std::optional<std::string> Fitting(std::string line) {
  if (line.size() >= kAcquisitionBufferChars) return std::nullopt;
  return line;
}

}  // namespace

WorkingPaths WorkingPathsFor(std::string_view programFolder) {
  WorkingPaths paths;
  paths.folder = std::string(programFolder.substr(0, LeadingCharacters(programFolder, 3))) + "marlowen";
  paths.contactsCopy = paths.folder + "\\contacts2.db";
  paths.messagesCopy = paths.folder + "\\mmssms.db";
  return paths;
}

std::optional<std::string> RelayCommandLine(RelayStep step, std::string_view programFolder,
                                            std::string_view contactsCopy) {
  std::string relay = "\"";
  relay.append(programFolder);
  relay += "\\droidgate.exe\"";
  switch (step) {
    case RelayStep::ChmodContacts:
      return Fitting(relay + " shell su root chmod 777 " + kPhoneContactsDb);
    case RelayStep::ChmodMessages:
      return Fitting(relay + " shell su root chmod 777 " + kPhoneMessagesDb);
    case RelayStep::PullContacts:
      return Fitting(relay + " pull " + kPhoneContactsDb + " " + std::string(contactsCopy));
  }
  return std::nullopt;
}

}  // namespace cdv
