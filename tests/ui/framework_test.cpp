// The windowing layer on real windows: binding and unbinding, subclassing,
// superclassing, reflection, dialogs and centring.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "tests/ui/harness/ui_harness.h"
#include "ui/framework/controls.h"
#include "ui/framework/dialog_impl.h"
#include "ui/framework/owner_draw.h"
#include "ui/framework/window_impl.h"

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kThrow = WM_APP + 2;
constexpr UINT kSelfDestroy = WM_APP + 3;

RECT Box(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }

// A top-level window of its own class that records what reaches it.
class CRecorder : public fw::CWindowImpl<CRecorder> {
public:
    std::vector<UINT> seen;
    int finalCalls = 0;
    bool reflect = false;

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        seen.push_back(msg);
        switch (msg) {
        case kPing:
            result = static_cast<LRESULT>(wParam) + 1;
            return true;
        case kThrow:
            throw std::runtime_error("handler failure");
        case kSelfDestroy:
            ::DestroyWindow(hWnd);
            result = 7;
            return true;
        default:
            break;
        }
        if (reflect) return fw::ReflectNotifications(hWnd, msg, wParam, lParam, result);
        return false;
    }
    void OnFinalMessage(HWND) override { ++finalCalls; }
};

bool Saw(const std::vector<UINT>& seen, UINT msg) {
    for (UINT m : seen) {
        if (m == msg) return true;
    }
    return false;
}

TEST(WindowImpl, BindsFromFirstMessageAndUnbindsAtNcDestroy) {
    CRecorder w;
    HWND h = w.Create(nullptr, Box(10, 10, 200, 100), L"rec", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(w.m_hWnd, h);
    EXPECT_EQ(fw::CWindowImplCore::FromHandle(h), &w);
    // Creation messages already went through the dispatch function.
    EXPECT_TRUE(Saw(w.seen, WM_NCCREATE));
    EXPECT_TRUE(Saw(w.seen, WM_CREATE));
    EXPECT_EQ(::SendMessageW(h, kPing, 41, 0), 42);

    ::DestroyWindow(h);
    EXPECT_TRUE(Saw(w.seen, WM_NCDESTROY));
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_EQ(fw::CWindowImplCore::FromHandle(h), nullptr);
    EXPECT_EQ(w.finalCalls, 1);
}

TEST(WindowImpl, ExceptionInHandlerFallsBackToDefaultProcessing) {
    CRecorder w;
    ASSERT_NE(w.Create(nullptr, Box(0, 0, 100, 100), L"x", WS_OVERLAPPEDWINDOW), nullptr);
    // DefWindowProc answers 0 to an application message.
    EXPECT_EQ(::SendMessageW(w.m_hWnd, kThrow, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(w.m_hWnd, kPing, 1, 0), 2);
    w.DestroyWindow();
}

// Deletes itself when its window is gone, as heap-owned controls do.
class CSelfDeleting : public CRecorder {
public:
    static int deleted;
    ~CSelfDeleting() override { ++deleted; }
    void OnFinalMessage(HWND) override { delete this; }
};
int CSelfDeleting::deleted = 0;

TEST(WindowImpl, HandlerMayDestroyItsOwnWindowAndObject) {
    CSelfDeleting::deleted = 0;
    auto* w = new CSelfDeleting;
    HWND h = w->Create(nullptr, Box(0, 0, 100, 100), L"x", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(h, nullptr);
    // The final message waits until the handler that destroyed the window returns.
    EXPECT_EQ(::SendMessageW(h, kSelfDestroy, 0, 0), 7);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(CSelfDeleting::deleted, 1);
}

TEST(WindowImpl, ObjectDestroyedFirstTakesItsCreatedWindowAlong) {
    HWND h = nullptr;
    {
        CRecorder w;
        h = w.Create(nullptr, Box(0, 0, 100, 100), L"x", WS_OVERLAPPEDWINDOW);
        ASSERT_NE(h, nullptr);
    }
    EXPECT_FALSE(::IsWindow(h));
}

// A subclassed push button that answers one message and counts clicks.
class CSubButton : public fw::CWindowImpl<CSubButton, fw::CButton> {
public:
    int pings = 0;
    bool ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg == kPing) {
            ++pings;
            result = 99;
            return true;
        }
        return false;
    }
};

TEST(WindowImpl, SubclassInterceptsAndForwardsToThePreviousProcedure) {
    CRecorder parent;
    ASSERT_NE(parent.Create(nullptr, Box(0, 0, 200, 100), L"p", WS_OVERLAPPEDWINDOW), nullptr);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 80, 20,
                                    parent.m_hWnd, reinterpret_cast<HMENU>(5), nullptr, nullptr);
    const auto original = ::GetWindowLongPtrW(button, GWLP_WNDPROC);

    CSubButton sub;
    ASSERT_TRUE(sub.SubclassWindow(button));
    EXPECT_EQ(::SendMessageW(button, kPing, 0, 0), 99);
    // The system button still does its own work.
    sub.SetCheck(BST_CHECKED);
    EXPECT_EQ(sub.GetCheck(), BST_CHECKED);

    CSubButton second;
    EXPECT_FALSE(second.SubclassWindow(button)) << "one object per window";
    EXPECT_FALSE(second.SubclassWindow(nullptr));
    EXPECT_FALSE(second.SubclassWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(0x123456))));

    EXPECT_EQ(sub.UnsubclassWindow(), button);
    EXPECT_EQ(::GetWindowLongPtrW(button, GWLP_WNDPROC), original);
    EXPECT_EQ(::SendMessageW(button, kPing, 0, 0), 0);
    EXPECT_EQ(sub.pings, 1);
    parent.DestroyWindow();
}

