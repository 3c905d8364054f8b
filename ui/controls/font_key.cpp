#include "ui/controls/font_key.h"

#include <cstdint>

unsigned FontMapKey(unsigned long long value) { return static_cast<unsigned>(value & 0xFFFFu); }

FontKeyStyle DecodeFontKey(unsigned key, int baseHeight) {
    key = FontMapKey(key);
    const int delta = static_cast<int8_t>(static_cast<uint8_t>(key >> 8));
    FontKeyStyle style;
    style.height = baseHeight - delta;
    style.weight = (key & 0x4u) != 0 ? 700 : 400;
    style.italic = (key & 0x1u) != 0;
    style.underline = (key & 0x2u) != 0;
    return style;
}
