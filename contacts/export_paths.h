#pragma once
// Names of the folders a recover creates:
// <picked>\Cardivane<YYYYmmddHHMMSS>\<label>\contacts.txt
#include <ctime>
#include <string>
#include <string_view>

namespace cdv {

// "Cardivane" and the local time as %Y%m%d%H%M%S.
std::u16string RecoverFolderName(const std::tm& localTime);

// The contacts folder's name: the Contacts item's label as it is when every
// record is ticked; otherwise cut at its first "(" and followed by "(N)" with
// the ticked count ("Contacts (120)" becomes "Contacts (7)").
std::u16string ExportLabel(std::u16string_view itemLabel, bool everyRecordTicked, int tickedCount);

// Step 4 of the recover command: the time-stamped folder under `picked`,
// created. Returns its path; whether it could be created shows when the
// export creates its contacts folder inside it.
std::u16string CreateRecoverFolder(const std::u16string& picked, const std::tm& localTime);

}  // namespace cdv
