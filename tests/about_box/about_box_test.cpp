// The about box run modally from its template: its size, shape and parts, the
// version line as drawn, the home-page link, and the two ways it closes.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/web_links.h"
#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/font_pool.h"
#include "ui/controls/product_info.h"
#include "ui/controls/shell_open.h"
#include "ui/controls/skin.h"
#include "ui/dialogs/about_box.h"
#include "ui/framework/gdi.h"

namespace {

using uitest::Rgb;

constexpr int kW = 500;
constexpr int kH = 340;
constexpr uint32_t kFace = 0xFFD2E1F0;

RECT ChildRect(HWND box, HWND child) {
    RECT rc{};
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(HWND_DESKTOP, box, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Paints now without pumping messages: a step of RunModal must not let the
// next step's timer run inside it.
void RedrawNow(HWND hWnd) {
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
}

void Click(HWND button) {
    const RECT rc = ChildRect(button, button);
    uitest::Click(button, (rc.right - rc.left) / 2, (rc.bottom - rc.top) / 2);
}

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = ImageFolder();
        SetImageFolder(folder.Path());
        SetProductVersion(L"1.0.0.1");
        ASSERT_TRUE(uitest::WritePng(folder.File(L"aboutbk.png"), kW, kH, [](int, int) { return kFace; }));
        const std::vector<uint32_t> states = {0xFFC8E6C8u, 0xFFB4DCB4u, 0xFFA0D2A0u, 0xFFDDDDDDu};
        ASSERT_TRUE(uitest::WriteStripPng(folder.File(L"close.png"), 18, 18, states));
        ASSERT_TRUE(uitest::WriteStripPng(folder.File(L"ok.png"), 64, 26, states));
    }
    void TearDown() override { SetImageFolder(saved); }

    static INT_PTR Run(const std::vector<std::function<void(HWND)>>& steps) {
        return uitest::RunModal([] { return cdv::CAboutBox().DoModal(nullptr); }, steps);
    }

    std::wstring saved;
    uitest::ScratchFolder folder{L"about"};
};

TEST_F(AboutBoxTest, EscapeIsIgnoredAndTheButtonsReturnTheirIds) {
    bool openAfterEscape = false;
    EXPECT_EQ(Run({[](HWND box) { uitest::PressKey(box, VK_ESCAPE); },
                   [&](HWND box) { openAfterEscape = ::IsWindowVisible(box) != FALSE; },
                   [](HWND box) { Click(::GetDlgItem(box, 1024)); }}),
              cdv::kAboutClosed);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(Run({[](HWND box) { Click(::GetDlgItem(box, 1027)); }}), cdv::kAboutOk);
}

TEST_F(AboutBoxTest, TakesItsSizeFromTheFaceWithRoundedCornersAndPlacesItsParts) {
    RECT window{}, closeRect{}, okRect{}, linkRect{};
    bool cornerCut = false, insideKept = false;
    std::wstring label;
    std::wstring address;
    LOGFONTW linkFont{};
    uint32_t linkBackground = 0;
    Run({[&](HWND box) {
        ::GetWindowRect(box, &window);
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(box, rgn) != ERROR) {
            cornerCut = !::PtInRegion(rgn, 0, 0);
            insideKept = ::PtInRegion(rgn, 6, 6) != FALSE;
        }
        ::DeleteObject(rgn);
        closeRect = ChildRect(box, ::GetDlgItem(box, 1024));
        okRect = ChildRect(box, ::GetDlgItem(box, 1027));
        auto* about = static_cast<cdv::CAboutBox*>(fw::CDialogImplCore::FromHandle(box));
        const cdv::CHyperLink& link = about->HomePageLink();
        linkRect = ChildRect(box, link.m_hWnd);
        label = link.GetLabel();
        address = link.GetHyperLink();
        ::GetObjectW(link.GetLinkFont(), sizeof(linkFont), &linkFont);
        RedrawNow(box);
        const uitest::Capture cap = uitest::CaptureClient(link.m_hWnd);
        linkBackground = cap.Empty() ? 0 : cap.At(cap.width - 1, cap.height - 1);
    },
         [](HWND box) { Click(::GetDlgItem(box, 1027)); }});

