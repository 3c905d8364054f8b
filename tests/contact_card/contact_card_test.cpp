// The contact card as the main window uses it: a modeless child from its
// template, filled by WM_USER+101 with records whose rows it reads through
// its owner; drawn, wrapped and scrolled on a real window.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/contacts/record_lists_fixture.h"
#include "ui/controls/font_pool.h"
#include "ui/framework/gdi.h"
#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/skin.h"
#include "ui/dialogs/contact_card_layout.h"
#include "ui/dialogs/contact_info_board.h"
#include "ui/framework/window_impl.h"

namespace {

using uitest::Rgb;

constexpr uint32_t kPictureColour = 0xFF3070B0;

// Stands in for the main window: the card's parent and owner.
class Host : public fw::CWindowImpl<Host>, public cdv::ContactCardOwner {
public:
    cdv::ReaderLists lists;
    const cdv::ReaderLists& CardLists() const override { return lists; }
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

class ContactCardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(uitest::WritePng(folder.File(L"contactperson.png"), 62, 62,
                                     [](int, int) { return kPictureColour; }));
        SetImageFolder(folder.Path());
        host.Create(nullptr, RECT{0, 0, 984, 674}, L"card host", WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(host.IsWindow());
        ASSERT_NE(card.Create(host, &host), nullptr);
    }
    void TearDown() override {
        if (card.IsWindow()) card.DestroyWindow();
        if (host.IsWindow()) host.DestroyWindow();
    }

