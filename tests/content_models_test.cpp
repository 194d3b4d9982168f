// The generated models through the game's own readers and posing: every file
// reads with sound meshes, skins and keys, each character has the size and
// the hands the game expects and loops without a jump, the weapons sit in
// the hands, and the stage's ground, walls and sky face the play area.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "render/model_slots.h"
#include "render/posing.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "tests/test_files.h"
#include "tests/test_math.h"

namespace {

namespace fs = std::filesystem;

std::string Path(const char* file)
{
    return std::string(KESTRUNE_BIN_DIR) + "/" + file;
}

std::string Text(const char* file)
{
    return ReadText(Path(file));
}

SkinModel Skin(const char* file)
{
    SkinModel model;
    EXPECT_TRUE(ParseSkinModel(Text(file), model)) << file;
    return model;
}

StaticModel Static(const char* file)
{
    StaticModel model;
    EXPECT_TRUE(ParseStaticModel(Text(file), model)) << file;
    return model;
}

Vec3 PositionOf(const ModelVertex& v)
{
    return {v.x, v.y, v.z};
}

// The vertices as the skinning shader places them at (set, time).
Box PosedBounds(SkinModel& model, int set, float time)
{
    PoseSkinModel(model, set, time);
    Box box;
    for (size_t i = 0; i < model.vertices.size(); ++i) {
        Vec3 p;
        for (int k = 0; k < MaxInfluences; ++k) {
            const int bone = model.influences[i].bone[k];
            if (bone >= 0) {
                p = p + Point(model.boneMatrices[bone], PositionOf(model.vertices[i])) * model.influences[i].weight[k];
            }
        }
        box.Add(p);
    }
    return box;
}

// The hand's transform as the game mounts weapons on it.
Matrix4 HandAt(SkinModel& model, int set, float time, int bone)
{
    PoseSkinModel(model, set, time);
    return MatMultiply(model.boneMatrices[bone], MatInverse(model.boneFrames[bone]->offsetMatrix));
}

float Dot4(const Quaternion& a, const Quaternion& b)
{
    return a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
}

// Shared by every mesh: unit normals, front faces agreeing with the normals,
// and materials with a colour and (where named) a texture that exists.
void ExpectSoundMesh(const std::vector<ModelVertex>& vertices, const std::vector<uint16_t>& faces,
                     const std::vector<ModelMaterial>& materials)
{
    ASSERT_FALSE(faces.empty());
    ASSERT_FALSE(materials.empty());
    int misfacing = 0;
    for (size_t f = 0; f + 2 < faces.size(); f += 3) {
        const ModelVertex& a = vertices[faces[f]];
        const ModelVertex& b = vertices[faces[f + 1]];
        const ModelVertex& c = vertices[faces[f + 2]];
        const Vec3 normal{a.nx + b.nx + c.nx, a.ny + b.ny + c.ny, a.nz + b.nz + c.nz};
        misfacing += Dot(Cross(PositionOf(b) - PositionOf(a), PositionOf(c) - PositionOf(a)), normal) <= 0.0f;
    }
    EXPECT_EQ(misfacing, 0) << "faces wound against their normals";
    for (const ModelVertex& v : vertices) {
        ASSERT_NEAR(Length(Vec3{v.nx, v.ny, v.nz}), 1.0f, 1e-3f);
    }
    for (const ModelMaterial& m : materials) {
        EXPECT_GT(m.diffuse[0] + m.diffuse[1] + m.diffuse[2], 0.1f) << "black material";
        EXPECT_EQ(m.diffuse[3], 1.0f);
        if (!m.texturePath.empty()) {
            EXPECT_TRUE(fs::exists(Path(m.texturePath.c_str()))) << "missing texture " << m.texturePath;
        }
    }
}

}  // namespace

