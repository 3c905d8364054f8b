#pragma once
// CAboutBox: the modal "About" window. Borderless with rounded corners, its
// face is "aboutbk.png"; it shows the product title, the version, a legal
// warning, a copyright line and a link to the maker's home page, and closes
// only through its close button (result 1024) or OK (result 1027). It can be
// dragged by any point of its face.

#include <windows.h>

#include <string>

#include "ui/controls/hyperlink_impl.h"
#include "ui/controls/img_button.h"
#include "ui/framework/dialog_impl.h"
#include "ui/framework/gdi.h"
#include "ui/framework/gdiplus_support.h"

namespace cdv {

constexpr INT_PTR kAboutClosed = 1024;
constexpr INT_PTR kAboutOk = 1027;

// "Version:" and the version, with no blank between.
std::wstring AboutVersionLine(const std::wstring& version);

class CAboutBox : public fw::CDialogImpl<CAboutBox> {
public:
    enum { IDD = 103 };

    static constexpr COLORREF kLinkFace = RGB(238, 244, 248);
    static constexpr RECT kWarningRect{40, 190, 450, 254};

    CAboutBox() = default;
    ~CAboutBox() override;

    const CHyperLink& HomePageLink() const { return m_link; }

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInitDialog();
    void OnPaint();
    HWND LinkStatic() const;

    fw::ImagePtr m_background;
    CImgButton m_btnClose;
    CImgButton m_btnOk;
    RECT m_client{};
    fw::GdiFont m_linkFont;  // declared before the link, which uses it until it goes
    fw::GdiBrush m_linkBrush;
    CHyperLink m_link;
    RECT m_warningRect{};
};

}  // namespace cdv
