// Sphere overlaps between objects, line and sphere tests against triangles and
// meshes, and the wall slide every character moves with.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstddef>
#include <fstream>
#include <sstream>
#include <string>
#include <limits>
#include <vector>

#include "app/scene.h"
#include "math/collision.h"
#include "render/static_model.h"

namespace {

constexpr float Tolerance = 1e-5f;

void ExpectVec3Near(Vec3 expected, Vec3 actual, float tolerance = Tolerance)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

class CollisionObjects : public ::testing::Test {
protected:
    void SetUp() override { ClearObjectList(); }
    void TearDown() override { ClearObjectList(); }

    static Object* Spawn(int32_t team, Vec3 centre, float radius)
    {
        Object* object = new Object();
        AddObject(object, TypeSlimeGreen, team, 1);
        object->position = centre;
        object->collider->sphere->center = centre;
        object->collider->sphere->radius = radius;
        return object;
    }

    static int HitCount(const Object& object)
    {
        int count = 0;
        while (count < HitListSize && object.collider->hits[count] != nullptr) {
            ++count;
        }
        return count;
    }
};

// A square wall of two triangles in the plane z = `z`, facing +Z.
struct Wall {
    std::vector<Vec3> vertices;
    std::vector<uint16_t> indices;

    void AddFacingZ(float z, float half)
    {
        const uint16_t base = static_cast<uint16_t>(vertices.size());
        vertices.push_back({-half, -half, z});
        vertices.push_back({half, -half, z});
        vertices.push_back({half, half, z});
        vertices.push_back({-half, half, z});
        AddQuad(base);
    }
    // The plane x = 0 for z in [0, 10], facing +X.
    void AddFacingXAtOrigin()
    {
        const uint16_t base = static_cast<uint16_t>(vertices.size());
        vertices.push_back({0.0f, -10.0f, 10.0f});
        vertices.push_back({0.0f, -10.0f, 0.0f});
        vertices.push_back({0.0f, 10.0f, 0.0f});
        vertices.push_back({0.0f, 10.0f, 10.0f});
        AddQuad(base);
    }
    // The plane y = `y`, facing down.
    void AddCeiling(float y)
    {
        const uint16_t base = static_cast<uint16_t>(vertices.size());
        vertices.push_back({-10.0f, y, -10.0f});
        vertices.push_back({10.0f, y, -10.0f});
        vertices.push_back({10.0f, y, 10.0f});
        vertices.push_back({-10.0f, y, 10.0f});
        AddQuad(base);
    }
    void AddQuad(uint16_t base)
    {
        const uint16_t corners[6] = {0, 1, 2, 0, 2, 3};
        for (uint16_t corner : corners) {
            indices.push_back(static_cast<uint16_t>(base + corner));
        }
    }
    MeshView View() const
    {
        return MakeMeshView(vertices.data(), static_cast<int>(vertices.size()), indices.data(),
                            static_cast<int>(indices.size() / 3));
    }
};

const Vec3 A{0.0f, 0.0f, 0.0f};
const Vec3 B{1.0f, 0.0f, 0.0f};
const Vec3 C{0.0f, 1.0f, 0.0f};

}  // namespace

TEST(SphereOverlap, TouchingCountsAndJustApartDoesNot)
{
    Sphere a{1.0f, {0.0f, 0.0f, 0.0f}};
    Sphere b{2.0f, {3.0f, 0.0f, 0.0f}};
    EXPECT_TRUE(SpheresOverlap(a, b));
    EXPECT_TRUE(SpheresOverlap(b, a));
    b.center.x = std::nextafter(3.0f, 4.0f);
    EXPECT_FALSE(SpheresOverlap(a, b));
    b.center = a.center;
    EXPECT_TRUE(SpheresOverlap(a, b));
}

