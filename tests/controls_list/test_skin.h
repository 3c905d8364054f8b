#pragma once
// A scratch image folder holding small skin files of known solid colours,
// so that pixel checks can tell each painted part apart.

#include <windows.h>

#include <cstdint>
#include <string>

namespace uitest {

// Frame colours of the test strips (0x00RRGGBB).
constexpr uint32_t kUntickedColour = 0x0000FF;  // list frame 0, tree frame 0: blue
constexpr uint32_t kTickedColour = 0xFF8000;    // list frame 2, tree frame 3: orange
constexpr uint32_t kUnusedColour = 0x00FFFF;    // frames never shown: cyan
constexpr uint32_t kUnavailableColour = 0x808080;  // tree frame 4: grey
constexpr uint32_t kMarkerColour = 0x00A000;    // deleted.png: green
constexpr uint32_t kAscendingColour = 0x8000C0;   // inc.png: purple
constexpr uint32_t kDescendingColour = 0x008080;  // dec.png: teal
constexpr uint32_t kHeaderColour = 0xC8DCF0;    // list_hearder.bmp column 2
constexpr uint32_t kGlyphColour = 0x503020;     // tree glyphs
constexpr uint32_t kRootIconColour = 0xFF00FF;  // treeroot.png: magenta
constexpr uint32_t kCategoryIconColour = 0xFFD000;  // a category icon: yellow

// 24-bit bottom-up BMP; `color(x, y)` as 0x00RRGGBB.
bool WriteBmp(const std::wstring& path, int width, int height, uint32_t (*color)(int, int));

// Writes every skin file the list and the tree read into `folder` and makes
// it the image folder. GDI+ must be running.
bool WriteTestSkin(const std::wstring& folder);

}  // namespace uitest
