// Storing a shape's placement record and restoring it on the visible screen, cascaded.
#include "framework/Placement.h"

#include <vector>

#include "foundation/GlobalStores.h"
#include "foundation/RegistrySection.h"
#include "foundation/ScreenScale.h"
#include "foundation/SystemChecks.h"
#include "framework/Shape.h"
#include "framework/ShapePosition.h"
#include "framework/SystemMenu.h"
#include "framework/Translucency.h"
#include "framework/WorkArea.h"

const char SerializeSectionName[] = "Serialize";

namespace {

const int screenMargin = 10; // at 96 DPI
// GDI coordinates of the oldest systems are 16-bit; a record beyond them is damaged.
const LONG farthestCoordinate = 32767;

const UINT positionCommands[] = {CentreCommand, MousePositionCommand, KeepPositionCommand};

// The system menu when it holds the position commands, else null.
HMENU PositionMenu(TShape* shape)
{
    HMENU menu = GetSystemMenu(shape->Handle(), FALSE);
    if (!menu || GetMenuState(menu, KeepPositionCommand, MF_BYCOMMAND) == static_cast<UINT>(-1)) return nullptr;
    return menu;
}

const TRegistryStore& PlacementParent(TShape* shape)
{
    return shape->PlacementStore() ? *shape->PlacementStore() : ApplicationStore();
}

const char* PlacementSection(TShape* shape) { return shape->PlacementStore() ? "" : SerializeSectionName; }

bool WithinReach(LONG coordinate) { return coordinate >= -farthestCoordinate && coordinate <= farthestCoordinate; }

// Searches the keys from the last to the first, like every read of a store; only a usable
// REG_BINARY value of exactly the record's size counts.
bool ReadRecord(const TRegistryStore& store, const char* name, TPlacementRecord& record)
{
    for (int index = store.Count() - 1; index >= 0; --index) {
        HKEY key = store.Handle(index);
        if (!key) continue;
        TPlacementRecord read{};
        DWORD type = REG_NONE, size = sizeof read;
        LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size);
        if (result == ERROR_SUCCESS && type == REG_BINARY && size == sizeof read && IsUsablePlacementRecord(read)) {
            record = read;
            return true;
        }
    }
    return false;
}

UINT StoredPositionMode(TShape* shape)
{
    HMENU menu = PositionMenu(shape);
    if (!menu) return KeepPositionCommand;
    if (GetMenuState(menu, CentreCommand, MF_BYCOMMAND) & MF_CHECKED) return CentreCommand;
    if (GetMenuState(menu, MousePositionCommand, MF_BYCOMMAND) & MF_CHECKED) return MousePositionCommand;
    return KeepPositionCommand;
}

// The position commands become usable once the shape has a place to remember.
void OfferPositionModes(TShape* shape)
{
    HMENU menu = PositionMenu(shape);
    if (!menu) return;
    for (UINT command : positionCommands) EnableMenuItem(menu, command, MF_BYCOMMAND | MF_ENABLED);
    MarkPositionMode(shape, KeepPositionCommand);
}

// A shape that cannot be sized keeps its present size, centred where the stored one was.
RECT KeepPresentSize(TShape* shape, const RECT& stored)
{
    RECT present;
    GetWindowRect(shape->Handle(), &present);
    if ((GetWindowLongPtrA(shape->Handle(), GWL_STYLE) & WS_THICKFRAME) || EqualRect(&present, &stored))
        return stored;
    int width = present.right - present.left, height = present.bottom - present.top;
    RECT kept = stored;
    kept.left -= (width - (stored.right - stored.left)) / 2;
    kept.top -= (height - (stored.bottom - stored.top)) / 2;
    kept.right = kept.left + width;
    kept.bottom = kept.top + height;
    return kept;
}

RECT ApplyPositionMode(TShape* shape, UINT mode, const RECT& rectangle)
{
    if (mode == CentreCommand) {
        MarkPositionMode(shape, CentreCommand);
        return CentredRect(rectangle);
    }
    if (mode == MousePositionCommand) {
        MarkPositionMode(shape, MousePositionCommand);
        return RectAtMouse(rectangle);
    }
    return rectangle;
}

// Bottom, right, top, left: a window taller or wider than the area ends with its top-left corner inside.
RECT KeepInside(RECT rectangle, const RECT& area)
{
    const int margin = Scaled(screenMargin);
    if (rectangle.bottom > area.bottom) OffsetRect(&rectangle, 0, area.bottom - margin - rectangle.bottom);
    if (rectangle.right > area.right) OffsetRect(&rectangle, area.right - margin - rectangle.right, 0);
    if (rectangle.top < area.top) OffsetRect(&rectangle, 0, area.top + margin - rectangle.top);
    if (rectangle.left < area.left) OffsetRect(&rectangle, area.left + margin - rectangle.left, 0);
    return rectangle;
}