TEST(WindowImpl, SubclassedControlIsReleasedWhenItsParentIsDestroyed) {
    CRecorder parent;
    ASSERT_NE(parent.Create(nullptr, Box(0, 0, 200, 100), L"p", WS_OVERLAPPEDWINDOW), nullptr);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 0, 0, 80, 20, parent.m_hWnd, nullptr, nullptr, nullptr);
    CSubButton sub;
    ASSERT_TRUE(sub.SubclassWindow(button));
    parent.DestroyWindow();
    EXPECT_EQ(sub.m_hWnd, nullptr);
    // The object can bind again once its window is gone.
    HWND other = ::CreateWindowExW(0, L"BUTTON", L"c", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(sub.SubclassWindow(other));
    ::DestroyWindow(other);
}

// A superclass of the system list view.
class CSuperList : public fw::CWindowImpl<CSuperList, fw::CListViewCtrl> {
public:
    static fw::WindowClassInfo GetWndClassInfo() {
        fw::WindowClassInfo info;
        info.name = L"CardivaneTestList";
        info.superclassOf = WC_LISTVIEWW;
        return info;
    }
    int inserts = 0;
    bool ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT&) override {
        if (msg == LVM_INSERTITEMW) ++inserts;
        return false;
    }
};

TEST(WindowImpl, SuperclassKeepsTheSystemControlBehaviour) {
    CRecorder parent;
    ASSERT_NE(parent.Create(nullptr, Box(0, 0, 300, 200), L"p", WS_OVERLAPPEDWINDOW), nullptr);
    CSuperList list;
    HWND h = list.Create(parent.m_hWnd, Box(0, 0, 200, 150), L"datalistview", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 1004);
    ASSERT_NE(h, nullptr);
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    EXPECT_STREQ(cls, L"CardivaneTestList");
    EXPECT_EQ(::GetDlgCtrlID(h), 1004);
    EXPECT_NE(list.GetHeader(), nullptr) << "report view made its header";

    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 100;
    col.pszText = const_cast<wchar_t*>(L"Name");
    list.SendMessage(LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"Ada");
    EXPECT_EQ(list.InsertItem(&item), 0);
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 0), L"Ada");
    EXPECT_EQ(list.inserts, 1);
    parent.DestroyWindow();
    EXPECT_EQ(list.m_hWnd, nullptr);
}

