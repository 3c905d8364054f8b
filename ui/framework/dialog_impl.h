#pragma once
// Dialog implementations: a C++ object bound to a dialog made from a template
// resource, receiving its messages through the class's dispatch function.
//
//   class CMyBox : public fw::CDialogImpl<CMyBox> {
//   public:
//       enum { IDD = 131 };
//       bool ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT&) override;
//   };
//
// An unhandled message gets the dialog manager's default processing. A handled
// message's result is given back the way the dialog manager expects (returned
// directly for WM_INITDIALOG, WM_CTLCOLOR*, WM_COMPAREITEM and friends,
// otherwise through DWLP_MSGRESULT). The object is bound from the dialog's
// first message and unbound at WM_NCDESTROY, then OnFinalMessage runs.

#include <windows.h>

#include "ui/framework/app_module.h"
#include "ui/framework/message_map.h"
#include "ui/framework/window.h"

namespace fw {

class CDialogImplCore : public CMessageMap {
public:
    CDialogImplCore(const CDialogImplCore&) = delete;
    CDialogImplCore& operator=(const CDialogImplCore&) = delete;

    static CDialogImplCore* FromHandle(HWND hWnd);

    const MSG* GetCurrentMessage() const { return m_current; }

    // Ends a modal dialog with `code` as DoModal's result. A modeless dialog
    // is hidden; its owner destroys it.
    BOOL EndDialog(INT_PTR code);

    virtual void OnFinalMessage(HWND /*hWnd*/) {}

protected:
    explicit CDialogImplCore(HWND& handleSlot) : m_handle(handleSlot) {}
    ~CDialogImplCore() override;

    // -1 when the dialog cannot be created.
    INT_PTR DoModalCore(const wchar_t* templateName, HWND owner, LPARAM initParam);
    HWND CreateCore(const wchar_t* templateName, HWND parent, LPARAM initParam);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND& m_handle;
    const MSG* m_current = nullptr;
    int m_depth = 0;
    bool m_modal = false;
    bool m_finalPending = false;
};

template <class T, class TBase = CWindow>
class CDialogImpl : public TBase, public CDialogImplCore {
public:
    CDialogImpl() : CDialogImplCore(this->m_hWnd) {}

    // Runs the dialog from template T::IDD until EndDialog; the owner is the
    // active window unless given. Returns EndDialog's code, or -1.
    INT_PTR DoModal(HWND owner = ::GetActiveWindow(), LPARAM initParam = 0) {
        return DoModalCore(MAKEINTRESOURCEW(T::IDD), owner, initParam);
    }
    // A modeless dialog from template T::IDD; destroy it with DestroyWindow.
    HWND Create(HWND parent, LPARAM initParam = 0) {
        return CreateCore(MAKEINTRESOURCEW(T::IDD), parent, initParam);
    }
};

}  // namespace fw
