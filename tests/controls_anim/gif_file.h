#pragma once
// Small animated GIF files for tests: solid frames of chosen colours, each
// with or without a frame delay (a Graphic Control Extension).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gif {

struct Frame {
    uint32_t rgb = 0;                    // 0xRRGGBB
    std::optional<uint16_t> delay;       // hundredths of a second; none: no control block
};

std::vector<uint8_t> Encode(int width, int height, const std::vector<Frame>& frames);
bool WriteFile(const std::wstring& path, int width, int height, const std::vector<Frame>& frames);

}  // namespace gif
