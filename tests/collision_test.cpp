// Sphere overlaps between objects, line and sphere tests against triangles and
// meshes (hand-made and table models), and the wall slide every character
// moves with, up to the real stage walls keeping walkers in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "app/scene.h"
#include "math/collision.h"
#include "objects/stage_geometry.h"
#include "render/static_model.h"
#include "tests/test_files.h"
#include "tests/test_math.h"

namespace {

constexpr float Tolerance = 1e-5f;
const float NaN = std::numeric_limits<float>::quiet_NaN();

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
    static std::vector<Object*> Hits(const Object& object)
    {
        std::vector<Object*> hits;
        for (Object* hit : object.collider->hits) {
            if (hit == nullptr) {
                break;
            }
            hits.push_back(hit);
        }
        return hits;
    }
};

// Square faces of two triangles each, corners counter-clockwise seen from
// the side they face.
struct Walls {
    std::vector<Vec3> vertices;
    std::vector<uint16_t> indices;

    Walls& Add(Vec3 a, Vec3 b, Vec3 c, Vec3 d)
    {
        const auto base = static_cast<uint16_t>(vertices.size());
        vertices.insert(vertices.end(), {a, b, c, d});
        for (uint16_t corner : {0, 1, 2, 0, 2, 3}) {
            indices.push_back(static_cast<uint16_t>(base + corner));
        }
        return *this;
    }
    // The plane z = `z`, facing +Z.
    Walls& FacingZ(float z, float half) { return Add({-half, -half, z}, {half, -half, z}, {half, half, z}, {-half, half, z}); }
    MeshView View() const
    {
        return MakeMeshView(vertices.data(), static_cast<int>(vertices.size()), indices.data(),
                            static_cast<int>(indices.size() / 3));
    }
};

const Vec3 A{0.0f, 0.0f, 0.0f};
const Vec3 B{1.0f, 0.0f, 0.0f};
const Vec3 C{0.0f, 1.0f, 0.0f};
const Vec3 Down{0.0f, 0.0f, -1.0f};

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
    AddObject(new Object(), TypeSlimeRed, TeamEnemy, 2);    // no sphere
    AddObject(new Object(), TypeDamagePop, TeamEnemy, 0);  // no collider
    Object* ownWeapon = Spawn(TeamPlayerWeapon, {0.0f, 1.0f, 0.0f}, 0.5f);
    CollectHits(self);
    EXPECT_EQ(Hits(*self), (std::vector<Object*>{enemy, ownWeapon}));
    // Any value but 1 means active.
    switchedOff->collider->disabled = 2;
    CollectHits(self);
    EXPECT_EQ(Hits(*self), (std::vector<Object*>{enemy, switchedOff, ownWeapon}));
}

TEST_F(CollisionObjects, FortyOverlapsFillThirtyTwoInListOrder)
{
    Object* self = Spawn(TeamEnemy, {0.0f, 0.0f, 0.0f}, 1.0f);
    std::vector<Object*> others;
    for (int i = 0; i < 40; ++i) {
        others.push_back(Spawn(TeamPlayerShot, {0.01f * static_cast<float>(i), 0.0f, 0.0f}, 1.0f));
    }
    CollectHits(self);
    EXPECT_EQ(Hits(*self), std::vector<Object*>(others.begin(), others.begin() + HitListSize));
    // A shorter second run clears what the first left behind.
    for (size_t i = 1; i < others.size(); ++i) {
        others[i]->collider->sphere->center = {100.0f, 0.0f, 0.0f};
    }
    CollectHits(self);
    EXPECT_EQ(Hits(*self), std::vector<Object*>{others[0]});
}

// A disabled tester's list is neither cleared nor refilled, though what is
// on it moves away; a deleted object still drops out of it, the rest keeping
// their order.
TEST_F(CollisionObjects, DisabledTesterKeepsItsListButLosesDeletedObjects)
{
    Object* self = Spawn(TeamPlayer, {0.0f, 0.0f, 0.0f}, 1.0f);
    Object* first = Spawn(TeamEnemy, {0.0f, 0.0f, 0.0f}, 1.0f);
    Object* doomed = Spawn(TeamEnemyShot, {0.0f, 0.0f, 0.0f}, 1.0f);
    Object* last = Spawn(TeamEnemy, {0.0f, 0.0f, 0.0f}, 1.0f);
    CollectHits(self);
    ASSERT_EQ(Hits(*self).size(), 3u);
    self->collider->disabled = 1;
    first->collider->sphere->center = {50.0f, 0.0f, 0.0f};
    CollectHits(self);
    EXPECT_EQ(Hits(*self), (std::vector<Object*>{first, doomed, last}));
    doomed->MarkForRemoval(0);
    UpdateObjects();
    EXPECT_EQ(Hits(*self), (std::vector<Object*>{first, last}));
    CollectHits(nullptr);
    Object* bare = new Object();
    AddObject(bare, TypeDamagePop, TeamNeutral, 0);
    CollectHits(bare);
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
    EXPECT_EQ(earlier, NearestOfTeam(self, TeamEnemy));  // a tie keeps the earlier
    later->position = {0.0f, 0.0f, -2.9f};
    EXPECT_EQ(later, NearestOfTeam(self, TeamEnemy));
    EXPECT_EQ(nullptr, NearestOfTeam(nullptr, TeamEnemy));
}

