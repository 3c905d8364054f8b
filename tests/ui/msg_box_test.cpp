// The message box run modally from its template: button layouts, the text
// as one line or a wrapped block, Escape, the close button and a missing face.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/skin.h"
#include "ui/dialogs/msg_box.h"

namespace {

constexpr int kW = 400;
constexpr int kH = 180;

class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = ImageFolder();
        SetImageFolder(folder.Path());
        ASSERT_TRUE(uitest::WritePng(folder.File(L"msgbox.png"), kW, kH,
                                     [](int, int y) { return y < 28 ? 0xFF204070u : 0xFFEAF2FAu; }));
        const std::vector<uint32_t> light = {0xFFC8E6C8u, 0xFFB4DCB4u, 0xFFA0D2A0u, 0xFFDDDDDDu};
        for (const wchar_t* name : {L"ok.png", L"cancel.png", L"yes.png", L"no.png"}) {
            ASSERT_TRUE(uitest::WriteStripPng(folder.File(name), 70, 26, light));
        }
        ASSERT_TRUE(uitest::WriteStripPng(folder.File(L"close.png"), 16, 16, light));
        ASSERT_TRUE(uitest::WritePng(folder.File(L"warn.png"), 40, 40, [](int, int) { return 0xFFF0B000u; }));
    }
    void TearDown() override { SetImageFolder(saved); }

    static RECT ChildRect(HWND box, int id) {
        RECT rc{};
        HWND child = ::GetDlgItem(box, id);
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(HWND_DESKTOP, box, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    static bool Visible(HWND box, int id) { return ::IsWindowVisible(::GetDlgItem(box, id)) != FALSE; }
    static void Press(HWND box, int id) { ::SendMessageW(::GetDlgItem(box, id), BM_CLICK, 0, 0); }

    // Rows of the text area (x 70 to W - 10) that hold dark text pixels.
    static std::pair<int, int> TextRows(HWND box) {
        uitest::Repaint(box);
        uitest::Capture cap = uitest::CaptureClient(box);
        if (const char* keep = std::getenv("CARDIVANE_KEEP_CAPTURES")) {
            static int n = 0;
            std::string path = std::string(keep) + "\\msgbox-" + std::to_string(++n) + ".bmp";
            uitest::SaveBmp(cap, std::wstring(path.begin(), path.end()));
        }
        int first = -1;
        int last = -1;
        for (int y = 30; y < cap.height - 45; ++y) {
            for (int x = 70; x < cap.width - 10; ++x) {
                uint32_t p = cap.At(x, y);
                if (((p >> 16) & 0xFF) < 90 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90) {
                    if (first < 0) first = y;
                    last = y;
                    break;
                }
            }
        }
        return {first, last};
    }

    std::wstring saved;
    uitest::ScratchFolder folder{L"msgbox"};
};

TEST_F(MsgBoxTest, ButtonLayoutsPerSet) {
    struct Case {
        unsigned short set;
        std::vector<int> shown;
    } cases[] = {{0x0001, {1011}}, {0x0005, {1011, 1015}}, {0x000A, {1012, 1014}}};
    const int allIds[] = {1011, 1012, 1014, 1015};
    for (const Case& c : cases) {
        std::vector<RECT> rects;
        std::vector<int> visible;
        RECT window{};
        RECT closeRect{};
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        bool cornerOutside = false;
        INT_PTR result = uitest::RunModal(
            [&] {
                CMsgBox box;
                return box.ShowMessage(kMsgBoxWarning, c.set, L"Short text.", nullptr);
            },
            {[&](HWND box) {
                ::GetWindowRect(box, &window);
                for (int id : allIds) {
                    if (Visible(box, id)) visible.push_back(id);
                }
                for (int id : c.shown) rects.push_back(ChildRect(box, id));
                closeRect = ChildRect(box, 1010);
                if (::GetWindowRgn(box, rgn) != ERROR) cornerOutside = !::PtInRegion(rgn, 0, 0) && ::PtInRegion(rgn, 200, 90);
                Press(box, 1010);
            }});
        ::DeleteObject(rgn);
        SCOPED_TRACE(c.set);
        EXPECT_EQ(result, 1010);
        EXPECT_EQ(window.right - window.left, kW);
        EXPECT_EQ(window.bottom - window.top, kH);
        EXPECT_TRUE(cornerOutside) << "rounded corners";
        EXPECT_EQ(closeRect.left, kW - 16 - 5);
        EXPECT_EQ(closeRect.top, 5);
        std::sort(visible.begin(), visible.end());
        std::vector<int> expected = c.shown;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(visible, expected);
        ASSERT_EQ(rects.size(), c.shown.size());
        for (const RECT& rc : rects) EXPECT_EQ(rc.bottom, kH - 15);
        if (rects.size() == 1) {
            EXPECT_EQ(rects[0].left, (kW - 70) / 2);
        } else {
            EXPECT_EQ(rects[0].right, kW / 2 - 20);
            EXPECT_EQ(rects[1].left, kW / 2 + 20);
        }
    }
}

TEST_F(MsgBoxTest, EscapeLeavesItOpenAndButtonsGiveTheirIds) {
    bool openAfterEscape = false;
    INT_PTR result = uitest::RunModal(
        [&] {
            CMsgBox box;
            return box.ShowMessage(kMsgBoxWarning, 0x000A, L"Are you sure to go back?", nullptr);
        },
        {[&](HWND box) {
             HWND focus = ::GetFocus();
             uitest::PressKey(focus != nullptr ? focus : box, VK_ESCAPE);
             ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
         },
         [&](HWND box) {
             openAfterEscape = ::IsWindowVisible(box) != FALSE;
             // A real click on Yes.
             HWND yes = ::GetDlgItem(box, 1012);
             uitest::SetCursorAt(yes, 10, 10);
             ::PostMessageW(yes, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
             ::PostMessageW(yes, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
         }});
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, kMsgBoxYesId);

    INT_PTR ok = uitest::RunModal(
        [&] {
            CMsgBox box;
            return box.ShowMessage(kMsgBoxSuccess, 0x0001, L"Recovering finished, 3 files have been recovered.", nullptr);
        },
        {[&](HWND box) { Press(box, 1011); }});
    EXPECT_EQ(ok, kMsgBoxOkId);
}

TEST_F(MsgBoxTest, OneLineCentredOrAWrappedBlock) {
    std::pair<int, int> shortRows;
    std::pair<int, int> longRows;
    uitest::RunModal(
        [&] {
            CMsgBox box;
            return box.ShowMessage(kMsgBoxWarning, 0x0001, L"Nothing was ticked.", nullptr);
        },
        {[&](HWND box) {
            shortRows = TextRows(box);
            Press(box, 1010);
        }});
    uitest::RunModal(
        [&] {
            CMsgBox box;
            return box.ShowMessage(kMsgBoxWarning, 0x0001,
                                   L"Please select the directory to save the files recovered. The folder must be "
                                   L"writable and have room for every contact that you ticked in the list.",
                                   nullptr);
        },
        {[&](HWND box) {
            longRows = TextRows(box);
            Press(box, 1010);
        }});
    ASSERT_GE(shortRows.first, 0);
    ASSERT_GE(longRows.first, 0);
    const int shortSpan = shortRows.second - shortRows.first;
    const int longSpan = longRows.second - longRows.first;
    EXPECT_LT(shortSpan, 20) << "one line";
    EXPECT_NEAR((shortRows.first + shortRows.second) / 2, kH / 2, 5) << "centred in the full height";
    EXPECT_GT(longSpan, 30) << "several lines";
    EXPECT_NEAR((longRows.first + longRows.second) / 2, kH / 2, 10) << "block centred on the box";
}

TEST_F(MsgBoxTest, MissingFaceStillGivesAClosableBox) {
    uitest::ScratchFolder empty(L"msgbox-empty");
    SetImageFolder(empty.Path());
    RECT window{};
    RECT ok{};
    INT_PTR result = uitest::RunModal(
        [&] {
            CMsgBox box;
            return box.ShowMessage(kMsgBoxError, 0x0001, L"No skin files.", nullptr);
        },
        {[&](HWND box) {
            ::GetWindowRect(box, &window);
            ok = ChildRect(box, 1011);
            Press(box, 1011);
        }});
    EXPECT_EQ(result, kMsgBoxOkId);
    EXPECT_GT(window.right - window.left, 100);
    EXPECT_GT(window.bottom - window.top, 60);
    EXPECT_GT(ok.right - ok.left, 0);
}

TEST_F(MsgBoxTest, CancelAloneGivesItsId) {
    // With no active window the box is ownerless and still runs.
    INT_PTR result = uitest::RunModal(
        [&] {
            CMsgBox box;
            return box.ShowMessage(kMsgBoxInformation, 0x0004, L"Cancel only.", nullptr);
        },
        {[&](HWND box) { Press(box, 1015); }});
    EXPECT_EQ(result, kMsgBoxCancelId);
}

}  // namespace
