#include "ui/controls/tree_view_ex.h"

#include <algorithm>

#include "ui/controls/list_row_layout.h"
#include "ui/controls/font_pool.h"
#include "ui/controls/listtree_skin.h"
#include "ui/controls/skin.h"
#include "ui/controls/reflected_default.h"
#include "ui/framework/gdi.h"

namespace {

constexpr int kCaptionChars = 260;
constexpr COLORREF kHighlightFrom = RGB(168, 229, 246);
constexpr COLORREF kHighlightTo = RGB(241, 247, 249);
constexpr COLORREF kNoDataCaption = RGB(200, 200, 200);
constexpr COLORREF kHighlightCaption = RGB(0, 0, 200);

// Carries SetCategory's arguments to the tree's own thread.
struct CategoryUpdate {
    const wchar_t* text;
    int hasData;
};

UINT SetCategoryMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"Cardivane.Tree.SetCategory");
    return message;
}

cdv::Size ImageSize(Gdiplus::Image* image) {
    return cdv::Size{static_cast<int>(fw::ImageWidth(image)), static_cast<int>(fw::ImageHeight(image))};
}

fw::Rect ToRect(const RECT& rc) { return fw::Rect{rc.left, rc.top, rc.right, rc.bottom}; }
RECT ToRECT(const fw::Rect& rc) { return RECT{rc.left, rc.top, rc.right, rc.bottom}; }

}  // namespace

CTreeViewEx1::CTreeViewEx1() = default;

CTreeViewEx1::~CTreeViewEx1() {
    m_closedGlyph.reset();
    m_openedGlyph.reset();
    m_checkBoxes.reset();
    m_rootIcon.reset();
}

bool CTreeViewEx1::InitTree(HWND tree) {
    const bool attached = SubclassWindow(tree);
    m_openedGlyph = SkinImage(L"tree_opened.bmp");
    m_closedGlyph = SkinImage(L"tree_closed.bmp");
    m_checkBoxes = SkinImage(L"checkboxes.png");
    m_rootIcon = SkinImage(L"treeroot.png");
    if (attached) {
        // Without this style the system rounds an odd item height down to even.
        ModifyStyle(0, TVS_NONEVENHEIGHT);
        SetItemHeight(m_itemHeight);
    }
    return attached;
}

HTREEITEM CTreeViewEx1::InsertContactsItem(HTREEITEM parent, Gdiplus::Image* icon) {
    auto record = std::make_unique<TreeItemData>(TreeItemData{0, 0, icon, 0});
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(L"Contacts");
    insert.item.lParam = reinterpret_cast<LPARAM>(record.get());
    HTREEITEM item = InsertItem(&insert);
    if (item != nullptr) m_ownedRecords.push_back(std::move(record));
    return item;
}

LRESULT CTreeViewEx1::SetCategory(const wchar_t* text, HTREEITEM item, int hasData) {
    if (m_hWnd == nullptr) return 0;
    CategoryUpdate update{text, hasData};
    return SendMessage(SetCategoryMessage(), reinterpret_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&update));
}

LRESULT CTreeViewEx1::ApplyCategory(const wchar_t* text, HTREEITEM item, int hasData) {
    TreeItemData* record = ItemRecord(item);
    if (record == nullptr) return 0;
    record->hasData = hasData;
    record->spare = 0;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM | (text != nullptr ? TVIF_TEXT : 0u);
    tv.hItem = item;
    tv.lParam = reinterpret_cast<LPARAM>(record);
    tv.pszText = const_cast<wchar_t*>(text);
    const LRESULT result = SetItem(&tv) ? 1 : 0;
    // A change of the data flag alone changes nothing the system would repaint.
    Invalidate(false);
    return result;
}

int CTreeViewEx1::StateIndex(HTREEITEM item) const {
    TVITEMW tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    if (!GetItem(&tv)) return 0;
    return static_cast<int>((tv.state & TVIS_STATEIMAGEMASK) >> 12);
}

TreeItemData* CTreeViewEx1::ItemRecord(HTREEITEM item) const {
    if (item == nullptr) return nullptr;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (!GetItem(&tv)) return nullptr;
    return reinterpret_cast<TreeItemData*>(tv.lParam);
}

void CTreeViewEx1::SetStateIndex(HTREEITEM item, int state) {
    TVITEMW tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.state = INDEXTOSTATEIMAGEMASK(state);
    tv.stateMask = TVIS_STATEIMAGEMASK;
    SetItem(&tv);
}

