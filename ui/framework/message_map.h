#pragma once
// The dispatch interface every window and dialog class implements, and the
// notification reflection that parents use to hand control notifications
// back to the control that sent them.

#include <windows.h>

namespace fw {

// A reflected message is the original number plus kReflectBase. The reflected
// range covers every system message below WM_USER.
constexpr UINT kReflectBase = WM_USER + 0x1C00;  // 0x2000
constexpr UINT OCM_COMMAND = kReflectBase + WM_COMMAND;
constexpr UINT OCM_NOTIFY = kReflectBase + WM_NOTIFY;
constexpr UINT OCM_PARENTNOTIFY = kReflectBase + WM_PARENTNOTIFY;
constexpr UINT OCM_DRAWITEM = kReflectBase + WM_DRAWITEM;
constexpr UINT OCM_MEASUREITEM = kReflectBase + WM_MEASUREITEM;
constexpr UINT OCM_COMPAREITEM = kReflectBase + WM_COMPAREITEM;
constexpr UINT OCM_DELETEITEM = kReflectBase + WM_DELETEITEM;
constexpr UINT OCM_VKEYTOITEM = kReflectBase + WM_VKEYTOITEM;
constexpr UINT OCM_CHARTOITEM = kReflectBase + WM_CHARTOITEM;
constexpr UINT OCM_HSCROLL = kReflectBase + WM_HSCROLL;
constexpr UINT OCM_VSCROLL = kReflectBase + WM_VSCROLL;
constexpr UINT OCM_CTLCOLORBTN = kReflectBase + WM_CTLCOLORBTN;
constexpr UINT OCM_CTLCOLORDLG = kReflectBase + WM_CTLCOLORDLG;
constexpr UINT OCM_CTLCOLOREDIT = kReflectBase + WM_CTLCOLOREDIT;
constexpr UINT OCM_CTLCOLORLISTBOX = kReflectBase + WM_CTLCOLORLISTBOX;
constexpr UINT OCM_CTLCOLORMSGBOX = kReflectBase + WM_CTLCOLORMSGBOX;
constexpr UINT OCM_CTLCOLORSCROLLBAR = kReflectBase + WM_CTLCOLORSCROLLBAR;
constexpr UINT OCM_CTLCOLORSTATIC = kReflectBase + WM_CTLCOLORSTATIC;

// Only the kinds a parent reflects count: the common controls' own messages
// (CCM_*) share the range above kReflectBase and are not reflections.
bool IsReflectedMessage(UINT msg);

class CMessageMap {
public:
    virtual ~CMessageMap() = default;
    // The class's one dispatch function. Return true when the message was
    // handled and `result` holds its answer; false sends it on to the default
    // processing (the previous window procedure, or the dialog manager).
    virtual bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result) = 0;
};

// The control a notification, owner-draw request or control-colour message
// names, or null when the message names none (menus, commands from
// accelerators, Escape's IDCANCEL and every other message).
HWND ReflectionTarget(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

// Parent side: sends the message back to the control that it names, as
// message + kReflectBase. True (with the control's answer) when a control was
// named; false otherwise, so the parent's own default processing goes on.
bool ReflectNotifications(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Control side: a reflected message the control did not handle gets the
// system's default answer to the original message.
bool DefaultReflectionHandler(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace fw
