#pragma once
// The load worker's two passes over the reader's contacts and the carved text.
#include <string>

#include "contacts/contacts_reader.h"
#include "contacts/loaded_contacts.h"
#include "contacts/worker_control.h"

namespace cdv {

enum class LoadPass { Load = 0, Count = 1 };

// The counting pass ticks every contact of list 2 and adds the contacts and the
// carved lines to loaded.totalCount. The loading pass reads the lists again
// (they replace the heads of the counting pass), ticks the contacts (pausing
// and stopping before each), then builds a carved record per carved line and
// labels the Contacts item. Returns the records handled, or -1 when stopped.
//
// Carved lines count and load even when the reader finds no contact: on a
// phone whose every contact was deleted they are all there is.
int RunLoadPass(LoadPass pass, const std::string& dbPath, ContactsReader& reader, LoadedContacts& loaded,
                LoadControl& control);

// The load worker: the counting pass, then the loading pass when it found
// anything. Returns the loading pass's result (0 when nothing was counted).
int LoadContacts(const std::string& dbPath, ContactsReader& reader, LoadedContacts& loaded, LoadControl& control);

// "Contacts (N)"
std::u16string ContactsLabel(int count);

}  // namespace cdv
