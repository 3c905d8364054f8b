#include "ui/framework/dialog_impl.h"

#include "ui/framework/handle_table.h"
#include "ui/framework/message_scope.h"

namespace fw {

namespace {

thread_local CDialogImplCore* t_pendingDialog = nullptr;

// Messages whose answer the dialog procedure returns itself instead of
// placing it in DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT msg) {
    switch (msg) {
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

}  // namespace

CDialogImplCore* CDialogImplCore::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    return static_cast<CDialogImplCore*>(HandleTable::Dialogs().Get(hWnd));
}

CDialogImplCore::~CDialogImplCore() {
    HWND hWnd = m_handle;
    if (hWnd == nullptr || !::IsWindow(hWnd) || FromHandle(hWnd) != this) return;
    // Unbind first: the derived parts are gone and must not be dispatched to.
    HandleTable::Dialogs().Erase(hWnd);
    m_handle = nullptr;
    if (!m_modal) ::DestroyWindow(hWnd);
}

BOOL CDialogImplCore::EndDialog(INT_PTR code) {
    if (m_handle == nullptr) return FALSE;
    if (m_modal) return ::EndDialog(m_handle, code);
    return ::ShowWindow(m_handle, SW_HIDE);
}

INT_PTR CDialogImplCore::DoModalCore(const wchar_t* templateName, HWND owner, LPARAM initParam) {
    if (m_handle != nullptr) return -1;
    m_modal = true;
    CDialogImplCore* saved = t_pendingDialog;
    t_pendingDialog = this;
    INT_PTR code = ::DialogBoxParamW(ModuleInstance(), templateName, owner, &CDialogImplCore::DialogProc, initParam);
    t_pendingDialog = saved;
    m_modal = false;
    return code;
}

HWND CDialogImplCore::CreateCore(const wchar_t* templateName, HWND parent, LPARAM initParam) {
    if (m_handle != nullptr) return nullptr;
    m_modal = false;
    CDialogImplCore* saved = t_pendingDialog;
    t_pendingDialog = this;
    HWND hWnd = ::CreateDialogParamW(ModuleInstance(), templateName, parent, &CDialogImplCore::DialogProc, initParam);
    t_pendingDialog = saved;
    return hWnd;
}

INT_PTR CALLBACK CDialogImplCore::DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialogImplCore* self = FromHandle(hWnd);
    if (self == nullptr) {
        if (t_pendingDialog == nullptr) return FALSE;
        self = t_pendingDialog;
        t_pendingDialog = nullptr;
        self->m_handle = hWnd;
        HandleTable::Dialogs().Set(hWnd, self);
    }

    LRESULT result = 0;
    bool handled = false;
    {
        MessageScope scope(self->m_current, self->m_depth, hWnd, msg, wParam, lParam);
        handled = CallMessageMap(*self, hWnd, msg, wParam, lParam, result);
    }
    if (msg == WM_NCDESTROY) {
        HandleTable::Dialogs().Erase(hWnd);
        self->m_handle = nullptr;
        self->m_finalPending = true;
    }
    if (self->m_finalPending && self->m_depth == 0) {
        self->m_finalPending = false;
        self->OnFinalMessage(hWnd);
        // The object may be gone now; the dialog manager finishes the message.
        return FALSE;
    }

    if (!handled) return FALSE;
    if (ReturnsResultDirectly(msg)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace fw
