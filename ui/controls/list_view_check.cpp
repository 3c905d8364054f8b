#include "ui/controls/list_view_check.h"

#include <algorithm>
#include <string>
#include <vector>

#include "contacts/records.h"
#include "ui/controls/list_row_layout.h"
#include "ui/controls/font_pool.h"
#include "ui/controls/listtree_skin.h"
#include "ui/controls/skin.h"
#include "ui/controls/reflected_default.h"
#include "ui/framework/gdi.h"

namespace {

constexpr int kCellChars = 260;  // longest cell text read for drawing and sorting

COLORREF ToColorref(std::uint32_t rgb) { return static_cast<COLORREF>(rgb); }

fw::Rect ToRect(const RECT& rc) { return fw::Rect{rc.left, rc.top, rc.right, rc.bottom}; }

std::wstring CellText(const fw::CListViewCtrl& list, int row, int column) {
    wchar_t buffer[kCellChars] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = kCellChars;
    const LRESULT got = list.SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return std::wstring(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
}

LPARAM ItemData(const fw::CListViewCtrl& list, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return list.GetItem(&item) ? item.lParam : 0;
}

}  // namespace

fw::WindowClassInfo CListViewCheck1::GetWndClassInfo() {
    fw::WindowClassInfo info;
    info.superclassOf = WC_LISTVIEWW;
    return info;
}

CListViewCheck1::CListViewCheck1() = default;

CListViewCheck1::~CListViewCheck1() {
    m_checkBoxImage.reset();
    m_deletedMarker.reset();
}

bool CListViewCheck1::InitList() {
    if (m_hWnd == nullptr) return false;
    m_header.SubclassWindow(GetHeader());
    const bool arrows = m_header.LoadSortImages(SkinFilePath(L"inc.png").c_str(), SkinFilePath(L"dec.png").c_str());
    m_checkBoxImage = SkinImage(L"checkbox.png");
    m_deletedMarker = SkinImage(L"deleted.png");
    m_header.CreateCheckAllBox();
    // Lay the header out again now that it answers with its own height.
    const RECT client = GetClientRect();
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    return arrows;
}

int CListViewCheck1::AddRowTexts(const wchar_t* const* texts, std::size_t count) {
    if (texts == nullptr || count == 0) return -1;
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = GetItemCount();
    item.pszText = const_cast<wchar_t*>(texts[0] != nullptr ? texts[0] : L"");
    const int row = InsertItem(&item);
    if (row < 0) return row;
    const int columns = m_header.m_hWnd != nullptr ? m_header.GetItemCount() : 0;
    for (int column = 1; column < columns && static_cast<std::size_t>(column) < count; ++column) {
        LVITEMW sub{};
        sub.mask = LVIF_TEXT;
        sub.iItem = row;
        sub.iSubItem = column;
        sub.pszText = const_cast<wchar_t*>(texts[column] != nullptr ? texts[column] : L"");
        SetItem(&sub);
    }
    return row;
}

int CListViewCheck1::RowState(int row) const {
    return static_cast<int>((GetItemState(row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
}

bool CListViewCheck1::RowIsDeleted(int row) const {
    if (m_listMode != 1) return false;
    const auto* record = reinterpret_cast<const cdv::ContactRecord*>(ItemData(*this, row));
    return record != nullptr && record->deleted != 0;
}

void CListViewCheck1::SyncCheckAllBox() {
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        if (RowState(row) == cdv::kRowUnticked) {
            m_header.SetCheckAll(false);
            return;
        }
    }
    m_header.SetCheckAll(true);
}

void CListViewCheck1::ToggleRow(int row) {
    const int state = cdv::ToggledRowState(RowState(row));
    SetItemState(row, INDEXTOSTATEIMAGEMASK(state), LVIS_STATEIMAGEMASK);
    SyncCheckAllBox();
    ::SendMessageW(GetParent(), kMsgRowTickChanged, static_cast<WPARAM>(row), state == cdv::kRowTicked ? 1 : 0);
}

LRESULT CListViewCheck1::SetAllChecks(WPARAM ticked) {
    const bool on = ticked == 1;
    const int count = GetItemCount();
    if (count == 0) return 0;
    // One repaint at the end instead of one invalidation per row.
    SendMessage(WM_SETREDRAW, FALSE);
    for (int row = 0; row < count; ++row) {
        SetItemState(row, INDEXTOSTATEIMAGEMASK(on ? cdv::kRowTicked : cdv::kRowUnticked), LVIS_STATEIMAGEMASK);
        ::SendMessageW(GetParent(), kMsgRowTickChanged, static_cast<WPARAM>(row), on ? 1 : 0);
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate(false);
    return 0;
}

LRESULT CListViewCheck1::SortByColumn(int column) {
    if (column == m_header.m_sortColumn) {
        m_header.m_sortAscending = !m_header.m_sortAscending;
    } else {
        m_header.m_sortColumn = column;
        m_header.m_sortAscending = true;
    }

    // Each row's text is read once; the sort callback then compares ranks.
    const int count = GetItemCount();
    std::vector<std::wstring> texts(static_cast<std::size_t>(count > 0 ? count : 0));
    std::vector<LPARAM> data(texts.size());
    for (int row = 0; row < count; ++row) {
        texts[static_cast<std::size_t>(row)] = CellText(*this, row, column);
        data[static_cast<std::size_t>(row)] = ItemData(*this, row);
    }
    const std::vector<int> ranks = cdv::DenseSortRanks(texts.size(), [&texts](std::size_t a, std::size_t b) {
        return ::lstrcmpW(texts[a].c_str(), texts[b].c_str());
    });
    m_sortRanks.Clear();
    m_sortRanks.Reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) m_sortRanks.Add(static_cast<std::intptr_t>(data[i]), ranks[i]);

    SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CListViewCheck1::CompareRows));
    m_sortRanks.Clear();
    if (m_header.m_hWnd != nullptr) m_header.Invalidate(false);
    return 0;
}

int CALLBACK CListViewCheck1::CompareRows(LPARAM itemData1, LPARAM itemData2, LPARAM list) {
    const auto* self = reinterpret_cast<const CListViewCheck1*>(list);
    if (self == nullptr) return 0;
    return self->m_sortRanks.Compare(static_cast<std::intptr_t>(itemData1), static_cast<std::intptr_t>(itemData2),
                                     self->m_header.m_sortAscending);
}

void CListViewCheck1::MeasureItem(MEASUREITEMSTRUCT* mis) {
    if (mis != nullptr) mis->itemHeight = static_cast<UINT>(m_rowHeight);
}

void CListViewCheck1::DrawItem(DRAWITEMSTRUCT* dis) {
    if (dis == nullptr || dis->itemID == static_cast<UINT>(-1)) return;
    const int row = static_cast<int>(dis->itemID);

    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_RANGE | SIF_POS;
    m_horizontalOffset = ::GetScrollInfo(m_hWnd, SB_HORZ, &scroll) ? -scroll.nPos : GetClientRect().left;

    // The row starts at minus the scroll position; some list views hand over a
    // rectangle that begins a margin further right, which would leave a strip
    // unpainted and shift the box away from where clicks toggle it.
    RECT rowRect = dis->rcItem;
    rowRect.left = std::min(rowRect.left, static_cast<LONG>(m_horizontalOffset));
    const int width = rowRect.right - rowRect.left;
    const int height = rowRect.bottom - rowRect.top;
    if (width <= 0 || height <= 0) return;

    fw::OffscreenBuffer buffer(dis->hDC, width, height);
    if (!buffer.valid()) return;
    HDC dc = buffer.dc();
    fw::GdiPen pen(::CreatePen(PS_SOLID, 1, ToColorref(cdv::kRowRuleColour)));
    fw::SelectionGuard selectPen(dc, pen.get());
    fw::SelectionGuard selectFont(dc, TkFontPool::Instance().FontByKey(0x100));

    fw::GdiBrush fill(::CreateSolidBrush(ToColorref(cdv::RowBackground(row, (dis->itemState & ODS_SELECTED) != 0))));
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, fill.get());
    ::MoveToEx(dc, 0, 0, nullptr);
    ::LineTo(dc, 0, height);
    ::MoveToEx(dc, 0, height - 1, nullptr);
    ::LineTo(dc, width - 1, height - 1);
    ::SetBkMode(dc, TRANSPARENT);

