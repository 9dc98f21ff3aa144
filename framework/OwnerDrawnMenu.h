// TOwnerDrawnMenu: a menu whose items the library draws itself, each with an icon beside it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/OwnerDrawnItem.h"

class TIconSource;

// Wraps a menu (borrowed) and keeps one item object per item except separators; pop-up items
// carry an object for their submenu. The menu's items point at the item objects, so the
// object turns them back into plain items when it goes before the menu.
class TOwnerDrawnMenu {
public:
    // `metrics` is borrowed from the enclosing menu; null: the object keeps its own.
    explicit TOwnerDrawnMenu(HMENU menu, const TMenuMetrics* metrics = nullptr);
    ~TOwnerDrawnMenu();

    // The icon of the item with this command, here or in a submenu; false when there is none.
    bool AttachIcon(UINT id, TIconSource* icon);
    bool AttachIcon(UINT id, const char* resourceName); // a program resource icon
    // The icon of the pop-up item that opens this submenu.
    bool AttachPopupIcon(HMENU submenu, TIconSource* icon);
    // Every item becomes owner-drawn with its item object as item data, and is measured.
    void MakeOwnerDrawn();
    // After the menu font changed (WM_SETTINGCHANGE of the non-client metrics).
    void RecomputeMetrics();

    HMENU Menu() const { return menu; }
    int Count() const { return static_cast<int>(items.size()); }
    TOwnerDrawnItem* Item(int index) const { return items[index].get(); }
    TOwnerDrawnItem* ItemOfCommand(UINT id) const; // here or in a submenu; null when missing

    // WM_MEASUREITEM and WM_DRAWITEM of menu items carrying an item object; false otherwise.
    static bool MeasureItem(MEASUREITEMSTRUCT& item);
    static bool DrawItem(const DRAWITEMSTRUCT& item);
    // WM_MENUCHAR: the first owner-drawn item whose text holds "&" and the upper-cased key.
    static LRESULT MenuChar(HMENU menu, char typed, bool& notHandled);

    TOwnerDrawnMenu(const TOwnerDrawnMenu&) = delete;
    TOwnerDrawnMenu& operator=(const TOwnerDrawnMenu&) = delete;

private:
    void ReadItems();
    void MeasureAll(HDC dc, int screenWidth);

    HMENU menu; // borrowed
    std::unique_ptr<TMenuMetrics> ownMetrics;
    const TMenuMetrics* metrics; // borrowed: ownMetrics or the enclosing menu's
    std::vector<std::unique_ptr<TOwnerDrawnItem>> items;
};

// A pop-up item, with the object of its submenu.
class TOwnerDrawnPopupItem : public TOwnerDrawnItem {
public:
    TOwnerDrawnPopupItem(HMENU submenu, int position, const char* text, const TMenuMetrics* metrics)
        : TOwnerDrawnItem(0, position, text, metrics), submenu(new TOwnerDrawnMenu(submenu, metrics)) {}
    TOwnerDrawnMenu* Submenu() const override { return submenu.get(); }

private:
    std::unique_ptr<TOwnerDrawnMenu> submenu;
};