TEST_F(CollisionObjects, HitListSkipsSelfSameTeamAndNonColliders)
{
    Object* self = Spawn(TeamPlayer, {0.0f, 0.0f, 0.0f}, 1.0f);
    Spawn(TeamPlayer, {0.5f, 0.0f, 0.0f}, 1.0f);
    Object* enemy = Spawn(TeamEnemy, {1.0f, 0.0f, 0.0f}, 1.0f);
    Spawn(TeamEnemy, {5.0f, 0.0f, 0.0f}, 1.0f);
    Object* switchedOff = Spawn(TeamEnemy, {0.0f, 0.0f, 0.0f}, 1.0f);
    switchedOff->collider->disabled = 1;
    Object* noSphere = new Object();
    AddObject(noSphere, TypeSlimeRed, TeamEnemy, 2);
    Object* noCollider = new Object();
    AddObject(noCollider, TypeDamagePop, TeamEnemy, 0);
    Object* ownWeapon = Spawn(TeamPlayerWeapon, {0.0f, 1.0f, 0.0f}, 0.5f);

    CollectHits(self);
    EXPECT_EQ(enemy, self->collider->hits[0]);
    EXPECT_EQ(ownWeapon, self->collider->hits[1]);
    EXPECT_EQ(2, HitCount(*self));

    // Any value but 1 means active.
    switchedOff->collider->disabled = 2;
    CollectHits(self);
    EXPECT_EQ(3, HitCount(*self));
    EXPECT_EQ(switchedOff, self->collider->hits[1]);
}

TEST_F(CollisionObjects, UnableTesterKeepsItsOldList)
{
    Object* self = Spawn(TeamPlayer, {0.0f, 0.0f, 0.0f}, 1.0f);
    Object* enemy = Spawn(TeamEnemy, {0.0f, 0.0f, 0.0f}, 1.0f);
    CollectHits(self);
    ASSERT_EQ(enemy, self->collider->hits[0]);

    // Disabled: the list is neither cleared nor refilled, although the enemy left.
    enemy->collider->sphere->center = {50.0f, 0.0f, 0.0f};
    self->collider->disabled = 1;
    CollectHits(self);
    EXPECT_EQ(enemy, self->collider->hits[0]);

    CollectHits(nullptr);
    Object* bare = new Object();
    AddObject(bare, TypeDamagePop, TeamNeutral, 0);
    CollectHits(bare);
}

TEST_F(CollisionObjects, FortyOverlapsFillThirtyTwoInListOrder)
{
    Object* self = Spawn(TeamEnemy, {0.0f, 0.0f, 0.0f}, 1.0f);
    std::vector<Object*> others;
    for (int i = 0; i < 40; ++i) {
        others.push_back(Spawn(TeamPlayerShot, {0.01f * static_cast<float>(i), 0.0f, 0.0f}, 1.0f));
    }
    CollectHits(self);
    for (int i = 0; i < HitListSize; ++i) {
        EXPECT_EQ(others[static_cast<size_t>(i)], self->collider->hits[i]) << "entry " << i;
    }
    // A shorter second run clears what the first left behind.
    for (size_t i = 1; i < others.size(); ++i) {
        others[i]->collider->sphere->center = {100.0f, 0.0f, 0.0f};
    }
    CollectHits(self);
    EXPECT_EQ(1, HitCount(*self));
}

TEST_F(CollisionObjects, DeletedObjectLeavesEveryHitList)
{
    Object* self = Spawn(TeamPlayer, {0.0f, 0.0f, 0.0f}, 1.0f);
    Object* first = Spawn(TeamEnemy, {0.0f, 0.0f, 0.0f}, 1.0f);
    Object* doomed = Spawn(TeamEnemyShot, {0.0f, 0.0f, 0.0f}, 1.0f);
    Object* last = Spawn(TeamEnemy, {0.0f, 0.0f, 0.0f}, 1.0f);
    CollectHits(self);
    ASSERT_EQ(3, HitCount(*self));

    // A disabled collider keeps its list across frames; the deleted object
    // must still drop out of it, the rest keeping their order.
    self->collider->disabled = 1;
    doomed->MarkForRemoval(0);
    UpdateObjects();
    EXPECT_EQ(first, self->collider->hits[0]);
    EXPECT_EQ(last, self->collider->hits[1]);
    EXPECT_EQ(nullptr, self->collider->hits[2]);
}

