#include "ui/controls/animate_img.h"

#include "ui/framework/gdi.h"

namespace cdv {

CAnimateImg::~CAnimateImg() {
    // The window may outlive this object (it belongs to its dialog); its
    // timer must not tick into a freed object.
    if (m_running && IsWindow()) KillTimer(static_cast<UINT_PTR>(m_timerId));
}

bool CAnimateImg::LoadStrip(const std::wstring& path) {
    m_image.reset();
    m_image = fw::LoadImageFile(path);
    return m_image != nullptr;
}

void CAnimateImg::SplitFrames() {
    m_frameCount = kStripFrames;
    m_frameWidth = static_cast<int>(fw::ImageWidth(m_image.get()) / kStripFrames);
    m_frameHeight = static_cast<int>(fw::ImageHeight(m_image.get()));
}

bool CAnimateImg::SetPos(int x, int y, UINT flags) {
    const int frames = m_frameCount > 0 ? m_frameCount : 1;
    const int width = static_cast<int>(fw::ImageWidth(m_image.get())) / frames;
    const int height = static_cast<int>(fw::ImageHeight(m_image.get()));
    const BOOL placed = SetWindowPos(HWND_TOP, x, y, width, height, flags);
    m_clientRect = GetClientRect();
    return placed != FALSE;
}

void CAnimateImg::Start() {
    if (m_running) return;
    SetTimer(static_cast<UINT_PTR>(m_timerId), static_cast<UINT>(m_period));
    m_running = true;
}

void CAnimateImg::Stop() {
    if (!m_running) return;
    KillTimer(static_cast<UINT_PTR>(m_timerId));
    m_running = false;
}

void CAnimateImg::OnPaint() {
    fw::PaintDC paint(m_hWnd);
    const int width = m_clientRect.right - m_clientRect.left;
    const int height = m_clientRect.bottom - m_clientRect.top;
    fw::OffscreenBuffer buffer(paint, width, height);
    if (!buffer.valid()) return;

    const RECT area{0, 0, width, height};
    fw::GdiBrush brush(::CreateSolidBrush(kBackground));
    ::FillRect(buffer.dc(), &area, brush.get());
    if (m_image) {
        fw::GraphicsPtr graphics = fw::GraphicsForDC(buffer.dc());
        if (graphics) {
            graphics->DrawImage(m_image.get(), 0, 0, width * m_currentFrame, 0, width, height, Gdiplus::UnitPixel);
        }
    }
    buffer.CopyTo(paint, 0, 0);
}

void CAnimateImg::OnTimer(UINT_PTR timerId) {
    if (timerId != static_cast<UINT_PTR>(m_timerId)) return;
    const int frames = m_frameCount > 0 ? m_frameCount : 1;
    m_currentFrame = (m_currentFrame + 1) % frames;
    InvalidateRect(&m_clientRect, false);
}

}  // namespace cdv