TEST(ContentModels, CharactersReadWithSoundSkinsAndKeys)
{
    const struct {
        const char* file;
        int sets;
        int hand;  // the bone the game mounts a weapon on, or -1
    } characters[] = {{"model/Player.x", 7, 12},     {"model/wivern001.x", 2, -1}, {"model/lizaldy.x", 3, 12},
                      {"model/jelly_green.x", 2, -1}, {"model/jelly_blue.x", 2, -1}, {"model/jelly_red.x", 2, -1},
                      {"model/wizard.x", 2, 6}};
    for (const auto& c : characters) {
        SCOPED_TRACE(c.file);
        SkinModel model = Skin(c.file);
        ExpectSoundMesh(model.vertices, model.faceIndices, model.materials);
        EXPECT_GE(model.faceCount, 500);
        EXPECT_LE(model.faceCount, 5000);
        EXPECT_EQ(model.animationSetCount, c.sets);
        EXPECT_EQ(model.frameCount, model.boneCount);
        if (c.hand >= 0) {
            ASSERT_NE(model.boneFrames[c.hand], nullptr);
            EXPECT_EQ(model.boneFrames[c.hand]->name, "RightHand");
        }
        // Every vertex is held by its bones in full (a fifth influence the
        // reader drops would show as a short sum).
        for (const VertexInfluence& v : model.influences) {
            float sum = 0.0f;
            for (int k = 0; k < MaxInfluences; ++k) {
                EXPECT_GE(v.weight[k], 0.0f);
                sum += v.weight[k];
            }
            ASSERT_NEAR(sum, 1.0f, 1e-4f);
        }
        // Every set moves every frame with the same key times from 0 to 60,
        // in unit rotations never more than half a circle apart (blending
        // takes the shorter way round, so more would play backwards).
        for (int set = 0; set < c.sets; ++set) {
            const std::vector<float>& times = model.rootFrame->tracks[set]->times;
            ASSERT_GE(times.size(), 2u);
            EXPECT_EQ(times.front(), 0.0f);
            EXPECT_EQ(times.back(), 60.0f);
            EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
            for (const SkinFrame* frame : model.boneFrames) {
                ASSERT_NE(frame->tracks[set], nullptr) << frame->name;
                EXPECT_EQ(frame->tracks[set]->times, times) << frame->name;
                const std::vector<PoseKey>& keys = frame->tracks[set]->keys;
                for (size_t k = 0; k < keys.size(); ++k) {
                    EXPECT_NEAR(Dot4(keys[k].rotation, keys[k].rotation), 1.0f, 1e-3f) << frame->name;
                    if (k > 0) {
                        EXPECT_GT(std::fabs(Dot4(keys[k - 1].rotation, keys[k].rotation)), std::cos(1.3f))
                            << frame->name << " key " << k;
                    }
                }
            }
        }
    }
}

TEST(ContentModels, CharactersStandWhereModelledAtTheSizesTheGameExpects)
{
    // Keys and offsets cancel out: posed at the first idle key each body keeps
    // its modelled shape instead of being thrown across the map.
    for (const char* file : SkinModelFiles) {
        SkinModel model = Skin(file);
        const Box rest = MeshBox(model.vertices);
        const Box posed = PosedBounds(model, 0, 0.0f);
        for (const Vec3 d : {posed.low - rest.low, posed.high - rest.high}) {
            EXPECT_TRUE(std::fabs(d.x) < 0.5f && std::fabs(d.y) < 0.5f && std::fabs(d.z) < 0.5f) << file;
        }
    }
    const struct {
        const char* file;
        float minHeight;
        float maxHeight;
    } heights[] = {{"model/Player.x", 1.8f, 2.2f},     {"model/lizaldy.x", 1.8f, 2.2f},
                   {"model/wizard.x", 1.8f, 2.4f},     {"model/jelly_green.x", 0.8f, 1.1f},
                   {"model/jelly_blue.x", 0.7f, 1.0f}, {"model/jelly_red.x", 0.7f, 1.0f}};
    for (const auto& h : heights) {
        SCOPED_TRACE(h.file);
        SkinModel model = Skin(h.file);
        const Box posed = PosedBounds(model, 0, 0.0f);
        EXPECT_NEAR(posed.low.y, 0.0f, 0.08f) << "does not stand on the ground";
        EXPECT_GE(posed.high.y, h.minHeight);
        EXPECT_LE(posed.high.y, h.maxHeight);
        EXPECT_LT(std::fabs(posed.low.x + posed.high.x), 0.6f) << "not centred on x = 0";
    }
    SkinModel green = Skin("model/jelly_green.x");
    SkinModel blue = Skin("model/jelly_blue.x");
    EXPECT_LT(PosedBounds(blue, 0, 0.0f).high.y, PosedBounds(green, 0, 0.0f).high.y) << "blue is the smaller";
    const Box wyvern = MeshBox(Skin("model/wivern001.x").vertices);
    EXPECT_NEAR(wyvern.high.x - wyvern.low.x, 3.0f, 0.4f) << "wing span";
    // The sword fighter lies down at the end of dying, above the ground.
    SkinModel player = Skin("model/Player.x");
    EXPECT_GT(PosedBounds(player, 6, 0.0f).high.y, 1.7f);
    const Box lying = PosedBounds(player, 6, 60.0f);
    EXPECT_LT(lying.high.y, 0.7f);
    EXPECT_GT(lying.low.y, -0.2f) << "sinks into the ground";
}

