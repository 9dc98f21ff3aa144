// TSnapTracker: the nearest-edge rule and the move and size tracking built on it.
#include "framework/SnapTracker.h"

#include <algorithm>
#include <cstdlib>

#include "foundation/ScreenScale.h"
#include "foundation/SystemChecks.h"
#include "framework/WorkArea.h"

namespace {

// Farther (at 96 DPI) than any snap, so the first edge in range always replaces it.
const int noEdgeYet = 17;

bool DragsLeftEdge(int side) { return side == WMSZ_LEFT || side == WMSZ_TOPLEFT || side == WMSZ_BOTTOMLEFT; }
bool DragsRightEdge(int side) { return side == WMSZ_RIGHT || side == WMSZ_TOPRIGHT || side == WMSZ_BOTTOMRIGHT; }
bool DragsTopEdge(int side) { return side == WMSZ_TOP || side == WMSZ_TOPLEFT || side == WMSZ_TOPRIGHT; }
bool DragsBottomEdge(int side)
{
    return side == WMSZ_BOTTOM || side == WMSZ_BOTTOMLEFT || side == WMSZ_BOTTOMRIGHT;
}

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

// Every visible top-level window with an area, in z-order; the tracked window is among them.
std::vector<RECT> VisibleTopLevelWindows(HWND anyTopLevel)
{
    std::vector<RECT> found;
    HWND first = anyTopLevel ? GetWindow(anyTopLevel, GW_HWNDFIRST) : nullptr;
    for (HWND each = first; each;) {
        RECT frame;
        if (IsWindowVisible(each) && GetWindowRect(each, &frame) && frame.right > frame.left &&
            frame.bottom > frame.top)
            found.push_back(frame);
        each = GetWindow(each, GW_HWNDNEXT);
        if (each == first) break;
    }
    return found;
}

} // namespace

TSnapTracker::TSnapTracker()
    : snapWhileMoving(true), snapWhileSizing(false), window(nullptr), workArea{}, followsMonitor(false), inner{},
      start{}, began{},
      previous{}, shift{0, 0}, savedShift{0, 0}, changed(false)
{
}

RECT TSnapTracker::WindowRectangle() const
{
    RECT frame{};
    if (window) GetWindowRect(window, &frame);
    return frame;
}

void TSnapTracker::Bind(HWND newWindow)
{
    window = newWindow;
    start = began = previous = WindowRectangle();
    shift = savedShift = POINT{0, 0};
}

void TSnapTracker::BeginTracking()
{
    BeginTracking(MonitorAreaOf(WindowRectangle()).work, VisibleTopLevelWindows(window));
    followsMonitor = true;
}

// The displacement always starts from zero here: carried over from the last drag it would
// throw the window back by that drag's distance at the first step of this one.
void TSnapTracker::BeginTracking(const RECT& area, const std::vector<RECT>& windows)
{
    followsMonitor = false;
    targets.assign(1, area);
    targets.insert(targets.end(), windows.begin(), windows.end());
    SetWorkArea(area);
    changed = false;
    start = began = previous = WindowRectangle();
    shift = savedShift = POINT{0, 0};
}

// The work area is the first target.
void TSnapTracker::SetWorkArea(const RECT& area)
{
    workArea = area;
    inner = area;
    InflateRect(&inner, -Scaled(InnerInset), -Scaled(InnerInset));
    targets.front() = area;
}

// The nearest target edge within [low, high] if it is at most SnapDistance away; ties keep
// the earlier target.
int TSnapTracker::Nearest(int value, int low, int high, bool horizontal) const
{
    int best = value + Scaled(noEdgeYet);
    for (const RECT& target : targets) {
        const int edges[2] = {horizontal ? target.left : target.top, horizontal ? target.right : target.bottom};
        for (int edge : edges)
            if (edge >= low && edge <= high && std::abs(edge - value) < std::abs(best - value)) best = edge;
    }
    return std::abs(best - value) <= Scaled(SnapDistance) ? best : value;
}

void TSnapTracker::Track(int side, RECT& proposed)
{
    if (IsKeyDown(VK_SHIFT) || IsKeyDown(VK_RBUTTON)) {
        changed = true;
        shift.x += proposed.left - previous.left;
        shift.y += proposed.top - previous.top;
        previous = proposed;
        return;
    }
    if (side != 0)
        TrackSizing(side, proposed);
    else if (snapWhileMoving)
        TrackMoving(proposed);
    if (changed) previous = proposed;
}

