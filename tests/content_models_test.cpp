// The generated models: every file the game loads is produced, the output is
// the same on every run, and each file reads back with sound counts, skin
// weights, keys, bone numbers, sizes and face directions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "model_file_probe.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

const char* const SkinnedFiles[] = {"Player.x",      "wivern001.x",  "lizaldy.x", "jelly_green.x",
                                    "jelly_blue.x",  "jelly_red.x",  "wizard.x"};
const char* const StaticFiles[] = {"3DWeapon.x", "spear001.x",     "Bubble.x",       "Fire.x", "ground.x",
                                   "staff.x",    "Stage1Ground.x", "Stage1Wall.x",   "sky.x"};

std::string Generator() { return std::string(KESTRUNE_BIN_DIR) + "/kestrune_content"; }

int RunGenerator(const fs::path& outDir)
{
    const std::string command = "\"" + Generator() + "\" \"" + outDir.string() + "\" > /dev/null 2>&1";
    return std::system(command.c_str());
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The files the build generated beside the game.
class GeneratedModels : public ::testing::Test {
protected:
    static fs::path DataDir() { return fs::path(KESTRUNE_BIN_DIR); }
    static std::string Path(const char* file) { return (DataDir() / "model" / file).string(); }

    static ProbeSkin LoadSkin(const char* file)
    {
        ProbeSkin skin;
        std::string error;
        EXPECT_TRUE(ProbeSkinFile(Path(file), skin, error)) << file << ": " << error;
        return skin;
    }

    static ProbeMesh LoadStatic(const char* file)
    {
        ProbeMesh mesh;
        std::string error;
        EXPECT_TRUE(ProbeStaticFile(Path(file), mesh, error)) << file << ": " << error;
        return mesh;
    }
};

struct Box {
    std::array<float, 3> low{1e9f, 1e9f, 1e9f};
    std::array<float, 3> high{-1e9f, -1e9f, -1e9f};
    void Add(const std::array<float, 3>& p)
    {
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], p[k]);
            high[k] = std::max(high[k], p[k]);
        }
    }
};

Box BoundsOf(const std::vector<std::array<float, 3>>& points)
{
    Box box;
    for (const auto& p : points) {
        box.Add(p);
    }
    return box;
}

