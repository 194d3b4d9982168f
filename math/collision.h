// Contact between objects (spheres) and between objects and level geometry
// (triangle meshes). Characters pass through each other: overlaps are only
// reported, never resolved. Walls stop and slide moving spheres.
#pragma once

#include <cstddef>
#include <cstdint>

#include "math/vector_math.h"
#include "objects/object.h"

// How far in front of a wall a sphere's surface may still be for the wall to
// stop it; keeps fast bodies from grazing through at the plane.
inline constexpr float ContactReach = 0.1f;

// Result of a mesh test. After a mesh test, point and normal are in world
// space and t is the line parameter in the mesh's own space.
struct MeshHit {
    Vec3 point;
    Vec3 normal;
    float t = 0.0f;
};

// A read-only view of triangle data owned elsewhere: vertex positions found
// every `strideBytes` bytes from `positions`, and three 16-bit vertex indices
// per face. Faces naming a vertex past `vertexCount` are ignored, so a broken
// model can never make a test read outside its arrays.
struct MeshView {
    const unsigned char* positions = nullptr;
    size_t strideBytes = sizeof(Vec3);
    int vertexCount = 0;
    const uint16_t* indices = nullptr;
    int faceCount = 0;
};

MeshView MakeMeshView(const Vec3* positions, int vertexCount, const uint16_t* indices,
                      int faceCount);

// Touching counts as overlapping.
bool SpheresOverlap(const Sphere& a, const Sphere& b);

// Rewrites self's hit list with the overlapping objects of other teams, in
// ObjectList order, at most HitListSize of them (then with no null entry).
// Does nothing at all (the old list stays) when self is null, has no collider
// or sphere, or its collider is disabled.
void CollectHits(Object* self);

// The nearest other object of `team` in ObjectList, or null. A tie keeps the
// earlier object.
Object* NearestOfTeam(const Object* self, int team);

// Tests of a line O + t D against the front face of triangle (a, b, c); the
// front is the side of (b - a) x (c - a). t is unbounded in both directions,
// so callers wanting a segment check t themselves. Zero-area triangles and
// zero directions never hit. `result` is written only on a hit.
bool RayHitsTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 origin, Vec3 direction, MeshHit& result);
// The same for a sphere moving along D: stops where the sphere touches the
// plane, ignoring walls whose plane lies ContactReach or more beyond its
// surface. result.point is the sphere's centre at contact.
bool SphereHitsTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 centre, Vec3 direction, float radius,
                        MeshHit& result);

// The first triangle (in face order, not the nearest) that the line or the
// moving sphere hits, with the mesh placed in the world by `world`.
bool RayHitsMesh(Vec3 direction, Vec3 origin, const MeshView& mesh, const Matrix4& world,
                 MeshHit& result);
bool SphereHitsMesh(Vec3 direction, Vec3 centre, float radius, const MeshView& mesh,
                    const Matrix4& world, MeshHit& result);

// One movement step of a character against the walls: slides the velocity
// along a wall the horizontal motion runs into, pushes the body back out by
// `speed` if the slid motion still hits, then moves by the velocity. Purely
// vertical motion is never tested.
void MoveWithWalls(Vec3& position, Vec3& velocity, float radius, float speed,
                   const MeshView& walls, const Matrix4& world);

// The same tests against a model of StaticModelTable, addressed by its slot.
// An empty or out-of-range slot is a mesh without triangles: nothing hits.
MeshView MeshViewOfModel(int modelIndex);
bool RayHitsMesh(Vec3 direction, Vec3 origin, int modelIndex, const Matrix4& world,
                 MeshHit& result);
bool SphereHitsMesh(Vec3 direction, Vec3 centre, float radius, int modelIndex,
                    const Matrix4& world, MeshHit& result);
void MoveWithWalls(Vec3& position, Vec3& velocity, float radius, float speed, int wallModel,
                   const Matrix4& world);

// Removes a deleted object from every hit list in ObjectList, keeping the
// order of the rest, so no list ever holds a freed object.
void ForgetInHitLists(const Object* deleted);
