// Where the shadow-casting light stands relative to what it follows.
#pragma once

#include "math/vector_math.h"

struct LightPlacement {
    Vec3 position;
    Vec3 direction;  // unit, from the followed point toward the light
    Matrix4 view;
};

// The light distance units from target, azimuth degrees around the vertical
// and raised by elevation degrees (the height is distance times the sine of
// the elevation; the horizontal offset keeps the full distance). Returns
// false, leaving placement untouched, when that gives no usable view (a
// non-finite input or a zero distance).
bool PlaceLight(Vec3 target, float elevation, float azimuth, float distance, LightPlacement* placement);