std::array<float, 3> Sub(std::array<float, 3> a, std::array<float, 3> b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
std::array<float, 3> Cross(std::array<float, 3> a, std::array<float, 3> b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
float Dot(std::array<float, 3> a, std::array<float, 3> b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

std::array<float, 3> FaceNormal(const ProbeMesh& mesh, const std::array<int, 3>& face)
{
    const auto& p = mesh.positions;
    return Cross(Sub(p[face[1]], p[face[0]]), Sub(p[face[2]], p[face[0]]));
}

// Checks shared by every mesh: indices in range, unit normals, front faces
// agreeing with the normals, materials present and sensible.
void ExpectSoundMesh(const ProbeMesh& mesh, const std::string& file, const fs::path& dataDir)
{
    ASSERT_FALSE(mesh.faces.empty()) << file;
    ASSERT_FALSE(mesh.materials.empty()) << file;
    const int vertexCount = static_cast<int>(mesh.positions.size());
    int misfacing = 0;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        for (const int index : mesh.faces[f]) {
            ASSERT_TRUE(index >= 0 && index < vertexCount) << file << " face " << f;
        }
        ASSERT_TRUE(mesh.faceMaterials[f] >= 0 && mesh.faceMaterials[f] < static_cast<int>(mesh.materials.size()))
            << file;
        std::array<float, 3> normalSum{};
        for (const int index : mesh.faces[f]) {
            for (int k = 0; k < 3; ++k) {
                normalSum[k] += mesh.normals[index][k];
            }
        }
        misfacing += Dot(FaceNormal(mesh, mesh.faces[f]), normalSum) <= 0.0f ? 1 : 0;
    }
    EXPECT_EQ(misfacing, 0) << file << ": faces wound against their normals";
    for (const auto& n : mesh.normals) {
        ASSERT_NEAR(std::sqrt(Dot(n, n)), 1.0f, 1e-3f) << file;
    }
    for (const ProbeMaterial& m : mesh.materials) {
        EXPECT_GT(m.diffuse[0] + m.diffuse[1] + m.diffuse[2], 0.1f) << file << ": black material";
        EXPECT_EQ(m.diffuse[3], 1.0f) << file;
        if (!m.texture.empty()) {
            EXPECT_TRUE(fs::exists(dataDir / m.texture))
                << file << " names a missing texture " << m.texture;
        }
    }
}

int KeyAt(const ProbeSkin& skin, int set, float time)
{
    const auto& times = skin.frames[0].tracks.at(set).times;
    for (size_t k = 0; k < times.size(); ++k) {
        if (times[k] == time) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

Box PosedBounds(const ProbeSkin& skin, int set, float time)
{
    return BoundsOf(SkinnedPositions(skin, PoseFrames(skin, set, KeyAt(skin, set, time))));
}

} // namespace

TEST(ContentModels, GeneratesEverySixteenModelsIdenticallyOnEveryRun)
{
    const TempDir firstDir;
    const TempDir secondDir;
    const fs::path first = firstDir.Path();
    const fs::path second = secondDir.Path();
    ASSERT_EQ(RunGenerator(first), 0);
    ASSERT_EQ(RunGenerator(second), 0);
    int compared = 0;
    for (const auto& list : {std::vector<const char*>(std::begin(SkinnedFiles), std::end(SkinnedFiles)),
                             std::vector<const char*>(std::begin(StaticFiles), std::end(StaticFiles))}) {
        for (const char* file : list) {
            const std::string a = ReadAll(first / "model" / file);
            ASSERT_FALSE(a.empty()) << file << " was not produced";
            EXPECT_EQ(a.rfind("xof 0303txt 0032\n", 0), 0u) << file;
            EXPECT_TRUE(a == ReadAll(second / "model" / file)) << file << " differs between runs";
            ++compared;
        }
    }
    for (const auto& entry : fs::directory_iterator(first / "image")) {
        EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(second / "image" / entry.path().filename()))
            << entry.path().filename() << " differs between runs";
    }
    EXPECT_EQ(compared, 16);
}

TEST(ContentModels, GeneratorFailsCleanlyWhenItCannotWrite)
{
    const TempDir dir;
    const fs::path blocker = dir.File("not_a_folder");
    std::ofstream(blocker) << "x";
    EXPECT_NE(RunGenerator(blocker), 0);
    EXPECT_NE(std::system(("\"" + Generator() + "\" > /dev/null 2>&1").c_str()), 0) << "no folder given";
}

TEST_F(GeneratedModels, SkinnedModelsReadBackWithSoundSkinsAndKeys)
{
    const std::map<std::string, int> expectedSets = {{"Player.x", 7},     {"wivern001.x", 2},   {"lizaldy.x", 3},
                                                     {"jelly_green.x", 2}, {"jelly_blue.x", 2}, {"jelly_red.x", 2},
                                                     {"wizard.x", 2}};
    for (const char* file : SkinnedFiles) {
        SCOPED_TRACE(file);
        const ProbeSkin skin = LoadSkin(file);
        ExpectSoundMesh(skin.mesh, file, DataDir());
        EXPECT_GE(skin.mesh.faces.size(), 500u);
        EXPECT_LE(skin.mesh.faces.size(), 5000u);
        // One bone matrix per frame; the shaders hold at most 32.
        EXPECT_EQ(skin.boneCount, static_cast<int>(skin.frames.size()));
        EXPECT_LE(skin.boneCount, 32);
        EXPECT_EQ(skin.setCount, expectedSets.at(file));
        for (size_t v = 0; v < skin.influences.size(); ++v) {
            const auto& influences = skin.influences[v];
            ASSERT_FALSE(influences.empty()) << "vertex " << v << " has no bone";
            ASSERT_LE(influences.size(), 4u) << "vertex " << v;
            float sum = 0.0f;
            for (const auto& [frame, weight] : influences) {
                EXPECT_GE(weight, 0.0f);
                sum += weight;
            }
            ASSERT_NEAR(sum, 1.0f, 1e-4f) << "vertex " << v;
        }
        // Every set animates every frame, with the same key times from 0 to 60.
        for (int set = 0; set < skin.setCount; ++set) {
            const std::vector<float>& times = skin.frames[0].tracks.at(set).times;
            ASSERT_GE(times.size(), 2u);
            EXPECT_EQ(times.front(), 0.0f);
            EXPECT_EQ(times.back(), 60.0f);
            for (size_t k = 1; k < times.size(); ++k) {
                EXPECT_LT(times[k - 1], times[k]);
            }
            for (const ProbeFrame& frame : skin.frames) {
                ASSERT_GT(frame.tracks.size(), static_cast<size_t>(set)) << frame.name << " has no track";
                EXPECT_EQ(frame.tracks[set].times, times) << frame.name;
                const auto& keys = frame.tracks[set].keys;
                for (size_t k = 0; k < keys.size(); ++k) {
                    const auto& q = keys[k].rotation;
                    EXPECT_NEAR(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3], 1.0f, 1e-3f) << frame.name;
                    // Blending takes the shorter way round, so a turn of more
                    // than half a circle between keys would play backwards.
                    if (k > 0) {
                        const auto& p = keys[k - 1].rotation;
                        const float dot = p[0] * q[0] + p[1] * q[1] + p[2] * q[2] + p[3] * q[3];
                        EXPECT_GT(std::fabs(dot), std::cos(0.5f * 2.6f)) << frame.name << " key " << k;
                    }
                }
            }
        }
    }
}

TEST_F(GeneratedModels, EveryModelStandsInItsRestPoseWhereItWasModelled)
{
    // Keys and offsets must cancel out: posing at the first key of the idle set
    // keeps each character near its modelled shape (nothing thrown across the map).
    for (const char* file : SkinnedFiles) {
        SCOPED_TRACE(file);
        const ProbeSkin skin = LoadSkin(file);
        const Box rest = BoundsOf(skin.mesh.positions);
        const Box posed = PosedBounds(skin, 0, 0.0f);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(posed.low[k], rest.low[k], 0.5f);
            EXPECT_NEAR(posed.high[k], rest.high[k], 0.5f);
        }
    }
}

