// The stored placement of a shape: the 56-byte record and where it lives.
#pragma once

#include <windows.h>

// The section of the application store that holds placements and restart records.
extern const char SerializeSectionName[];

// The record as stored (REG_BINARY, little-endian): GetWindowPlacement, the two window
// styles and the position mode (CentreCommand, MousePositionCommand or KeepPositionCommand).
struct TPlacementRecord {
    WINDOWPLACEMENT placement;
    DWORD style;
    DWORD extendedStyle;
    DWORD positionMode;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "WINDOWPLACEMENT is 44 bytes on every target");
static_assert(sizeof(TPlacementRecord) == 56, "the stored placement record is 56 bytes");

// A record that cannot come from GetWindowPlacement (wrong length field, empty or absurd
// rectangle, a child style, an unknown mode) is treated as missing.
bool IsUsablePlacementRecord(const TPlacementRecord& record);

class TShape;

// The shape's stored placement is applied (true) or written from its window.
bool RestorePlacement(TShape* shape);
bool StorePlacement(TShape* shape);