    EXPECT_EQ(window.right - window.left, kW);
    EXPECT_EQ(window.bottom - window.top, kH);
    EXPECT_TRUE(cornerCut);
    EXPECT_TRUE(insideKept);
    // Close: 8 from the right, 5 from the top; OK: 20 from the right, 15 from the bottom.
    EXPECT_EQ(closeRect.left, kW - 18 - 8);
    EXPECT_EQ(closeRect.top, 5);
    EXPECT_EQ(okRect.left, kW - 64 - 20);
    EXPECT_EQ(okRect.top, kH - 26 - 15);
    EXPECT_EQ(linkRect.left, 40);
    EXPECT_EQ(linkRect.top, 270);
    EXPECT_GT(linkRect.right - linkRect.left, 150);
    EXPECT_EQ(label, std::wstring(L"Homepage:") + cdv::web::kHomePage);
    EXPECT_EQ(address, cdv::web::kHomePage);
    EXPECT_EQ(linkFont.lfHeight, -16);
    EXPECT_TRUE(uitest::Near(linkBackground, Rgb(238, 244, 248), 2)) << std::hex << linkBackground;
}

// The version line exactly as drawn: compared with "Version:1.0.0.1" drawn
// the same way on the same face, and distinguishable from a spaced variant.
TEST_F(AboutBoxTest, VersionLineReadsVersionColonAndTheVersion) {
    uitest::Capture shown;
    Run({[&](HWND box) {
        RedrawNow(box);
        shown = uitest::CaptureClient(box);
    },
         [](HWND box) { Click(::GetDlgItem(box, 1024)); }});
    ASSERT_FALSE(shown.Empty());

    auto render = [](const wchar_t* text) {
        fw::ClientDC screen(nullptr);
        fw::OffscreenBuffer buffer(screen, 260, 30);
        RECT all{0, 0, 260, 30};
        fw::GdiBrush face(::CreateSolidBrush(RGB(0xD2, 0xE1, 0xF0)));
        ::FillRect(buffer.dc(), &all, face.get());
        ::SetBkMode(buffer.dc(), TRANSPARENT);
        ::SetTextColor(buffer.dc(), RGB(0, 0, 90));
        fw::SelectionGuard font(buffer.dc(), TkFontPool::Instance().FontByKey(0x200));
        ::ExtTextOutW(buffer.dc(), 0, 0, 0, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
        std::vector<COLORREF> px;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 260; ++x) px.push_back(::GetPixel(buffer.dc(), x, y));
        return px;
    };
    auto differences = [&](const std::vector<COLORREF>& expected) {
        int n = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 260; ++x) {
                const COLORREF e = expected[static_cast<size_t>(y) * 260 + x];
                n += uitest::Near(shown.At(40 + x, 135 + y), Rgb(GetRValue(e), GetGValue(e), GetBValue(e)), 4) ? 0 : 1;
            }
        }
        return n;
    };
    EXPECT_EQ(differences(render(L"Version:1.0.0.1")), 0);
    EXPECT_GT(differences(render(L"Version: 1.0.0.1")), 20);
    EXPECT_EQ(cdv::AboutVersionLine(L"1.0.0.1"), L"Version:1.0.0.1");
}

TEST_F(AboutBoxTest, HomePageLinkOpensTheHomePage) {
    std::vector<std::wstring> opened;
    cdv::ScopedShellOpener observer([&](const wchar_t* address) {
        opened.emplace_back(address);
        return true;
    });
    bool visited = false;
    Run({[](HWND box) {
             auto* about = static_cast<cdv::CAboutBox*>(fw::CDialogImplCore::FromHandle(box));
             const RECT label = about->HomePageLink().GetLabelRect();
             uitest::Click(about->HomePageLink().m_hWnd, (label.left + label.right) / 2, (label.top + label.bottom) / 2);
         },
         [&](HWND box) {
             visited = static_cast<cdv::CAboutBox*>(fw::CDialogImplCore::FromHandle(box))->HomePageLink().IsVisited();
         },
         [](HWND box) { Click(::GetDlgItem(box, 1027)); }});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], cdv::web::kHomePage);
    EXPECT_TRUE(visited);
}

TEST_F(AboutBoxTest, MissingFaceStillGivesABoxThatCloses) {
    ::DeleteFileW(folder.File(L"aboutbk.png").c_str());
    ::DeleteFileW(folder.File(L"close.png").c_str());
    RECT window{};
    EXPECT_EQ(Run({[&](HWND box) { ::GetWindowRect(box, &window); },
                   [](HWND box) { Click(::GetDlgItem(box, 1024)); }}),
              cdv::kAboutClosed);
    EXPECT_GT(window.right - window.left, 450);
    EXPECT_GT(window.bottom - window.top, 320);
}

}  // namespace