void TSnapTracker::TrackSizing(int side, RECT& proposed) const
{
    if (!snapWhileSizing) return;
    if (DragsLeftEdge(side)) proposed.left = Nearest(proposed.left, workArea.left, workArea.right, true);
    if (DragsRightEdge(side)) proposed.right = Nearest(proposed.right, workArea.left, workArea.right, true);
    if (DragsTopEdge(side)) proposed.top = Nearest(proposed.top, workArea.top, workArea.bottom, false);
    if (DragsBottomEdge(side)) proposed.bottom = Nearest(proposed.bottom, workArea.top, workArea.bottom, false);
}

// The unsnapped rectangle follows the mouse from the start, so a snapped step never
// drags the window away from the mouse for good.
void TSnapTracker::TrackMoving(RECT& proposed)
{
    shift.x += proposed.left - previous.left;
    shift.y += proposed.top - previous.top;
    RECT unsnapped = start;
    OffsetRect(&unsnapped, shift.x, shift.y);
    proposed = unsnapped;
    if (followsMonitor) SetWorkArea(MonitorAreaOf(unsnapped).work);

    RECT snapped;
    snapped.left = Nearest(unsnapped.left, workArea.left, inner.right, true);
    snapped.right = Nearest(unsnapped.right, inner.left, workArea.right, true);
    snapped.top = Nearest(unsnapped.top, workArea.top, inner.bottom, false);
    snapped.bottom = Nearest(unsnapped.bottom, inner.top, workArea.bottom, false);

    bool left = snapped.left != unsnapped.left && !(snapWhileSizing && snapped.left == workArea.left);
    bool right = snapped.right != unsnapped.right && !(snapWhileSizing && snapped.right == workArea.right);
    bool top = snapped.top != unsnapped.top && !(snapWhileSizing && snapped.top == workArea.top);
    bool bottom = snapped.bottom != unsnapped.bottom && !(snapWhileSizing && snapped.bottom == workArea.bottom);
    // Equally near: the right edge wins horizontally, the top edge vertically.
    if (left && right) left = std::abs(snapped.left - unsnapped.left) < std::abs(snapped.right - unsnapped.right);
    if (left) right = false;
    if (top && bottom) bottom = std::abs(snapped.bottom - unsnapped.bottom) < std::abs(snapped.top - unsnapped.top);
    if (bottom) top = false;

    int width = start.right - start.left, height = start.bottom - start.top;
    if (left) {
        proposed.left = snapped.left;
        proposed.right = snapped.left + width;
    } else if (right) {
        proposed.right = snapped.right;
        proposed.left = snapped.right - width;
    }
    if (top) {
        proposed.top = snapped.top;
        proposed.bottom = snapped.top + height;
    } else if (bottom) {
        proposed.bottom = snapped.bottom;
        proposed.top = snapped.bottom - height;
    }
    if (snapWhileSizing) KeepInsideWorkArea(proposed);
    changed = true;
}

void TSnapTracker::KeepInsideWorkArea(RECT& rectangle) const
{
    int minimumWidth = GetSystemMetrics(SM_CXMINTRACK), minimumHeight = GetSystemMetrics(SM_CYMINTRACK);
    rectangle.left = rectangle.left < workArea.left ? workArea.left
                                                    : std::min<LONG>(rectangle.left, workArea.right - minimumWidth);
    rectangle.top = rectangle.top < workArea.top ? workArea.top
                                                 : std::min<LONG>(rectangle.top, workArea.bottom - minimumHeight);
    rectangle.right = Clamp(rectangle.right, workArea.left + minimumWidth, workArea.right);
    rectangle.bottom = Clamp(rectangle.bottom, workArea.top + minimumHeight, workArea.bottom);
}

void TSnapTracker::Follow(int side, RECT& proposed)
{
    Track(side, proposed);
    if (side != 0) RecordSizingEdge(side, proposed);
}

void TSnapTracker::RecordSizingEdge(int side, const RECT& rectangle)
{
    if (side == WMSZ_LEFT || side == WMSZ_RIGHT) {
        start.left = rectangle.left;
        start.right = rectangle.right;
        shift.x = 0;
    } else if (side == WMSZ_TOP || side == WMSZ_BOTTOM) {
        start.top = rectangle.top;
        start.bottom = rectangle.bottom;
        shift.y = 0;
    } else {
        start = rectangle;
        shift = POINT{0, 0};
    }
}

bool TSnapTracker::EndTracking()
{
    if (IsKeyDown(VK_ESCAPE)) {
        if (window)
            MoveWindow(window, start.left, start.top, start.right - start.left, start.bottom - start.top, TRUE);
        previous = start;
        shift = savedShift;
        return false;
    }
    RECT now = WindowRectangle();
    return !EqualRect(&now, &began);
}
