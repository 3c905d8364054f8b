#pragma once
// The 16-bit font keys of the font pool. Pure decoding, tested natively.
//
//   bit 0 italic, bit 1 underline, bit 2 bold (weight 700, else 400),
//   bits 3-7 part of the key only, bits 8-15 a signed height delta
//   subtracted from the base height (+1 makes -11 into -12).

struct FontKeyStyle {
    int height;
    int weight;
    bool italic;
    bool underline;
};

// The map key for a caller's value: its low 16 bits.
unsigned FontMapKey(unsigned long long value);
FontKeyStyle DecodeFontKey(unsigned key, int baseHeight);
