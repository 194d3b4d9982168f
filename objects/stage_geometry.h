// The level geometry that moving things test against: the stage's wall and
// ground meshes (static model slots) and the matrix that places them. The
// stage owns one of these and hands out a pointer, so the camera and the
// characters depend on three values instead of the whole stage scene.
#pragma once

#include "math/vector_math.h"

struct StageGeometry {
    int wallModel = -1;    // StaticModelTable slot; -1: no walls
    int groundModel = -1;  // StaticModelTable slot; -1: no ground
    Matrix4 stageWorld;
};
