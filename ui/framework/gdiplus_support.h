#pragma once
// GDI+ ownership: the library's start and shutdown, and owning pointers for
// images and graphics objects (non-copyable, movable).

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace fw {

// GDI+ started for the object's lifetime (version 1, no debug callback).
// Every image and graphics object must be gone before it ends.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};

using ImagePtr = std::unique_ptr<Gdiplus::Image>;
using GraphicsPtr = std::unique_ptr<Gdiplus::Graphics>;

// An image object for a file. It exists even when the file is missing or
// unreadable; such an image reports 0 x 0 and draws nothing.
ImagePtr LoadImageFile(const std::wstring& path);

// Width and height of an image, 0 for a missing image or a null pointer.
UINT ImageWidth(Gdiplus::Image* image);
UINT ImageHeight(Gdiplus::Image* image);

// A graphics object drawing on a device context.
GraphicsPtr GraphicsForDC(HDC dc);

}  // namespace fw