    void Show(cdv::ContactRecord* record) {
        host.lists = records.Lists();
        card.SendMessage(cdv::kShowContactMessage, 0, reinterpret_cast<LPARAM>(record));
    }
    cdv::ContactRecord& Carved(const char* line) {
        cdv::ContactRecord& c = records.Contact(1000 + carvedCount++, line);
        c.deleted = 1;
        return c;
    }
    int ClientHeight() const { return card.ClientRect().bottom; }
    SCROLLINFO Scroll() const {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        ::GetScrollInfo(card, SB_VERT, &si);
        return si;
    }
    bool ScrollBarDisabled() const {
        SCROLLBARINFO sbi{};
        sbi.cbSize = sizeof(sbi);
        ::GetScrollBarInfo(card, OBJID_VSCROLL, &sbi);
        return (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
    }
    // A contact with `count` phone numbers.
    cdv::ContactRecord& WithPhones(int id, int count) {
        cdv::ContactRecord& c = records.Contact(id, "Many Numbers");
        for (int i = 0; i < count; ++i) records.Data(id, 5, ("555-01" + std::to_string(10 + i)).c_str(), "2");
        return c;
    }

    uitest::ScratchFolder folder{L"card"};
    cdv::test::RecordLists records;
    int carvedCount = 0;
    Host host;
    cdv::CContactInfoBoard card;
};

TEST_F(ContactCardTest, SitsAtTheRightOfTheMainWindowShown) {
    const RECT rc = card.GetRectInParent();
    EXPECT_EQ(rc.left, 733);
    EXPECT_EQ(rc.top, 34);
    EXPECT_EQ(rc.right - rc.left, 241);
    EXPECT_EQ(rc.bottom - rc.top, 575);
    EXPECT_TRUE(card.IsWindowVisible());
    EXPECT_EQ(ClientHeight(), 575);
    EXPECT_TRUE(ScrollBarDisabled()) << "an empty card has nothing to scroll";
}

TEST_F(ContactCardTest, CarvedLineGivesTheNameAndOneMobileLine) {
    Show(&Carved("Ann Lee\t+1 555 0100"));
    EXPECT_EQ(card.Name(), u"Ann Lee");
    ASSERT_EQ(card.Lines().size(), 1u);
    EXPECT_EQ(card.Lines()[0].label, u"Mobile:");
    EXPECT_EQ(card.Lines()[0].value, u"+1 555 0100");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(card.Organization(i).empty());

    const cdv::ContactInfoLine& line = card.Lines()[0];
    EXPECT_EQ(line.labelRect.left, 5);
    EXPECT_EQ(line.labelRect.right, 95);
    EXPECT_EQ(line.labelRect.top, 100);
    EXPECT_EQ(line.valueRect.left, 100);
    EXPECT_EQ(line.valueRect.right, card.ClientRect().right - 5);
    EXPECT_GT(line.valueRect.Height(), 0);
    EXPECT_EQ(line.labelRect.bottom, line.valueRect.bottom);

    // A carved line without a TAB shows an empty card.
    Show(&Carved("no separator here"));
    EXPECT_TRUE(card.Name().empty());
    EXPECT_TRUE(card.Lines().empty());
}

TEST_F(ContactCardTest, LiveContactNamesLabelsAndOrganisation) {
    records.WithAndroidMimeTypes();
    cdv::ContactRecord& unnamed = records.Contact(7, "+1 555 0199", 20);
    cdv::ContactRecord& named = records.Contact(8, "Bea Stone", 40);
    const struct {
        int mimeTypeId;
        const char* value;
        const char* type;
        const char16_t* label;
    } rows[] = {
        {5, "555-0102", "2", u"Mobile"},
        {5, "555-0108", "8", u""},
        {5, "555-0109", "9", u""},
        {5, "555-0112", "12", u""},
        {1, "bea@example.org", "7", u"Email"},
        {1, "b.stone@example.org", "1", u"Home Email"},
    };
    for (const auto& row : rows) records.Data(8, row.mimeTypeId, row.value, row.type);
    records.Data(9, 5, "555-0999", "2");                  // another contact's row
    records.Data(8, 7, "Bea Stone", nullptr);             // a name row shows nothing
    records.Data(8, 4, "Acme Ltd", nullptr).data5 = records.Keep("Research");
    cdv::DataRecord& second = records.Data(8, 4, "Other Corp", nullptr);
    second.data5 = records.Keep("Sales");
    second.data6 = records.Keep("Engineer");

    Show(&unnamed);
    EXPECT_EQ(card.Name(), u"No Name");
    EXPECT_TRUE(card.Lines().empty());

    Show(&named);
    EXPECT_EQ(card.Name(), u"Bea Stone");
    ASSERT_EQ(card.Lines().size(), std::size(rows));
    int y = 100;
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(card.Lines()[i].label, rows[i].label) << i;
        EXPECT_EQ(card.Lines()[i].valueRect.top, y) << i;
        y = card.Lines()[i].valueRect.bottom;
    }
    EXPECT_EQ(card.Organization(0), u"Acme Ltd");
    EXPECT_EQ(card.Organization(1), u"Research");
    EXPECT_EQ(card.Organization(2), u"Engineer");
}

TEST_F(ContactCardTest, LongAddressWrapsBetweenCharactersAndPushesTheNextLineDown) {
    records.WithAndroidMimeTypes();
    cdv::ContactRecord& c = records.Contact(3, "Long Address");
    records.Data(3, 1, "averyveryveryverylongaddressthatneverends@subdomain.example.org", "2");
    records.Data(3, 5, "555-0103", "1");
    records.Data(3, 5, "", "3");  // an empty value takes no height
    records.Data(3, 5, "555-0104", "3");
    Show(&c);
    ASSERT_EQ(card.Lines().size(), 4u);
    const cdv::ContactInfoLine& email = card.Lines()[0];
    const int h = email.labelRect.Height();
    ASSERT_GT(h, 0);
    EXPECT_GE(email.valueRect.Height(), 2 * h);
    EXPECT_EQ(email.valueRect.Height() % h, 0);
    EXPECT_EQ(card.Lines()[1].valueRect.top, email.valueRect.bottom);
    EXPECT_EQ(card.Lines()[2].valueRect.Height(), 0);
    EXPECT_EQ(card.Lines()[3].valueRect.top, card.Lines()[2].valueRect.top);

    // Ink of the address on its second text line, inside the value column.
    uitest::Repaint(card);
    const uitest::Capture cap = uitest::CaptureClient(card);
    int ink = 0;
    for (int y = email.valueRect.top + h; y < email.valueRect.top + 2 * h; ++y) {
        for (int x = email.valueRect.left; x < email.valueRect.right; ++x) {
            ink += uitest::Near(cap.At(x, y), Rgb(240, 245, 255), 30) ? 0 : 1;
        }
    }
    EXPECT_GT(ink, 20);
}

TEST_F(ContactCardTest, PaintsFacePictureNameAndLabels) {
    records.WithAndroidMimeTypes();
    cdv::ContactRecord& c = records.Contact(4, "Cleo Marsh");
    records.Data(4, 5, "555-0104", "2");
    Show(&c);
    uitest::Repaint(card);
    const uitest::Capture cap = uitest::CaptureClient(card);
    ASSERT_FALSE(cap.Empty());
    EXPECT_TRUE(uitest::Near(cap.At(0, 300), Rgb(200, 200, 200), 4)) << "grey edge on the left";
    EXPECT_TRUE(uitest::Near(cap.At(150, 400), Rgb(240, 245, 255), 4)) << "face";
    EXPECT_TRUE(uitest::Near(cap.At(50, 50), kPictureColour & 0xFFFFFF, 6)) << "picture at (20, 20), 62 x 62";
    EXPECT_TRUE(uitest::Near(cap.At(90, 50), Rgb(240, 245, 255), 4)) << "nothing right of the picture";

    auto countNear = [&](int left, int top, int right, int bottom, uint32_t colour) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += uitest::Near(cap.At(x, y), colour, 40) ? 1 : 0;
        return n;
    };
    // Name from x = picture width + 35, y 20 to 38, in its blue.
    EXPECT_GT(countNear(97, 20, cap.width, 38, Rgb(100, 100, 240)), 10);
    const cdv::ContactInfoLine& line = card.Lines()[0];
    EXPECT_GT(countNear(line.labelRect.left, line.labelRect.top, line.labelRect.right, line.labelRect.bottom,
                        Rgb(150, 150, 150)),
              5);
    EXPECT_GT(countNear(line.valueRect.left, line.valueRect.top, line.valueRect.right, line.valueRect.bottom,
                        Rgb(50, 50, 50)),
              5);
}

