#include "ui/framework/controls.h"

namespace fw {

std::wstring CListViewCtrl::GetItemText(int index, int subItem) const {
    // LVM_GETITEMTEXT truncates silently; grow until the text fits.
    std::wstring text;
    for (int size = 260; size <= 32768; size *= 4) {
        text.assign(static_cast<size_t>(size), L'\0');
        LVITEMW item{};
        item.iSubItem = subItem;
        item.pszText = &text[0];
        item.cchTextMax = size;
        int got = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
        if (got < size - 1) {
            text.resize(got > 0 ? static_cast<size_t>(got) : 0);
            return text;
        }
    }
    return text.substr(0, text.find(L'\0'));
}

bool CTreeViewCtrl::GetItemRect(HTREEITEM item, RECT* rc, bool textOnly) const {
    // TVM_GETITEMRECT takes the item handle in the rectangle it fills.
    *reinterpret_cast<HTREEITEM*>(rc) = item;
    return SendMessage(TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(rc)) != 0;
}

std::wstring CTreeViewCtrl::GetItemText(HTREEITEM item) const {
    wchar_t buffer[260] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = 260;
    GetItem(&tv);
    return buffer;
}

}  // namespace fw
