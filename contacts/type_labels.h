#pragma once
// Android type codes (data2 of phone and e-mail rows) and the labels shown for
// them on the contact card and in the export file.
namespace cdv {

// data2 as Android stores it: decimal text. Leading white space, an optional
// sign, then digits up to the first other character; no digits, or null, give
// 0. Values beyond the int range saturate.
int ReadTypeCode(const char* text);

// Phone.TYPE label, "" for codes without one (0 custom, 8, 9, 12 and all
// codes outside 1-20).
const char16_t* PhoneTypeLabel(int code);

// Email.TYPE label, "" for codes without one (the card substitutes "Email").
const char16_t* EmailTypeLabel(int code);

}  // namespace cdv