TEST_F(CollisionObjects, NearestOfTeam)
{
    Object* self = Spawn(TeamPlayer, {0.0f, 0.0f, 0.0f}, 1.0f);
    EXPECT_EQ(nullptr, NearestOfTeam(self, TeamEnemy));
    EXPECT_EQ(nullptr, NearestOfTeam(self, TeamPlayer));

    Spawn(TeamEnemy, {5.0f, 0.0f, 0.0f}, 1.0f);
    Object* earlier = Spawn(TeamEnemy, {0.0f, 3.0f, 0.0f}, 1.0f);
    Object* later = Spawn(TeamEnemy, {0.0f, 0.0f, -3.0f}, 1.0f);
    Spawn(TeamEnemyShot, {0.1f, 0.0f, 0.0f}, 1.0f);
    EXPECT_EQ(earlier, NearestOfTeam(self, TeamEnemy));
    later->position = {0.0f, 0.0f, -2.9f};
    EXPECT_EQ(later, NearestOfTeam(self, TeamEnemy));
    EXPECT_EQ(nullptr, NearestOfTeam(nullptr, TeamEnemy));
}

TEST(RayTriangle, HitsFrontFaceWithUnboundedParameter)
{
    MeshHit hit;
    ASSERT_TRUE(RayHitsTriangle(A, B, C, {0.25f, 0.25f, 2.0f}, {0.0f, 0.0f, -1.0f}, hit));
    ExpectVec3Near({0.25f, 0.25f, 0.0f}, hit.point);
    ExpectVec3Near({0.0f, 0.0f, 1.0f}, hit.normal);
    EXPECT_FLOAT_EQ(2.0f, hit.t);

    // Beyond the end of the given direction, and behind the origin.
    ASSERT_TRUE(RayHitsTriangle(A, B, C, {0.25f, 0.25f, 2.0f}, {0.0f, 0.0f, -0.5f}, hit));
    EXPECT_FLOAT_EQ(4.0f, hit.t);
    ASSERT_TRUE(RayHitsTriangle(A, B, C, {0.25f, 0.25f, -2.0f}, {0.0f, 0.0f, -1.0f}, hit));
    EXPECT_FLOAT_EQ(-2.0f, hit.t);

    // Edges and corners count as inside.
    EXPECT_TRUE(RayHitsTriangle(A, B, C, {0.5f, 0.5f, 1.0f}, {0.0f, 0.0f, -1.0f}, hit));
    EXPECT_TRUE(RayHitsTriangle(A, B, C, {1.0f, 0.0f, 1.0f}, {0.0f, 0.0f, -1.0f}, hit));
}

TEST(RayTriangle, MissesOutsideBackFacingParallelAndDegenerate)
{
    MeshHit hit;
    hit.t = 42.0f;
    const Vec3 down{0.0f, 0.0f, -1.0f};
    EXPECT_FALSE(RayHitsTriangle(A, B, C, {0.6f, 0.6f, 1.0f}, down, hit));
    // On the line through an edge but past its end.
    EXPECT_FALSE(RayHitsTriangle(A, B, C, {2.0f, 0.0f, 1.0f}, down, hit));
    EXPECT_FALSE(RayHitsTriangle(A, B, C, {0.0f, -1.0f, 1.0f}, down, hit));
    // Toward the back face, along the plane, or not moving.
    EXPECT_FALSE(RayHitsTriangle(A, B, C, {0.25f, 0.25f, -2.0f}, {0.0f, 0.0f, 1.0f}, hit));
    EXPECT_FALSE(RayHitsTriangle(A, B, C, {-1.0f, 0.25f, 0.0f}, {1.0f, 0.0f, 0.0f}, hit));
    EXPECT_FALSE(RayHitsTriangle(A, B, C, {0.25f, 0.25f, 1.0f}, {0.0f, 0.0f, 0.0f}, hit));
    // Zero area, or a broken vertex.
    EXPECT_FALSE(RayHitsTriangle(A, B, {2.0f, 0.0f, 0.0f}, {0.5f, 0.0f, 1.0f}, down, hit));
    EXPECT_FALSE(RayHitsTriangle(A, A, A, {0.0f, 0.0f, 1.0f}, down, hit));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(RayHitsTriangle(A, B, {nan, 1.0f, 0.0f}, {0.1f, 0.1f, 1.0f}, down, hit));
    EXPECT_FALSE(RayHitsTriangle(A, B, C, {0.1f, 0.1f, 1.0f}, {0.0f, nan, -1.0f}, hit));
    EXPECT_EQ(42.0f, hit.t);
}

