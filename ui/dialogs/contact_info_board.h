#pragma once
// CContactInfoBoard: the contact card at the right of the main window. It
// shows one contact (picture, name, up to three organisation lines, one
// labelled line per phone number and e-mail address), drawn off-screen, with
// its own vertical scrolling in pixels.
//
//   card.Create(mainWindow, owner);           // modeless, from template 130
//   card.SendMessage(kShowContactMessage, 0, reinterpret_cast<LPARAM>(record));

#include <windows.h>

#include <string>
#include <vector>

#include "contacts/records.h"
#include "ui/dialogs/contact_info_line.h"
#include "ui/framework/dialog_impl.h"
#include "ui/framework/gdiplus_support.h"

namespace cdv {

// WM_USER+101: show the record in lParam (a ContactRecord*; null changes nothing).
constexpr UINT kShowContactMessage = WM_USER + 101;

// What the card reads a live contact's data rows and the mimetype table from:
// the lists of the last load, which must not change while a record is shown.
class ContactCardOwner {
public:
    virtual ~ContactCardOwner() = default;
    virtual const ReaderLists& CardLists() const = 0;
};

class CContactInfoBoard : public fw::CDialogImpl<CContactInfoBoard> {
public:
    enum { IDD = 130 };

    static constexpr int kLeft = 733;
    static constexpr int kTop = 34;
    static constexpr int kWidth = 241;
    static constexpr int kHeight = 575;

    CContactInfoBoard() = default;
    ~CContactInfoBoard() override;

    // The card as a child of `parent`, placed and shown; `owner` is remembered.
    HWND Create(HWND parent, ContactCardOwner* owner) {
        return fw::CDialogImpl<CContactInfoBoard>::Create(parent, reinterpret_cast<LPARAM>(owner));
    }

    const std::u16string& Name() const { return m_name; }
    const std::u16string& Organization(int line) const { return m_organization[line]; }
    const std::vector<ContactInfoLine>& Lines() const { return m_lines; }
    int ScrollOffset() const { return m_scroll; }
    RECT CanvasRect() const { return m_canvas; }
    RECT ClientRect() const { return m_client; }

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInitDialog(ContactCardOwner* owner);
    void Fill(const ContactRecord* record);
    void ApplyScrollRange(int contentBottom);
    void ScrollTo(int requested);
    void OnPaint();
    void DrawContent(HDC dc, int dy);

    std::u16string m_name;
    std::u16string m_organization[3];
    fw::ImagePtr m_picture;
    RECT m_client{};
    RECT m_canvas{};
    std::vector<ContactInfoLine> m_lines;
    int m_scroll = 0;
    ContactCardOwner* m_owner = nullptr;
};

}  // namespace cdv