// A skinned button: receives its owner-draw and command notifications back
// from the parent through reflection.
class COwnerButton : public fw::CWindowImpl<COwnerButton, fw::CButton>, public fw::COwnerDraw<COwnerButton> {
public:
    int draws = 0;
    int commands = 0;
    HBRUSH brush = nullptr;
    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg == fw::OCM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            ++commands;
            result = 0;
            return true;
        }
        if (msg == fw::OCM_CTLCOLORBTN && brush != nullptr) {
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        if (ProcessOwnerDraw(msg, wParam, lParam, result)) return true;
        return fw::DefaultReflectionHandler(hWnd, msg, wParam, lParam, result);
    }
    void DrawItem(DRAWITEMSTRUCT* dis) {
        ++draws;
        ::FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
};

TEST(Reflection, ParentSendsNotificationsBackToTheControl) {
    CRecorder parent;
    parent.reflect = true;
    ASSERT_NE(parent.Create(nullptr, Box(50, 50, 200, 100), L"p", WS_POPUP | WS_VISIBLE), nullptr);
    HWND h = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 60, 30,
                               parent.m_hWnd, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    COwnerButton button;
    ASSERT_TRUE(button.SubclassWindow(h));
    uitest::Repaint(parent.m_hWnd);
    EXPECT_GE(button.draws, 1);

    button.Click();
    uitest::PumpMessages(20);
    EXPECT_EQ(button.commands, 1);
    EXPECT_TRUE(Saw(parent.seen, WM_COMMAND));

    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    button.brush = red;
    EXPECT_EQ(::SendMessageW(parent.m_hWnd, WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(h)),
              reinterpret_cast<LRESULT>(red));
    // An unhandled reflected message gets the default answer of the original.
    LRESULT viaReflection = ::SendMessageW(h, fw::kReflectBase + WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(viaReflection, ::DefWindowProcW(h, WM_GETDLGCODE, 0, 0));
    parent.DestroyWindow();
    ::DeleteObject(red);
}

TEST(Reflection, TargetOfEachMessageKind) {
    CRecorder parent;
    ASSERT_NE(parent.Create(nullptr, Box(0, 0, 200, 100), L"p", WS_OVERLAPPEDWINDOW), nullptr);
    HWND child = ::CreateWindowExW(0, L"STATIC", L"s", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(33), nullptr, nullptr);
    const auto wnd = reinterpret_cast<LPARAM>(child);
    NMHDR nm{child, 33, 0};
    DRAWITEMSTRUCT dis{};
    dis.hwndItem = child;
    MEASUREITEMSTRUCT mis{};
    mis.CtlID = 33;
    DELETEITEMSTRUCT del{};
    del.hwndItem = child;
    COMPAREITEMSTRUCT cmp{};
    cmp.hwndItem = child;

    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        HWND expected;
    } cases[] = {
        {WM_COMMAND, MAKEWPARAM(33, BN_CLICKED), wnd, child},
        {WM_COMMAND, IDCANCEL, 0, nullptr},  // Escape names no control
        {WM_NOTIFY, 33, reinterpret_cast<LPARAM>(&nm), child},
        {WM_DRAWITEM, 33, reinterpret_cast<LPARAM>(&dis), child},
        {WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), nullptr},  // menu item
        {WM_MEASUREITEM, 33, reinterpret_cast<LPARAM>(&mis), child},
        {WM_DELETEITEM, 33, reinterpret_cast<LPARAM>(&del), child},
        {WM_COMPAREITEM, 33, reinterpret_cast<LPARAM>(&cmp), child},
        {WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 33), wnd, child},
        {WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 33), MAKELPARAM(1, 1), child},
        {WM_CTLCOLORSTATIC, 0, wnd, child},
        {WM_HSCROLL, 0, wnd, child},
        {WM_VSCROLL, 0, 0, nullptr},  // the window's own scroll bar
        {WM_PAINT, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fw::ReflectionTarget(parent.m_hWnd, c.msg, c.wParam, c.lParam), c.expected)
            << "message 0x" << std::hex << c.msg;
    }
    parent.DestroyWindow();
}