TEST(SphereTriangle, ContactReachAndDirection)
{
    const Vec3 a{-10.0f, -10.0f, 0.0f};
    const Vec3 b{10.0f, -10.0f, 0.0f};
    const Vec3 c{0.0f, 10.0f, 0.0f};
    const float radius = 0.5f;
    MeshHit hit;

    // Within reach: stops with the centre one radius in front of the plane.
    ASSERT_TRUE(SphereHitsTriangle(a, b, c, {1.0f, 2.0f, 0.55f}, {0.0f, 0.0f, -0.1f}, radius, hit));
    ExpectVec3Near({1.0f, 2.0f, 0.5f}, hit.point);
    ExpectVec3Near({0.0f, 0.0f, 1.0f}, hit.normal);
    EXPECT_NEAR(0.5f, hit.t, Tolerance);

    // Exactly ContactReach beyond the radius, or further, is never stopped,
    // however fast the sphere moves.
    const float edge = radius + ContactReach;
    EXPECT_FALSE(SphereHitsTriangle(a, b, c, {0.0f, 0.0f, edge}, {0.0f, 0.0f, -100.0f}, radius, hit));
    EXPECT_FALSE(SphereHitsTriangle(a, b, c, {0.0f, 0.0f, 3.0f}, {0.0f, 0.0f, -100.0f}, radius, hit));
    EXPECT_TRUE(SphereHitsTriangle(a, b, c, {0.0f, 0.0f, std::nextafter(edge, 0.0f)},
                                   {0.0f, 0.0f, -100.0f}, radius, hit));

    // Moving away or along the wall is never stopped, even while overlapping it.
    EXPECT_FALSE(SphereHitsTriangle(a, b, c, {0.0f, 0.0f, 0.2f}, {0.0f, 0.0f, 1.0f}, radius, hit));
    EXPECT_FALSE(SphereHitsTriangle(a, b, c, {0.0f, 0.0f, 0.2f}, {1.0f, 0.0f, 0.0f}, radius, hit));

    // A centre already behind the plane is still caught, with a negative t.
    ASSERT_TRUE(SphereHitsTriangle(a, b, c, {0.0f, 0.0f, -0.5f}, {0.0f, 0.0f, -1.0f}, radius, hit));
    EXPECT_NEAR(-1.0f, hit.t, Tolerance);

    // The touching point must lie on the triangle, not just the sphere.
    EXPECT_FALSE(SphereHitsTriangle(a, b, c, {10.2f, 0.0f, 0.55f}, {0.0f, 0.0f, -1.0f}, radius, hit));
    EXPECT_FALSE(SphereHitsTriangle(a, a, c, {0.0f, 0.0f, 0.55f}, {0.0f, 0.0f, -1.0f}, radius, hit));
}

TEST(MeshTests, ResultsInWorldSpaceAndFirstHitInFaceOrder)
{
    Wall wall;
    wall.AddFacingZ(0.0f, 5.0f);
    // Turned a quarter about Y and moved: the wall is the plane x = 100, facing +X.
    const Matrix4 world = MatMultiply(MatTranslation(100.0f, 0.0f, 0.0f), MatRotationY(1.5707964f));
    MeshHit hit;
    ASSERT_TRUE(RayHitsMesh({-1.0f, 0.0f, 0.0f}, {103.0f, 1.0f, 2.0f}, wall.View(), world, hit));
    ExpectVec3Near({100.0f, 1.0f, 2.0f}, hit.point, 1e-4f);
    ExpectVec3Near({1.0f, 0.0f, 0.0f}, hit.normal);
    EXPECT_NEAR(3.0f, hit.t, 1e-4f);
    EXPECT_FALSE(RayHitsMesh({1.0f, 0.0f, 0.0f}, {97.0f, 1.0f, 2.0f}, wall.View(), world, hit));

    ASSERT_TRUE(SphereHitsMesh({-1.0f, 0.0f, 0.0f}, {101.05f, 1.0f, 2.0f}, 1.0f, wall.View(), world, hit));
    ExpectVec3Near({101.0f, 1.0f, 2.0f}, hit.point, 1e-4f);
    ExpectVec3Near({1.0f, 0.0f, 0.0f}, hit.normal);

    // Two walls on the line: the first listed wins, though it is further away.
    Wall two;
    two.AddFacingZ(-8.0f, 5.0f);
    two.AddFacingZ(-2.0f, 5.0f);
    ASSERT_TRUE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 0.0f}, two.View(), MatIdentity(), hit));
    EXPECT_FLOAT_EQ(-8.0f, hit.point.z);
}

