#include "tests/controls_list/test_skin.h"

#include <cstdio>
#include <vector>

#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/skin.h"

namespace uitest {

namespace {

uint32_t Opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

}  // namespace

bool WriteBmp(const std::wstring& path, int width, int height, uint32_t (*color)(int, int)) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> pixels(info.biSizeImage, 0);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &pixels[static_cast<size_t>((height - 1 - y) * stride)];
        for (int x = 0; x < width; ++x) {
            const uint32_t c = color(x, y);
            row[x * 3 + 0] = static_cast<unsigned char>(c & 0xFF);
            row[x * 3 + 1] = static_cast<unsigned char>((c >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<unsigned char>((c >> 16) & 0xFF);
        }
    }
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return false;
    bool ok = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(&info, sizeof(info), 1, out) == 1 &&
              std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    ok = std::fclose(out) == 0 && ok;
    return ok;
}

bool WriteTestSkin(const std::wstring& folder) {
    auto solid = [](uint32_t rgb) { return [rgb](int, int) { return Opaque(rgb); }; };
    bool ok = true;
    ok &= WriteStripPng(folder + L"checkbox.png", 14, 14,
                        {Opaque(kUntickedColour), Opaque(kUnusedColour), Opaque(kTickedColour), Opaque(kUnusedColour)});
    ok &= WritePng(folder + L"deleted.png", 14, 14, solid(kMarkerColour));
    ok &= WritePng(folder + L"inc.png", 10, 10, solid(kAscendingColour));
    ok &= WritePng(folder + L"dec.png", 10, 10, solid(kDescendingColour));
    // Only pixel column 2 is the background; the others must never show.
    ok &= WriteBmp(folder + L"list_hearder.bmp", 8, 30, [](int x, int) { return x == 2 ? kHeaderColour : 0u; });
    ok &= WriteStripPng(folder + L"checkboxes.png", 16, 16,
                        {Opaque(kUntickedColour), Opaque(kUnusedColour), Opaque(kUnusedColour), Opaque(kTickedColour),
                         Opaque(kUnavailableColour)});
    ok &= WriteBmp(folder + L"tree_opened.bmp", 16, 16, [](int, int) { return kGlyphColour; });
    ok &= WriteBmp(folder + L"tree_closed.bmp", 16, 16, [](int, int) { return kGlyphColour; });
    ok &= WritePng(folder + L"treeroot.png", 16, 16, solid(kRootIconColour));
    ok &= WritePng(folder + L"contacts.png", 16, 16, solid(kCategoryIconColour));
    SetImageFolder(folder);
    return ok;
}

}  // namespace uitest
