// The results page: the list filled from the Contacts item, the contact card
// fed with the selected row, and ticks kept in step across tree, list and
// records.
#include "app/main_dlg.h"

#include "contacts/list_rows.h"
#include "contacts/list_walk.h"

namespace {

struct ListColumn {
    const wchar_t* title;
    int width;
};

const ListColumn kContactColumns[] = {
    {L"Name", 150},
    {L"Phone", 170},
    {L"Company", 180},
    {L"Email", 150},
};

constexpr int kListModeContacts = 1;
constexpr int kUnticked = 1;
constexpr int kTicked = 2;

int StateFor(bool ticked) { return ticked ? kTicked : kUnticked; }

const wchar_t* Text(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

}  // namespace

void CMainDlg::SetTreeCheck(HTREEITEM item, int state) {
    if (item == nullptr) return;
    TVITEMW tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    tv.state = INDEXTOSTATEIMAGEMASK(state);
    m_tree.SetItem(&tv);
}

cdv::ContactRecord* CMainDlg::RowRecord(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!m_list || !m_list->GetItem(&item)) return nullptr;
    return reinterpret_cast<cdv::ContactRecord*>(item.lParam);
}

void CMainDlg::ClearList() {
    if (!m_list || !m_list->IsWindow()) return;
    m_list->DeleteAllItems();
    // Every column goes; the header count bounds the walk.
    for (int left = m_list->Header().GetItemCount(); left > 0; --left) {
        if (!m_list->SendMessage(LVM_DELETECOLUMN, 0)) break;
    }
}

bool CMainDlg::OnTreeSelectionChanged() {
    HTREEITEM item = m_tree.GetNextItem(nullptr, TVGN_CARET);
    if (item == nullptr) return true;
    if (item == m_rootItem) return false;
    const TreeItemData* data = m_tree.ItemRecord(item);
    if (data == nullptr || data->hasData == 0) return true;

    m_currentItem = item;
    m_list->Header().SetCheckAll(m_tree.StateIndex(item) - 1 != 0);
    ClearList();
    if (data->kind == 0) FillContactsList();
    return true;
}

void CMainDlg::FillContactsList() {
    m_list->SetWindowPos(nullptr, 225, 32, 507, 576, SWP_NOZORDER | SWP_HIDEWINDOW);
    for (int i = 0; i < static_cast<int>(sizeof(kContactColumns) / sizeof(kContactColumns[0])); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(kContactColumns[i].title);
        column.cx = kContactColumns[i].width;
        column.iSubItem = i;
        m_list->SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }

    const std::vector<cdv::ListRow> rows = cdv::BuildListRows(m_loaded);
    // Tens of thousands of rows: the list neither repaints nor re-measures its
    // scroll range until the last one is in.
    m_list->SendMessage(WM_SETREDRAW, FALSE);
    m_list->SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(rows.size()), 0);
    for (const cdv::ListRow& row : rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = m_list->GetItemCount();
        item.pszText = const_cast<wchar_t*>(Text(row.name));
        item.lParam = reinterpret_cast<LPARAM>(row.record);
        const int index = m_list->InsertItem(&item);
        if (index < 0) continue;
        // A list with check boxes gives every new row its own unticked state,
        // whatever the insertion asked for.
        m_list->SetItemState(index, INDEXTOSTATEIMAGEMASK(StateFor(row.checked)), LVIS_STATEIMAGEMASK);
        const std::u16string* columns[] = {&row.phone, &row.company, &row.email};
        for (int column = 1; column <= 3; ++column) {
            if (columns[column - 1]->empty()) continue;
            LVITEMW cell{};
            cell.iSubItem = column;
            cell.pszText = const_cast<wchar_t*>(Text(*columns[column - 1]));
            m_list->SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
        }
    }
    m_list->SendMessage(WM_SETREDRAW, TRUE);

    if (!m_contactCard) {
        m_contactCard = std::make_unique<cdv::CContactInfoBoard>();
        m_contactCard->Create(m_hWnd, this);
    }
    m_list->m_listMode = kListModeContacts;
    m_list->ShowWindow(SW_SHOW);
    m_contactCard->ShowWindow(SW_SHOW);
    m_contactCard->SendMessage(cdv::kShowContactMessage, 0,
                               reinterpret_cast<LPARAM>(rows.empty() ? nullptr : RowRecord(0)));
}

void CMainDlg::OnTreeItemTick(HTREEITEM item, LPARAM ticked) {
    const bool on = ticked != 0;
    if (item == m_currentItem && m_list) {
        m_list->Header().SetCheckAll(on);
        const int count = m_list->GetItemCount();
        for (int row = 0; row < count; ++row) {
            m_list->SetItemState(row, INDEXTOSTATEIMAGEMASK(StateFor(on)), LVIS_STATEIMAGEMASK);
        }
    }
    if (item == m_contactsItem) {
        cdv::ForEachRecord(m_loaded.lists.aux, [&](cdv::AuxRecord& r) { cdv::SetTicked(r, on); });
        cdv::ForEachRecord(m_loaded.lists.contacts, [&](cdv::ContactRecord& r) { cdv::SetTicked(r, on); });
        m_loaded.carved.ForEach([&](cdv::ContactRecord& r) { cdv::SetTicked(r, on); });
    }
}

void CMainDlg::OnRowTick(int row, LPARAM ticked) {
    if (m_currentItem != nullptr && m_currentItem == m_contactsItem) {
        // Every row's item data is one of the records of this load (list 2
        // or the carved list), set when the row was added.
        if (cdv::ContactRecord* record = RowRecord(row)) cdv::SetTicked(*record, ticked != 0);
        SetTreeCheck(m_contactsItem, StateFor(m_list->Header().IsCheckAllTicked()));
    }
    SetTreeCheck(m_rootItem, m_tree.StateIndex(m_contactsItem) == kUnticked ? kUnticked : kTicked);
}

void CMainDlg::OnListClick() {
    if (!m_list) return;
    const int row = static_cast<int>(m_list->SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return;
    if (m_currentItem == m_contactsItem && m_contactCard) {
        m_contactCard->SendMessage(cdv::kShowContactMessage, 0, reinterpret_cast<LPARAM>(RowRecord(row)));
    }
}
