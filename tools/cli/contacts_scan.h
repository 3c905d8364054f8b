#pragma once
// What the program does from a copied contacts database to the filled list:
// the recovery engine's carved text, then the reader and the two loading
// passes. The list and export commands share it.
#include <ostream>
#include <string>

#include "contacts/loaded_contacts.h"
#include "contacts/pause_gate.h"

namespace cdv {

struct ContactsScan {
  LoadedContacts loaded;
  PortableLoadControl control;  // never paused or stopped; keeps the Contacts label
};

// False, with one line on `err`, when `path` is not a readable file.
bool ScanContacts(const std::string& path, ContactsScan& scan, std::ostream& err);

}  // namespace cdv
