// The level geometry that moving things test against: the stage's wall and
// ground meshes (static model slots) and the matrix that places them. The
// stage owns one of these and hands out a pointer, so the camera and the
// characters depend on three values instead of the whole stage scene.
#pragma once

#include "math/collision.h"  // Required for: MeshView
#include "math/vector_math.h"

struct StageGeometry {
    int wallModel = -1;    // StaticModelTable slot; -1: no walls
    int groundModel = -1;  // StaticModelTable slot; -1: no ground
    Matrix4 stageWorld;
};

// The triangles of the static model in a slot, as the collision tests read
// them. An empty or out-of-range slot (a missing model file) gives a view
// with no triangles, which nothing ever hits.
MeshView StaticModelMesh(int slot);