// The test dialog (template 500 in framework_test.rc).
class CTestDialog : public fw::CDialogImpl<CTestDialog> {
public:
    enum { IDD = 500 };
    LPARAM initParam = 0;
    bool endOnInit = false;
    int finalCalls = 0;
    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        switch (msg) {
        case WM_INITDIALOG:
            initParam = lParam;
            if (endOnInit) ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), 0);
            result = FALSE;
            return true;
        case WM_COMMAND:
            if (LOWORD(wParam) == 10) {
                EndDialog(1234);
                result = 0;
                return true;
            }
            if (LOWORD(wParam) == IDCANCEL) {  // Escape is swallowed
                result = 0;
                return true;
            }
            return false;
        case kPing:
            result = 5;
            return true;
        default:
            return false;
        }
    }
    void OnFinalMessage(HWND) override { ++finalCalls; }
};

TEST(DialogImpl, ModalRunsUntilEndDialogAndReturnsItsCode) {
    CTestDialog dlg;
    dlg.endOnInit = true;
    EXPECT_EQ(dlg.DoModal(nullptr, 77), 1234);
    EXPECT_EQ(dlg.initParam, 77);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.finalCalls, 1);
}

TEST(DialogImpl, ModelessDialogAnswersThroughMessageResult) {
    CTestDialog dlg;
    HWND h = dlg.Create(nullptr, 9);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(dlg.initParam, 9);
    // A handled message's result travels through DWLP_MSGRESULT.
    EXPECT_EQ(::SendMessageW(h, kPing, 0, 0), 5);
    uitest::PressKey(h, VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_NE(dlg.GetDlgItem(11), nullptr);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.finalCalls, 1);
}

class CMissingTemplate : public fw::CDialogImpl<CMissingTemplate> {
public:
    enum { IDD = 4321 };
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

TEST(DialogImpl, MissingTemplateGivesMinusOne) {
    CMissingTemplate dlg;
    EXPECT_EQ(dlg.DoModal(nullptr), -1);
    EXPECT_EQ(dlg.Create(nullptr), nullptr);
}

TEST(CenterWindow, OverVisibleOwnerElseInTheWorkArea) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CRecorder owner;
    ASSERT_NE(owner.Create(nullptr, Box(100, 100, 400, 300), L"o", WS_POPUP | WS_VISIBLE), nullptr);
    HWND popup = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, owner.m_hWnd, nullptr, nullptr, nullptr);
    fw::CWindow w(popup);

    ASSERT_TRUE(w.CenterWindow());
    RECT rc = w.GetWindowRect();
    EXPECT_EQ(rc.left, 100 + (400 - 200) / 2);
    EXPECT_EQ(rc.top, 100 + (300 - 100) / 2);

    owner.ShowWindow(SW_HIDE);
    ASSERT_TRUE(w.CenterWindow());
    rc = w.GetWindowRect();
    EXPECT_EQ(rc.left, work.left + (work.right - work.left - 200) / 2);
    EXPECT_EQ(rc.top, work.top + (work.bottom - work.top - 100) / 2);

    // An owner near the corner: the centred window stays inside the work area.
    owner.SetWindowPos(nullptr, work.left - 150, work.top - 150, 200, 200, SWP_NOZORDER | SWP_SHOWWINDOW);
    ASSERT_TRUE(w.CenterWindow());
    rc = w.GetWindowRect();
    EXPECT_EQ(rc.left, work.left);
    EXPECT_EQ(rc.top, work.top);
    ::DestroyWindow(popup);
    owner.DestroyWindow();
}

}  // namespace
