// TTwoMonitors: the monitor of a rectangle as the system would answer it for two monitors.
#include "support/TwoMonitors.h"

#include <climits>

namespace {

TMonitorArea monitors[2];

LONG Overlap(const RECT& a, const RECT& b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) ? (common.right - common.left) * (common.bottom - common.top) : 0;
}

LONG Distance(const RECT& a, const RECT& b)
{
    const LONG dx = a.right <= b.left ? b.left - a.right : (b.right <= a.left ? a.left - b.right : 0);
    const LONG dy = a.bottom <= b.top ? b.top - a.bottom : (b.bottom <= a.top ? a.top - b.bottom : 0);
    return dx + dy;
}

// The display's own monitor, as the system answers before the seam is in place.
TMonitorArea Primary()
{
    const TMonitorLookup system = ReplaceMonitorLookup(nullptr);
    ReplaceMonitorLookup(system);
    return system(RECT{0, 0, 1, 1});
}

} // namespace

TTwoMonitors::TTwoMonitors(TLayout layout) : seam([layout] {
    const TMonitorArea primary = Primary();
    if (layout == LeftAndAbove) {
        const RECT left{primary.monitor.left - 1280, primary.monitor.bottom - 1024, primary.monitor.left,
                        primary.monitor.bottom};
        monitors[0] = TMonitorArea{left, left};
        monitors[1] = primary;
    } else {
        const LONG middle = (primary.monitor.left + primary.monitor.right) / 2;
        monitors[0] = primary;
        monitors[0].monitor.right = monitors[0].work.right = middle;
        monitors[1] = primary;
        monitors[1].monitor.left = monitors[1].work.left = middle;
    }
    ReplaceMonitorLookup(&TTwoMonitors::Lookup);
}, [] { ReplaceMonitorLookup(nullptr); })
{
}

const TMonitorArea& TTwoMonitors::First() const { return monitors[0]; }
const TMonitorArea& TTwoMonitors::Second() const { return monitors[1]; }

// The monitor the rectangle overlaps most, else the nearest, as MONITOR_DEFAULTTONEAREST.
TMonitorArea TTwoMonitors::Lookup(const RECT& rectangle)
{
    const TMonitorArea* best = &monitors[0];
    LONG bestOverlap = -1, bestDistance = LONG_MAX;
    for (const TMonitorArea& each : monitors) {
        const LONG overlap = Overlap(rectangle, each.monitor), distance = Distance(rectangle, each.monitor);
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = &each;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return *best;
}
