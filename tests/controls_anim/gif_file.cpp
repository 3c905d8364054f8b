#include "gif_file.h"

#include <cstdio>

namespace gif {

namespace {

void Put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

// Image data with 8-bit LZW codes that never grow: a clear code before every
// run of at most 125 pixels keeps the code table below 256 entries.
void PutPixels(std::vector<uint8_t>& out, size_t count, uint8_t index) {
    constexpr uint8_t kMinCodeSize = 7;
    constexpr uint8_t kClear = 128;
    constexpr uint8_t kEnd = 129;
    std::vector<uint8_t> codes;
    for (size_t done = 0; done < count;) {
        codes.push_back(kClear);
        for (size_t i = 0; i < 125 && done < count; ++i, ++done) codes.push_back(index);
    }
    codes.push_back(kEnd);

    out.push_back(kMinCodeSize);
    for (size_t at = 0; at < codes.size(); at += 255) {
        const size_t n = codes.size() - at < 255 ? codes.size() - at : 255;
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), codes.begin() + static_cast<long>(at), codes.begin() + static_cast<long>(at + n));
    }
    out.push_back(0);
}

}  // namespace

std::vector<uint8_t> Encode(int width, int height, const std::vector<Frame>& frames) {
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, static_cast<unsigned>(width));
    Put16(out, static_cast<unsigned>(height));
    out.push_back(0xF7);  // global colour table of 256 entries, 8 bits per channel
    out.push_back(0);
    out.push_back(0);
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = i < static_cast<int>(frames.size()) ? frames[static_cast<size_t>(i)].rgb : 0;
        out.push_back(static_cast<uint8_t>(c >> 16));
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c));
    }
    if (frames.size() > 1) {
        const uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                                0x03, 0x01, 0x00, 0x00, 0x00};
        out.insert(out.end(), loop, loop + sizeof loop);
    }
    for (size_t f = 0; f < frames.size(); ++f) {
        if (frames[f].delay) {
            out.insert(out.end(), {0x21, 0xF9, 0x04, 0x00});
            Put16(out, *frames[f].delay);
            out.insert(out.end(), {0x00, 0x00});
        }
        out.push_back(0x2C);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, static_cast<unsigned>(width));
        Put16(out, static_cast<unsigned>(height));
        out.push_back(0);
        PutPixels(out, static_cast<size_t>(width) * static_cast<size_t>(height), static_cast<uint8_t>(f));
    }
    out.push_back(0x3B);
    return out;
}

bool WriteFile(const std::wstring& path, int width, int height, const std::vector<Frame>& frames) {
    const std::vector<uint8_t> bytes = Encode(width, height, frames);
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace gif
