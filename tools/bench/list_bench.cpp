// Fills the check-box list the way the results page does (four texts, a
// record pointer and a tick per row, list hidden and not redrawing), shows
// it and sorts it by a column,
// for 5,000 and 50,000 rows; prints the times and their growth.
//   list-bench.exe [rows...]
//   list-bench.exe --search-per-compare [rows...]   also times a sort whose
//       callback finds both rows by item data for every comparison
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "contacts/records.h"
#include "ui/controls/list_view_check.h"
#include "ui/framework/gdiplus_support.h"
#include "ui/framework/message_map.h"
#include "ui/framework/window_impl.h"

namespace {

class BenchHost : public fw::CWindowImpl<BenchHost> {
public:
    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg == WM_USER + 100) {
            result = 0;
            return true;
        }
        return fw::ReflectNotifications(hWnd, msg, wParam, lParam, result);
    }
};

// The comparison that looks each row up for every call: quadratic overall.
int CALLBACK CompareBySearch(LPARAM data1, LPARAM data2, LPARAM listHandle) {
    HWND list = reinterpret_cast<HWND>(listHandle);
    wchar_t text1[260] = {};
    wchar_t text2[260] = {};
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    LVITEMW item{};
    item.cchTextMax = 260;
    find.lParam = data1;
    const LRESULT row1 = ::SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    item.pszText = text1;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row1), reinterpret_cast<LPARAM>(&item));
    find.lParam = data2;
    const LRESULT row2 = ::SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    item.pszText = text2;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row2), reinterpret_cast<LPARAM>(&item));
    return ::lstrcmpW(text1, text2);
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

double Ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

struct Figures {
    int rows = 0;
    double fill = 0;
    double sortName = 0;
    double sortNameAgain = 0;
    double sortPhone = 0;
    double untickAll = 0;
    double sortBySearch = -1;
};

Figures Run(HWND parent, int rows, bool searchPerCompare) {
    std::mt19937 rng(static_cast<unsigned>(rows));
    const wchar_t* first[] = {L"Anna", L"Bruno", L"Chloé", L"Dmitri", L"Émile", L"Farah", L"Goran", L"Hana", L"Ivo",
                              L"Jonas", L"Kira", L"Lena", L"Mateo", L"Nora", L"Oskar", L"Priya"};
    std::vector<cdv::ContactRecord> records(static_cast<size_t>(rows));
    std::vector<std::wstring> names(records.size());
    std::vector<std::wstring> phones(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        records[i] = cdv::ContactRecord{};
        records[i].deleted = (i % 7 == 0) ? 1 : 0;
        names[i] = std::wstring(first[rng() % 16]) + L" " + std::to_wstring(rng() % 100000);
        phones[i] = L"+1 555 " + std::to_wstring(1000000 + rng() % 9000000);
    }

    CListViewCheck1 list;
    list.m_rowHeight = 30;
    RECT rc{0, 0, 523, 544};
    list.Create(parent, rc, L"datalistview", 0x50010C05, 0, 1004);
    list.InitList();
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    list.ShowWindow(SW_HIDE);
    const wchar_t* titles[] = {L"Name", L"Phone", L"Company", L"Email"};
    const int widths[] = {150, 170, 180, 150};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<wchar_t*>(titles[i]);
        col.cx = widths[i];
        list.SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    }

    Figures f;
    f.rows = rows;
    auto start = std::chrono::steady_clock::now();
    // As the results page fills it: no repainting and the row store sized
    // once, then every row appended.
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(records.size()), 0);
    for (size_t i = 0; i < records.size(); ++i) {
        const int row = list.AddRow(names[i].c_str(), phones[i].c_str(), L"", L"");
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = reinterpret_cast<LPARAM>(&records[i]);
        list.SetItem(&item);
        list.SetItemState(row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    }
    list.SendMessage(WM_SETREDRAW, TRUE);
    list.m_listMode = 1;
    list.ShowWindow(SW_SHOW);
    list.UpdateWindow();
    Pump();
    f.fill = Ms(start);

    start = std::chrono::steady_clock::now();
    list.SortByColumn(0);
    list.UpdateWindow();
    f.sortName = Ms(start);

    start = std::chrono::steady_clock::now();
    list.SortByColumn(0);
    list.UpdateWindow();
    f.sortNameAgain = Ms(start);

    start = std::chrono::steady_clock::now();
    list.SortByColumn(1);
    list.UpdateWindow();
    f.sortPhone = Ms(start);
    Pump();

    // The header's check-all box: every row changes and is reported.
    start = std::chrono::steady_clock::now();
    list.SendMessage(WM_USER + 104, 0, 0);
    list.UpdateWindow();
    f.untickAll = Ms(start);

    if (searchPerCompare) {
        start = std::chrono::steady_clock::now();
        list.SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(list.m_hWnd),
                         reinterpret_cast<LPARAM>(&CompareBySearch));
        list.UpdateWindow();
        f.sortBySearch = Ms(start);
    }

    list.DestroyWindow();
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    bool searchPerCompare = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--search-per-compare") {
            searchPerCompare = true;
        } else {
            sizes.push_back(std::atoi(argv[i]));
        }
    }
    if (sizes.empty()) sizes = {5000, 50000};

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    fw::GdiplusSession gdiplus;
    BenchHost host;
    RECT rc{0, 0, 800, 600};
    host.Create(nullptr, rc, L"list bench", WS_POPUP | WS_VISIBLE);

    std::vector<Figures> all;
    std::printf("%8s %10s %12s %12s %12s %12s %12s\n", "rows", "fill ms", "sort name", "reverse", "sort phone",
                "fill+sort", "untick all");
    for (int rows : sizes) {
        Figures f = Run(host.m_hWnd, rows, searchPerCompare);
        all.push_back(f);
        std::printf("%8d %10.1f %12.1f %12.1f %12.1f %12.1f %12.1f\n", f.rows, f.fill, f.sortName, f.sortNameAgain,
                    f.sortPhone, f.fill + f.sortName, f.untickAll);
        if (f.sortBySearch >= 0) std::printf("%8s sort with a row search per comparison: %.1f ms\n", "", f.sortBySearch);
    }
    if (all.size() >= 2) {
        const Figures& a = all.front();
        const Figures& b = all.back();
        std::printf("growth %d -> %d rows (x%.0f): fill x%.1f, sort x%.1f, fill+sort x%.1f\n", a.rows, b.rows,
                    static_cast<double>(b.rows) / a.rows, b.fill / a.fill, b.sortName / a.sortName,
                    (b.fill + b.sortName) / (a.fill + a.sortName));
    }
    host.DestroyWindow();
    return 0;
}
