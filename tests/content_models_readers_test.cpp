// The generated models through the game's own code: its readers accept every
// file, its posing puts the weapons in the hands, and its wall movement keeps
// bodies inside the stage walls.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "math/collision.h"
#include "math/vector_math.h"
#include "render/posing.h"
#include "render/skin_model.h"
#include "render/static_model.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The files the build generated beside the game, exactly as the game reads them.
class GameReadsGeneratedModels : public ::testing::Test {
protected:
    static std::string Text(const std::string& file) { return ReadText(std::string(KESTRUNE_BIN_DIR) + "/model/" + file); }
};

Vec3 PointOf(const Matrix4& m, Vec3 p)
{
    const Vec4 r = MatTransform(m, {p.x, p.y, p.z, 1.0f});
    return {r.x, r.y, r.z};
}

// The hand's world transform as the game mounts weapons: pose, then
// boneMatrices[bone] * inverse(offset of that bone's frame).
Matrix4 HandAt(SkinModel& model, int set, float time, int bone)
{
    PoseSkinModel(model, set, time);
    return MatMultiply(model.boneMatrices[bone], MatInverse(model.boneFrames[bone]->offsetMatrix));
}

MeshView WallView(const StaticModel& model)
{
    MeshView view;
    view.positions = reinterpret_cast<const unsigned char*>(&model.vertices[0].x);
    view.strideBytes = sizeof(ModelVertex);
    view.vertexCount = model.vertexCount;
    view.indices = model.faceIndices.data();
    view.faceCount = model.faceCount;
    return view;
}

} // namespace

TEST_F(GameReadsGeneratedModels, EveryModelParsesWithItsSetsAndHandBones)
{
    const struct {
        const char* file;
        int sets;
        int hand;
    } characters[] = {{"Player.x", 7, 12},     {"wivern001.x", 2, -1},  {"lizaldy.x", 3, 12}, {"jelly_green.x", 2, -1},
                      {"jelly_blue.x", 2, -1}, {"jelly_red.x", 2, -1}, {"wizard.x", 2, 6}};
    for (const auto& c : characters) {
        SCOPED_TRACE(c.file);
        SkinModel model;
        ASSERT_TRUE(ParseSkinModel(Text(c.file), model));
        EXPECT_EQ(model.animationSetCount, c.sets);
        EXPECT_EQ(model.frameCount, model.boneCount);
        EXPECT_GE(model.faceCount, 500);
        if (c.hand >= 0) {
            ASSERT_NE(model.boneFrames[c.hand], nullptr);
            EXPECT_EQ(model.boneFrames[c.hand]->name, "RightHand");
        }
        for (int set = 0; set < c.sets; ++set) {
            ASSERT_NE(model.rootFrame->tracks[set], nullptr);
            EXPECT_EQ(model.rootFrame->tracks[set]->times.front(), 0.0f);
            EXPECT_EQ(model.rootFrame->tracks[set]->times.back(), 60.0f);
        }
    }
    for (const char* file : {"3DWeapon.x", "spear001.x", "Bubble.x", "Fire.x", "ground.x", "staff.x",
                             "Stage1Ground.x", "Stage1Wall.x", "sky.x"}) {
        SCOPED_TRACE(file);
        StaticModel model;
        ASSERT_TRUE(ParseStaticModel(Text(file), model));
        EXPECT_GT(model.faceCount, 0);
        EXPECT_GT(model.materialCount, 0);
    }
}