// Idle, walk and flight loops wrap from 60 back to 0; a mismatch would make
// the character jump once per loop.
TEST(ContentModels, LoopingSetsEndOnTheirFirstPose)
{
    const struct {
        const char* file;
        std::vector<int> loops;
    } models[] = {{"model/Player.x", {0, 1}}, {"model/lizaldy.x", {0, 1}}, {"model/wizard.x", {0}},
                  {"model/wivern001.x", {0}}, {"model/jelly_green.x", {0}}, {"model/jelly_blue.x", {0}},
                  {"model/jelly_red.x", {0}}};
    for (const auto& m : models) {
        SkinModel model = Skin(m.file);
        for (const int set : m.loops) {
            for (const SkinFrame* frame : model.boneFrames) {
                const std::vector<PoseKey>& keys = frame->tracks[set]->keys;
                EXPECT_NEAR(std::fabs(Dot4(keys.front().rotation, keys.back().rotation)), 1.0f, 1e-4f)
                    << m.file << " set " << set << " " << frame->name;
                EXPECT_NEAR(Length(keys.front().position - keys.back().position), 0.0f, 1e-4f) << frame->name;
                EXPECT_NEAR(Length(keys.front().scale - keys.back().scale), 0.0f, 1e-4f) << frame->name;
            }
        }
    }
}

TEST(ContentModels, WeaponsSitInTheHandsAsTheGamePosesThem)
{
    SkinModel player = Skin("model/Player.x");
    // Standing: the sword's blade (the mount's +Y) points ahead and up from a
    // right hand at hip height.
    const Matrix4 stand = HandAt(player, 0, 0.0f, 12);
    const Vec3 hilt = Point(stand, {0.0f, 0.0f, 0.0f});
    const Vec3 tip = Point(stand, {0.0f, 1.5f, 0.0f});
    EXPECT_GT(hilt.x, 0.1f) << "the sword hand is the right hand (+X)";
    EXPECT_GT(hilt.y, 0.7f);
    EXPECT_LT(hilt.y, 1.4f);
    EXPECT_LT(tip.z, hilt.z - 0.3f) << "blade should point ahead (-Z)";
    EXPECT_GT(tip.y, hilt.y);
    // The first attack raises the blade behind the head while winding up and
    // has swung it down in front by the time the hit window is open.
    const Matrix4 windUp = HandAt(player, 2, 25.0f, 12);
    EXPECT_GT(Point(windUp, {}).y, 1.5f);
    EXPECT_GT(Point(windUp, {0.0f, 1.5f, 0.0f}).z, Point(windUp, {}).z + 0.3f);
    EXPECT_LT(Point(HandAt(player, 2, 40.0f, 12), {0.0f, 1.5f, 0.0f}).z, -0.8f);
    // Between keys the blend keeps the hand attached.
    const Vec3 a = Point(HandAt(player, 1, 10.0f, 12), {});
    const Vec3 mid = Point(HandAt(player, 1, 12.5f, 12), {});
    const Vec3 b = Point(HandAt(player, 1, 15.0f, 12), {});
    EXPECT_LE(Length(mid - a), Length(b - a) + 0.05f);

    // The spear (along the hand's -Z) is level and ahead when idle, and the
    // thrust carries its tip furthest forward between frames 35 and 42.
    SkinModel lizard = Skin("model/lizaldy.x");
    const Vec3 spearTip{0.0f, 0.0f, -1.5f};
    const float idle = Point(HandAt(lizard, 0, 0.0f, 12), spearTip).z;
    EXPECT_LT(idle, -1.0f);
    float furthest = 0.0f;
    float furthestTime = -1.0f;
    for (float time = 0.0f; time <= 60.0f; time += 2.5f) {
        const float z = Point(HandAt(lizard, 2, time, 12), spearTip).z;
        if (z < furthest) {
            furthest = z;
            furthestTime = time;
        }
    }
    EXPECT_GE(furthestTime, 35.0f);
    EXPECT_LE(furthestTime, 42.0f);
    EXPECT_LT(furthest, idle - 0.3f);

    // The staff stays upright in the wizard's hand and goes overhead to cast.
    SkinModel wizard = Skin("model/wizard.x");
    const Matrix4 staff = HandAt(wizard, 0, 0.0f, 6);
    EXPECT_GT(Point(staff, {0.0f, 0.9f, 0.0f}).y - Point(staff, {0.0f, -0.9f, 0.0f}).y, 1.5f);
    EXPECT_GT(Point(HandAt(wizard, 1, 30.0f, 6), {0.0f, 0.9f, 0.0f}).y, 2.0f);
}

