// TSnapTracker: snaps a window being moved (or sized) to the work area and other windows' edges.
#pragma once

#include <windows.h>

#include <vector>

class TSnapTracker {
public:
    // Lengths at 96 DPI.
    static constexpr int SnapDistance = 7; // an edge this near (or nearer) is taken
    static constexpr int InnerInset = 8;   // edges kept apart from the opposite side of the work area

    TSnapTracker();

    // Follows this window from now on; its rectangle becomes the start and nothing is carried over.
    void Bind(HWND window);
    // WM_ENTERSIZEMOVE: the work area of the monitor the window is on and every visible
    // top-level window become targets; the work area follows the window onto another monitor.
    void BeginTracking();
    // The same with given targets (the work area is put first and kept), for callers that know them.
    void BeginTracking(const RECT& workArea, const std::vector<RECT>& windows);
    // WM_MOVING (side 0) and WM_SIZING (a WMSZ_ side): adjusts the proposed rectangle in place.
    void Track(int side, RECT& proposed);
    // After Track on WM_SIZING: the dragged sides become part of the start rectangle.
    void RecordSizingEdge(int side, const RECT& rectangle);
    // WM_MOVING (side 0) or WM_SIZING as the shape passes them on: Track, and for sizing the
    // dragged sides recorded.
    void Follow(int side, RECT& proposed);
    // WM_EXITSIZEMOVE: true when the window now stands elsewhere than where the move began.
    // Escape held puts it back and reports no move.
    bool EndTracking();

    // Shapes snap while moving and leave sizing alone; sizing snap also keeps the window inside.
    void SetSnapWhileMoving(bool flag) { snapWhileMoving = flag; }
    void SetSnapWhileSizing(bool flag) { snapWhileSizing = flag; }
    HWND Window() const { return window; }

private:
    int Nearest(int value, int low, int high, bool horizontal) const;
    void TrackSizing(int side, RECT& proposed) const;
    void TrackMoving(RECT& proposed);
    void KeepInsideWorkArea(RECT& rectangle) const;
    void SetWorkArea(const RECT& area);
    RECT WindowRectangle() const;

    bool snapWhileMoving;
    bool snapWhileSizing;
    HWND window;               // borrowed: the shape's window
    RECT workArea;
    bool followsMonitor;       // the work area is the one of the monitor under the moving window
    RECT inner;                // the work area inset by InnerInset on every side
    std::vector<RECT> targets; // the work area first, then the windows in z-order
    RECT start;                // S: where the move began (sizing moves the dragged sides)
    RECT began;                // the window when tracking began, for the moved report
    RECT previous;             // P: the rectangle last handed back to the system
    POINT shift;               // accumulated displacement of the mouse since the start
    POINT savedShift;          // for Escape
    bool changed;
};