TEST_F(GameReadsGeneratedModels, GamePosingPutsWeaponsInTheHands)
{
    SkinModel player;
    ASSERT_TRUE(ParseSkinModel(Text("Player.x"), player));
    // Standing: the sword's blade (the mount's +Y) points ahead and up from a
    // right hand at hip height.
    const Matrix4 stand = HandAt(player, 0, 0.0f, 12);
    const Vec3 hilt = PointOf(stand, {0.0f, 0.0f, 0.0f});
    const Vec3 tip = PointOf(stand, {0.0f, 1.5f, 0.0f});
    EXPECT_GT(hilt.x, 0.1f);
    EXPECT_GT(hilt.y, 0.7f);
    EXPECT_LT(hilt.y, 1.4f);
    EXPECT_LT(tip.z, hilt.z - 0.3f);
    EXPECT_GT(tip.y, hilt.y);
    // The first attack's blade is raised behind the head while winding up and
    // swung down in front by the time the hit window is open.
    const Vec3 windUp = PointOf(HandAt(player, 2, 25.0f, 12), {0.0f, 1.5f, 0.0f});
    const Vec3 strike = PointOf(HandAt(player, 2, 40.0f, 12), {0.0f, 1.5f, 0.0f});
    const Vec3 windUpHand = PointOf(HandAt(player, 2, 25.0f, 12), {0.0f, 0.0f, 0.0f});
    EXPECT_GT(windUpHand.y, 1.5f);
    EXPECT_GT(windUp.z, windUpHand.z + 0.3f);
    EXPECT_LT(strike.z, -0.8f);
    // Between keys the blend keeps the hand attached: no jump larger than the
    // distance between the neighbouring keys' hands.
    const Vec3 a = PointOf(HandAt(player, 1, 10.0f, 12), {0.0f, 0.0f, 0.0f});
    const Vec3 mid = PointOf(HandAt(player, 1, 12.5f, 12), {0.0f, 0.0f, 0.0f});
    const Vec3 b = PointOf(HandAt(player, 1, 15.0f, 12), {0.0f, 0.0f, 0.0f});
    EXPECT_LE(Length(mid - a), Length(b - a) + 0.05f);

    SkinModel lizard;
    ASSERT_TRUE(ParseSkinModel(Text("lizaldy.x"), lizard));
    const Vec3 idleTip = PointOf(HandAt(lizard, 0, 0.0f, 12), {0.0f, 0.0f, -1.5f});
    const Vec3 thrustTip = PointOf(HandAt(lizard, 2, 37.5f, 12), {0.0f, 0.0f, -1.5f});
    EXPECT_LT(idleTip.z, -1.0f);
    EXPECT_LT(thrustTip.z, idleTip.z - 0.3f) << "the thrust reaches furthest around frames 35 to 40";

    SkinModel wizard;
    ASSERT_TRUE(ParseSkinModel(Text("wizard.x"), wizard));
    const Matrix4 staff = HandAt(wizard, 1, 30.0f, 6);
    EXPECT_GT(PointOf(staff, {0.0f, 0.9f, 0.0f}).y, 2.0f) << "casting raises the staff overhead";
}

TEST_F(GameReadsGeneratedModels, StageWallsKeepBodiesInsideAndLetThemRoamFreely)
{
    StaticModel wall;
    ASSERT_TRUE(ParseStaticModel(Text("Stage1Wall.x"), wall));
    const MeshView view = WallView(wall);
    const Matrix4 world = MatIdentity();
    // Walking across the open field is never stopped.
    Vec3 position{0.0f, 0.0f, 0.0f};
    for (int step = 0; step < 900; ++step) {
        Vec3 velocity{0.0f, 0.0f, -0.15f};
        MoveWithWalls(position, velocity, 0.4f, 0.15f, view, world);
    }
    EXPECT_NEAR(position.z, -135.0f, 0.01f);
    // Walking (or flying at the wyvern's height) into any wall, straight or
    // slanting, ends against it and never beyond.
    const Vec3 directions[] = {{1.0f, 0.0f, 0.0f},   {-1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f},
                               {0.0f, 0.0f, -1.0f},  {0.7f, 0.0f, 0.7f},  {-0.7f, 0.0f, -0.7f}};
    for (const float height : {0.0f, 9.5f}) {
        for (const Vec3& d : directions) {
            Vec3 p{0.0f, height, -75.0f};
            for (int step = 0; step < 2000; ++step) {
                Vec3 velocity = d * 0.15f;
                MoveWithWalls(p, velocity, 0.4f, 0.15f, view, world);
            }
            EXPECT_GT(p.x, -26.0f) << d.x << "," << d.z << " at " << height;
            EXPECT_LT(p.x, 26.0f) << d.x << "," << d.z << " at " << height;
            EXPECT_GT(p.z, -160.0f) << d.x << "," << d.z << " at " << height;
            EXPECT_LT(p.z, 10.0f) << d.x << "," << d.z << " at " << height;
        }
    }
}