std::vector<RECT> OtherWindowsOfClass(HWND window)
{
    std::vector<RECT> found;
    THeapString className = TWindow::ClassNameOf(window);
    for (HWND other = FindWindowExA(nullptr, nullptr, className, nullptr); other;
         other = FindWindowExA(nullptr, other, className, nullptr)) {
        RECT frame;
        if (other != window && GetWindowRect(other, &frame)) found.push_back(frame);
    }
    return found;
}

// Steps down and right past every window of the same class that stands exactly there.
RECT Cascade(RECT rectangle, const RECT& area, const std::vector<RECT>& taken)
{
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    std::vector<bool> matched(taken.size(), false);
    for (bool moved = true; moved;) {
        moved = false;
        for (size_t i = 0; i < taken.size() && !moved; ++i) {
            if (matched[i] || !EqualRect(&rectangle, &taken[i])) continue;
            matched[i] = moved = true;
            OffsetRect(&rectangle, step, step);
            if (rectangle.right > area.right) OffsetRect(&rectangle, area.left - rectangle.left, 0);
            if (rectangle.bottom > area.bottom) OffsetRect(&rectangle, 0, area.top - rectangle.top);
        }
    }
    return rectangle;
}

// The stored styles, with the disabled and visible states and the show command of the
// window as it is now: restoring never shows a hidden shape or enables a disabled one.
void ApplyRecord(TShape* shape, const TPlacementRecord& record, const RECT& normal)
{
    HWND window = shape->Handle();
    LONG_PTR present = GetWindowLongPtrA(window, GWL_STYLE);
    WINDOWPLACEMENT placement = record.placement;
    placement.length = sizeof placement;
    placement.rcNormalPosition = normal;
    DWORD style = (record.style & ~(WS_DISABLED | WS_VISIBLE)) | (static_cast<DWORD>(present) & WS_DISABLED);
    if (present & WS_VISIBLE) {
        style |= WS_VISIBLE;
        if (placement.showCmd == SW_HIDE) placement.showCmd = SW_SHOW;
    } else {
        placement.showCmd = SW_HIDE;
    }
    // Without the layered function the style would only make the window invisible.
    DWORD extendedStyle = record.extendedStyle;
    if (!LayeredAvailable()) extendedStyle &= ~static_cast<DWORD>(WS_EX_LAYERED);
    SetWindowPlacement(window, &placement);
    SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowLongPtrA(window, GWL_EXSTYLE, static_cast<LONG_PTR>(extendedStyle));

    HWND owner = shape->owner;
    bool ownerOnTop = owner && IsWindow(owner) && (GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND order = (extendedStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(window, order, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | (ownerOnTop ? SWP_NOZORDER : 0));
    if (extendedStyle & WS_EX_LAYERED) SetTranslucent(shape, true);
}

} // namespace

bool IsUsablePlacementRecord(const TPlacementRecord& record)
{
    const WINDOWPLACEMENT& placement = record.placement;
    const RECT& normal = placement.rcNormalPosition;
    if (placement.length != sizeof(WINDOWPLACEMENT) || placement.showCmd > SW_MAX) return false;
    if (!WithinReach(normal.left) || !WithinReach(normal.top) || !WithinReach(normal.right) ||
        !WithinReach(normal.bottom))
        return false;
    if (normal.right <= normal.left || normal.bottom <= normal.top) return false;
    if (normal.right - normal.left > farthestCoordinate || normal.bottom - normal.top > farthestCoordinate)
        return false;
    if (record.style & WS_CHILD) return false;
    for (UINT command : positionCommands)
        if (record.positionMode == command) return true;
    return false;
}

bool StorePlacement(TShape* shape)
{
    if (shape->PlacementName().IsEmpty() || !shape->Handle()) return false;
    HWND window = shape->Handle();
    TPlacementRecord record{};
    record.placement.length = sizeof record.placement;
    if (!GetWindowPlacement(window, &record.placement)) return false;
    record.style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    record.extendedStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    record.positionMode = StoredPositionMode(shape);
    TRegistrySection section(PlacementParent(shape), PlacementSection(shape));
    return section.Store().WriteBinary(shape->PlacementName(), &record, sizeof record) == ERROR_SUCCESS;
}

bool RestorePlacement(TShape* shape)
{
    if (shape->PlacementName().IsEmpty() || !shape->Handle()) return false;
    OfferPositionModes(shape);
    if (IsKeyDown(VK_SHIFT)) return false;
    TPlacementRecord record{};
    {
        TRegistrySection section(PlacementParent(shape), PlacementSection(shape), OpenExisting);
        if (!ReadRecord(section.Store(), shape->PlacementName(), record)) return false;
    }
    RECT normal = KeepPresentSize(shape, record.placement.rcNormalPosition);
    normal = ApplyPositionMode(shape, record.positionMode, normal);
    // The monitor it was remembered on, or the nearest one when that is gone.
    const RECT area = MonitorAreaOf(normal).work;
    normal = KeepInside(normal, area);
    normal = Cascade(normal, area, OtherWindowsOfClass(shape->Handle()));
    ApplyRecord(shape, record, normal);
    return true;
}