TEST_F(GeneratedModels, CharactersHaveTheSizesTheGameExpects)
{
    const struct {
        const char* file;
        float minHeight;
        float maxHeight;
    } heights[] = {{"Player.x", 1.8f, 2.2f},     {"lizaldy.x", 1.8f, 2.2f},    {"wizard.x", 1.8f, 2.4f},
                   {"jelly_green.x", 0.8f, 1.1f}, {"jelly_blue.x", 0.7f, 1.0f}, {"jelly_red.x", 0.7f, 1.0f}};
    for (const auto& h : heights) {
        SCOPED_TRACE(h.file);
        const Box box = PosedBounds(LoadSkin(h.file), 0, 0.0f);
        EXPECT_NEAR(box.low[1], 0.0f, 0.08f) << "does not stand on the ground";
        EXPECT_GE(box.high[1], h.minHeight);
        EXPECT_LE(box.high[1], h.maxHeight);
        EXPECT_LT(std::fabs(box.low[0] + box.high[0]), 0.6f) << "not centred on x = 0";
    }
    const Box green = PosedBounds(LoadSkin("jelly_green.x"), 0, 0.0f);
    const Box blue = PosedBounds(LoadSkin("jelly_blue.x"), 0, 0.0f);
    EXPECT_LT(blue.high[1], green.high[1]) << "the blue slime should be the smaller one";
    const Box wyvern = BoundsOf(LoadSkin("wivern001.x").mesh.positions);
    EXPECT_NEAR(wyvern.high[0] - wyvern.low[0], 3.0f, 0.4f) << "wing span";
}