TEST(MeshTests, NothingToTestNeverHits)
{
    Wall wall;
    wall.AddFacingZ(0.0f, 5.0f);
    MeshHit hit;
    EXPECT_FALSE(RayHitsMesh({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, wall.View(), MatIdentity(), hit));
    EXPECT_FALSE(SphereHitsMesh({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.5f}, 1.0f, wall.View(), MatIdentity(), hit));
    EXPECT_FALSE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 1.0f}, MeshView{}, MatIdentity(), hit));

    // Faces naming vertices the model does not have are skipped, not read.
    std::vector<uint16_t> broken = {0, 1, 60000, 0, 2, 3};
    const MeshView view = MakeMeshView(wall.vertices.data(), 4, broken.data(), 2);
    ASSERT_TRUE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {-1.0f, 1.0f, 1.0f}, view, MatIdentity(), hit));
    EXPECT_FALSE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {1.0f, -1.0f, 1.0f}, view, MatIdentity(), hit));
}

TEST(MeshTests, ReadsPositionsFromInterleavedVertices)
{
    // The model vertex layout: texture s, t, normal, then position.
    struct Interleaved {
        float s, t, nx, ny, nz;
        Vec3 position;
    };
    const Interleaved vertices[3] = {{9.0f, 9.0f, 9.0f, 9.0f, 9.0f, A},
                                     {9.0f, 9.0f, 9.0f, 9.0f, 9.0f, B},
                                     {9.0f, 9.0f, 9.0f, 9.0f, 9.0f, C}};
    const uint16_t indices[3] = {0, 1, 2};
    MeshView view;
    view.positions = reinterpret_cast<const unsigned char*>(&vertices[0].position);
    view.strideBytes = sizeof(Interleaved);
    view.vertexCount = 3;
    view.indices = indices;
    view.faceCount = 1;
    MeshHit hit;
    ASSERT_TRUE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {0.2f, 0.2f, 1.0f}, view, MatIdentity(), hit));
    EXPECT_FLOAT_EQ(1.0f, hit.t);
}

TEST(WallMovement, StopsSlidesAndLetsGo)
{
    Wall wall;
    wall.AddFacingZ(0.0f, 10.0f);
    const MeshView view = wall.View();

    // Straight into the wall: all of the velocity goes, the body stays.
    Vec3 position{0.0f, 0.0f, 1.05f};
    Vec3 velocity{0.0f, 0.0f, -0.5f};
    MoveWithWalls(position, velocity, 1.0f, 0.2f, view, MatIdentity());
    ExpectVec3Near({0.0f, 0.0f, 1.05f}, position, 0.0f);
    ExpectVec3Near({0.0f, 0.0f, 0.0f}, velocity, 0.0f);

    // At an angle: only the part along the wall is left.
    velocity = {0.3f, 0.1f, -0.5f};
    MoveWithWalls(position, velocity, 1.0f, 0.2f, view, MatIdentity());
    ExpectVec3Near({0.3f, 0.1f, 0.0f}, velocity);
    ExpectVec3Near({0.3f, 0.1f, 1.05f}, position);

    // Moving away from a wall it overlaps, and approaching from beyond reach.
    position = {0.0f, 0.0f, 0.5f};
    velocity = {0.0f, 0.0f, 0.5f};
    MoveWithWalls(position, velocity, 1.0f, 0.2f, view, MatIdentity());
    ExpectVec3Near({0.0f, 0.0f, 1.0f}, position);
    position = {0.0f, 0.0f, 1.2f};
    velocity = {0.0f, 0.0f, -0.5f};
    MoveWithWalls(position, velocity, 1.0f, 0.2f, view, MatIdentity());
    ExpectVec3Near({0.0f, 0.0f, 0.7f}, position);
}

