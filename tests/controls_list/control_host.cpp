#include "tests/controls_list/control_host.h"

#include <commctrl.h>

#include "ui/controls/tick_messages.h"

namespace uitest {

ControlHost::ControlHost() {
    RECT rc{0, 0, 820, 520};
    Create(nullptr, rc, L"control host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
}

ControlHost::~ControlHost() {
    if (m_hWnd != nullptr) DestroyWindow();
}

bool ControlHost::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == kMsgRowTickChanged || msg == kMsgTreeItemTickChanged) {
        ticks.push_back(SentMessage{msg, wParam, lParam});
        result = 0;
        return true;
    }
    if (msg == WM_NOTIFY && lParam != 0 && reinterpret_cast<const NMHDR*>(lParam)->code == TVN_SELCHANGEDW) {
        ++selectionChanges;
    }
    return fw::ReflectNotifications(hWnd, msg, wParam, lParam, result);
}

}  // namespace uitest
