#pragma once
// An answer for the recover folder picker given in advance through the
// environment variable CARDIVANE_RECOVER_FOLDER, so that a script can walk the
// whole program unattended (no one is there to click through the picker).
#include <optional>
#include <string>

namespace cdv {

// The folder named by CARDIVANE_RECOVER_FOLDER; nothing when it is unset or empty.
std::optional<std::wstring> PresetRecoverFolder();

}  // namespace cdv
