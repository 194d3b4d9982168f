// Pieces shared by the character builders.
#pragma once

#include "tools/mesh_builder.h"
#include "tools/skeletons.h"

// Detail of the round parts: enough to look smooth at the follow camera's
// distance while keeping each character within a few thousand triangles.
constexpr int PartSegments = 10;
constexpr int PartRings = 7;

inline V3 JointOf(const Skeleton& s, int bone) { return s.bones[bone].joint; }

// A limb segment from the bone's joint to `end`, bending smoothly into its
// parent at the joint.
void AddLimb(Mesh& mesh, const Skeleton& s, int bone, V3 end, float r0, float r1, int material);