// Lines against the front face of the triangle (0,0,0), (1,0,0), (0,1,0).
TEST(RayTriangle, HitsTheFrontFaceOnlyWithAnUnboundedParameter)
{
    const struct {
        const char* what;
        Vec3 a, b, c, origin, direction;
        float t;  // NaN: no hit
    } cases[] = {
        {"straight down", A, B, C, {0.25f, 0.25f, 2.0f}, Down, 2.0f},
        {"beyond the direction's end", A, B, C, {0.25f, 0.25f, 2.0f}, {0.0f, 0.0f, -0.5f}, 4.0f},
        {"behind the origin", A, B, C, {0.25f, 0.25f, -2.0f}, Down, -2.0f},
        {"on an edge", A, B, C, {0.5f, 0.5f, 1.0f}, Down, 1.0f},
        {"on a corner", A, B, C, {1.0f, 0.0f, 1.0f}, Down, 1.0f},
        {"outside", A, B, C, {0.6f, 0.6f, 1.0f}, Down, NaN},
        {"past an edge's end", A, B, C, {2.0f, 0.0f, 1.0f}, Down, NaN},
        {"below an edge", A, B, C, {0.0f, -1.0f, 1.0f}, Down, NaN},
        {"toward the back face", A, B, C, {0.25f, 0.25f, -2.0f}, {0.0f, 0.0f, 1.0f}, NaN},
        {"along the plane", A, B, C, {-1.0f, 0.25f, 0.0f}, {1.0f, 0.0f, 0.0f}, NaN},
        {"not moving", A, B, C, {0.25f, 0.25f, 1.0f}, {}, NaN},
        {"zero area", A, B, {2.0f, 0.0f, 0.0f}, {0.5f, 0.0f, 1.0f}, Down, NaN},
        {"a point", A, A, A, {0.0f, 0.0f, 1.0f}, Down, NaN},
        {"a broken vertex", A, B, {NaN, 1.0f, 0.0f}, {0.1f, 0.1f, 1.0f}, Down, NaN},
        {"a broken direction", A, B, C, {0.1f, 0.1f, 1.0f}, {0.0f, NaN, -1.0f}, NaN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MeshHit hit;
        hit.t = 42.0f;
        const bool hits = RayHitsTriangle(c.a, c.b, c.c, c.origin, c.direction, hit);
        EXPECT_EQ(hits, !std::isnan(c.t));
        if (hits) {
            EXPECT_FLOAT_EQ(hit.t, c.t);
            EXPECT_TRUE(Near(c.origin + c.direction * c.t, hit.point));
            EXPECT_TRUE(Near({0.0f, 0.0f, 1.0f}, hit.normal));
        } else {
            EXPECT_EQ(hit.t, 42.0f) << "written without a hit";
        }
    }
}

// A sphere of radius 0.5 moving at a big triangle in the plane z = 0.
TEST(SphereTriangle, StopsWithinReachAndOnlyWhenApproaching)
{
    const Vec3 p0{-10.0f, -10.0f, 0.0f};
    const Vec3 p1{10.0f, -10.0f, 0.0f};
    const Vec3 p2{0.0f, 10.0f, 0.0f};
    const float edge = 0.5f + ContactReach;
    const Vec3 fast{0.0f, 0.0f, -100.0f};
    const struct {
        const char* what;
        Vec3 centre, direction;
        float t;  // NaN: not stopped
    } cases[] = {
        // Stops with the centre one radius in front of the plane.
        {"within reach", {1.0f, 2.0f, 0.55f}, {0.0f, 0.0f, -0.1f}, 0.5f},
        {"just within reach", {0.0f, 0.0f, std::nextafter(edge, 0.0f)}, fast, (std::nextafter(edge, 0.0f) - 0.5f) / 100.0f},
        // A centre already behind the plane is still caught, with a negative t.
        {"behind the plane", {0.0f, 0.0f, -0.5f}, Down, -1.0f},
        // Exactly ContactReach beyond the radius, or further, is never
        // stopped, however fast the sphere moves.
        {"at the reach", {0.0f, 0.0f, edge}, fast, NaN},
        {"out of reach", {0.0f, 0.0f, 3.0f}, fast, NaN},
        // Moving away or along the wall, even while overlapping it.
        {"moving away", {0.0f, 0.0f, 0.2f}, {0.0f, 0.0f, 1.0f}, NaN},
        {"moving along", {0.0f, 0.0f, 0.2f}, {1.0f, 0.0f, 0.0f}, NaN},
        // The touching point must lie on the triangle, not just the sphere.
        {"past the triangle's side", {10.2f, 0.0f, 0.55f}, Down, NaN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MeshHit hit;
        const bool hits = SphereHitsTriangle(p0, p1, p2, c.centre, c.direction, 0.5f, hit);
        EXPECT_EQ(hits, !std::isnan(c.t));
        if (hits) {
            EXPECT_NEAR(hit.t, c.t, Tolerance);
            EXPECT_TRUE(Near(c.centre + c.direction * c.t, hit.point));
            EXPECT_TRUE(Near({0.0f, 0.0f, 1.0f}, hit.normal));
        }
    }
    MeshHit hit;
    EXPECT_FALSE(SphereHitsTriangle(p0, p0, p2, {0.0f, 0.0f, 0.55f}, Down, 0.5f, hit)) << "zero area";
}

TEST(MeshTests, ResultsInWorldSpaceAndFirstHitInFaceOrder)
{
    Walls wall;
    wall.FacingZ(0.0f, 5.0f);
    // Turned a quarter about Y and moved: the wall is the plane x = 100, facing +X.
    const Matrix4 world = MatMultiply(MatTranslation(100.0f, 0.0f, 0.0f), MatRotationY(1.5707964f));
    MeshHit hit;
    ASSERT_TRUE(RayHitsMesh({-1.0f, 0.0f, 0.0f}, {103.0f, 1.0f, 2.0f}, wall.View(), world, hit));
    EXPECT_TRUE(Near({100.0f, 1.0f, 2.0f}, hit.point, 1e-4f));
    EXPECT_TRUE(Near({1.0f, 0.0f, 0.0f}, hit.normal));
    EXPECT_NEAR(3.0f, hit.t, 1e-4f);
    EXPECT_FALSE(RayHitsMesh({1.0f, 0.0f, 0.0f}, {97.0f, 1.0f, 2.0f}, wall.View(), world, hit));
    ASSERT_TRUE(SphereHitsMesh({-1.0f, 0.0f, 0.0f}, {101.05f, 1.0f, 2.0f}, 1.0f, wall.View(), world, hit));
    EXPECT_TRUE(Near({101.0f, 1.0f, 2.0f}, hit.point, 1e-4f));
    EXPECT_TRUE(Near({1.0f, 0.0f, 0.0f}, hit.normal));
    // Two walls on the line: the first listed wins, though it is further away.
    Walls two;
    two.FacingZ(-8.0f, 5.0f).FacingZ(-2.0f, 5.0f);
    ASSERT_TRUE(RayHitsMesh(Down, {0.0f, 0.0f, 0.0f}, two.View(), MatIdentity(), hit));
    EXPECT_FLOAT_EQ(-8.0f, hit.point.z);
}

TEST(MeshTests, NothingToTestNeverHitsAndBrokenFacesAreSkipped)
{
    Walls wall;
    wall.FacingZ(0.0f, 5.0f);
    MeshHit hit;
    EXPECT_FALSE(RayHitsMesh({}, {0.0f, 0.0f, 1.0f}, wall.View(), MatIdentity(), hit));
    EXPECT_FALSE(SphereHitsMesh({}, {0.0f, 0.0f, 0.5f}, 1.0f, wall.View(), MatIdentity(), hit));
    EXPECT_FALSE(RayHitsMesh(Down, {0.0f, 0.0f, 1.0f}, MeshView{}, MatIdentity(), hit));
    // Faces naming vertices the model does not have are skipped, not read.
    std::vector<uint16_t> broken = {0, 1, 60000, 0, 2, 3};
    const MeshView view = MakeMeshView(wall.vertices.data(), 4, broken.data(), 2);
    EXPECT_TRUE(RayHitsMesh(Down, {-1.0f, 1.0f, 1.0f}, view, MatIdentity(), hit));
    EXPECT_FALSE(RayHitsMesh(Down, {1.0f, -1.0f, 1.0f}, view, MatIdentity(), hit));
}

TEST(WallMovement, StopsSlidesPushesOutOfCornersAndLetsGo)
{
    Walls walls;
    walls.FacingZ(0.0f, 10.0f);
    Walls corner = walls;
    corner.Add({0.0f, -10.0f, 10.0f}, {0.0f, -10.0f, 0.0f}, {0.0f, 10.0f, 0.0f}, {0.0f, 10.0f, 10.0f});  // x = 0, facing +X
    Walls ceiling;
    ceiling.Add({-10.0f, 2.0f, -10.0f}, {10.0f, 2.0f, -10.0f}, {10.0f, 2.0f, 10.0f}, {-10.0f, 2.0f, 10.0f});
    const struct {
        const char* what;
        const Walls* walls;
        Vec3 position, velocity;
        Vec3 endPosition, endVelocity;
    } cases[] = {
        // Straight into the wall: all of the velocity goes, the body stays.
        {"into the wall", &walls, {0.0f, 0.0f, 1.05f}, {0.0f, 0.0f, -0.5f}, {0.0f, 0.0f, 1.05f}, {}},
        // At an angle: only the part along the wall is left.
        {"at an angle", &walls, {0.0f, 0.0f, 1.05f}, {0.3f, 0.1f, -0.5f}, {0.3f, 0.1f, 1.05f}, {0.3f, 0.1f, 0.0f}},
        {"away from a wall it overlaps", &walls, {0.0f, 0.0f, 0.5f}, {0.0f, 0.0f, 0.5f}, {0.0f, 0.0f, 1.0f},
         {0.0f, 0.0f, 0.5f}},
        {"from beyond reach", &walls, {0.0f, 0.0f, 1.2f}, {0.0f, 0.0f, -0.5f}, {0.0f, 0.0f, 0.7f}, {0.0f, 0.0f, -0.5f}},
        // Slides off the first wall into the second, is put at its contact
        // point plus 0.2 along that wall's normal, then still moves.
        {"into a corner", &corner, {1.05f, 0.0f, 1.05f}, {-0.5f, 0.0f, -0.5f}, {0.7f, 0.0f, 1.05f}, {-0.5f, 0.0f, 0.0f}},
        // Only the horizontal motion looks for walls.
        {"up at a ceiling", &ceiling, {0.0f, 1.5f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 2.5f, 0.0f}, {0.0f, 1.0f, 0.0f}},
        {"without walls", nullptr, {1.0f, 2.0f, 3.0f}, {0.5f, 0.0f, 0.5f}, {1.5f, 2.0f, 3.5f}, {0.5f, 0.0f, 0.5f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Vec3 position = c.position;
        Vec3 velocity = c.velocity;
        MoveWithWalls(position, velocity, 1.0f, 0.2f, c.walls != nullptr ? c.walls->View() : MeshView{}, MatIdentity());
        EXPECT_TRUE(Near(c.endPosition, position));
        EXPECT_TRUE(Near(c.endVelocity, velocity));
    }
    MeshHit hit;
    EXPECT_TRUE(SphereHitsMesh({0.0f, 1.0f, 0.0f}, {0.0f, 1.5f, 0.0f}, 1.0f, ceiling.View(), MatIdentity(), hit))
        << "the ceiling would stop the motion if it were tested";
}

namespace {

constexpr int TestSlot = ModelSlotCount - 1;

// A model in a table slot for the length of a test, texture and normal data
// around each position that must not be taken for it.
class TableModel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(StaticModelTable[TestSlot], nullptr); }
    void TearDown() override
    {
        delete StaticModelTable[TestSlot];
        StaticModelTable[TestSlot] = nullptr;
    }
    static StaticModel& Put(const Walls& walls)
    {
        auto* model = new StaticModel();
        for (Vec3 p : walls.vertices) {
            ModelVertex vertex;
            vertex.s = 7.0f;
            vertex.nx = 7.0f;
            vertex.x = p.x;
            vertex.y = p.y;
            vertex.z = p.z;
            model->vertices.push_back(vertex);
        }
        model->vertexCount = static_cast<int>(model->vertices.size());
        model->faceIndices = walls.indices;
        model->faceCount = static_cast<int>(walls.indices.size() / 3);
        StaticModelTable[TestSlot] = model;
        return *model;
    }
};

}  // namespace

TEST_F(TableModel, ModelsAreTestedBySlotWithinTheirArraysAndEmptySlotsHaveNoTriangles)
{
    Walls walls;
    Put(walls.FacingZ(0.0f, 10.0f));
    const Matrix4 world = MatTranslation(0.0f, 0.0f, -4.0f);
    MeshHit hit;
    ASSERT_TRUE(RayHitsMesh(Down, {1.0f, 2.0f, 3.0f}, TestSlot, world, hit));
    EXPECT_TRUE(Near({1.0f, 2.0f, -4.0f}, hit.point));
    ASSERT_TRUE(SphereHitsMesh(Down, {1.0f, 2.0f, -2.95f}, 1.0f, TestSlot, world, hit));
    EXPECT_TRUE(Near({1.0f, 2.0f, -3.0f}, hit.point));
    EXPECT_EQ(StaticModelMesh(TestSlot).faceCount, 2);
    Vec3 position{0.0f, 0.0f, -2.95f};
    Vec3 velocity = Down;
    MoveWithWalls(position, velocity, 1.0f, 0.2f, TestSlot, world);
    EXPECT_TRUE(Near({0.0f, 0.0f, -2.95f}, position, 0.0f));
    // Empty and out-of-range slots are meshes without triangles.
    for (int missing : {-1, ModelSlotCount, 1000}) {
        EXPECT_FALSE(RayHitsMesh(Down, {1.0f, 2.0f, 3.0f}, missing, world, hit));
        EXPECT_EQ(StaticModelMesh(missing).faceCount, 0);
    }
    StaticModel* held = StaticModelTable[TestSlot];
    StaticModelTable[TestSlot] = nullptr;
    EXPECT_FALSE(RayHitsMesh(Down, {1.0f, 2.0f, 3.0f}, TestSlot, world, hit));
    velocity = Down;
    MoveWithWalls(position, velocity, 1.0f, 0.2f, TestSlot, world);
    EXPECT_TRUE(Near({0.0f, 0.0f, -3.95f}, position));
    StaticModelTable[TestSlot] = held;

    // A model whose counts claim more than it holds: only what is there is read.
    StaticModel& model = *held;
    model.vertexCount = 5000;
    model.faceCount = 5000;
    EXPECT_TRUE(RayHitsMesh(Down, {1.0f, 2.0f, 3.0f}, TestSlot, MatIdentity(), hit));
    EXPECT_FALSE(RayHitsMesh({0.0f, 0.0f, 1.0f}, {1.0f, 2.0f, -3.0f}, TestSlot, MatIdentity(), hit));
    const MeshView view = MeshViewOfModel(TestSlot);
    EXPECT_EQ(4, view.vertexCount);
    EXPECT_EQ(2, view.faceCount);
    model.vertexCount = -3;
    model.faceCount = -3;
    EXPECT_FALSE(RayHitsMesh(Down, {1.0f, 2.0f, 3.0f}, TestSlot, MatIdentity(), hit));
}

// Walking across the open field is never stopped; walking, or flying at the
// wyvern's height, in any direction for longer than the field is long ends
// against a wall and never beyond.
TEST_F(TableModel, StageWallsKeepWalkersInAndLetThemRoamFreely)
{
    Walls none;
    StaticModel& wall = Put(none);
    ASSERT_TRUE(ParseStaticModel(ReadText(KESTRUNE_BIN_DIR "/model/Stage1Wall.x"), wall));
    Vec3 low{1e9f, 1e9f, 1e9f};
    Vec3 high{-1e9f, -1e9f, -1e9f};
    for (const ModelVertex& v : wall.vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    Vec3 position{0.0f, 0.0f, 0.0f};
    for (int step = 0; step < 900; ++step) {
        Vec3 velocity{0.0f, 0.0f, -0.15f};
        MoveWithWalls(position, velocity, 0.4f, 0.15f, TestSlot, MatIdentity());
    }
    EXPECT_NEAR(position.z, -135.0f, 0.01f);
    for (const float height : {0.0f, 9.5f}) {
        for (int heading = 0; heading < 360; heading += 30) {
            position = Vec3{0.0f, height, -75.0f};
            for (int step = 0; step < 2000; ++step) {
                Vec3 velocity = RotateAboutY({0.0f, 0.0f, -0.15f}, static_cast<float>(heading));
                MoveWithWalls(position, velocity, 0.4f, 0.15f, TestSlot, MatIdentity());
            }
            EXPECT_TRUE(position.x > low.x && position.x < high.x && position.z > low.z && position.z < high.z)
                << "heading " << heading << " at " << height << " ended at " << position.x << ", " << position.z;
        }
    }
}