bool CTreeViewEx1::ReadItem(HTREEITEM item, ItemFacts& facts) const {
    TVITEMW tv{};
    tv.mask = TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
    tv.hItem = item;
    tv.stateMask = TVIS_SELECTED | TVIS_EXPANDED | TVIS_STATEIMAGEMASK;
    if (!GetItem(&tv)) return false;
    RECT line{};
    if (!GetItemRect(item, &line, false)) return false;
    facts.item = item;
    facts.line = line;
    facts.group = tv.cChildren != 0 || GetNextItem(item, TVGN_PARENT) == nullptr;
    facts.selected = (tv.state & TVIS_SELECTED) != 0;
    facts.expanded = (tv.state & TVIS_EXPANDED) != 0;
    facts.stateIndex = static_cast<int>((tv.state & TVIS_STATEIMAGEMASK) >> 12);
    facts.record = reinterpret_cast<TreeItemData*>(tv.lParam);
    return true;
}

cdv::TreeSkinSizes CTreeViewEx1::SkinSizes(bool expanded) const {
    cdv::TreeSkinSizes sizes;
    sizes.checkStrip = ImageSize(m_checkBoxes.get());
    sizes.glyph = ImageSize(expanded ? m_openedGlyph.get() : m_closedGlyph.get());
    sizes.rootIcon = ImageSize(m_rootIcon.get());
    return sizes;
}

void CTreeViewEx1::RefreshScrollMetrics() {
    m_clientRect = GetClientRect();
    const int clientWidth = m_clientRect.right - m_clientRect.left;
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_RANGE | SIF_POS;
    if ((GetStyle() & WS_HSCROLL) != 0 && ::GetScrollInfo(m_hWnd, SB_HORZ, &scroll)) {
        m_horizontalOffset = -scroll.nPos;
        m_contentWidth = std::max(clientWidth, scroll.nMax + 1);
    } else {
        m_horizontalOffset = m_clientRect.left;
        m_contentWidth = clientWidth;
    }
}

void CTreeViewEx1::PaintContent(HDC dc) {
    fw::GraphicsPtr graphics = fw::GraphicsForDC(dc);
    if (!graphics) return;
    const bool focused = ::GetFocus() == m_hWnd;
    // Every visible item once at most, and none below the client area.
    const LRESULT count = SendMessage(TVM_GETCOUNT);
    LRESULT walked = 0;
    for (HTREEITEM item = GetNextItem(nullptr, TVGN_FIRSTVISIBLE); item != nullptr && walked <= count;
         item = GetNextItem(item, TVGN_NEXTVISIBLE), ++walked) {
        ItemFacts facts;
        if (!ReadItem(item, facts)) continue;
        if (facts.line.top >= m_clientRect.bottom) break;
        DrawItem(dc, *graphics, facts, focused);
    }
}

void CTreeViewEx1::DrawItem(HDC dc, Gdiplus::Graphics& graphics, const ItemFacts& facts, bool focused) {
    const cdv::TreeSkinSizes skin = SkinSizes(facts.expanded);
    const fw::Rect line = ToRect(facts.line);
    const bool highlight = facts.selected && (focused || (GetStyle() & TVS_SHOWSELALWAYS) != 0);

    wchar_t caption[kCaptionChars] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = facts.item;
    tv.pszText = caption;
    tv.cchTextMax = kCaptionChars;
    GetItem(&tv);

    const int savedDC = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    if (facts.group) {
        const cdv::GroupItemLayout g = cdv::LayoutGroupItem(line, skin);
        DrawWholeImage(graphics, facts.expanded ? m_openedGlyph.get() : m_closedGlyph.get(), g.glyph.x, g.glyph.y);
        DrawStripFrame(graphics, m_checkBoxes.get(), cdv::kTreeCheckFrames, cdv::TreeCheckFrame(true, facts.stateIndex),
                       g.checkBox.x, g.checkBox.y);
        DrawWholeImage(graphics, m_rootIcon.get(), g.icon.x, g.icon.y);
        ::SelectObject(dc, TkFontPool::Instance().FontByKey(0x104));
        ::SetTextColor(dc, RGB(0, 0, 0));
        RECT text = ToRECT(g.caption);
        ::DrawTextW(dc, caption, -1, &text, DT_END_ELLIPSIS);
    } else if (facts.record != nullptr) {
        const TreeItemData& record = *facts.record;
        const bool hasData = record.hasData != 0;
        const cdv::LeafItemLayout f = cdv::LayoutLeafItem(line, skin, ImageSize(record.icon),
                                                          m_contentWidth + m_horizontalOffset);
        DrawStripFrame(graphics, m_checkBoxes.get(), cdv::kTreeCheckFrames,
                       cdv::TreeCheckFrame(hasData, facts.stateIndex), f.checkBox.x, f.checkBox.y);
        if (hasData && highlight) {
            RECT band = ToRECT(f.highlight);
            SkinGradientFill(dc, band, kHighlightFrom, kHighlightTo);
        }
        DrawWholeImage(graphics, record.icon, f.icon.x, f.icon.y);
        ::SelectObject(dc, TkFontPool::Instance().FontByKey(0x100));
        ::SetTextColor(dc, !hasData ? kNoDataCaption : highlight ? kHighlightCaption : RGB(0, 0, 0));
        RECT text = ToRECT(f.caption);
        ::DrawTextW(dc, caption, -1, &text, DT_END_ELLIPSIS);
    }
    ::RestoreDC(dc, savedDC);
}