TEST(ContentModels, PropsReadSoundAndInPlace)
{
    for (const char* file : StaticModelFiles) {
        SCOPED_TRACE(file);
        const StaticModel model = Static(file);
        ExpectSoundMesh(model.vertices, model.faceIndices, model.materials);
    }
    // On the game-over screen the sword's coordinates become clip
    // coordinates after scale 0.8 and lowering by 0.3, spinning about Y.
    const StaticModel sword = Static("model/3DWeapon.x");
    for (const ModelVertex& v : sword.vertices) {
        ASSERT_LT(std::fabs(0.8f * v.y - 0.3f), 1.0f);
        ASSERT_LT(0.8f * std::hypot(v.x, v.z), 1.0f);
    }
    EXPECT_NEAR(MeshBox(sword.vertices).high.y, 1.5f, 0.15f);
    EXPECT_NEAR(MeshBox(Static("model/spear001.x").vertices).low.z, -1.5f, 0.1f) << "spear tip";
    const Box bubble = MeshBox(Static("model/Bubble.x").vertices);
    EXPECT_NEAR(bubble.high.x - bubble.low.x, 0.8f, 0.02f);
    const Box fire = MeshBox(Static("model/Fire.x").vertices);
    EXPECT_LT(fire.high.y - fire.low.y, 0.8f);
}

TEST(ContentModels, StageFieldWallsAndSkyFaceThePlayArea)
{
    auto faceNormal = [](const StaticModel& model, size_t f) {
        const Vec3 a = PositionOf(model.vertices[model.faceIndices[f]]);
        return Cross(PositionOf(model.vertices[model.faceIndices[f + 1]]) - a,
                     PositionOf(model.vertices[model.faceIndices[f + 2]]) - a);
    };
    const StaticModel ground = Static("model/Stage1Ground.x");
    const Box field = MeshBox(ground.vertices);
    EXPECT_TRUE(field.low.x < -20.0f && field.high.x > 20.0f && field.low.z < -150.0f && field.high.z > 0.0f);
    for (size_t f = 0; f < ground.faceIndices.size(); f += 3) {
        ASSERT_GT(faceNormal(ground, f).y, 0.0f) << "ground faces up";
    }
    // Every wall face looks toward the middle of the field, and the walls
    // enclose it on all four sides, taller than the wyvern flies.
    const StaticModel wall = Static("model/Stage1Wall.x");
    const Vec3 middle{0.0f, 1.0f, -75.0f};
    std::array<int, 4> sides{};
    for (size_t f = 0; f < wall.faceIndices.size(); f += 3) {
        const Vec3 n = faceNormal(wall, f);
        ASSERT_GT(Dot(n, middle - PositionOf(wall.vertices[wall.faceIndices[f]])), 0.0f) << "faces outward";
        sides[n.x > 0.5f ? 0 : n.x < -0.5f ? 1 : n.z > 0.5f ? 2 : 3] += 1;
    }
    EXPECT_TRUE(std::all_of(sides.begin(), sides.end(), [](int count) { return count > 0; }));
    const Box walls = MeshBox(wall.vertices);
    EXPECT_TRUE(walls.low.x < -20.4f && walls.high.x > 20.4f && walls.low.z < -150.4f && walls.high.z > 0.4f);
    EXPECT_LE(walls.low.y, 0.0f);
    EXPECT_GT(walls.high.y, 10.5f);
    // The sky is a dome of radius 1 seen from inside.
    const StaticModel sky = Static("model/sky.x");
    for (const ModelVertex& v : sky.vertices) {
        ASSERT_NEAR(Length(PositionOf(v)), 1.0f, 1e-3f);
    }
    for (size_t f = 0; f < sky.faceIndices.size(); f += 3) {
        ASSERT_LT(Dot(faceNormal(sky, f), PositionOf(sky.vertices[sky.faceIndices[f]])), 0.0f) << "faces outward";
    }
}