TEST_F(ContactCardTest, ShortContentDoesNotScroll) {
    records.WithAndroidMimeTypes();
    Show(&WithPhones(5, 3));
    const int bottom = card.Lines().back().valueRect.bottom;
    ASSERT_LT(bottom, ClientHeight());
    const SCROLLINFO si = Scroll();
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, bottom - 1);
    // The system trims the page to the range: the whole range fits on it.
    EXPECT_GE(si.nPage, static_cast<UINT>(si.nMax - si.nMin + 1));
    EXPECT_TRUE(ScrollBarDisabled());
    EXPECT_EQ(card.CanvasRect().bottom, ClientHeight() + 1) << "no margin";

    card.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(card.ScrollOffset(), 0);
}

TEST_F(ContactCardTest, TallContentScrollsWithAMarginUnderItsLastLine) {
    records.WithAndroidMimeTypes();
    Show(&WithPhones(6, 120));
    const int bottom = card.Lines().back().valueRect.bottom;
    ASSERT_GT(bottom, ClientHeight());
    const SCROLLINFO si = Scroll();
    EXPECT_EQ(si.nMax, bottom + 15 - 1);
    EXPECT_EQ(si.nPage, static_cast<UINT>(ClientHeight()));
    EXPECT_FALSE(ScrollBarDisabled());
    EXPECT_EQ(card.CanvasRect().bottom, bottom + 15);

    // One wheel message moves 10 pixels, whatever its size.
    card.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(card.ScrollOffset(), 10);
    EXPECT_EQ(Scroll().nPos, 10);
    card.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(card.ScrollOffset(), 0);

    card.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(card.ScrollOffset(), 1);
    card.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(card.ScrollOffset(), 1 + ClientHeight());
    card.SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(card.ScrollOffset(), 0);

    // At the bottom the last line sits 15 pixels above the window's edge.
    card.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    const int last = bottom + 15 - ClientHeight();
    EXPECT_EQ(card.ScrollOffset(), last);
    uitest::Repaint(card);
    const uitest::Capture cap = uitest::CaptureClient(card);
    const int lastLineTop = card.Lines().back().valueRect.top - last;
    int ink = 0;
    for (int x = 100; x < cap.width - 5; ++x) ink += uitest::Near(cap.At(x, lastLineTop + 5), Rgb(240, 245, 255), 30) ? 0 : 1;
    EXPECT_GT(ink, 5) << "the last number is on screen";
    for (int y = cap.height - 15; y < cap.height; ++y)
        EXPECT_TRUE(uitest::Near(cap.At(150, y), Rgb(240, 245, 255), 4)) << "margin row " << y;

    // A new contact starts at the top again.
    Show(&Carved("Dan\t555"));
    EXPECT_EQ(card.ScrollOffset(), 0);
    EXPECT_TRUE(ScrollBarDisabled());
}

