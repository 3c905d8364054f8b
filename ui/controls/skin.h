#pragma once
// Skin files: the process-wide image folder, file paths in it, and the two
// ways a skin image is held (a GDI+ image, or a GDI bitmap for opaque copies).

#include <windows.h>

#include <string>

#include "ui/framework/gdi.h"
#include "ui/framework/gdiplus_support.h"

// Fixed once at start-up; until then the folder beside this program's file.
void SetImageFolder(const std::wstring& folder);
const std::wstring& ImageFolder();

// The image folder followed by a bare file name ("close.png"). No search,
// no fallback, no existence check.
std::wstring SkinFilePath(const std::wstring& name);

// A GDI+ image of a skin file, owned by the caller. It exists even when the
// file is missing; it then measures 0 x 0 and draws nothing.
fw::ImagePtr SkinImage(const std::wstring& name);

// A GDI bitmap of a skin file at its own size; empty when it cannot be read.
fw::GdiBitmap SkinBitmap(const std::wstring& name);
