#pragma once
// Window implementations: a C++ object bound to one window, receiving its
// messages through the class's dispatch function (CMessageMap).
//
//   class CMyControl : public fw::CWindowImpl<CMyControl, fw::CButton> {
//       bool ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT&) override;
//   };
//
// Three ways to bind: Create() a window of the class's own window class (or of
// a superclass of a system class, see GetWndClassInfo), or SubclassWindow() an
// existing control. The object is bound from the window's first message and
// unbound at WM_NCDESTROY, after which OnFinalMessage runs (once the outermost
// message of that window has returned, so a handler may destroy its own window).

#include <windows.h>
// windowsx.h defines a SubclassWindow macro; take it in first and drop the
// macro so the member of that name stays usable in every file.
#include <windowsx.h>
#undef SubclassWindow

#include "ui/framework/message_map.h"
#include "ui/framework/window.h"

namespace fw {

struct WindowClassInfo {
    // Null: a name unique to the implementing class.
    const wchar_t* name = nullptr;
    // Name of a system class to superclass ("SysListView32"); null for a
    // class of our own. A superclass keeps the system class's style, extra
    // bytes, cursor and brush, and passes unhandled messages to its procedure.
    const wchar_t* superclassOf = nullptr;
    UINT style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    const wchar_t* cursor = IDC_ARROW;  // system cursor id
};

class CWindowImplCore : public CMessageMap {
public:
    CWindowImplCore(const CWindowImplCore&) = delete;
    CWindowImplCore& operator=(const CWindowImplCore&) = delete;

    // The object bound to a window by any window implementation, or null.
    static CWindowImplCore* FromHandle(HWND hWnd);

    // The message now being dispatched (null outside dispatch).
    const MSG* GetCurrentMessage() const { return m_current; }

    // The processing the window would get without this object: the previous
    // window procedure of a subclassed control, the system class's procedure
    // of a superclass, or ::DefWindowProcW for a class of our own.
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc();

    // Runs after WM_NCDESTROY, once the window and the object are apart.
    virtual void OnFinalMessage(HWND /*hWnd*/) {}

protected:
    explicit CWindowImplCore(HWND& handleSlot) : m_handle(handleSlot) {}
    ~CWindowImplCore() override;

    bool SubclassCore(HWND hWnd);
    HWND UnsubclassCore();
    HWND CreateCore(ATOM atom, HWND parent, const RECT& rc, const wchar_t* name, DWORD style,
                    DWORD exStyle, HMENU menuOrId, void* createParam);
    static ATOM RegisterClassCore(const WindowClassInfo& info, const void* uniqueKey);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hWnd, WNDPROC superProc);
    void Unbind(HWND hWnd);

    HWND& m_handle;
    WNDPROC m_superProc = ::DefWindowProcW;
    const MSG* m_current = nullptr;
    int m_depth = 0;
    bool m_subclassed = false;
    bool m_finalPending = false;
    bool m_dying = false;
};

template <class TBase = CWindow>
class CWindowImplBaseT : public TBase, public CWindowImplCore {
public:
    CWindowImplBaseT() : CWindowImplCore(this->m_hWnd) {}

    // Routes an existing window's messages through this object. Fails for a
    // handle that is not a window or is already bound to an object.
    bool SubclassWindow(HWND hWnd) { return SubclassCore(hWnd); }
    // Gives the window its previous procedure back; null when another
    // procedure has been installed above ours since.
    HWND UnsubclassWindow() { return UnsubclassCore(); }
};

template <class T, class TBase = CWindow>
class CWindowImpl : public CWindowImplBaseT<TBase> {
public:
    // Override in T to name the class or to superclass a system class.
    static WindowClassInfo GetWndClassInfo() { return WindowClassInfo{}; }

    HWND Create(HWND parent, const RECT& rc, const wchar_t* name = nullptr, DWORD style = 0,
                DWORD exStyle = 0, UINT_PTR idOrMenu = 0, void* createParam = nullptr) {
        static ATOM atom = 0;
        if (atom == 0) atom = CWindowImplCore::RegisterClassCore(T::GetWndClassInfo(), &atom);
        if (atom == 0) return nullptr;
        return this->CreateCore(atom, parent, rc, name, style, exStyle,
                                reinterpret_cast<HMENU>(idOrMenu), createParam);
    }
};

}  // namespace fw
