#include "tests/ui/harness/ui_harness.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstdlib>
#include <memory>

namespace uitest {

void PumpMessages(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMs) return done();
        PumpMessages(5);
    }
    return true;
}

void Repaint(HWND hWnd) {
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(30);
    ::GdiFlush();
}

namespace {

Capture CaptureFrom(HDC source, int x, int y, int width, int height) {
    Capture cap;
    if (width <= 0 || height <= 0) return cap;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC mem = ::CreateCompatibleDC(source);
    HBITMAP dib = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, width, height, source, x, y, SRCCOPY);
    ::GdiFlush();
    cap.width = width;
    cap.height = height;
    cap.pixels.resize(static_cast<size_t>(width) * height);
    const auto* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < cap.pixels.size(); ++i) cap.pixels[i] = src[i] & 0x00FFFFFFu;
    ::SelectObject(mem, old);
    ::DeleteObject(dib);
    ::DeleteDC(mem);
    return cap;
}

}  // namespace

Capture CaptureClient(HWND hWnd) {
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    HDC dc = ::GetDC(hWnd);
    Capture cap = CaptureFrom(dc, 0, 0, rc.right, rc.bottom);
    ::ReleaseDC(hWnd, dc);
    return cap;
}

Capture CaptureWindowFromScreen(HWND hWnd) {
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    HDC dc = ::GetDC(nullptr);
    Capture cap = CaptureFrom(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    ::ReleaseDC(nullptr, dc);
    return cap;
}

bool SaveBmp(const Capture& capture, const std::wstring& path) {
    if (capture.Empty()) return false;
    const DWORD rowBytes = static_cast<DWORD>(((capture.width * 3 + 3) / 4) * 4);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof(ih);
    ih.biWidth = capture.width;
    ih.biHeight = -capture.height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + rowBytes * capture.height;
    std::vector<unsigned char> rows(static_cast<size_t>(rowBytes) * capture.height, 0);
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) {
            uint32_t p = capture.At(x, y);
            unsigned char* d = &rows[static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) * 3];
            d[0] = static_cast<unsigned char>(p & 0xFF);
            d[1] = static_cast<unsigned char>((p >> 8) & 0xFF);
            d[2] = static_cast<unsigned char>((p >> 16) & 0xFF);
        }
    }
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file, &fh, sizeof(fh), &written, nullptr) && ::WriteFile(file, &ih, sizeof(ih), &written, nullptr) &&
              ::WriteFile(file, rows.data(), static_cast<DWORD>(rows.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF);
        int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance) return false;
    }
    return true;
}

void MouseMove(HWND hWnd, int x, int y, WPARAM keys) {
    ::SendMessageW(hWnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void LeftDown(HWND hWnd, int x, int y) { ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

void LeftUp(HWND hWnd, int x, int y) { ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

void Click(HWND hWnd, int x, int y) {
    ::PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages(50);
}

void PressKey(HWND hWnd, UINT vk) {
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    ::PostMessageW(hWnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    ::PostMessageW(hWnd, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
    PumpMessages(50);
}

void SetCursorAt(HWND hWnd, int x, int y) {
    POINT pt{x, y};
    ::ClientToScreen(hWnd, &pt);
    ::SetCursorPos(pt.x, pt.y);
}

namespace {

struct ModalSession {
    const std::vector<std::function<void(HWND)>>* steps = nullptr;
    size_t next = 0;
    DWORD lastStep = 0;
    DWORD timeoutMs = 0;
};
ModalSession* g_modal = nullptr;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM out) {
    wchar_t cls[16] = {};
    ::GetClassNameW(hWnd, cls, 16);
    if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(out) = hWnd;  // the last one listed wins
    }
    return TRUE;
}

HWND NewestDialog() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK ModalTick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_modal == nullptr) return;
    HWND dialog = NewestDialog();
    if (dialog == nullptr) return;
    if (g_modal->next < g_modal->steps->size()) {
        const size_t index = g_modal->next++;
        (*g_modal->steps)[index](dialog);
        g_modal->lastStep = ::GetTickCount();
    } else if (::GetTickCount() - g_modal->lastStep > g_modal->timeoutMs) {
        ::EndDialog(dialog, -2);
    }
}

}  // namespace

INT_PTR RunModal(const std::function<INT_PTR()>& run, const std::vector<std::function<void(HWND)>>& steps,
                 DWORD timeoutMs) {
    ModalSession session;
    session.steps = &steps;
    session.lastStep = ::GetTickCount();
    session.timeoutMs = timeoutMs;
    ModalSession* outer = g_modal;
    g_modal = &session;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 60, &ModalTick);
    INT_PTR result = run();
    ::KillTimer(nullptr, timer);
    g_modal = outer;
    return result;
}

ScratchFolder::ScratchFolder(const wchar_t* tag) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    m_path = std::wstring(temp) + UniqueName(tag) + L"-" + std::to_wstring(++counter) + L"\\";
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    // SHFileOperation wants a double-terminated list without the trailing slash.
    std::wstring from = m_path.substr(0, m_path.size() - 1);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

std::wstring UniqueName(const wchar_t* tag) {
    return std::wstring(L"cdvtest-") + tag + L"-" + std::to_wstring(::GetCurrentProcessId());
}

namespace {

bool PngEncoder(CLSID* clsid) {
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    if (size == 0) return false;
    std::unique_ptr<char[]> buffer(new char[size]);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool WritePng(const std::wstring& path, int width, int height, const std::function<uint32_t(int, int)>& color) {
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, Gdiplus::Color(color(x, y)));
    }
    CLSID png{};
    if (!PngEncoder(&png)) return false;
    return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

bool WriteStripPng(const std::wstring& path, int frameWidth, int height, const std::vector<uint32_t>& colours) {
    const int frames = static_cast<int>(colours.size());
    return WritePng(path, frameWidth * frames, height,
                    [&](int x, int) { return colours[static_cast<size_t>(x / frameWidth)]; });
}

}  // namespace uitest