TEST_F(GeneratedModels, WeaponHandsHoldTheirWeaponsAhead)
{
    // Player and lizard hold their weapons in bone 12, the wizard in bone 6.
    const ProbeSkin player = LoadSkin("Player.x");
    const ProbeSkin lizard = LoadSkin("lizaldy.x");
    const ProbeSkin wizard = LoadSkin("wizard.x");
    ASSERT_GT(player.frames.size(), 12u);
    ASSERT_GT(lizard.frames.size(), 12u);
    ASSERT_GT(wizard.frames.size(), 6u);
    EXPECT_EQ(player.frames[12].name, "RightHand");
    EXPECT_EQ(lizard.frames[12].name, "RightHand");
    EXPECT_EQ(wizard.frames[6].name, "RightHand");

    // Standing, the sword (blade along the hand's +Y) points ahead and up.
    const auto playerFrames = PoseFrames(player, 0, 0);
    const auto hilt = TransformPoint(playerFrames[12], {0.0f, 0.0f, 0.0f});
    const auto tip = TransformPoint(playerFrames[12], {0.0f, 1.5f, 0.0f});
    EXPECT_GT(hilt[0], 0.1f) << "the sword hand is the right hand (+X)";
    EXPECT_LT(tip[2], hilt[2] - 0.3f) << "blade should point ahead (-Z)";
    EXPECT_GT(tip[1], hilt[1]) << "blade should point up";

    // The spear (along the hand's -Z) is level and ahead when idle, and the
    // thrust carries its tip furthest forward between frames 35 and 40.
    const auto spearTip = [&](int key) { return TransformPoint(PoseFrames(lizard, 2, key)[12], {0.0f, 0.0f, -1.5f}); };
    const auto idleTip = TransformPoint(PoseFrames(lizard, 0, 0)[12], {0.0f, 0.0f, -1.5f});
    EXPECT_LT(idleTip[2], -1.0f);
    float furthest = 0.0f;
    float furthestTime = -1.0f;
    const auto& times = lizard.frames[0].tracks.at(2).times;
    for (size_t k = 0; k < times.size(); ++k) {
        if (spearTip(static_cast<int>(k))[2] < furthest) {
            furthest = spearTip(static_cast<int>(k))[2];
            furthestTime = times[k];
        }
    }
    EXPECT_GE(furthestTime, 35.0f);
    EXPECT_LE(furthestTime, 42.0f);
    EXPECT_LT(furthest, idleTip[2] - 0.3f);

    // The staff stays upright in the wizard's hand.
    const auto wizardFrames = PoseFrames(wizard, 0, 0);
    const auto staffFoot = TransformPoint(wizardFrames[6], {0.0f, -0.9f, 0.0f});
    const auto staffTop = TransformPoint(wizardFrames[6], {0.0f, 0.9f, 0.0f});
    EXPECT_GT(staffTop[1] - staffFoot[1], 1.5f);
}

TEST_F(GeneratedModels, LoopingSetsEndOnTheirFirstPose)
{
    // Idle, walk and flight loops wrap from 60 back to 0; a mismatch would
    // make the character jump once per loop.
    const struct {
        const char* file;
        std::vector<int> loops;
    } models[] = {{"Player.x", {0, 1}},     {"lizaldy.x", {0, 1}},    {"wizard.x", {0}},     {"wivern001.x", {0}},
                  {"jelly_green.x", {0}},   {"jelly_blue.x", {0}},    {"jelly_red.x", {0}}};
    for (const auto& m : models) {
        const ProbeSkin skin = LoadSkin(m.file);
        for (const int set : m.loops) {
            for (const ProbeFrame& frame : skin.frames) {
                const auto& keys = frame.tracks.at(set).keys;
                const ProbeKey& first = keys.front();
                const ProbeKey& last = keys.back();
                const float dot = first.rotation[0] * last.rotation[0] + first.rotation[1] * last.rotation[1] +
                                  first.rotation[2] * last.rotation[2] + first.rotation[3] * last.rotation[3];
                EXPECT_NEAR(std::fabs(dot), 1.0f, 1e-4f) << m.file << " set " << set << " " << frame.name;
                for (int k = 0; k < 3; ++k) {
                    EXPECT_NEAR(first.position[k], last.position[k], 1e-4f) << m.file << " " << frame.name;
                    EXPECT_NEAR(first.scale[k], last.scale[k], 1e-4f) << m.file << " " << frame.name;
                }
            }
        }
    }
}

