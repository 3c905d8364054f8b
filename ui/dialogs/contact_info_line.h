#pragma once
// One phone or e-mail line of the contact card, laid out in canvas pixels.

#include <string>

#include "ui/framework/geometry.h"

namespace cdv {

struct ContactInfoLine {
    std::u16string label;     // type label, e.g. "Mobile"
    fw::Rect labelRect;       // one text line high
    std::u16string value;     // phone number or e-mail address
    fw::Rect valueRect;       // one text line high per wrapped line
};

}  // namespace cdv
