#pragma once
// Base of the small animations: a control subclassed from a dialog item that
// paints itself on every frame tick and never erases its background.

#include <windows.h>

#include "ui/framework/controls.h"
#include "ui/framework/window_impl.h"

namespace cdv {

class CAnimateStaticBase : public fw::CWindowImplBaseT<fw::CStatic> {
public:
    CAnimateStaticBase() = default;

    // Takes over a dialog item. The picture is no stop for the Tab key: a
    // push button host would draw its focus look over the frames.
    bool SubclassWindow(HWND hWnd);

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    virtual void OnPaint() = 0;
    virtual void OnTimer(UINT_PTR timerId) = 0;
    // Places the control; the base leaves it where it is.
    virtual bool SetPos(int /*x*/, int /*y*/, UINT /*flags*/) { return true; }

protected:
    // The window went away: its timers went with it.
    virtual void OnDestroy() {}
};

}  // namespace cdv
