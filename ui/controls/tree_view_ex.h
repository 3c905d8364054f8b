#pragma once
// CTreeViewEx1: the category tree. It paints every visible item itself
// (skinned glyphs and check boxes, root icon, category icons, grey captions
// for categories without data, a gradient behind the selected category) and
// links the ticks of the root and its categories, reporting each category
// whose tick changes to the parent with kMsgTreeItemTickChanged.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "ui/controls/tick_messages.h"
#include "ui/controls/tree_item_data.h"
#include "ui/controls/tree_item_layout.h"
#include "ui/framework/controls.h"
#include "ui/framework/gdiplus_support.h"
#include "ui/framework/window_impl.h"

class CTreeViewEx1 : public fw::CWindowImpl<CTreeViewEx1, fw::CTreeViewCtrl> {
public:
    CTreeViewEx1();
    ~CTreeViewEx1() override;

    // Subclasses the tree control, loads the skin pictures and applies the
    // item height. The result is that of the subclassing.
    bool InitTree(HWND tree);

    // A "Contacts" category as the last child of `parent`, carrying a new
    // record {kind 0, no data, icon}. The tree keeps the records it makes
    // until it is destroyed.
    HTREEITEM InsertContactsItem(HTREEITEM parent, Gdiplus::Image* icon);

    // Sets a category's data flag and, when `text` is given, its caption; the
    // TVM_SETITEM result, or 0 for an item without a record. Safe to call
    // from a worker thread: the change is made on the tree's own thread.
    LRESULT SetCategory(const wchar_t* text, HTREEITEM item, int hasData);

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Draws the visible items onto a white background (the double-buffer source).
    void PaintContent(HDC dc);

    int StateIndex(HTREEITEM item) const;
    TreeItemData* ItemRecord(HTREEITEM item) const;

    RECT m_clientRect{};
    int m_horizontalOffset = 0;
    int m_contentWidth = 0;
    int m_itemHeight = 25;
    fw::ImagePtr m_closedGlyph;
    fw::ImagePtr m_openedGlyph;
    fw::ImagePtr m_checkBoxes;   // 5 frames: 0 unticked, 3 ticked, 4 unavailable
    fw::ImagePtr m_rootIcon;

private:
    struct ItemFacts {
        HTREEITEM item = nullptr;
        RECT line{};
        bool group = false;
        bool selected = false;
        bool expanded = false;
        int stateIndex = 0;
        TreeItemData* record = nullptr;
    };
    bool ReadItem(HTREEITEM item, ItemFacts& facts) const;
    cdv::TreeSkinSizes SkinSizes(bool expanded) const;
    void RefreshScrollMetrics();
    void DrawItem(HDC dc, Gdiplus::Graphics& graphics, const ItemFacts& facts, bool focused);

    bool OnButtonDown(LPARAM lParam);
    void ToggleItem(const ItemFacts& facts);
    void SetStateIndex(HTREEITEM item, int state);
    void RecomputeRootTick();
    LRESULT ApplyCategory(const wchar_t* text, HTREEITEM item, int hasData);

    std::vector<std::unique_ptr<TreeItemData>> m_ownedRecords;
};
