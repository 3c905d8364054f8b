#pragma once
// The carved text: one line per recovered contact (or message), the two halves
// separated by a TAB, each line ended by CR LF, in the narrow code page.
#include <string>
#include <vector>

#include "recovery/carved_types.h"

namespace cdv {

// Rows of one contact (equal raw_contact_id bytes) with different values are
// paired: for every row i in carving order, one line with each later row of
// its contact, the all-digits value always second. Rows that were never paired
// get a line of their own with "N/A" for the missing half. The work grows with
// the rows and the lines written, never with the square of the rows.
std::string BuildContactsText(const std::vector<CarvedContact>& rows);

// One line per carved message: the name of the live contact whose number is
// the message's address (with a "+86" prefix removed), the address, the body.
std::string BuildSmsText(const std::vector<CarvedSms>& messages, const std::vector<LiveDataPair>& live);

// Every byte is one of "0" to "9" (an empty value passes).
bool IsAllDigits(const std::string& value);

}  // namespace cdv
