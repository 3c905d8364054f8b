// The skinned category tree as a real window under a reflecting host:
// painting of both item kinds, tick links between root and categories,
// categories without data, double-clicks and the keyboard.
#include "ui/controls/tree_view_ex.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "tests/controls_list/control_host.h"
#include "tests/controls_list/test_skin.h"
#include "tests/controls_list/test_skin_suite.h"
#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/skin.h"

namespace {

using uitest::Capture;
using uitest::SentMessage;

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_LINESATROOT |
                             TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS | TVS_CHECKBOXES | TVS_FULLROWSELECT;
constexpr UINT kTick = WM_USER + 105;

class TreeTest : public uitest::TestSkinSuite {
protected:
    void SetUp() override {
        host = std::make_unique<uitest::ControlHost>();
        HWND hwnd = ::CreateWindowExW(0, WC_TREEVIEWW, L"", kTreeStyle, 1, 32, 221, 300, host->m_hWnd,
                                      reinterpret_cast<HMENU>(1003), ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(hwnd, nullptr);
        other = ::CreateWindowExW(0, L"BUTTON", L"elsewhere", WS_CHILD | WS_VISIBLE, 300, 32, 100, 30, host->m_hWnd,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
        tree = std::make_unique<CTreeViewEx1>();
        ASSERT_TRUE(tree->InitTree(hwnd));
        icon = SkinImage(L"contacts.png");

        TVINSERTSTRUCTW insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
        insert.item.pszText = const_cast<wchar_t*>(L"android phone");
        insert.item.cChildren = 1;
        root = tree->InsertItem(&insert);
        ASSERT_NE(root, nullptr);
    }

    void TearDown() override {
        HWND hwnd = tree->m_hWnd;
        tree.reset();
        if (hwnd != nullptr) ::DestroyWindow(hwnd);
        icon.reset();
        host.reset();
    }

    HTREEITEM AddCategory(bool hasData, int state) {
        HTREEITEM item = tree->InsertContactsItem(root, icon.get());
        EXPECT_NE(item, nullptr);
        if (hasData) tree->SetCategory(L"Contacts (3)", item, 1);
        SetState(item, state);
        tree->Expand(root);
        return item;
    }

    void SetState(HTREEITEM item, int state) {
        TVITEMW tv{};
        tv.mask = TVIF_STATE;
        tv.hItem = item;
        tv.state = INDEXTOSTATEIMAGEMASK(state);
        tv.stateMask = TVIS_STATEIMAGEMASK;
        tree->SetItem(&tv);
    }

    RECT Line(HTREEITEM item) {
        RECT rc{};
        tree->GetItemRect(item, &rc, false);
        return rc;
    }

    // Centre of the painted check box: root at L + 16 + 10, categories at L + 16 + 36.
    POINT BoxCentre(HTREEITEM item) {
        RECT rc = Line(item);
        const int left = rc.left + (item == root ? 26 : 52);
        return POINT{left + 8, rc.top + (rc.bottom - rc.top) / 2};
    }

    void ClickBox(HTREEITEM item) {
        POINT p = BoxCentre(item);
        uitest::Click(tree->m_hWnd, p.x, p.y);
    }

    Capture Paint() {
        uitest::Repaint(host->m_hWnd);
        return uitest::CaptureClient(tree->m_hWnd);
    }

    int CountNear(const Capture& cap, const RECT& area, uint32_t colour, int tolerance) {
        int n = 0;
        for (int y = std::max(0L, area.top); y < std::min<long>(cap.height, area.bottom); ++y) {
            for (int x = std::max(0L, area.left); x < std::min<long>(cap.width, area.right); ++x) {
                n += uitest::Near(cap.At(x, y), colour, tolerance) ? 1 : 0;
            }
        }
        return n;
    }

    std::unique_ptr<uitest::ControlHost> host;
    std::unique_ptr<CTreeViewEx1> tree;
    fw::ImagePtr icon;
    HTREEITEM root = nullptr;
    HWND other = nullptr;
};

TEST_F(TreeTest, ItemsAreTwentyFivePixelsHighAndPaintTheirParts) {
    HTREEITEM contacts = AddCategory(true, 2);
    SetState(root, 1);
    RECT rootLine = Line(root);
    RECT line = Line(contacts);
    EXPECT_EQ(line.top - rootLine.top, 25);
    EXPECT_EQ(tree->SendMessage(TVM_GETITEMHEIGHT), 25);
    Capture cap = Paint();
    const int L = rootLine.left;
    const int T = rootLine.top;
    // Root: glyph at L+5, unticked box at L+26, root icon at L+16+16+15, all centred in 25 rows.
    EXPECT_TRUE(uitest::Near(cap.At(L + 5, T + 4), uitest::kGlyphColour, 0)) << std::hex << cap.At(L + 5, T + 4);
    EXPECT_TRUE(uitest::Near(cap.At(L + 26, T + 4), uitest::kUntickedColour, 0));
    EXPECT_TRUE(uitest::Near(cap.At(L + 41, T + 19), uitest::kUntickedColour, 0));
    EXPECT_TRUE(uitest::Near(cap.At(L + 47, T + 4), uitest::kRootIconColour, 0));
    // Category: ticked box at L+16+36, icon at L+32+41.
    EXPECT_TRUE(uitest::Near(cap.At(line.left + 52, line.top + 12), uitest::kTickedColour, 0));
    EXPECT_TRUE(uitest::Near(cap.At(line.left + 73, line.top + 12), uitest::kCategoryIconColour, 0));
    // Captions: bold black root caption from L+16+16+36, black category caption from L+16+32+46.
    RECT rootCaption{L + 68, T + 5, L + 200, T + 21};
    RECT caption{line.left + 94, line.top + 5, line.left + 200, line.top + 20};
    EXPECT_GT(CountNear(cap, rootCaption, 0, 60), 20);
    EXPECT_GT(CountNear(cap, caption, 0, 60), 20);
    // Unused strip frames never show.
    EXPECT_EQ(CountNear(cap, RECT{0, 0, cap.width, cap.height}, uitest::kUnusedColour, 0), 0);
}

TEST_F(TreeTest, RootTickTicksEveryCategoryAndReportsOnlyChanges) {
    HTREEITEM ticked = AddCategory(true, 2);
    HTREEITEM unticked = AddCategory(true, 1);
    HTREEITEM empty = AddCategory(false, 2);
    SetState(root, 1);
    ClickBox(root);
    EXPECT_EQ(tree->StateIndex(root), 2);
    EXPECT_EQ(tree->StateIndex(ticked), 2);
    EXPECT_EQ(tree->StateIndex(unticked), 2);
    EXPECT_EQ(tree->StateIndex(empty), 2);
    EXPECT_EQ(host->ticks, (std::vector<SentMessage>{{kTick, reinterpret_cast<WPARAM>(unticked), 1}}));

    host->ticks.clear();
    ClickBox(root);
    EXPECT_EQ(tree->StateIndex(root), 1);
    for (HTREEITEM item : {ticked, unticked, empty}) EXPECT_EQ(tree->StateIndex(item), 1);
    // A category without data still follows the root and is reported when its tick changes.
    EXPECT_EQ(host->ticks, (std::vector<SentMessage>{{kTick, reinterpret_cast<WPARAM>(ticked), 0},
                                                     {kTick, reinterpret_cast<WPARAM>(unticked), 0},
                                                     {kTick, reinterpret_cast<WPARAM>(empty), 0}}));
    EXPECT_EQ(host->selectionChanges, 0) << "a click on a box does not select";
}

TEST_F(TreeTest, CategoryTickDrivesTheRoot) {
    HTREEITEM contacts = AddCategory(true, 2);
    HTREEITEM empty = AddCategory(false, 1);
    SetState(root, 2);
    ClickBox(contacts);
    EXPECT_EQ(tree->StateIndex(contacts), 1);
    EXPECT_EQ(tree->StateIndex(root), 1);
    EXPECT_EQ(host->ticks, (std::vector<SentMessage>{{kTick, reinterpret_cast<WPARAM>(contacts), 0}}));
    ClickBox(contacts);
    EXPECT_EQ(tree->StateIndex(contacts), 2);
    EXPECT_EQ(tree->StateIndex(root), 2) << "the unticked category without data does not count";
    ASSERT_EQ(host->ticks.size(), 2u);
    EXPECT_EQ(host->ticks[1], (SentMessage{kTick, reinterpret_cast<WPARAM>(contacts), 1}));
    EXPECT_EQ(tree->StateIndex(empty), 1);
}

TEST_F(TreeTest, CategoryWithoutDataIsGreyAndDeafToClicks) {
    HTREEITEM empty = AddCategory(false, 2);
    tree->SelectItem(root);
    const int selections = host->selectionChanges;
    Capture cap = Paint();
    RECT line = Line(empty);
    POINT box = BoxCentre(empty);
    EXPECT_TRUE(uitest::Near(cap.At(box.x, box.y), uitest::kUnavailableColour, 0)) << std::hex << cap.At(box.x, box.y);
    RECT caption{line.left + 94, line.top + 5, line.left + 200, line.top + 20};
    EXPECT_GT(CountNear(cap, caption, uitest::Rgb(200, 200, 200), 30), 10);
    EXPECT_EQ(CountNear(cap, caption, 0, 90), 0) << "no dark caption pixels";

    uitest::Click(tree->m_hWnd, box.x, box.y);
    uitest::Click(tree->m_hWnd, line.left + 110, line.top + 12);  // caption
    uitest::Click(tree->m_hWnd, 200, line.top + 12);              // far right of the line
    EXPECT_EQ(tree->StateIndex(empty), 2);
    EXPECT_TRUE(host->ticks.empty());
    EXPECT_EQ(host->selectionChanges, selections);
    EXPECT_EQ(tree->GetNextItem(nullptr, TVGN_CARET), root);

    // Once it holds data it answers.
    EXPECT_NE(tree->SetCategory(L"Contacts (1)", empty, 1), 0);
    uitest::Click(tree->m_hWnd, line.left + 110, line.top + 12);
    EXPECT_EQ(tree->GetNextItem(nullptr, TVGN_CARET), empty);
    cap = Paint();
    EXPECT_TRUE(uitest::Near(cap.At(box.x, box.y), uitest::kTickedColour, 0));
}

TEST_F(TreeTest, SelectedCategoryWithoutFocusShowsTheGradientAndBlueCaption) {
    HTREEITEM contacts = AddCategory(true, 2);
    tree->SelectItem(contacts);
    ::SetFocus(other);
    uitest::PumpMessages(20);
    ASSERT_NE(::GetFocus(), tree->m_hWnd);
    Capture cap = Paint();
    RECT line = Line(contacts);
    // The band runs from L + 2*16 + 16 + 46 to the content's right end.
    const int left = line.left + 94;
    const int y = line.top + 2;
    EXPECT_TRUE(uitest::Near(cap.At(left, y), uitest::Rgb(168, 229, 246), 6)) << std::hex << cap.At(left, y);
    EXPECT_TRUE(uitest::Near(cap.At(cap.width - 1, y), uitest::Rgb(241, 247, 249), 6)) << std::hex << cap.At(cap.width - 1, y);
    EXPECT_TRUE(uitest::Near(cap.At(left - 1, y), uitest::Rgb(255, 255, 255), 0)) << "nothing left of the band";
    RECT caption{line.left + 94, line.top + 5, line.left + 200, line.top + 20};
    EXPECT_GT(CountNear(cap, caption, uitest::Rgb(0, 0, 200), 40), 10);

    // Not selected: white line, black caption.
    tree->SelectItem(root);
    cap = Paint();
    EXPECT_TRUE(uitest::Near(cap.At(left, y), uitest::Rgb(255, 255, 255), 0));
    EXPECT_EQ(CountNear(cap, caption, uitest::Rgb(0, 0, 200), 40), 0);
}

TEST_F(TreeTest, DoubleClickNeitherCollapsesNorExpands) {
    AddCategory(true, 2);
    RECT line = Line(root);
    const int x = line.left + 90;
    const int y = line.top + 12;
    ::PostMessageW(tree->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(tree->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    ::PostMessageW(tree->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(tree->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    uitest::PumpMessages(80);
    TVITEMW tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = root;
    tv.stateMask = TVIS_EXPANDED;
    tree->GetItem(&tv);
    EXPECT_NE(tv.state & TVIS_EXPANDED, 0u);

    // The system's own expand button still works with single clicks.
    ::PostMessageW(tree->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(line.left + 8, y));
    ::PostMessageW(tree->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(line.left + 8, y));
    uitest::PumpMessages(80);
    tree->GetItem(&tv);
    EXPECT_EQ(tv.state & TVIS_EXPANDED, 0u);
}

TEST_F(TreeTest, StateIndexZeroPaintsTickedAndAClickUnticks) {
    HTREEITEM contacts = AddCategory(true, 0);
    SetState(root, 0);
    Capture cap = Paint();
    POINT rootBox = BoxCentre(root);
    POINT box = BoxCentre(contacts);
    EXPECT_TRUE(uitest::Near(cap.At(rootBox.x, rootBox.y), uitest::kTickedColour, 0));
    EXPECT_TRUE(uitest::Near(cap.At(box.x, box.y), uitest::kTickedColour, 0));
    ClickBox(contacts);
    EXPECT_EQ(tree->StateIndex(contacts), 1);
    EXPECT_EQ(host->ticks, (std::vector<SentMessage>{{kTick, reinterpret_cast<WPARAM>(contacts), 0}}));
}

TEST_F(TreeTest, SpaceTicksTheSelectedItemThroughTheSamePath) {
    HTREEITEM contacts = AddCategory(true, 2);
    SetState(root, 2);
    tree->SelectItem(contacts);
    tree->SetFocus();
    uitest::PressKey(tree->m_hWnd, VK_SPACE);
    EXPECT_EQ(tree->StateIndex(contacts), 1);
    EXPECT_EQ(tree->StateIndex(root), 1);
    EXPECT_EQ(host->ticks, (std::vector<SentMessage>{{kTick, reinterpret_cast<WPARAM>(contacts), 0}}));
}

TEST_F(TreeTest, SetCategoryFromAWorkerChangesTextAndDataOnTheTreesThread) {
    HTREEITEM contacts = AddCategory(false, 1);
    LRESULT result = 0;
    std::thread worker([&] { result = tree->SetCategory(L"Contacts (42)", contacts, 1); });
    EXPECT_TRUE(uitest::PumpUntil([&] { return tree->ItemRecord(contacts)->hasData == 1; }));
    worker.join();
    EXPECT_NE(result, 0);
    EXPECT_EQ(tree->GetItemText(contacts), L"Contacts (42)");
    // Without a text only the flag changes; an item without a record is refused.
    EXPECT_NE(tree->SetCategory(nullptr, contacts, 0), 0);
    EXPECT_EQ(tree->ItemRecord(contacts)->hasData, 0);
    EXPECT_EQ(tree->GetItemText(contacts), L"Contacts (42)");
    EXPECT_EQ(tree->SetCategory(L"x", root, 1), 0);
    EXPECT_EQ(tree->ItemRecord(contacts)->icon, icon.get());
    EXPECT_EQ(tree->ItemRecord(contacts)->kind, 0);
}

}  // namespace
