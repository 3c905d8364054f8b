#pragma once
// Owning wrappers for GDI handles and device contexts. Each is non-copyable
// and movable, and frees its handle exactly once.

#include <windows.h>

#include <utility>

namespace fw {

// A GDI object (bitmap, font, brush, pen, region) deleted with DeleteObject.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H handle) : m_handle(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : m_handle(other.release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    H get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    H release() { return std::exchange(m_handle, nullptr); }
    void reset(H handle = nullptr) {
        H old = std::exchange(m_handle, handle);
        if (old != nullptr && old != handle) ::DeleteObject(old);
    }

private:
    H m_handle = nullptr;
};

using GdiBitmap = GdiObject<HBITMAP>;
using GdiFont = GdiObject<HFONT>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiPen = GdiObject<HPEN>;
using GdiRegion = GdiObject<HRGN>;

// Selects an object into a device context and puts the previous one back.
class SelectionGuard {
public:
    SelectionGuard() = default;
    SelectionGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object != nullptr ? ::SelectObject(dc, object) : nullptr) {
        if (m_previous == nullptr || m_previous == HGDI_ERROR) {
            m_previous = nullptr;
            m_dc = nullptr;
        }
    }
    ~SelectionGuard() { restore(); }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;
    SelectionGuard(SelectionGuard&& other) noexcept
        : m_dc(std::exchange(other.m_dc, nullptr)), m_previous(std::exchange(other.m_previous, nullptr)) {}
    SelectionGuard& operator=(SelectionGuard&& other) noexcept {
        if (this != &other) {
            restore();
            m_dc = std::exchange(other.m_dc, nullptr);
            m_previous = std::exchange(other.m_previous, nullptr);
        }
        return *this;
    }

    // True when the selection took place (a null or invalid object selects nothing).
    bool selected() const { return m_dc != nullptr; }
    void restore() {
        if (m_dc != nullptr) ::SelectObject(m_dc, m_previous);
        m_dc = nullptr;
        m_previous = nullptr;
    }

private:
    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// A memory device context compatible with another one, deleted with DeleteDC.
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { reset(); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept : m_dc(std::exchange(other.m_dc, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            reset();
            m_dc = std::exchange(other.m_dc, nullptr);
        }
        return *this;
    }
    HDC get() const { return m_dc; }
    operator HDC() const { return m_dc; }
    void reset() {
        if (m_dc != nullptr) ::DeleteDC(m_dc);
        m_dc = nullptr;
    }

private:
    HDC m_dc = nullptr;
};

// A window's device context from GetDC (client area, or the whole window
// with GetWindowDC; null window: the screen), released with ReleaseDC.
class WindowDCBase {
public:
    ~WindowDCBase() { reset(); }
    WindowDCBase(const WindowDCBase&) = delete;
    WindowDCBase& operator=(const WindowDCBase&) = delete;
    WindowDCBase(WindowDCBase&& other) noexcept
        : m_hWnd(std::exchange(other.m_hWnd, nullptr)), m_dc(std::exchange(other.m_dc, nullptr)) {}
    WindowDCBase& operator=(WindowDCBase&& other) noexcept {
        if (this != &other) {
            reset();
            m_hWnd = std::exchange(other.m_hWnd, nullptr);
            m_dc = std::exchange(other.m_dc, nullptr);
        }
        return *this;
    }
    HDC get() const { return m_dc; }
    operator HDC() const { return m_dc; }
    void reset() {
        if (m_dc != nullptr) ::ReleaseDC(m_hWnd, m_dc);
        m_dc = nullptr;
        m_hWnd = nullptr;
    }

protected:
    WindowDCBase(HWND hWnd, HDC dc) : m_hWnd(hWnd), m_dc(dc) {}

private:
    HWND m_hWnd = nullptr;
    HDC m_dc = nullptr;
};

class ClientDC : public WindowDCBase {
public:
    explicit ClientDC(HWND hWnd) : WindowDCBase(hWnd, ::GetDC(hWnd)) {}
};

class WindowDC : public WindowDCBase {
public:
    explicit WindowDC(HWND hWnd) : WindowDCBase(hWnd, ::GetWindowDC(hWnd)) {}
};

// BeginPaint / EndPaint around one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND hWnd) : m_hWnd(hWnd), m_dc(::BeginPaint(hWnd, &m_ps)) {}
    ~PaintDC() {
        if (m_hWnd != nullptr) ::EndPaint(m_hWnd, &m_ps);
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    // Not movable: EndPaint needs the PAINTSTRUCT that BeginPaint filled.
    PaintDC(PaintDC&&) = delete;
    PaintDC& operator=(PaintDC&&) = delete;

    HDC get() const { return m_dc; }
    operator HDC() const { return m_dc; }
    const PAINTSTRUCT& paintStruct() const { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// The off-screen half of a double-buffered paint: a memory context with a
// bitmap of the given size selected, compatible with the target context.
// Draw into dc(), then CopyTo() once; everything is freed on destruction.
class OffscreenBuffer {
public:
    OffscreenBuffer(HDC target, int width, int height)
        : m_dc(target),
          m_bitmap(::CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
          m_select(m_dc.get(), m_bitmap.get()),
          m_width(width),
          m_height(height) {}
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    HDC dc() const { return m_dc.get(); }
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool valid() const { return m_dc.get() != nullptr && m_select.selected(); }
    BOOL CopyTo(HDC target, int x, int y) const {
        return ::BitBlt(target, x, y, m_width, m_height, m_dc.get(), 0, 0, SRCCOPY);
    }

private:
    MemoryDC m_dc;
    GdiBitmap m_bitmap;
    SelectionGuard m_select;  // declared last: restored before the bitmap and DC go
    int m_width;
    int m_height;
};

}  // namespace fw
