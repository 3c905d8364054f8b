#pragma once
// The main window's help link: whatever address it shows, activating it
// (click, Enter or Space) always opens the on-line guide, and it never turns
// visited.

#include "ui/controls/hyperlink_impl.h"

namespace cdv {

class CMyHyperLink : public CHyperLinkImpl {
protected:
    void Navigate() override;
};

}  // namespace cdv
