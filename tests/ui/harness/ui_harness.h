#pragma once
// Helpers for Windows UI tests: message pumping, real input messages, pixel
// capture of a window, scratch folders and small generated PNG files.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace uitest {

// Dispatches this thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms = 50);
// Dispatches messages until `done` holds or `timeoutMs` passes; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
// Repaints now and lets the resulting messages run.
void Repaint(HWND hWnd);

// Pixels of a window as 0x00RRGGBB, row-major, read back from the screen.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool Empty() const { return pixels.empty(); }
};

// The client area (through the window's client DC) or the whole window
// (through the screen DC over its rectangle); both read what is on screen.
Capture CaptureClient(HWND hWnd);
Capture CaptureWindowFromScreen(HWND hWnd);

// Writes a capture as a 24-bit BMP (for looking at a failure or a screen).
bool SaveBmp(const Capture& capture, const std::wstring& path);

constexpr uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}
// True when each channel differs by at most `tolerance`.
bool Near(uint32_t a, uint32_t b, int tolerance = 8);

// Mouse and keyboard messages as the system would deliver them. Coordinates
// are client coordinates of `hWnd`.
void MouseMove(HWND hWnd, int x, int y, WPARAM keys = 0);
void LeftDown(HWND hWnd, int x, int y);
void LeftUp(HWND hWnd, int x, int y);
// Posted press and release, then pumped, so capture loops run as for a user.
void Click(HWND hWnd, int x, int y);
void PressKey(HWND hWnd, UINT vk);
// Puts the real cursor over a client point (for hit tests such as WindowFromPoint).
void SetCursorAt(HWND hWnd, int x, int y);

// Runs `run` (which enters a modal loop, such as DoModal) while `steps` are
// applied one per timer tick, from inside that loop, to the thread's newest
// visible dialog. If the dialog is still open `timeoutMs` after the last step,
// it is ended with -2 so that a failing test cannot hang. Returns run's result.
INT_PTR RunModal(const std::function<INT_PTR()>& run, const std::vector<std::function<void(HWND)>>& steps,
                 DWORD timeoutMs = 5000);

// A new empty folder under the temporary folder, unique to this process,
// removed with everything in it on destruction.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* tag);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // The folder path, ending in a backslash.
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const wchar_t* name) const { return m_path + name; }

private:
    std::wstring m_path;
};

// A unique name for kernel objects and registry keys of one test process.
std::wstring UniqueName(const wchar_t* tag);

// Writes a 32-bit PNG whose pixel (x, y) is `color(x, y)` as 0xAARRGGBB.
// GDI+ must be running.
bool WritePng(const std::wstring& path, int width, int height, const std::function<uint32_t(int, int)>& color);
// An N-frame strip, frame i filled with colours[i] (0xAARRGGBB).
bool WriteStripPng(const std::wstring& path, int frameWidth, int height, const std::vector<uint32_t>& colours);

}  // namespace uitest
