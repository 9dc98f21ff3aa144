// TOwnerDrawnMenu: item objects for a menu's items, owner-drawn state, measuring and access keys.
#include "framework/OwnerDrawnMenu.h"

#include <cstring>

#include "foundation/Handles.h"
#include "foundation/IconCache.h"
#include "foundation/MenuHelpers.h"

namespace {

void SetItemType(HMENU menu, int position, UINT type, ULONG_PTR data)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = (info.fType & ~static_cast<UINT>(MFT_OWNERDRAW)) | type;
    info.dwItemData = data;
    SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
}

} // namespace

TOwnerDrawnMenu::TOwnerDrawnMenu(HMENU menu, const TMenuMetrics* sharedMetrics) : menu(menu), metrics(sharedMetrics)
{
    if (!metrics) {
        ownMetrics.reset(new TMenuMetrics);
        metrics = ownMetrics.get();
    }
    ReadItems();
}

TOwnerDrawnMenu::~TOwnerDrawnMenu()
{
    if (!menu || !IsMenu(menu)) return;
    for (const auto& item : items)
        if (OwnerDrawnItemAt(menu, item->Position()) == item.get()) SetItemType(menu, item->Position(), 0, 0);
}

void TOwnerDrawnMenu::ReadItems()
{
    items.clear();
    int count = menu ? GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        if (state == static_cast<UINT>(-1) || (state & MF_SEPARATOR)) continue;
        THeapString text = MenuItemText(menu, position);
        HMENU submenu = (state & MF_POPUP) ? GetSubMenu(menu, position) : nullptr;
        if (submenu)
            items.emplace_back(new TOwnerDrawnPopupItem(submenu, position, text, metrics));
        else
            items.emplace_back(new TOwnerDrawnItem(GetMenuItemID(menu, position), position, text, metrics));
    }
}

TOwnerDrawnItem* TOwnerDrawnMenu::ItemOfCommand(UINT id) const
{
    for (const auto& item : items) {
        if (TOwnerDrawnMenu* submenu = item->Submenu()) {
            if (TOwnerDrawnItem* found = submenu->ItemOfCommand(id)) return found;
        } else if (item->Id() == id) {
            return item.get();
        }
    }
    return nullptr;
}

bool TOwnerDrawnMenu::AttachIcon(UINT id, TIconSource* icon)
{
    TOwnerDrawnItem* item = ItemOfCommand(id);
    if (!item) return false;
    item->SetIcon(icon);
    return true;
}

bool TOwnerDrawnMenu::AttachIcon(UINT id, const char* resourceName)
{
    return ItemOfCommand(id) && AttachIcon(id, IconByName(resourceName));
}

bool TOwnerDrawnMenu::AttachPopupIcon(HMENU submenu, TIconSource* icon)
{
    for (const auto& item : items) {
        TOwnerDrawnMenu* inner = item->Submenu();
        if (!inner) continue;
        if (inner->Menu() == submenu) {
            item->SetIcon(icon);
            return true;
        }
        if (inner->AttachPopupIcon(submenu, icon)) return true;
    }
    return false;
}

void TOwnerDrawnMenu::MakeOwnerDrawn()
{
    for (const auto& item : items) {
        SetItemType(menu, item->Position(), MFT_OWNERDRAW, reinterpret_cast<ULONG_PTR>(item.get()));
        if (TOwnerDrawnMenu* submenu = item->Submenu()) submenu->MakeOwnerDrawn();
    }
    RecomputeMetrics();
}

void TOwnerDrawnMenu::RecomputeMetrics()
{
    if (ownMetrics) ownMetrics->Reload();
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TSelection selection(dc, metrics->Font() ? metrics->Font() : GetStockObject(DEFAULT_GUI_FONT));
    MeasureAll(dc, GetSystemMetrics(SM_CXSCREEN));
}

void TOwnerDrawnMenu::MeasureAll(HDC dc, int screenWidth)
{
    for (const auto& item : items) {
        item->Measure(dc, screenWidth);
        if (TOwnerDrawnMenu* submenu = item->Submenu()) submenu->MeasureAll(dc, screenWidth);
    }
}

bool TOwnerDrawnMenu::MeasureItem(MEASUREITEMSTRUCT& item)
{
    if (item.CtlType != ODT_MENU || !item.itemData) return false;
    const TOwnerDrawnItem* object = reinterpret_cast<const TOwnerDrawnItem*>(item.itemData);
    item.itemWidth = static_cast<UINT>(object->Width() > 0 ? object->Width() : 0);
    item.itemHeight = static_cast<UINT>(object->Height());
    return true;
}

bool TOwnerDrawnMenu::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_MENU || !item.itemData) return false;
    reinterpret_cast<const TOwnerDrawnItem*>(item.itemData)->Draw(item);
    return true;
}

// A plain byte search: a label marked with a lower-case letter never matches.
LRESULT TOwnerDrawnMenu::MenuChar(HMENU menu, char typed, bool& notHandled)
{
    notHandled = false;
    char key[3] = {'&', typed >= 'a' && typed <= 'z' ? static_cast<char>(typed - 'a' + 'A') : typed, '\0'};
    int count = menu ? GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        const TOwnerDrawnItem* item = OwnerDrawnItemAt(menu, position);
        if (item && std::strstr(item->Text(), key)) return MAKELRESULT(position, MNC_EXECUTE);
    }
    notHandled = true;
    return 0;
}
