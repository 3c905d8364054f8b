#include "ui/dialogs/contact_info_board.h"

#include "contacts/card_content.h"
#include "ui/controls/font_pool.h"
#include "ui/controls/skin.h"
#include "ui/dialogs/contact_card_layout.h"
#include "ui/dialogs/wrapped_text_gdi.h"
#include "ui/framework/gdi.h"

namespace cdv {

namespace {

constexpr COLORREF kFace = RGB(240, 245, 255);
constexpr COLORREF kEdge = RGB(200, 200, 200);
constexpr COLORREF kNameColor = RGB(100, 100, 240);
constexpr COLORREF kLabelColor = RGB(150, 150, 150);
constexpr COLORREF kValueColor = RGB(50, 50, 50);
constexpr unsigned kNameFont = 0x500;          // 16 px
constexpr unsigned kOrganizationFont = 0xFF00; // 10 px
constexpr unsigned kLineFont = 0x100;          // 12 px
constexpr int kPictureLeft = 20;
constexpr int kPictureTop = 20;
constexpr int kPictureSize = 62;

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
int Length(const std::u16string& s) { return static_cast<int>(s.size()); }
RECT ToRect(const fw::Rect& r, int dy) { return RECT{r.left, r.top + dy, r.right, r.bottom + dy}; }

}  // namespace

CContactInfoBoard::~CContactInfoBoard() {
    if (IsWindow()) DestroyWindow();
}

void CContactInfoBoard::OnInitDialog(ContactCardOwner* owner) {
    SetWindowPos(nullptr, kLeft, kTop, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_client = GetClientRect();
    m_canvas = m_client;
    m_picture = SkinImage(L"contactperson.png");
    m_owner = owner;
    // An empty card has nothing to scroll.
    ApplyScrollRange(card::kFirstLineTop);
}

void CContactInfoBoard::Fill(const ContactRecord* record) {
    if (record == nullptr) return;

    static const ReaderLists kNoLists;
    const ReaderLists& lists = m_owner != nullptr ? m_owner->CardLists() : kNoLists;
    const CardContent content = BuildCardContent(*record, lists.data, lists.mimeTypes);
    m_name = content.name;
    for (int i = 0; i < 3; ++i) m_organization[i] = content.organization[i];

    fw::ClientDC screen(nullptr);
    fw::MemoryDC measuring(screen);
    fw::SelectionGuard font(measuring, TkFontPool::Instance().FontByKey(kLineFont));
    GdiTextMeasurer measurer(measuring);
    CardLines laid = LayOutCardLines(content.lines, m_client.right, measurer);
    m_lines = std::move(laid.lines);

    ApplyScrollRange(laid.bottom);
    m_scroll = 0;
    Invalidate(true);
    UpdateWindow();
}

void CContactInfoBoard::ApplyScrollRange(int contentBottom) {
    const int clientHeight = m_client.bottom - m_client.top;
    const CardScrollRange range = ScrollRangeFor(contentBottom, clientHeight);
    m_canvas = m_client;
    m_canvas.bottom = m_client.top + range.canvasHeight;

    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = range.scrollMax;
    si.nPage = static_cast<UINT>(clientHeight);
    si.nPos = 0;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CContactInfoBoard::ScrollTo(int requested) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);
    const int old = si.nPos;
    si.nPos = requested;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);  // the system clamps
    if (si.nPos == old) return;
    m_scroll = si.nPos;
    Invalidate(false);
    UpdateWindow();
}

void CContactInfoBoard::OnPaint() {
    fw::PaintDC paint(m_hWnd);
    const int width = m_client.right - m_client.left;
    const int height = m_client.bottom - m_client.top;
    // Only the visible part of the canvas is drawn: the same pixels as a
    // whole-canvas bitmap, without a bitmap as tall as the content.
    fw::OffscreenBuffer buffer(paint, width, height);
    if (!buffer.valid()) return;
    DrawContent(buffer.dc(), -m_scroll);
    buffer.CopyTo(paint, 0, 0);
}

void CContactInfoBoard::DrawContent(HDC dc, int dy) {
    const int width = m_client.right - m_client.left;
    const int height = m_client.bottom - m_client.top;
    const RECT visible{0, 0, width, height};
    {
        fw::GdiBrush face(::CreateSolidBrush(kFace));
        ::FillRect(dc, &visible, face.get());
        fw::GdiPen edge(::CreatePen(PS_SOLID, 1, kEdge));
        fw::SelectionGuard pen(dc, edge.get());
        ::MoveToEx(dc, m_canvas.left, 0, nullptr);
        ::LineTo(dc, m_canvas.left, height);
    }

    if (m_picture) {
        Gdiplus::Graphics graphics(dc);
        graphics.DrawImage(m_picture.get(), kPictureLeft, kPictureTop + dy, kPictureSize, kPictureSize);
    }

    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::GetTextColor(dc);
    TkFontPool& fonts = TkFontPool::Instance();
    const int textLeft = static_cast<int>(fw::ImageWidth(m_picture.get())) + 35;
    const int textRight = m_canvas.right - 5;

    RECT nameRect{textLeft, 20 + dy, textRight, 38 + dy};
    {
        fw::SelectionGuard font(dc, fonts.FontByKey(kNameFont));
        ::SetTextColor(dc, kNameColor);
        ::DrawTextW(dc, Wide(m_name), Length(m_name), &nameRect, DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    {
        fw::SelectionGuard font(dc, fonts.FontByKey(kOrganizationFont));
        ::SetTextColor(dc, RGB(0, 0, 0));
        int previousBottom = nameRect.bottom;
        for (const std::u16string& line : m_organization) {
            if (line.empty()) continue;
            RECT rc{textLeft, previousBottom + 3, textRight, previousBottom + 15};
            ::DrawTextW(dc, Wide(line), Length(line), &rc, DT_END_ELLIPSIS | DT_NOPREFIX);
            previousBottom = rc.bottom;
        }
    }
    {
        fw::SelectionGuard font(dc, fonts.FontByKey(kLineFont));
        for (const ContactInfoLine& line : m_lines) {
            const RECT value = ToRect(line.valueRect, dy);
            const RECT label = ToRect(line.labelRect, dy);
            if (value.bottom < 0 && label.bottom < 0) continue;
            if (value.top >= height) break;
            RECT labelBox = label;
            ::SetTextColor(dc, kLabelColor);
            ::DrawTextW(dc, Wide(line.label), Length(line.label), &labelBox, DT_RIGHT | DT_END_ELLIPSIS | DT_NOPREFIX);
            ::SetTextColor(dc, kValueColor);
            DrawWrappedText(dc, line.value, value);
        }
    }
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}

bool CContactInfoBoard::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog(reinterpret_cast<ContactCardOwner*>(lParam));
        result = FALSE;  // no default focus
        return true;
    case kShowContactMessage:
        Fill(reinterpret_cast<const ContactRecord*>(lParam));
        result = 0;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_VSCROLL: {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        ::GetScrollInfo(hWnd, SB_VERT, &si);
        ScrollTo(RequestedScrollPos(LOWORD(wParam), si.nPos, static_cast<int>(si.nPage), si.nMin, si.nMax,
                                    si.nTrackPos));
        result = 0;
        return true;
    }
    case WM_MOUSEWHEEL: {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS;
        ::GetScrollInfo(hWnd, SB_VERT, &si);
        ScrollTo(WheelScrollPos(si.nPos, static_cast<short>(HIWORD(wParam))));
        result = 0;
        return true;
    }
    case WM_LBUTTONDOWN:
        SetFocus();
        return false;
    default:
        return false;
    }
}

}  // namespace cdv