TEST(WallMovement, CornerPushesOutByTheSpeedValue)
{
    Wall corner;
    corner.AddFacingZ(0.0f, 10.0f);
    corner.AddFacingXAtOrigin();
    Vec3 position{1.05f, 0.0f, 1.05f};
    Vec3 velocity{-0.5f, 0.0f, -0.5f};
    // Slides off the first wall into the second, is put at its contact point
    // plus 0.2 along that wall's normal, then still moves by the slid velocity.
    MoveWithWalls(position, velocity, 1.0f, 0.2f, corner.View(), MatIdentity());
    ExpectVec3Near({-0.5f, 0.0f, 0.0f}, velocity);
    ExpectVec3Near({0.7f, 0.0f, 1.05f}, position);
}

TEST(WallMovement, VerticalMotionIsNeverTested)
{
    Wall ceiling;
    ceiling.AddCeiling(2.0f);
    MeshHit hit;
    // The ceiling would stop the whole motion ...
    ASSERT_TRUE(SphereHitsMesh({0.0f, 1.0f, 0.0f}, {0.0f, 1.5f, 0.0f}, 1.0f, ceiling.View(), MatIdentity(), hit));
    // ... but the movement step only looks for walls horizontally.
    Vec3 position{0.0f, 1.5f, 0.0f};
    Vec3 velocity{0.0f, 1.0f, 0.0f};
    MoveWithWalls(position, velocity, 1.0f, 0.2f, ceiling.View(), MatIdentity());
    ExpectVec3Near({0.0f, 2.5f, 0.0f}, position);

    // No walls at all: plain movement.
    position = {1.0f, 2.0f, 3.0f};
    velocity = {0.5f, 0.0f, 0.5f};
    MoveWithWalls(position, velocity, 1.0f, 0.2f, MeshView{}, MatIdentity());
    ExpectVec3Near({1.5f, 2.0f, 3.5f}, position);
}

namespace {

// Puts a hand-made model into a table slot for the length of a test.
class ModelSlot {
public:
    static constexpr int Slot = ModelSlotCount - 1;
    explicit ModelSlot(const Wall& wall) : saved_(StaticModelTable[Slot])
    {
        StaticModel* model = new StaticModel();
        for (Vec3 p : wall.vertices) {
            ModelVertex vertex;
            vertex.s = 7.0f;
            vertex.nx = 7.0f;
            vertex.x = p.x;
            vertex.y = p.y;
            vertex.z = p.z;
            model->vertices.push_back(vertex);
        }
        model->vertexCount = static_cast<int>(model->vertices.size());
        model->faceIndices = wall.indices;
        model->faceCount = static_cast<int>(wall.indices.size() / 3);
        StaticModelTable[Slot] = model;
    }
    ~ModelSlot()
    {
        delete StaticModelTable[Slot];
        StaticModelTable[Slot] = saved_;
    }
    ModelSlot(const ModelSlot&) = delete;
    ModelSlot& operator=(const ModelSlot&) = delete;
    StaticModel& Model() { return *StaticModelTable[Slot]; }

private:
    StaticModel* saved_;
};

}  // namespace

