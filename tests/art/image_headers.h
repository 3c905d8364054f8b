// Header facts of the skin files (PNG, GIF, BMP), read straight from the bytes
// so the checks do not depend on the decoder that made the files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skin_test {

enum class Format { Unknown, Png, Gif, Bmp };

struct ImageHeader {
    Format format = Format::Unknown;
    uint32_t width = 0;
    uint32_t height = 0;
    // PNG: colour type (6 = RGBA). BMP: bits per pixel.
    int colourType = -1;
    int bitsPerPixel = 0;
    // BMP: size of the info header (40 = BITMAPINFOHEADER) and compression.
    uint32_t bmpInfoSize = 0;
    uint32_t bmpCompression = 0;
    // GIF: one entry per image descriptor.
    struct GifFrame {
        uint16_t delay = 0;  // hundredths of a second, from the graphic control extension
        uint16_t left = 0, top = 0, width = 0, height = 0;
    };
    std::vector<GifFrame> gifFrames;
    std::string error;  // empty when the header parsed
};

ImageHeader ReadImageHeader(const std::string& path);

}  // namespace skin_test