    const bool deleted = RowIsDeleted(row);
    const int stripWidth = static_cast<int>(fw::ImageWidth(m_checkBoxImage.get()));
    const int stripHeight = static_cast<int>(fw::ImageHeight(m_checkBoxImage.get()));
    const int markerWidth = static_cast<int>(fw::ImageWidth(m_deletedMarker.get()));
    fw::GraphicsPtr graphics = fw::GraphicsForDC(dc);

    for (int column = 0;; ++column) {
        LVCOLUMNW col{};
        col.mask = LVCF_FMT | LVCF_WIDTH;
        if (SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)) == 0) break;
        RECT label{};
        label.top = column;
        label.left = LVIR_LABEL;
        if (SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label)) == 0) continue;
        const std::wstring text = CellText(*this, row, column);
        const cdv::ListCellLayout cell = cdv::LayoutListCell(column, ToRect(label), rowRect.left, stripWidth,
                                                             stripHeight, deleted, markerWidth);
        if (cell.hasCheckBox && graphics) {
            DrawStripFrame(*graphics, m_checkBoxImage.get(), cdv::kListCheckFrames, cdv::ListCheckFrame(RowState(row)),
                           cell.checkBox.x, cell.checkBox.y);
        }
        if (cell.hasMarker && graphics) DrawWholeImage(*graphics, m_deletedMarker.get(), cell.marker.x, cell.marker.y);
        ::SetTextColor(dc, deleted ? ToColorref(cdv::kDeletedTextColour) : RGB(0, 0, 0));
        RECT textRect{cell.text.left, cell.text.top, cell.text.right, cell.text.bottom};
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (cell.separator) {
            ::MoveToEx(dc, cell.text.left, cell.text.top, nullptr);
            ::LineTo(dc, cell.text.left, cell.text.bottom);
        }
    }
    graphics.reset();
    buffer.CopyTo(dis->hDC, rowRect.left, rowRect.top);
}

