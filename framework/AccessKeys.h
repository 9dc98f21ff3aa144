// AccessKeys: turning the "&CANDIDATES&" markers of a shape's captions into distinct "&X" keys.
#pragma once

#include "foundation/HeapString.h"

// The text a control measures for `caption`: before the keys are assigned the marker is
// replaced by what will take its place, so the width already allows for the final "&X".
THeapString AccessKeyMeasuringText(bool keysAssigned, const char* caption);

// Gives every caption with a marker its own key, preferring the earliest candidate of its
// own run, then the first free letter; rewrites the captions in place.
void AssignAccessKeys(THeapString* const* captions, int count);
