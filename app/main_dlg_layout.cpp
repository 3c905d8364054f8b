// The main window's frame and controls: shape, page pictures, the image
// buttons, tree, list, progress bar, busy animation and help link.
#include "app/main_dlg.h"

#include "app/web_links.h"
#include "platform/tallowkit/tallowkit.h"
#include "ui/controls/product_info.h"
#include "ui/controls/skin.h"

namespace {

struct ButtonPlace {
    CImgButton CMainDlg::*member;
    int id;
    const wchar_t* image;
    int states;
    int x;
    int y;
    bool hidden;
};

// In the order they are attached; negative offsets count from the right and bottom.
const ButtonPlace kButtons[] = {
    {&CMainDlg::m_btnMinimize, 1001, L"min.png", 4, -29, 5, false},
    {&CMainDlg::m_btnClose, 1000, L"close.png", 4, -8, 5, false},
    {&CMainDlg::m_btnMenu, 1024, L"menu.png", 3, -50, 5, false},
    {&CMainDlg::m_btnHome, 1029, L"btn_home.png", 4, -120, 5, false},
    {&CMainDlg::m_btnHelp, 1031, L"btn_help.png", 4, -90, 5, false},
    {&CMainDlg::m_btnBack, 1032, L"back.png", 3, 20, -20, true},
    {&CMainDlg::m_btnPause, 1006, L"pause.png", 4, -92, -20, true},
    {&CMainDlg::m_btnContinue, 1008, L"continue.png", 4, -92, -20, true},
    {&CMainDlg::m_btnStop, 1007, L"stop.png", 4, -20, -20, true},
    {&CMainDlg::m_btnRecover, 1010, L"recover.png", 3, -30, -20, true},
    {&CMainDlg::m_btnRefresh, 1033, L"refresh.png", 3, -30, -35, true},
};

constexpr int kTreeId = 1003;
constexpr int kListId = 1004;
constexpr int kProgressId = 1005;
constexpr int kAnimationHostId = 1009;
constexpr int kHelpLinkId = -1;

// The help link's static carries id -1, which a template may store as 0xFFFF.
HWND HelpLinkHost(HWND dialog) {
    if (HWND h = ::GetDlgItem(dialog, kHelpLinkId)) return h;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetWindowLongPtrW(child, GWLP_ID) == 0xFFFF) return child;
    }
    return nullptr;
}

}  // namespace

void CMainDlg::ShapeWindow() {
    SetWindowText(kProductTitle);
    ModifyStyle(WS_CAPTION, 0);
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_FRAMECHANGED);
    RECT client = GetClientRect();
    SetWindowRgn(::CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, 5, 5), false);
}

void CMainDlg::LoadPagePictures() {
    m_bgDevicePage = SkinImage(L"mainbg1.png");
    m_bgResultsPage = SkinImage(L"mainbg2.png");
    m_stepOneImage = SkinImage(L"step1.png");
}

void CMainDlg::CreateHelpLink() {
    m_helpLink.SubclassWindow(HelpLinkHost(m_hWnd));
    // get_font's caller owns the font; the link keeps using it for its life,
    // and a font handed in stays the caller's, so it lives with the process.
    static HFONT linkFont = get_font(L"Arial", 16, 400);
    m_helpLink.SetLinkFont(linkFont);
    m_helpLink.SetLabel(L"Have Problems?");
    m_helpLink.SetHyperLink(cdv::web::kGuidePage);
    SIZE ideal{};
    m_helpLink.GetIdealSize(ideal);
    m_helpLink.SetWindowPos(nullptr, 470, 630, ideal.cx, ideal.cy, SWP_NOZORDER | SWP_HIDEWINDOW);
}

void CMainDlg::CreateTree() {
    m_tree.InitTree(GetDlgItem(kTreeId));
    m_tree.SetWindowPos(nullptr, 1, 32, 221, 577, SWP_NOZORDER | SWP_HIDEWINDOW);

    TVINSERTSTRUCTW root{};
    root.hParent = TVI_ROOT;
    root.hInsertAfter = TVI_LAST;
    root.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    root.item.pszText = const_cast<wchar_t*>(L"android phone");
    root.item.cChildren = 1;
    m_rootItem = m_tree.InsertItem(&root);
    m_contactsItem = m_tree.InsertContactsItem(m_rootItem, m_contactsIcon.get());
    m_tree.Expand(m_rootItem);
}

void CMainDlg::CreateList() {
    m_list = std::make_unique<CListViewCheck1>();
    m_list->m_rowHeight = 30;
    const RECT place{225, 32, 748, 576};
    m_list->Create(m_hWnd, place, L"datalistview",
                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | LVS_ALIGNLEFT,
                   0, kListId);
    m_list->InitList();
    m_list->SetExtendedListViewStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_list->ShowWindow(SW_HIDE);
}

void CMainDlg::CreateAnimation() {
    m_animation = std::make_unique<cdv::CAnimateImg>();
    m_animation->LoadStrip(SkinFilePath(L"animate.png"));
    m_animation->SplitFrames();
    m_animation->SetPeriod(100);
    m_animation->SubclassWindow(GetDlgItem(kAnimationHostId));
    m_animation->SetPos(20, 641, SWP_HIDEWINDOW);
}

void CMainDlg::CreateControls() {
    CreateHelpLink();

    m_contactsIcon = SkinImage(L"contacts.png");
    m_loadingImage = SkinImage(L"loaddata.gif");
    m_loadFailImage = SkinImage(L"loadfail.png");

    for (const ButtonPlace& place : kButtons) {
        CImgButton& button = this->*place.member;
        button.SetupButton(GetDlgItem(place.id), SkinFilePath(place.image), place.x, place.y, place.states);
        if (place.hidden) button.ShowWindow(SW_HIDE);
    }

    CreateTree();
    CreateList();

    m_progress = GetDlgItem(kProgressId);
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    m_progress.SetWindowPos(nullptr, 42, 639, 730, 20, SWP_NOZORDER | SWP_HIDEWINDOW);

    CreateAnimation();
}
