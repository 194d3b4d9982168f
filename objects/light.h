// The one light of a stage: it follows a target at a fixed offset, and its
// view matrix and direction drive the shadow map and the lighting of models.
#pragma once

#include "math/vector_math.h"
#include "objects/object.h"

class Light : public Object {
public:
    Light() = default;
    // A light that goes away stops being the active one.
    ~Light() override;

    // Stands `distance` from the target at `azimuth` around the vertical,
    // raised by `elevation` (degrees), and looks at the target. While the
    // target is gone the light stays where it was.
    void Update() override;

    Matrix4 view;         // look-at from the light's position to the target
    Vec3 direction;       // unit, from the target toward the light
    ObjectHandle target;  // what the light follows
    float elevation = 0.0f;
    float azimuth = 0.0f;
    float distance = 0.0f;
};

// The light every shadowed draw reads, or null.
extern Light* ActiveLight;
