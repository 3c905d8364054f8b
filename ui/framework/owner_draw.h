#pragma once
// Owner-draw mixin for a control whose parent reflects owner-draw requests:
// the control derives from COwnerDraw<T>, calls ProcessOwnerDraw from its
// dispatch function, and defines the handlers it needs. The defaults draw
// nothing, leave the measured size alone and compare items as equal.

#include <windows.h>

#include "ui/framework/message_map.h"

namespace fw {

template <class T>
class COwnerDraw {
public:
    bool ProcessOwnerDraw(UINT msg, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
        T* self = static_cast<T*>(this);
        switch (msg) {
        case OCM_DRAWITEM:
            self->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case OCM_MEASUREITEM:
            self->MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case OCM_COMPAREITEM:
            result = self->CompareItem(reinterpret_cast<COMPAREITEMSTRUCT*>(lParam));
            return true;
        case OCM_DELETEITEM:
            self->DeleteItem(reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        default:
            return false;
        }
    }

    void DrawItem(DRAWITEMSTRUCT* /*dis*/) {}
    void MeasureItem(MEASUREITEMSTRUCT* /*mis*/) {}
    int CompareItem(COMPAREITEMSTRUCT* /*cis*/) { return 0; }
    void DeleteItem(DELETEITEMSTRUCT* /*dis*/) {}
};

}  // namespace fw