TEST(ModelTests, TableModelsByIndex)
{
    Wall wall;
    wall.AddFacingZ(0.0f, 10.0f);
    ModelSlot slot(wall);
    const Matrix4 world = MatTranslation(0.0f, 0.0f, -4.0f);
    MeshHit hit;
    ASSERT_TRUE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {1.0f, 2.0f, 3.0f}, ModelSlot::Slot, world, hit));
    ExpectVec3Near({1.0f, 2.0f, -4.0f}, hit.point);
    ASSERT_TRUE(SphereHitsMesh({0.0f, 0.0f, -1.0f}, {1.0f, 2.0f, -2.95f}, 1.0f, ModelSlot::Slot, world, hit));
    ExpectVec3Near({1.0f, 2.0f, -3.0f}, hit.point);

    Vec3 position{0.0f, 0.0f, -2.95f};
    Vec3 velocity{0.0f, 0.0f, -1.0f};
    MoveWithWalls(position, velocity, 1.0f, 0.2f, ModelSlot::Slot, world);
    ExpectVec3Near({0.0f, 0.0f, -2.95f}, position, 0.0f);

    // Empty and out-of-range slots are meshes without triangles.
    for (int missing : {-1, ModelSlotCount, 1000}) {
        EXPECT_FALSE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {1.0f, 2.0f, 3.0f}, missing, world, hit));
    }
    StaticModel* held = StaticModelTable[ModelSlot::Slot];
    StaticModelTable[ModelSlot::Slot] = nullptr;
    EXPECT_FALSE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {1.0f, 2.0f, 3.0f}, ModelSlot::Slot, world, hit));
    position = {0.0f, 0.0f, -2.95f};
    velocity = {0.0f, 0.0f, -1.0f};
    MoveWithWalls(position, velocity, 1.0f, 0.2f, ModelSlot::Slot, world);
    ExpectVec3Near({0.0f, 0.0f, -3.95f}, position);
    StaticModelTable[ModelSlot::Slot] = held;
}

TEST(ModelTests, CountsBeyondTheArraysAreNotTrusted)
{
    Wall wall;
    wall.AddFacingZ(0.0f, 10.0f);
    ModelSlot slot(wall);
    // A model whose counts claim more than it holds: only what is there is read.
    slot.Model().vertexCount = 5000;
    slot.Model().faceCount = 5000;
    MeshHit hit;
    EXPECT_TRUE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {1.0f, 2.0f, 3.0f}, ModelSlot::Slot, MatIdentity(), hit));
    EXPECT_FALSE(RayHitsMesh({0.0f, 0.0f, 1.0f}, {1.0f, 2.0f, -3.0f}, ModelSlot::Slot, MatIdentity(), hit));
    const MeshView view = MeshViewOfModel(ModelSlot::Slot);
    EXPECT_EQ(4, view.vertexCount);
    EXPECT_EQ(2, view.faceCount);

    slot.Model().vertexCount = -3;
    slot.Model().faceCount = -3;
    EXPECT_FALSE(RayHitsMesh({0.0f, 0.0f, -1.0f}, {1.0f, 2.0f, 3.0f}, ModelSlot::Slot, MatIdentity(), hit));
}

TEST(ModelTests, StageWallsKeepWalkersIn)
{
    std::ifstream file(std::string(KESTRUNE_BIN_DIR) + "/model/Stage1Wall.x", std::ios::binary);
    ASSERT_TRUE(file) << "the content generator writes model/Stage1Wall.x";
    std::stringstream text;
    text << file.rdbuf();
    Wall none;
    ModelSlot slot(none);
    ASSERT_TRUE(ParseStaticModel(text.str(), slot.Model()));
    ASSERT_GT(slot.Model().faceCount, 0);

    Vec3 low{1e9f, 1e9f, 1e9f};
    Vec3 high{-1e9f, -1e9f, -1e9f};
    for (const ModelVertex& v : slot.Model().vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    const Vec3 middle = (low + high) * 0.5f;
    // Walking in any direction for further than the field is long never
    // leaves it: walls stop the walker, corners push it back in.
    for (int heading = 0; heading < 360; heading += 30) {
        Vec3 position{middle.x, 1.0f, middle.z};
        for (int step = 0; step < 600; ++step) {
            Vec3 velocity = RotateAboutY({0.0f, 0.0f, -0.5f}, static_cast<float>(heading));
            MoveWithWalls(position, velocity, 1.0f, 0.5f, ModelSlot::Slot, MatIdentity());
        }
        EXPECT_TRUE(position.x > low.x && position.x < high.x && position.z > low.z && position.z < high.z)
            << "heading " << heading << " ended at " << position.x << ", " << position.z;
    }
}
