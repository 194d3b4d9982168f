#include "math/collision.h"

#include <algorithm>
#include <cstring>

#include "app/scene.h"
#include "render/static_model.h"

namespace {

bool IsZero(Vec3 v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

bool TakesPart(const Object& object)
{
    return object.collider != nullptr && object.collider->disabled != 1 &&
           object.collider->sphere != nullptr;
}

// Front-face normal of a triangle; zero for a triangle without area.
Vec3 FaceNormal(Vec3 a, Vec3 b, Vec3 c) { return Vec3Normalize(Cross(b - a, c - b)); }

// Whether p, a point in the triangle's plane, lies inside it or on its edges.
// Each edge's cross product points along the normal for points on its inner
// side. Comparing all three pairs (not just two) keeps a point on the
// extension of an edge, where that edge's product vanishes, from passing.
bool InsideTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 p)
{
    const Vec3 e1 = Cross(b - a, p - b);
    const Vec3 e2 = Cross(c - b, p - c);
    const Vec3 e3 = Cross(a - c, p - a);
    return Dot(e2, e1) >= 0.0f && Dot(e1, e3) >= 0.0f && Dot(e2, e3) >= 0.0f;
}

Vec3 VertexAt(const MeshView& mesh, uint16_t index)
{
    // Read as three separate floats: copying the whole record in one go
    // makes the compiler shuffle it through the stack on every triangle.
    const unsigned char* at = mesh.positions + mesh.strideBytes * index;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    std::memcpy(&x, at, sizeof(float));
    std::memcpy(&y, at + sizeof(float), sizeof(float));
    std::memcpy(&z, at + 2 * sizeof(float), sizeof(float));
    return {x, y, z};
}

// The triangle tests, inlined into the mesh loops: a call per triangle,
// with its vectors passed through the stack, cost more than the test itself.
inline bool RayTriangle(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& origin,
                        const Vec3& direction, MeshHit& result)
{
    const Vec3 n = FaceNormal(a, b, c);
    const float k = Dot(n, direction);
    // Also false for a zero-area triangle or a zero direction (k == 0) and
    // for NaN input, so no division below can go wrong.
    if (!(k < 0.0f)) {
        return false;
    }
    const float t = (Dot(n, a) - Dot(n, origin)) / k;
    const Vec3 p = origin + direction * t;
    if (!InsideTriangle(a, b, c, p)) {
        return false;
    }
    result.point = p;
    result.normal = n;
    result.t = t;
    return true;
}

inline bool SphereTriangle(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& centre,
                           const Vec3& direction, float radius, MeshHit& result)
{
    // Most wall triangles lie far in front of a walking body. Rejecting those
    // on the unnormalised normal saves the square root; the margin keeps this
    // from ever turning away a triangle that the exact test accepts.
    const Vec3 m = Cross(b - a, c - b);
    const float reach = radius + ContactReach;
    const float sideScaled = Dot(m, centre - a);
    if (sideScaled > 0.0f && reach >= 0.0f &&
        sideScaled * sideScaled > reach * reach * Dot(m, m) * (1.0f + 1e-4f)) {
        return false;
    }
    const Vec3 n = Vec3Normalize(m);
    if (IsZero(n)) {
        return false;
    }
    const float side = Dot(n, centre - a);
    if (!(side < reach)) {
        return false;
    }
    const float k = Dot(n, direction);
    if (!(k < 0.0f)) {
        return false;
    }
    const float t = (radius + Dot(n, a) - Dot(n, centre)) / k;
    const Vec3 p = centre + direction * t;
    if (!InsideTriangle(a, b, c, p - n * radius)) {
        return false;
    }
    result.point = p;
    result.normal = n;
    result.t = t;
    return true;
}

// Runs `test` on each usable triangle in face order until one hits; the hit
// is then carried into world space.
template <typename TriangleTest>
bool FirstHitInMesh(Vec3 direction, Vec3 origin, const MeshView& mesh, const Matrix4& world,
                    MeshHit& result, TriangleTest test)
{
    if (IsZero(direction)) {
        return false;
    }
    Matrix4 toLocal = MatInverse(world);
    const Vec4 localOrigin = MatTransform(toLocal, {origin.x, origin.y, origin.z, 1.0f});
    toLocal.m[12] = 0.0f;
    toLocal.m[13] = 0.0f;
    toLocal.m[14] = 0.0f;
    const Vec4 localDirection = MatTransform(toLocal, {direction.x, direction.y, direction.z, 0.0f});
    if (mesh.positions == nullptr || mesh.indices == nullptr || mesh.faceCount <= 0) {
        return false;
    }
    const Vec3 o{localOrigin.x, localOrigin.y, localOrigin.z};
    const Vec3 d{localDirection.x, localDirection.y, localDirection.z};
    for (int face = 0; face < mesh.faceCount; ++face) {
        const uint16_t* corner = mesh.indices + 3 * face;
        if (corner[0] >= mesh.vertexCount || corner[1] >= mesh.vertexCount ||
            corner[2] >= mesh.vertexCount) {
            continue;
        }
        MeshHit local;
        if (!test(VertexAt(mesh, corner[0]), VertexAt(mesh, corner[1]), VertexAt(mesh, corner[2]),
                  o, d, local)) {
            continue;
        }
        const Vec4 normal = MatTransform(world, {local.normal.x, local.normal.y, local.normal.z, 0.0f});
        const Vec4 point = MatTransform(world, {local.point.x, local.point.y, local.point.z, 1.0f});
        result.normal = {normal.x, normal.y, normal.z};
        result.point = {point.x, point.y, point.z};
        result.t = local.t;
        return true;
    }
    return false;
}

}  // namespace

