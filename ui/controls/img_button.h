#pragma once
// CImgButton: a push button of a dialog template drawn from an image strip
// (normal, hover, pressed and, with 4 frames, disabled), over a copy of the
// parent's background that the parent hands it while painting.
//
// The parent must reflect WM_DRAWITEM (fw::ReflectNotifications) and call
// CaptureBackground for each visible button whenever it repaints behind it.
// Clicks reach the parent as the system button's BN_CLICKED.

#include <windows.h>

#include <string>

#include "ui/framework/controls.h"
#include "ui/framework/gdi.h"
#include "ui/framework/gdiplus_support.h"
#include "ui/framework/window_impl.h"

class CImgButton : public fw::CWindowImpl<CImgButton, fw::CButton> {
public:
    CImgButton() = default;
    ~CImgButton() override;

    // Subclasses `button`, makes it owner-drawn, loads the strip from
    // `imagePath` (a SkinFilePath), sizes the button to one frame and moves it
    // to (x, y) in the parent's client area, on top and shown. Negative x and y
    // count from the parent's right and bottom edges. False when `button` is
    // not a window or cannot be subclassed. May be repeated.
    bool SetupButton(HWND button, const std::wstring& imagePath, int x, int y, int stateCount);

    // Copies the parent's pixels behind the button from `source` at (x, y),
    // the button's top-left corner in the parent's client coordinates.
    void CaptureBackground(HDC source, int x, int y);

    // A button whose strip could not be loaded is 0 x 0. This gives it a size
    // and a plain system face with its window text instead, so that a window
    // whose skin files are missing still has buttons a user can press.
    void UsePlainFace(int x, int y, int width, int height);

    void DrawItem(const DRAWITEMSTRUCT* dis);

    bool IsTracking() const { return m_tracking; }
    bool IsImageEnabled() const { return m_enabled; }
    // The image button's own enabled state: disabled shows frame 3 and
    // ignores the mouse and BM_CLICK.
    void SetImageEnabled(bool enabled);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int StateCount() const { return m_stateCount; }
    bool HasPicture() const;

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnMouseMove(HWND hWnd);
    void DrawPlainFace(HDC dc, const RECT& rc, bool pressed);

    fw::ImagePtr m_image;
    bool m_tracking = false;
    int m_width = 0;
    int m_height = 0;
    int m_stateCount = 0;
    bool m_enabled = true;
    bool m_plainFace = false;
    fw::GdiBitmap m_background;
};
