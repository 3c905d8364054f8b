#pragma once
// The record behind a category item of the tree (its item data).

namespace Gdiplus {
class Image;
}

struct TreeItemData {
    int kind;                // 0 = contacts
    int hasData;             // non-zero once the category holds records
    Gdiplus::Image* icon;    // the category's icon; not owned
    int spare;               // 0, not read
};
