// The shape's snapping hooks: each shape's own tracker follows its move/size messages.
#include "framework/Shape.h"
#include "framework/ShapeHooks.h"
#include "framework/SnapTracker.h"

void BindSnapTracker(TShape* shape) { shape->SnapTracker().Bind(shape->Handle()); }

void BeginSnapTracking(TShape* shape) { shape->SnapTracker().BeginTracking(); }

void TrackSnap(TShape* shape, int side, RECT* proposed)
{
    if (!proposed) return;
    TSnapTracker& tracker = shape->SnapTracker();
    tracker.Track(side, *proposed);
    if (side != 0) tracker.RecordSizingEdge(side, *proposed);
}

bool EndSnapTracking(TShape* shape) { return shape->SnapTracker().EndTracking(); }