bool CListViewCheck1::OnButtonDown(LPARAM lParam) {
    LVHITTESTINFO hit{};
    hit.pt.x = static_cast<short>(LOWORD(lParam));
    hit.pt.y = static_cast<short>(HIWORD(lParam));
    const int row = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row < 0) return false;
    RECT bounds{};
    if (!GetItemRect(row, &bounds, LVIR_BOUNDS)) return false;
    const fw::Rect zone = cdv::ListCheckZone(ToRect(bounds), static_cast<int>(fw::ImageWidth(m_checkBoxImage.get())),
                                             static_cast<int>(fw::ImageHeight(m_checkBoxImage.get())));
    if (!cdv::Contains(zone, hit.pt.x, hit.pt.y)) return false;
    ToggleRow(row);
    return true;
}

bool CListViewCheck1::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    switch (header->code) {
    case LVN_COLUMNCLICK:
        result = SortByColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        return true;
    case LVN_ITEMCHANGING: {
        // The system's own mouse and keyboard handling would flip a tick
        // without telling the parent; ticks change only through ToggleRow
        // and through list messages.
        const auto* nm = reinterpret_cast<NMLISTVIEW*>(header);
        if (m_listCallDepth == 0 && (nm->uChanged & LVIF_STATE) != 0 &&
            ((nm->uNewState ^ nm->uOldState) & LVIS_STATEIMAGEMASK) != 0) {
            result = TRUE;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

bool CListViewCheck1::OnHeaderNotify(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
    if (nm == nullptr || m_header.m_hWnd == nullptr || nm->hwndFrom != m_header.m_hWnd) return false;
    switch (nm->code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
    case HDN_TRACKW:
    case HDN_TRACKA: {
        // Not every list view passes tracking notifications on to its parent
        // for reflection, so the header hears them from here first; a refusal
        // ends them, anything else gets the list view's own handling.
        const LRESULT answer = m_header.SendMessage(fw::OCM_NOTIFY, wParam, lParam);
        if (answer != 0) {
            result = answer;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

bool CListViewCheck1::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg >= LVM_FIRST && msg < LVM_FIRST + 0x100) {
        ++m_listCallDepth;
        result = DefWindowProc(msg, wParam, lParam);
        --m_listCallDepth;
        return true;
    }
    if (ProcessOwnerDraw(msg, wParam, lParam, result)) return true;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A second quick click on the box is a second toggle, as the first was.
        if (OnButtonDown(lParam)) {
            result = 0;
            return true;
        }
        return false;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            const int row = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
            if (row >= 0) ToggleRow(row);
            result = 0;
            return true;
        }
        return false;
    case WM_CHAR:
        if (wParam == L' ') {
            result = 0;
            return true;
        }
        return false;
    case WM_NOTIFY:
        return OnHeaderNotify(wParam, lParam, result);
    case kMsgCheckAllChanged:
        result = SetAllChecks(wParam);
        return true;
    case fw::OCM_NOTIFY:
        if (lParam != 0 && OnReflectedNotify(reinterpret_cast<NMHDR*>(lParam), result)) return true;
        return ReflectedDefault(m_hWnd, msg, wParam, lParam, result);
    default:
        return ReflectedDefault(m_hWnd, msg, wParam, lParam, result);
    }
}
