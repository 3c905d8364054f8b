#include "tests/art/image_headers.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace skin_test {
namespace {

uint32_t Be32(const std::vector<uint8_t>& d, size_t at) {
    return uint32_t(d[at]) << 24 | uint32_t(d[at + 1]) << 16 | uint32_t(d[at + 2]) << 8 | d[at + 3];
}
uint16_t Le16(const std::vector<uint8_t>& d, size_t at) { return uint16_t(d[at] | d[at + 1] << 8); }
uint32_t Le32(const std::vector<uint8_t>& d, size_t at) { return Le16(d, at) | uint32_t(Le16(d, at + 2)) << 16; }

void ReadPng(const std::vector<uint8_t>& d, ImageHeader& h) {
    // Signature, then the IHDR chunk: length, "IHDR", width, height, depth, colour type.
    if (d.size() < 26 || std::string(d.begin() + 12, d.begin() + 16) != "IHDR") {
        h.error = "PNG without IHDR";
        return;
    }
    h.width = Be32(d, 16);
    h.height = Be32(d, 20);
    h.bitsPerPixel = d[24];
    h.colourType = d[25];
}

// Skips a chain of GIF data sub-blocks starting at `at`; returns the position
// after the terminator, or 0 when the chain runs past the end.
size_t SkipSubBlocks(const std::vector<uint8_t>& d, size_t at) {
    while (at < d.size()) {
        if (d[at] == 0) return at + 1;
        at += size_t(d[at]) + 1;
    }
    return 0;
}

void ReadGif(const std::vector<uint8_t>& d, ImageHeader& h) {
    if (d.size() < 13) {
        h.error = "GIF too short";
        return;
    }
    h.width = Le16(d, 6);
    h.height = Le16(d, 8);
    size_t at = 13;
    if (d[10] & 0x80) at += size_t(3) << ((d[10] & 7) + 1);  // global colour table
    uint16_t delay = 0;
    while (at < d.size()) {
        const uint8_t tag = d[at];
        if (tag == 0x3B) return;  // trailer
        if (tag == 0x21 && at + 1 < d.size()) {
            if (d[at + 1] == 0xF9 && at + 6 < d.size()) delay = Le16(d, at + 4);
            at = SkipSubBlocks(d, at + 2);
        } else if (tag == 0x2C && at + 10 <= d.size()) {
            ImageHeader::GifFrame f;
            f.delay = delay;
            f.left = Le16(d, at + 1);
            f.top = Le16(d, at + 3);
            f.width = Le16(d, at + 5);
            f.height = Le16(d, at + 7);
            h.gifFrames.push_back(f);
            delay = 0;
            const uint8_t packed = d[at + 9];
            at += 10;
            if (packed & 0x80) at += size_t(3) << ((packed & 7) + 1);  // local colour table
            at = SkipSubBlocks(d, at + 1);                              // past the LZW code size
        } else {
            h.error = "bad GIF block";
            return;
        }
        if (at == 0) {
            h.error = "GIF data runs past the end";
            return;
        }
    }
    h.error = "GIF without trailer";
}

void ReadBmp(const std::vector<uint8_t>& d, ImageHeader& h) {
    // BITMAPFILEHEADER (14 bytes), then the info header.
    if (d.size() < 54) {
        h.error = "BMP too short";
        return;
    }
    h.bmpInfoSize = Le32(d, 14);
    h.width = Le32(d, 18);
    const int32_t height = int32_t(Le32(d, 22));
    h.height = uint32_t(height < 0 ? -height : height);
    h.bitsPerPixel = Le16(d, 28);
    h.bmpCompression = Le32(d, 30);
}

}  // namespace

ImageHeader ReadImageHeader(const std::string& path) {
    ImageHeader h;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        h.error = "cannot open " + path;
        return h;
    }
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() >= 8 && std::equal(kPng, kPng + 8, d.begin())) {
        h.format = Format::Png;
        ReadPng(d, h);
    } else if (d.size() >= 6 && (std::string(d.begin(), d.begin() + 6) == "GIF89a" ||
                                 std::string(d.begin(), d.begin() + 6) == "GIF87a")) {
        h.format = Format::Gif;
        ReadGif(d, h);
    } else if (d.size() >= 2 && d[0] == 'B' && d[1] == 'M') {
        h.format = Format::Bmp;
        ReadBmp(d, h);
    } else {
        h.error = "unknown format";
    }
    return h;
}

}  // namespace skin_test
