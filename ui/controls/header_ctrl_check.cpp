#include "ui/controls/header_ctrl_check.h"

#include <algorithm>

#include "ui/controls/list_row_layout.h"
#include "ui/controls/font_pool.h"
#include "ui/controls/listtree_skin.h"
#include "ui/controls/skin.h"
#include "ui/controls/reflected_default.h"
#include "ui/framework/app_module.h"

namespace {

constexpr COLORREF kDividerColour = RGB(210, 210, 210);
// Shown when list_hearder.bmp is missing, close to the skin's own tone.
constexpr COLORREF kPlainBackground = RGB(243, 243, 243);
constexpr int kCaptionChars = 260;

}  // namespace

CHeaderCtrlCheck::CHeaderCtrlCheck() : m_background(SkinBitmap(L"list_hearder.bmp")) {}

CHeaderCtrlCheck::~CHeaderCtrlCheck() = default;

bool CHeaderCtrlCheck::LoadSortImages(const wchar_t* ascendingPath, const wchar_t* descendingPath) {
    m_ascendingArrow = fw::LoadImageFile(ascendingPath);
    m_descendingArrow = fw::LoadImageFile(descendingPath);
    return m_ascendingArrow != nullptr && m_descendingArrow != nullptr;
}

bool CHeaderCtrlCheck::CreateCheckAllBox() {
    if (m_checkAll != nullptr || m_hWnd == nullptr) return m_checkAll != nullptr;
    m_checkAll = ::CreateWindowExW(0, L"BUTTON", nullptr, WS_CHILD | WS_VISIBLE | BS_CHECKBOX, 5, 7, 14, 14,
                                   m_hWnd, nullptr, fw::ModuleInstance(), nullptr);
    return m_checkAll != nullptr;
}

void CHeaderCtrlCheck::SetCheckAll(bool ticked) {
    if (m_checkAll != nullptr) ::SendMessageW(m_checkAll, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CHeaderCtrlCheck::IsCheckAllTicked() const {
    return m_checkAll != nullptr && ::SendMessageW(m_checkAll, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool CHeaderCtrlCheck::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_PRINTCLIENT: {
        RECT client = GetClientRect();
        PaintContent(reinterpret_cast<HDC>(wParam), client);
        result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && reinterpret_cast<HWND>(lParam) == m_checkAll && m_checkAll != nullptr) {
            OnCheckAllClicked();
        }
        result = 0;
        return true;
    case HDM_LAYOUT: {
        result = DefWindowProc(msg, wParam, lParam);
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        if (layout != nullptr && layout->pwpos != nullptr && layout->prc != nullptr) {
            layout->pwpos->cy = m_headerHeight;
            layout->prc->top = m_headerHeight;
        }
        return true;
    }
    case fw::OCM_NOTIFY:
        if (lParam != 0 && OnReflectedNotify(reinterpret_cast<const NMHDR*>(lParam), result)) return true;
        return ReflectedDefault(m_hWnd, msg, wParam, lParam, result);
    default:
        return ReflectedDefault(m_hWnd, msg, wParam, lParam, result);
    }
}

bool CHeaderCtrlCheck::OnReflectedNotify(const NMHDR* header, LRESULT& result) {
    switch (header->code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA: {
        // The last column's right divider stays where the list put it.
        const auto* nm = reinterpret_cast<const NMHEADERW*>(header);
        if (nm->iItem + 1 == GetItemCount()) {
            result = 1;
            return true;
        }
        return false;
    }
    case HDN_TRACKW:
    case HDN_TRACKA:
        Invalidate(false);
        return false;
    default:
        return false;
    }
}

void CHeaderCtrlCheck::OnCheckAllClicked() {
    const bool ticked = !IsCheckAllTicked();
    SetCheckAll(ticked);
    ::SendMessageW(GetParent(), kMsgCheckAllChanged, ticked ? 1 : 0, 0);
}

void CHeaderCtrlCheck::OnPaint() {
    fw::PaintDC paint(m_hWnd);
    RECT client = GetClientRect();
    fw::OffscreenBuffer buffer(paint, client.right - client.left, client.bottom - client.top);
    if (!buffer.valid()) return;
    PaintContent(buffer.dc(), client);
    buffer.CopyTo(paint, 0, 0);
}

void CHeaderCtrlCheck::PaintContent(HDC dc, const RECT& client) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    BITMAP info{};
    if (m_background && ::GetObjectW(m_background.get(), sizeof(info), &info) != 0 && info.bmWidth > 0) {
        // The strip's third pixel column is the background; the edges are its frame.
        fw::MemoryDC source(dc);
        fw::SelectionGuard select(source, m_background.get());
        const int column = std::min(2, static_cast<int>(info.bmWidth) - 1);
        ::StretchBlt(dc, 0, 0, width, height, source, column, 0, 1, info.bmHeight, SRCCOPY);
    } else {
        fw::GdiBrush plain(::CreateSolidBrush(kPlainBackground));
        ::FillRect(dc, &client, plain.get());
    }

    ::SetBkMode(dc, TRANSPARENT);
    fw::SelectionGuard font(dc, TkFontPool::Instance().FontByKey(0x100));
    fw::GdiPen pen(::CreatePen(PS_SOLID, 1, kDividerColour));
    fw::SelectionGuard selectPen(dc, pen.get());
    ::MoveToEx(dc, 0, 0, nullptr);
    ::LineTo(dc, 0, height);

    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!GetItemRect(i, &item)) continue;
        if (i > 0) {
            ::MoveToEx(dc, item.left, 1, nullptr);
            ::LineTo(dc, item.left, height);
        }
        wchar_t caption[kCaptionChars] = {};
        HDITEMW hd{};
        hd.mask = HDI_TEXT;
        hd.pszText = caption;
        hd.cchTextMax = kCaptionChars;
        if (GetItem(i, &hd)) {
            RECT text{item.left, 0, item.right, height};
            ::DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        }
        if (i == m_sortColumn) {
            Gdiplus::Image* arrow = m_sortAscending ? m_ascendingArrow.get() : m_descendingArrow.get();
            const int arrowHeight = static_cast<int>(fw::ImageHeight(arrow));
            fw::Point at = cdv::SortArrowOrigin(fw::Rect{item.left, item.top, item.right, item.bottom}, arrowHeight);
            DrawWholeImage(dc, arrow, at.x, at.y);
        }
    }
}
