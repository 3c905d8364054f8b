#pragma once
// A visible top-level window that hosts one control under test: it reflects
// notifications and owner-draw requests back to the control, as the main
// window does, and records the tick messages the control sends it.

#include <windows.h>

#include <vector>

#include "ui/framework/window_impl.h"

namespace uitest {

struct SentMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const SentMessage& o) const { return msg == o.msg && wParam == o.wParam && lParam == o.lParam; }
};

class ControlHost : public fw::CWindowImpl<ControlHost> {
public:
    ControlHost();
    ~ControlHost() override;

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Tick messages (WM_USER+100 and WM_USER+105) in arrival order.
    std::vector<SentMessage> ticks;
    // Selection changes reported by a tree child (TVN_SELCHANGED).
    int selectionChanges = 0;
};

}  // namespace uitest
