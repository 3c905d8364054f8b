#pragma once
// Our hyperlink base: subclasses a static control and shows its label as a
// link (underlined link font, the browser's link colours from the registry, a
// hand cursor and a tooltip with the address). Activating it with the left
// button (press and release on the label) or with Enter or Space opens the
// address through the shell (shell_open.h).

#include <windows.h>

#include <string>

#include "ui/framework/gdi.h"
#include "ui/framework/window_impl.h"

namespace cdv {

class CHyperLinkImpl : public fw::CWindowImplBaseT<fw::CWindow> {
public:
    static constexpr COLORREF kDefaultLinkColor = RGB(0, 0, 255);
    static constexpr COLORREF kDefaultVisitedColor = RGB(128, 0, 128);

    CHyperLinkImpl() = default;
    ~CHyperLinkImpl() override;

    // Subclasses the static control and initialises the link on it.
    bool SubclassWindow(HWND hWnd);

    // The label shown (the window text when none is set before subclassing).
    void SetLabel(const wchar_t* label);
    const std::wstring& GetLabel() const { return m_label; }
    // The address opened on activation; also the tooltip text.
    void SetHyperLink(const wchar_t* address);
    const std::wstring& GetHyperLink() const { return m_hyperlink; }
    // The label font. A font the link made itself is deleted first; a font
    // handed in stays the caller's.
    void SetLinkFont(HFONT font);
    HFONT GetLinkFont() const { return m_linkFont; }

    // The label's extent in the link font: the size the control needs.
    bool GetIdealSize(SIZE& size) const;
    RECT GetLabelRect() const { return m_labelRect; }

    COLORREF GetLinkColor() const { return m_linkColor; }
    COLORREF GetVisitedColor() const { return m_visitedColor; }
    bool IsVisited() const { return m_visited; }
    HWND GetToolTip() const { return m_toolTip; }

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    // Opens the link; the plain link opens its address and turns visited
    // when the shell accepted it.
    virtual void Navigate();
    void MarkVisited();
    bool IsOverLabel(LPARAM pointLParam) const;

private:
    void Init();
    void ReadRegistryColors();
    void CalcLabelRect();
    void UpdateToolTip();
    void Paint(HDC target);
    HFONT NormalFont() const;

    std::wstring m_label;
    std::wstring m_hyperlink;
    HFONT m_linkFont = nullptr;
    HFONT m_normalFont = nullptr;
    bool m_ownLinkFont = false;
    HCURSOR m_handCursor = nullptr;
    COLORREF m_linkColor = kDefaultLinkColor;
    COLORREF m_visitedColor = kDefaultVisitedColor;
    bool m_paintLabel = true;
    bool m_visited = false;
    bool m_hover = false;
    bool m_toolAdded = false;
    RECT m_labelRect{};
    HWND m_toolTip = nullptr;
};

// The plain link: opens its own stored address and turns visited.
class CHyperLink : public CHyperLinkImpl {};

}  // namespace cdv
