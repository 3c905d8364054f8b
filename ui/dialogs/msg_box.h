#pragma once
// CMsgBox: the program's own modal message box from template 131: a
// borderless, rounded window whose face is "msgbox.png", with the product
// title, an icon, the message, one or two action buttons and a close button.
// It closes only through its buttons and returns the clicked button's id.
//
//   CMsgBox box;
//   INT_PTR choice = box.ShowMessage(kMsgBoxWarning, kMsgBoxYes | kMsgBoxNo, text, hWnd);

#include <windows.h>

#include <string>

#include "ui/controls/img_button.h"
#include "ui/dialogs/msg_box_layout.h"
#include "ui/framework/dialog_impl.h"
#include "ui/framework/gdiplus_support.h"

// Icon kinds.
constexpr int kMsgBoxWarning = 0;
constexpr int kMsgBoxError = 1;
constexpr int kMsgBoxInformation = 2;
constexpr int kMsgBoxSuccess = 3;

// Results: the control ids of the buttons.
constexpr INT_PTR kMsgBoxClosed = 1010;
constexpr INT_PTR kMsgBoxOkId = 1011;
constexpr INT_PTR kMsgBoxYesId = 1012;
constexpr INT_PTR kMsgBoxNoId = 1014;
constexpr INT_PTR kMsgBoxCancelId = 1015;

class CMsgBox : public fw::CDialogImpl<CMsgBox> {
public:
    enum { IDD = 131 };

    CMsgBox();
    ~CMsgBox() override;

    // Runs the box modally, owned by `parent` or, when null, the active
    // window. Returns 1010, 1011, 1012, 1014 or 1015, or -1 when the dialog
    // cannot be created.
    INT_PTR ShowMessage(int iconKind, unsigned short buttonSet, const std::wstring& text, HWND parent);

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    const std::wstring& Text() const { return m_text; }
    int IconKind() const { return m_iconKind; }

private:
    void OnInitDialog();
    void OnPaint();
    CImgButton* ActionButton(int action);

    int m_iconKind = kMsgBoxWarning;
    unsigned short m_buttonSet = kMsgBoxOk;
    std::wstring m_text;
    fw::ImagePtr m_background;
    fw::ImagePtr m_icon;
    CImgButton m_btnClose;
    CImgButton m_btnOk;
    CImgButton m_btnYes;
    CImgButton m_btnNo;
    CImgButton m_btnCancel;
    RECT m_client{};
    RECT m_iconRect{};  // x, y, width, height
};
