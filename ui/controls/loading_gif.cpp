#include "ui/controls/loading_gif.h"

#include <cstring>
#include <memory>

namespace cdv {

size_t GifFrameCount(Gdiplus::Image& image) {
    const UINT dimensions = image.GetFrameDimensionsCount();
    if (dimensions == 0) return 0;
    std::vector<GUID> ids(dimensions);
    if (image.GetFrameDimensionsList(ids.data(), dimensions) != Gdiplus::Ok) return 0;
    return image.GetFrameCount(&ids[0]);
}

std::vector<uint32_t> GifFrameDelays(Gdiplus::Image& image) {
    std::vector<uint32_t> delays;
    const UINT size = image.GetPropertyItemSize(PropertyTagFrameDelay);
    if (size < sizeof(Gdiplus::PropertyItem)) return delays;
    // PropertyItem is followed by its value in the same buffer.
    std::unique_ptr<uint64_t[]> buffer(new uint64_t[(size + sizeof(uint64_t) - 1) / sizeof(uint64_t)]);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.get());
    if (image.GetPropertyItem(PropertyTagFrameDelay, size, item) != Gdiplus::Ok || item->value == nullptr) {
        return delays;
    }
    // The value is an array of 32-bit delays; never read past the buffer.
    const auto* begin = reinterpret_cast<const unsigned char*>(buffer.get());
    const auto* value = static_cast<const unsigned char*>(item->value);
    size_t length = item->length;
    if (value < begin || value > begin + size) return delays;
    if (length > static_cast<size_t>(begin + size - value)) length = static_cast<size_t>(begin + size - value);
    delays.resize(length / sizeof(uint32_t));
    for (size_t i = 0; i < delays.size(); ++i) {
        uint32_t d = 0;
        std::memcpy(&d, value + i * sizeof(uint32_t), sizeof d);
        delays[i] = d;
    }
    return delays;
}

GifTick StepLoadingGif(HWND window, LoadingGifState state) {
    if (state.frameTimerOn == 0) return {};
    ::KillTimer(window, kLoadingGifTimerId);
    state.frameTimerOn = 0;
    if (state.image == nullptr) return {};

    const GifTick tick = NextGifTick(state.frameIndex, GifFrameCount(*state.image), GifFrameDelays(*state.image));
    if (!tick.rearm) return tick;

    state.image->SelectActiveFrame(&Gdiplus::FrameDimensionTime, tick.selectFrame);
    state.frameIndex = tick.nextIndex;
    ::InvalidateRect(window, &state.statusRect, FALSE);
    state.frameTimerOn = 1;
    ::SetTimer(window, kLoadingGifTimerId, tick.delayMs, nullptr);
    return tick;
}

}  // namespace cdv