// Record text is drawn as it is: an "&" is a character, not a mnemonic.
TEST_F(ContactCardTest, NameIsDrawnAsItIsAtItsPlace) {
    cdv::ContactRecord& c = records.Contact(9, "Tom & Jerry");
    Show(&c);
    uitest::Repaint(card);
    const uitest::Capture cap = uitest::CaptureClient(card);

    constexpr int kLeft = 62 + 35;  // picture width + 35
    const int width = card.ClientRect().right - 5 - kLeft;
    fw::ClientDC screen(nullptr);
    fw::OffscreenBuffer reference(screen, width, 18);
    RECT all{0, 0, width, 18};
    fw::GdiBrush face(::CreateSolidBrush(RGB(240, 245, 255)));
    ::FillRect(reference.dc(), &all, face.get());
    ::SetBkMode(reference.dc(), TRANSPARENT);
    ::SetTextColor(reference.dc(), RGB(100, 100, 240));
    fw::SelectionGuard font(reference.dc(), TkFontPool::Instance().FontByKey(0x500));
    ::DrawTextW(reference.dc(), L"Tom & Jerry", -1, &all, DT_END_ELLIPSIS | DT_NOPREFIX);

    int differences = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF e = ::GetPixel(reference.dc(), x, y);
            differences += uitest::Near(cap.At(kLeft + x, 20 + y), Rgb(GetRValue(e), GetGValue(e), GetBValue(e)), 4) ? 0 : 1;
        }
    }
    EXPECT_EQ(differences, 0);
}

// Content thousands of pixels tall paints like any other: the card never
// needs a bitmap as tall as its content.
TEST_F(ContactCardTest, VeryTallContentStillPaintsItsLastLine) {
    records.WithAndroidMimeTypes();
    Show(&WithPhones(10, 3000));
    const int bottom = card.Lines().back().valueRect.bottom;
    ASSERT_GT(bottom, 30000);
    card.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    uitest::Repaint(card);
    const uitest::Capture cap = uitest::CaptureClient(card);
    const int lastLineTop = card.Lines().back().valueRect.top - card.ScrollOffset();
    int ink = 0;
    for (int x = 100; x < cap.width - 5; ++x)
        ink += uitest::Near(cap.At(x, lastLineTop + 5), Rgb(240, 245, 255), 30) ? 0 : 1;
    EXPECT_GT(ink, 5);
}

// A phone number longer than any the reader should hand over is shown whole.
TEST_F(ContactCardTest, LongPhoneValueIsKeptWhole) {
    records.WithAndroidMimeTypes();
    cdv::ContactRecord& c = records.Contact(11, "Long Number");
    const std::string digits(400, '7');
    records.Data(11, 5, digits.c_str(), "2");
    Show(&c);
    ASSERT_EQ(card.Lines().size(), 1u);
    EXPECT_EQ(card.Lines()[0].value.size(), 400u);
    EXPECT_GT(card.Lines()[0].valueRect.Height(), 10 * card.Lines()[0].labelRect.Height());
}

TEST_F(ContactCardTest, NullRecordKeepsThePreviousContact) {
    Show(&Carved("Eve\t555-0105"));
    card.SendMessage(cdv::kShowContactMessage, 0, 0);
    EXPECT_EQ(card.Name(), u"Eve");
    ASSERT_EQ(card.Lines().size(), 1u);
    EXPECT_EQ(card.Lines()[0].value, u"555-0105");
}

TEST_F(ContactCardTest, ClickTakesTheKeyboardFocus) {
    ::SetFocus(host);
    uitest::Click(card, 150, 300);
    EXPECT_EQ(::GetFocus(), card.m_hWnd);
}

}  // namespace
