// The main window's frame from template 129: shape without skin files, and
// the exit codes of its close paths.

#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_dlg.h"
#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/skin.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = ImageFolder();
        SetImageFolder(L"C:\\no-such-folder-cardivane\\image\\");
    }
    void TearDown() override { SetImageFolder(saved); }
    std::wstring saved;
};

TEST_F(MainWindowTest, MissingImageFolderStillGivesTheRoundedFrame) {
    RECT window{};
    RECT client{};
    DWORD style = 0;
    bool roundCorners = false;
    std::wstring title;
    bool openAfterEscape = false;
    INT_PTR code = uitest::RunModal(
        [] {
            CMainDlg dlg;
            return dlg.DoModal(nullptr);
        },
        {[&](HWND dlg) {
             ::GetWindowRect(dlg, &window);
             ::GetClientRect(dlg, &client);
             style = static_cast<DWORD>(::GetWindowLongPtrW(dlg, GWL_STYLE));
             HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
             if (::GetWindowRgn(dlg, rgn) != ERROR) {
                 roundCorners = !::PtInRegion(rgn, 0, 0) && !::PtInRegion(rgn, 983, 673) && ::PtInRegion(rgn, 492, 337) &&
                                ::PtInRegion(rgn, 983, 337);
             }
             ::DeleteObject(rgn);
             wchar_t text[64] = {};
             ::GetWindowTextW(dlg, text, 64);
             title = text;
             uitest::PressKey(dlg, VK_ESCAPE);
             ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
             ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
         },
         [&](HWND dlg) {
             openAfterEscape = ::IsWindowVisible(dlg) != FALSE;
             ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, 1000)));
         }});
    EXPECT_EQ(code, 1000) << "the close button";
    EXPECT_EQ(window.right - window.left, 984);
    EXPECT_EQ(window.bottom - window.top, 674);
    EXPECT_EQ(client.right, 984);
    EXPECT_EQ(client.bottom, 674);
    EXPECT_EQ(style & WS_CAPTION, 0u);
    EXPECT_TRUE(roundCorners);
    EXPECT_EQ(title, L"Marlowen Cardivane");
    EXPECT_TRUE(openAfterEscape);
}

TEST_F(MainWindowTest, CloseRequestEndsWithZero) {
    INT_PTR code = uitest::RunModal(
        [] {
            CMainDlg dlg;
            return dlg.DoModal(nullptr);
        },
        {[&](HWND dlg) { ::PostMessageW(dlg, WM_CLOSE, 0, 0); }});
    EXPECT_EQ(code, 0);
}

TEST_F(MainWindowTest, FailurePagePaintsItsTexts) {
    uitest::Capture before;
    uitest::Capture after;
    uitest::RunModal(
        [] {
            CMainDlg dlg;
            return dlg.DoModal(nullptr);
        },
        {[&](HWND dlg) {
            uitest::Repaint(dlg);
            before = uitest::CaptureClient(dlg);
            auto* self = static_cast<CMainDlg*>(fw::CDialogImplCore::FromHandle(dlg));
            self->m_loadState = 0;
            uitest::Repaint(dlg);
            after = uitest::CaptureClient(dlg);
            ::PostMessageW(dlg, WM_CLOSE, 0, 0);
        }});
    ASSERT_FALSE(after.Empty());
    // The red heading line at (100, 570): some pixels of its colour appear.
    int red = 0;
    for (int y = 570; y < 590; ++y) {
        for (int x = 100; x < 400; ++x) {
            if (uitest::Near(after.At(x, y), uitest::Rgb(189, 58, 6), 40)) ++red;
            EXPECT_FALSE(uitest::Near(before.At(x, y), uitest::Rgb(189, 58, 6), 40));
        }
    }
    EXPECT_GT(red, 20);
}

}  // namespace
