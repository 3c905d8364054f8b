// The links on real windows: colours from the registry, what activating them
// opens (through an observer in place of the browser), visited state, the
// tooltip, the hand cursor and fonts.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/web_links.h"
#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/hyperlink_impl.h"
#include "ui/controls/my_hyperlink.h"
#include "ui/controls/shell_open.h"
#include "ui/framework/window_impl.h"

namespace {

using uitest::Rgb;

constexpr COLORREF kFace = RGB(238, 244, 248);
const wchar_t kSettingsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// A parent that paints the links' background, as the about box does, and
// records the commands it gets.
class Host : public fw::CWindowImpl<Host> {
public:
    HBRUSH face = ::CreateSolidBrush(kFace);
    std::vector<WPARAM> commands;
    ~Host() override { ::DeleteObject(face); }

    bool ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (msg == WM_CTLCOLORSTATIC) {
            result = reinterpret_cast<LRESULT>(face);
            return true;
        }
        if (msg == WM_COMMAND) commands.push_back(wParam);
        return false;
    }
};

// Sets (or removes) the browser's link colour values for one test and puts
// back what was there.
class AnchorColors {
public:
    AnchorColors() {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        Save(L"Anchor Color", m_link);
        Save(L"Anchor Color Visited", m_visited);
    }
    ~AnchorColors() {
        Restore(L"Anchor Color", m_link);
        Restore(L"Anchor Color Visited", m_visited);
        ::RegCloseKey(m_key);
    }
    void Set(const wchar_t* name, const wchar_t* value) {
        ::RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                         static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    void Clear(const wchar_t* name) { ::RegDeleteValueW(m_key, name); }

private:
    struct Saved {
        bool present = false;
        std::vector<BYTE> data;
        DWORD type = 0;
    };
    void Save(const wchar_t* name, Saved& s) {
        DWORD bytes = 0;
        if (::RegQueryValueExW(m_key, name, nullptr, &s.type, nullptr, &bytes) != ERROR_SUCCESS) return;
        s.data.resize(bytes);
        s.present = ::RegQueryValueExW(m_key, name, nullptr, &s.type, s.data.data(), &bytes) == ERROR_SUCCESS;
    }
    void Restore(const wchar_t* name, const Saved& s) {
        if (s.present) {
            ::RegSetValueExW(m_key, name, 0, s.type, s.data.data(), static_cast<DWORD>(s.data.size()));
        } else {
            ::RegDeleteValueW(m_key, name);
        }
    }
    HKEY m_key = nullptr;
    Saved m_link;
    Saved m_visited;
};

// Opens nothing; records what would have been opened.
struct OpenLog {
    std::vector<std::wstring> opened;
    bool succeed = true;
    cdv::ScopedShellOpener scope{[this](const wchar_t* address) {
        opened.emplace_back(address);
        return succeed;
    }};
};

class HyperlinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        colors.Clear(L"Anchor Color");
        colors.Clear(L"Anchor Color Visited");
        host.Create(nullptr, RECT{80, 80, 480, 280}, L"link host", WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(host.IsWindow());
        font = ::CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                             L"Arial");
    }
    void TearDown() override {
        if (host.IsWindow()) host.DestroyWindow();
        ::DeleteObject(font);
    }

    HWND MakeStatic(const wchar_t* text, DWORD style = SS_LEFT) {
        return ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 40, 50, 60, 20, host,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), nullptr, nullptr);
    }

    // The main window's set-up of its help link, in its order.
    void SetUpLink(cdv::CHyperLinkImpl& link, const wchar_t* label, const wchar_t* address) {
        ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"")));
        link.SetLinkFont(font);
        link.SetLabel(label);
        link.SetHyperLink(address);
        SIZE ideal{};
        ASSERT_TRUE(link.GetIdealSize(ideal));
        ASSERT_GT(ideal.cx, 0);
        link.SetWindowPos(nullptr, 40, 50, ideal.cx, ideal.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    POINT LabelCentre(const cdv::CHyperLinkImpl& link) const {
        const RECT r = link.GetLabelRect();
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Pixels of the label's text: everything that is not the background.
    std::vector<uint32_t> InkOf(const cdv::CHyperLinkImpl& link) {
        uitest::Repaint(link);
        const uitest::Capture cap = uitest::CaptureClient(link);
        std::vector<uint32_t> ink;
        for (uint32_t p : cap.pixels) {
            if (!uitest::Near(p, Rgb(238, 244, 248), 24)) ink.push_back(p);
        }
        return ink;
    }
    static size_t CountNear(const std::vector<uint32_t>& ink, uint32_t colour) {
        size_t n = 0;
        for (uint32_t p : ink) n += uitest::Near(p, colour, 40) ? 1 : 0;
        return n;
    }

    AnchorColors colors;
    Host host;
    HFONT font = nullptr;
};

TEST_F(HyperlinkTest, AnchorColourFromTheRegistryPaintsTheLabel) {
    colors.Set(L"Anchor Color", L"255,0,0");
    cdv::CMyHyperLink link;
    SetUpLink(link, L"Have Problems?", cdv::web::kGuidePage);
    EXPECT_EQ(link.GetLinkColor(), RGB(255, 0, 0));
    const auto ink = InkOf(link);
    ASSERT_FALSE(ink.empty());
    EXPECT_GT(CountNear(ink, Rgb(255, 0, 0)), ink.size() / 2);
    EXPECT_EQ(CountNear(ink, Rgb(0, 0, 255)), 0u);
}

TEST_F(HyperlinkTest, MalformedAnchorColourKeepsTheDefaultBlue) {
    colors.Set(L"Anchor Color", L"255,0");
    colors.Set(L"Anchor Color Visited", L"255,255,255,255");
    cdv::CMyHyperLink link;
    SetUpLink(link, L"Have Problems?", cdv::web::kGuidePage);
    EXPECT_EQ(link.GetLinkColor(), RGB(0, 0, 255));
    EXPECT_EQ(link.GetVisitedColor(), RGB(128, 0, 128));
    const auto ink = InkOf(link);
    EXPECT_GT(CountNear(ink, Rgb(0, 0, 255)), ink.size() / 2);
}

TEST_F(HyperlinkTest, HelpLinkOpensTheGuideOnEveryActivationAndNeverTurnsVisited) {
    OpenLog log;
    cdv::CMyHyperLink link;
    SetUpLink(link, L"Have Problems?", L"https://elsewhere.example/not-this-one");
    const POINT c = LabelCentre(link);

    uitest::Click(link, c.x, c.y);
    uitest::Click(link, c.x, c.y);
    ::SendMessageW(link, WM_CHAR, VK_SPACE, 0);
    ::SendMessageW(link, WM_CHAR, VK_RETURN, 0);
    ::SendMessageW(link, WM_CHAR, L'x', 0);  // other keys open nothing

    ASSERT_EQ(log.opened.size(), 4u);
    for (const auto& address : log.opened) EXPECT_EQ(address, cdv::web::kGuidePage);
    EXPECT_FALSE(link.IsVisited());
    const auto ink = InkOf(link);
    EXPECT_GT(CountNear(ink, Rgb(0, 0, 255)), ink.size() / 2);
    EXPECT_EQ(CountNear(ink, Rgb(128, 0, 128)), 0u);
}

TEST_F(HyperlinkTest, ReleaseOutsideTheLabelOpensNothing) {
    OpenLog log;
    cdv::CMyHyperLink link;
    SetUpLink(link, L"Have Problems?", cdv::web::kGuidePage);
    const POINT c = LabelCentre(link);
    uitest::LeftDown(link, c.x, c.y);
    EXPECT_EQ(::GetCapture(), link.m_hWnd);
    EXPECT_EQ(::GetFocus(), link.m_hWnd);
    uitest::MouseMove(link, c.x, -30, MK_LBUTTON);
    uitest::LeftUp(link, c.x, -30);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(log.opened.empty());
    // A release without a press on the label opens nothing either.
    uitest::LeftUp(link, c.x, c.y);
    EXPECT_TRUE(log.opened.empty());
}

TEST_F(HyperlinkTest, EnterReachesTheFocusedLinkThroughTheDialogManager) {
    OpenLog log;
    cdv::CMyHyperLink link;
    SetUpLink(link, L"Have Problems?", cdv::web::kGuidePage);
    link.SetFocus();
    for (UINT vk : {VK_RETURN, VK_SPACE}) {
        ::PostMessageW(link, WM_KEYDOWN, vk, 1);
        ::PostMessageW(link, WM_KEYUP, vk, 0xC0000001);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!::IsDialogMessageW(host, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
    EXPECT_EQ(log.opened.size(), 2u);
    for (WPARAM command : host.commands) EXPECT_NE(LOWORD(command), IDOK) << "Enter went to the default button";
}

TEST_F(HyperlinkTest, TooltipShowsTheAddressOverTheLabelAndTheCursorIsAHand) {
    cdv::CMyHyperLink link;
    SetUpLink(link, L"Have Problems?", cdv::web::kGuidePage);
    HWND tip = link.GetToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    wchar_t text[128] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = link;
    info.uId = 1;
    info.lpszText = text;
    ASSERT_TRUE(::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ(text, cdv::web::kGuidePage);
    const RECT label = link.GetLabelRect();
    EXPECT_TRUE(::EqualRect(&info.rect, &label));

    // The control is sized to its label, so the whole of it is the label.
    const RECT client = link.GetClientRect();
    EXPECT_TRUE(::EqualRect(&client, &label));

    const POINT c = LabelCentre(link);
    uitest::SetCursorAt(link, c.x, c.y);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(::SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(HyperlinkTest, HoveringTheLabelPopsUpTheTooltip) {
    cdv::CMyHyperLink link;
    SetUpLink(link, L"Have Problems?", cdv::web::kGuidePage);
    HWND tip = link.GetToolTip();
    ASSERT_FALSE(::IsWindowVisible(tip));
    const POINT c = LabelCentre(link);
    uitest::SetCursorAt(link, c.x, c.y);
    uitest::MouseMove(link, c.x, c.y);
    EXPECT_TRUE(uitest::PumpUntil([&] { return ::IsWindowVisible(tip) != FALSE; }, 4000));
    wchar_t text[128] = {};
    ::GetWindowTextW(tip, text, 128);
    EXPECT_STREQ(text, cdv::web::kGuidePage);
}

TEST_F(HyperlinkTest, PlainLinkOpensItsOwnAddressAndTurnsVisitedOnlyWhenOpened) {
    OpenLog log;
    cdv::CHyperLink link;
    SetUpLink(link, L"Homepage:https://www.marlowen.example", cdv::web::kHomePage);
    const POINT c = LabelCentre(link);

    log.succeed = false;  // no browser: nothing changes
    uitest::Click(link, c.x, c.y);
    ASSERT_EQ(log.opened.size(), 1u);
    EXPECT_FALSE(link.IsVisited());

    log.succeed = true;
    uitest::Click(link, c.x, c.y);
    ASSERT_EQ(log.opened.size(), 2u);
    EXPECT_EQ(log.opened[1], cdv::web::kHomePage);
    EXPECT_TRUE(link.IsVisited());
    const auto ink = InkOf(link);
    EXPECT_GT(CountNear(ink, Rgb(128, 0, 128)), ink.size() / 2);
}

TEST_F(HyperlinkTest, DisabledLinkIsGrey) {
    cdv::CMyHyperLink link;
    SetUpLink(link, L"Have Problems?", cdv::web::kGuidePage);
    link.EnableWindow(false);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    const auto ink = InkOf(link);
    EXPECT_GT(CountNear(ink, Rgb(GetRValue(grey), GetGValue(grey), GetBValue(grey))), ink.size() / 2);
}

TEST_F(HyperlinkTest, InitialisationTakesTheWindowTextAndAnUnderlinedParentFont) {
    ::SendMessageW(host, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    cdv::CHyperLink link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"From the template")));
    EXPECT_EQ(link.GetLabel(), L"From the template");
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(::SendMessageW(link, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, DLGC_WANTCHARS);

    HFONT own = link.GetLinkFont();
    ASSERT_NE(own, nullptr);
    LOGFONTW lf{};
    ASSERT_NE(::GetObjectW(own, sizeof(lf), &lf), 0);
    EXPECT_TRUE(lf.lfUnderline);

    // A font handed in replaces the link's own, which goes; the caller's stays.
    link.SetLinkFont(font);
    EXPECT_EQ(::GetObjectType(own), 0u);
    link.DestroyWindow();
    EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
}

TEST_F(HyperlinkTest, PictureStaticKeepsItsOwnPainting) {
    cdv::CHyperLink link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"label", SS_BLACKRECT)));
    link.SetHyperLink(cdv::web::kHomePage);
    uitest::Repaint(host);
    const uitest::Capture cap = uitest::CaptureClient(link);
    ASSERT_FALSE(cap.Empty());
    // The static's own dark rectangle, not the link's face and label.
    const uint32_t centre = cap.At(cap.width / 2, cap.height / 2);
    EXPECT_FALSE(uitest::Near(centre, Rgb(238, 244, 248), 24)) << std::hex << centre;
    EXPECT_LT((centre & 0xFF) + ((centre >> 8) & 0xFF) + (centre >> 16), 3u * 128) << std::hex << centre;
}

}  // namespace
