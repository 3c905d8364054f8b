#pragma once
// What the window and dialog procedures do around each call of a message
// map: the message being handled is on record (GetCurrentMessage) and the
// nesting depth counted, so that the object is released only once the
// outermost message is done; and no exception unwinds through the system's
// dispatch.

#include <windows.h>

namespace fw {

class MessageScope {
public:
    MessageScope(const MSG*& current, int& depth, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
        : m_current(current), m_depth(depth), m_outer(current) {
        m_message.hwnd = hWnd;
        m_message.message = msg;
        m_message.wParam = wParam;
        m_message.lParam = lParam;
        m_current = &m_message;
        ++m_depth;
    }
    ~MessageScope() {
        --m_depth;
        m_current = m_outer;
    }
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

private:
    const MSG*& m_current;
    int& m_depth;
    const MSG* m_outer;
    MSG m_message{};
};

// The map's answer; a map that throws counts as not having handled the message.
template <class Map>
bool CallMessageMap(Map& map, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept {
    try {
        return map.ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
    } catch (...) {
        return false;
    }
}

}  // namespace fw
