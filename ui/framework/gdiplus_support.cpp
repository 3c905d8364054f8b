#include "ui/framework/gdiplus_support.h"

namespace fw {

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok) m_token = 0;
}

GdiplusSession::~GdiplusSession() {
    if (m_token != 0) Gdiplus::GdiplusShutdown(m_token);
}

ImagePtr LoadImageFile(const std::wstring& path) { return ImagePtr(new Gdiplus::Image(path.c_str())); }

UINT ImageWidth(Gdiplus::Image* image) {
    // A failed load leaves a native-less image whose size query fails and
    // leaves the pre-set 0.
    return image != nullptr ? image->GetWidth() : 0;
}

UINT ImageHeight(Gdiplus::Image* image) {
    return image != nullptr ? image->GetHeight() : 0;
}

GraphicsPtr GraphicsForDC(HDC dc) { return GraphicsPtr(new Gdiplus::Graphics(dc)); }

}  // namespace fw