MeshView MakeMeshView(const Vec3* positions, int vertexCount, const uint16_t* indices,
                      int faceCount)
{
    MeshView view;
    view.positions = reinterpret_cast<const unsigned char*>(positions);
    view.strideBytes = sizeof(Vec3);
    view.vertexCount = vertexCount;
    view.indices = indices;
    view.faceCount = faceCount;
    return view;
}

bool SpheresOverlap(const Sphere& a, const Sphere& b)
{
    const Vec3 d = a.center - b.center;
    const float reach = a.radius + b.radius;
    return Dot(d, d) <= reach * reach;
}

void CollectHits(Object* self)
{
    if (self == nullptr || !TakesPart(*self)) {
        return;
    }
    Collider& collider = *self->collider;
    for (Object*& entry : collider.hits) {
        entry = nullptr;
    }
    int count = 0;
    for (Object* other : ObjectList) {
        if (other == self || !TakesPart(*other) || other->team == self->team) {
            continue;
        }
        if (SpheresOverlap(*other->collider->sphere, *collider.sphere)) {
            collider.hits[count++] = other;
            if (count == HitListSize) {
                return;
            }
        }
    }
}

Object* NearestOfTeam(const Object* self, int team)
{
    if (self == nullptr) {
        return nullptr;
    }
    Object* best = nullptr;
    float bestDistanceSquared = -1.0f;
    for (Object* other : ObjectList) {
        if (other == self || other->team != team) {
            continue;
        }
        const Vec3 d = other->position - self->position;
        const float distanceSquared = Dot(d, d);
        if (best == nullptr || distanceSquared < bestDistanceSquared) {
            best = other;
            bestDistanceSquared = distanceSquared;
        }
    }
    return best;
}

bool RayHitsTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 origin, Vec3 direction, MeshHit& result)
{
    return RayTriangle(a, b, c, origin, direction, result);
}

bool SphereHitsTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 centre, Vec3 direction, float radius,
                        MeshHit& result)
{
    return SphereTriangle(a, b, c, centre, direction, radius, result);
}

bool RayHitsMesh(Vec3 direction, Vec3 origin, const MeshView& mesh, const Matrix4& world,
                 MeshHit& result)
{
    return FirstHitInMesh(direction, origin, mesh, world, result,
                          [](const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& o, const Vec3& d,
                             MeshHit& hit) {
                              return RayTriangle(a, b, c, o, d, hit);
                          });
}

bool SphereHitsMesh(Vec3 direction, Vec3 centre, float radius, const MeshView& mesh,
                    const Matrix4& world, MeshHit& result)
{
    return FirstHitInMesh(direction, centre, mesh, world, result,
                          [radius](const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& o,
                                   const Vec3& d, MeshHit& hit) {
                              return SphereTriangle(a, b, c, o, d, radius, hit);
                          });
}

void MoveWithWalls(Vec3& position, Vec3& velocity, float radius, float speed,
                   const MeshView& walls, const Matrix4& world)
{
    // Only the horizontal motion looks for a wall, so climbing and diving
    // never catch on one.
    MeshHit hit;
    if (SphereHitsMesh({velocity.x, 0.0f, velocity.z}, position, radius, walls, world, hit)) {
        velocity = velocity - hit.normal * Dot(velocity, hit.normal);
        MeshHit again;
        if (SphereHitsMesh(velocity, position, radius, walls, world, again)) {
            position = again.point + again.normal * speed;
        }
    }
    position = position + velocity;
}

MeshView MeshViewOfModel(int modelIndex)
{
    MeshView view;
    const StaticModel* model = StaticModelInSlot(modelIndex);
    if (model == nullptr || model->vertices.empty() || model->faceIndices.empty()) {
        return view;
    }
    // Trust only what the arrays really hold, whatever the counts say.
    view.positions = reinterpret_cast<const unsigned char*>(&model->vertices[0].x);
    view.strideBytes = sizeof(ModelVertex);
    view.vertexCount = static_cast<int>(
        std::min(model->vertices.size(), static_cast<size_t>(std::max(model->vertexCount, 0))));
    view.indices = model->faceIndices.data();
    view.faceCount = static_cast<int>(std::min(model->faceIndices.size() / 3,
                                               static_cast<size_t>(std::max(model->faceCount, 0))));
    return view;
}

bool RayHitsMesh(Vec3 direction, Vec3 origin, int modelIndex, const Matrix4& world,
                 MeshHit& result)
{
    return RayHitsMesh(direction, origin, MeshViewOfModel(modelIndex), world, result);
}

bool SphereHitsMesh(Vec3 direction, Vec3 centre, float radius, int modelIndex,
                    const Matrix4& world, MeshHit& result)
{
    return SphereHitsMesh(direction, centre, radius, MeshViewOfModel(modelIndex), world, result);
}

void MoveWithWalls(Vec3& position, Vec3& velocity, float radius, float speed, int wallModel,
                   const Matrix4& world)
{
    MoveWithWalls(position, velocity, radius, speed, MeshViewOfModel(wallModel), world);
}

void ForgetInHitLists(const Object* deleted)
{
    for (Object* holder : ObjectList) {
        if (holder == deleted || holder->collider == nullptr) {
            continue;
        }
        Object** hits = holder->collider->hits;
        int kept = 0;
        for (int i = 0; i < HitListSize; ++i) {
            if (hits[i] != deleted) {
                hits[kept++] = hits[i];
            }
        }
        while (kept < HitListSize) {
            hits[kept++] = nullptr;
        }
    }
}