void CTreeViewEx1::RecomputeRootTick() {
    HTREEITEM root = GetNextItem(nullptr, TVGN_ROOT);
    if (root == nullptr) return;
    std::vector<cdv::CategoryState> categories;
    const LRESULT count = SendMessage(TVM_GETCOUNT);
    for (HTREEITEM child = GetNextItem(root, TVGN_CHILD);
         child != nullptr && static_cast<LRESULT>(categories.size()) <= count; child = GetNextItem(child, TVGN_NEXT)) {
        const TreeItemData* record = ItemRecord(child);
        categories.push_back(cdv::CategoryState{record != nullptr && record->hasData != 0, StateIndex(child)});
    }
    SetStateIndex(root, cdv::RootStateFor(categories));
}

void CTreeViewEx1::ToggleItem(const ItemFacts& facts) {
    const int state = facts.stateIndex == cdv::kItemUnticked ? cdv::kItemTicked : cdv::kItemUnticked;
    SetStateIndex(facts.item, state);
    const int ticked = state == cdv::kItemTicked ? 1 : 0;
    HWND parent = GetParent();
    if (facts.group) {
        const LRESULT count = SendMessage(TVM_GETCOUNT);
        LRESULT walked = 0;
        for (HTREEITEM child = GetNextItem(facts.item, TVGN_CHILD); child != nullptr && walked <= count;
             child = GetNextItem(child, TVGN_NEXT), ++walked) {
            if (StateIndex(child) - 1 != ticked) {
                ::SendMessageW(parent, kMsgTreeItemTickChanged, reinterpret_cast<WPARAM>(child), ticked);
            }
            SetStateIndex(child, state);
        }
    } else {
        RecomputeRootTick();
        ::SendMessageW(parent, kMsgTreeItemTickChanged, reinterpret_cast<WPARAM>(facts.item), ticked);
    }
}

bool CTreeViewEx1::OnButtonDown(LPARAM lParam) {
    TVHITTESTINFO hit{};
    hit.pt.x = static_cast<short>(LOWORD(lParam));
    hit.pt.y = static_cast<short>(HIWORD(lParam));
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item == nullptr) return false;
    ItemFacts facts;
    if (!ReadItem(item, facts)) return false;
    // A category without data can be neither ticked nor selected, wherever on its line.
    if (facts.record != nullptr && facts.record->hasData == 0) return true;
    const fw::Rect zone = cdv::TreeCheckZone(facts.group, ToRect(facts.line), SkinSizes(facts.expanded));
    if (cdv::Contains(zone, hit.pt.x, hit.pt.y)) {
        ToggleItem(facts);
        return true;
    }
    if ((hit.flags & TVHT_ONITEMSTATEICON) != 0) {
        // The system would flip the tick here without telling anyone: select only.
        SelectItem(item);
        SetFocus();
        return true;
    }
    return false;
}

bool CTreeViewEx1::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == SetCategoryMessage() && msg != 0) {
        const auto* update = reinterpret_cast<const CategoryUpdate*>(lParam);
        result = update != nullptr ? ApplyCategory(update->text, reinterpret_cast<HTREEITEM>(wParam), update->hasData) : 0;
        return true;
    }
    switch (msg) {
    case WM_PAINT: {
        fw::PaintDC paint(m_hWnd);
        RefreshScrollMetrics();
        fw::OffscreenBuffer buffer(paint, m_clientRect.right - m_clientRect.left, m_clientRect.bottom - m_clientRect.top);
        if (buffer.valid()) {
            ::PatBlt(buffer.dc(), 0, 0, buffer.width(), buffer.height(), WHITENESS);
            PaintContent(buffer.dc());
            buffer.CopyTo(paint, 0, 0);
        }
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT: {
        RefreshScrollMetrics();
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::PatBlt(dc, 0, 0, m_clientRect.right - m_clientRect.left, m_clientRect.bottom - m_clientRect.top, WHITENESS);
        PaintContent(dc);
        result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_LBUTTONDOWN:
        if (OnButtonDown(lParam)) {
            result = 0;
            return true;
        }
        return false;
    case WM_LBUTTONDBLCLK:
        // The second click of a double-click never expands or collapses.
        result = 0;
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            ItemFacts facts;
            HTREEITEM selected = GetNextItem(nullptr, TVGN_CARET);
            if (selected != nullptr && ReadItem(selected, facts) &&
                (facts.record == nullptr || facts.record->hasData != 0)) {
                ToggleItem(facts);
            }
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
    default:
        return ReflectedDefault(m_hWnd, msg, wParam, lParam, result);
    }
}