TEST_F(GeneratedModels, SwordFighterLiesDownAtTheEndOfDying)
{
    const ProbeSkin player = LoadSkin("Player.x");
    const Box standing = PosedBounds(player, 6, 0.0f);
    const Box lying = PosedBounds(player, 6, 60.0f);
    EXPECT_GT(standing.high[1], 1.7f);
    EXPECT_LT(lying.high[1], 0.7f);
    EXPECT_GT(lying.low[1], -0.2f) << "sinks into the ground";
}

TEST_F(GeneratedModels, StaticModelsReadBackSoundAndInPlace)
{
    for (const char* file : StaticFiles) {
        SCOPED_TRACE(file);
        ExpectSoundMesh(LoadStatic(file), file, DataDir());
    }
    // On the game-over screen the sword's coordinates become clip
    // coordinates after scale 0.8 and lowering by 0.3, spinning about Y.
    for (const auto& p : LoadStatic("3DWeapon.x").positions) {
        ASSERT_LT(std::fabs(0.8f * p[1] - 0.3f), 1.0f);
        ASSERT_LT(0.8f * std::hypot(p[0], p[2]), 1.0f);
    }
    const Box sword = BoundsOf(LoadStatic("3DWeapon.x").positions);
    EXPECT_NEAR(sword.high[1], 1.5f, 0.15f);
    const Box spear = BoundsOf(LoadStatic("spear001.x").positions);
    EXPECT_NEAR(spear.low[2], -1.5f, 0.1f) << "spear tip";
    const Box bubble = BoundsOf(LoadStatic("Bubble.x").positions);
    EXPECT_NEAR(bubble.high[0] - bubble.low[0], 0.8f, 0.02f);
    const Box fire = BoundsOf(LoadStatic("Fire.x").positions);
    EXPECT_LT(fire.high[1] - fire.low[1], 0.8f);
}

TEST_F(GeneratedModels, StageFieldWallsAndSkyFaceThePlayArea)
{
    const ProbeMesh ground = LoadStatic("Stage1Ground.x");
    const Box field = BoundsOf(ground.positions);
    EXPECT_LT(field.low[0], -20.0f);
    EXPECT_GT(field.high[0], 20.0f);
    EXPECT_LT(field.low[2], -150.0f);
    EXPECT_GT(field.high[2], 0.0f);
    for (const auto& face : ground.faces) {
        ASSERT_GT(FaceNormal(ground, face)[1], 0.0f) << "ground faces up";
    }

    // Every wall face looks toward the middle of the field, and the walls
    // enclose it on all four sides, taller than the wyvern flies.
    const ProbeMesh wall = LoadStatic("Stage1Wall.x");
    const std::array<float, 3> middle{0.0f, 1.0f, -75.0f};
    int sides[4] = {0, 0, 0, 0};
    for (const auto& face : wall.faces) {
        const auto n = FaceNormal(wall, face);
        ASSERT_GT(Dot(n, Sub(middle, wall.positions[face[0]])), 0.0f) << "a wall face looks outward";
        sides[(n[0] > 0.5f ? 0 : n[0] < -0.5f ? 1 : n[2] > 0.5f ? 2 : 3)] += 1;
    }
    for (const int count : sides) {
        EXPECT_GT(count, 0);
    }
    const Box walls = BoundsOf(wall.positions);
    EXPECT_LT(walls.low[0], -20.4f);
    EXPECT_GT(walls.high[0], 20.4f);
    EXPECT_LT(walls.low[2], -150.4f);
    EXPECT_GT(walls.high[2], 0.4f);
    EXPECT_LE(walls.low[1], 0.0f);
    EXPECT_GT(walls.high[1], 10.5f);

    // The sky is a dome of radius 1 seen from inside.
    const ProbeMesh sky = LoadStatic("sky.x");
    for (const auto& p : sky.positions) {
        ASSERT_NEAR(std::sqrt(Dot(p, p)), 1.0f, 1e-3f);
    }
    for (const auto& face : sky.faces) {
        ASSERT_LT(Dot(FaceNormal(sky, face), sky.positions[face[0]]), 0.0f) << "a sky face looks outward";
    }
}
