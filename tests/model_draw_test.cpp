// Loading models into their slots and drawing them in a real GL window:
// slots after missing or broken files, and a two-bone model bent by its
// animation landing where the bent pose puts it.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "render/model_slots.h"
#include "render/posing.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "render/weapon_mount.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"
#include "tests/test_images.h"
#include "tests/x_samples.h"

namespace {

constexpr int TestSlot = ModelSlotCount - 1;
const float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// Model space x and y from -2.5 to 2.5 fill the window; z is kept in clip range.
Matrix4 Projection()
{
    Matrix4 m;
    m.m[0] = 0.4f;
    m.m[5] = 0.4f;
    m.m[10] = -0.1f;
    return m;
}

// The window pixel a model-space point lands on.
int PixelX(float x) { return static_cast<int>(std::lround((x * 0.4f + 1.0f) * 400.0f)); }
int PixelY(float y) { return static_cast<int>(std::lround((1.0f - y * 0.4f) * 300.0f)); }

bool Covered(float x, float y)
{
    const Rgb pixel = PixelAt(PixelX(x), PixelY(y));
    return !(pixel.r == 0 && pixel.g == 0 && pixel.b == 0);
}

// A bar 0.2 wide from y = 0 to 2: the lower half follows Lower, the upper half
// Upper, whose joint is at y = 1. Set 0 turns Upper by 90 degrees so it points
// along -x; set 1 holds it straight.
SampleSkin BendingBar()
{
    SampleSkin skin;
    skin.mesh.positions = {{-0.1f, 0, 0}, {0.1f, 0, 0}, {0.1f, 1, 0},   {-0.1f, 1, 0},
                           {-0.1f, 1, 0}, {0.1f, 1, 0}, {0.1f, 2, 0}, {-0.1f, 2, 0}};
    skin.mesh.faces = {{0, 1, 2}, {0, 2, 3}, {4, 5, 6}, {4, 6, 7}};
    skin.mesh.materials[0].diffuse[1] = 0.0f;
    skin.mesh.materials[0].diffuse[2] = 0.0f;
    skin.frames = {{"Lower", -1}, {"Upper", 0}};
    Matrix4 toJoint;
    toJoint.m[13] = -1.0f;
    skin.weights = {{"Lower", {0, 1, 2, 3}, {1, 1, 1, 1}, Matrix4{}},
                    {"Upper", {4, 5, 6, 7}, {1, 1, 1, 1}, toJoint}};
    SampleKey rest;
    SampleKey bent;
    bent.position = Vec3{0.0f, 1.0f, 0.0f};
    // The local matrix holds the inverse of the key's rotation: -90 degrees
    // about z in the file turns the bone by +90 degrees.
    bent.rotation = Quaternion{std::sqrt(0.5f), 0.0f, 0.0f, -std::sqrt(0.5f)};
    SampleKey straight;
    straight.position = bent.position;
    skin.sets = {{{"Lower", {rest}}, {"Upper", {bent}}}, {{"Lower", {rest}}, {"Upper", {straight}}}};
    return skin;
}

std::string WriteFile(const TempDir& dir, const char* name, const std::string& text)
{
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

class ModelDrawTest : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_WINDOW();
        ClearWindow(0.0f, 0.0f, 0.0f);
        glDisable(GL_CULL_FACE);
    }
    void TearDown() override
    {
        ReleaseStaticModel(StaticModelTable[TestSlot]);
        StaticModelTable[TestSlot] = nullptr;
        ReleaseSkinModel(SkinModelTable[TestSlot]);
        SkinModelTable[TestSlot] = nullptr;
    }
    TempDir dir_;
};

}  // namespace

// Missing or broken files leave an empty model that draws nothing; a second
// load into a taken slot changes nothing; a per-scene slot goes at the scene
// switch.
TEST_F(ModelDrawTest, SlotsAfterMissingBrokenRepeatedAndPerSceneLoads)
{
    EXPECT_FALSE(LoadSkinModel(dir_.File("absent.x").c_str(), TestSlot));
    ASSERT_NE(SkinModelTable[TestSlot], nullptr);
    EXPECT_EQ(SkinModelTable[TestSlot]->vertexCount, 0);
    DrawSkinModel(TestSlot, 0, 0.0f, Matrix4{}, Projection(), Matrix4{}, nullptr);
    DrawSkinModelShadowed(TestSlot, nullptr, Matrix4{}, 0, 0.0f, Projection(), Matrix4{});
    DrawSkinModelDepth(TestSlot, 0, 0.0f, Matrix4{}, Projection());
    EXPECT_EQ(NextBoneSlot, 0);

    std::string broken = WriteStaticText(BendingBar().mesh);
    broken.replace(broken.find("3;0,1,2;"), 8, "3;0,1,9;");
    EXPECT_FALSE(LoadStaticModel(WriteFile(dir_, "broken.x", broken).c_str(), TestSlot));
    ASSERT_NE(StaticModelTable[TestSlot], nullptr);
    EXPECT_EQ(StaticModelTable[TestSlot]->faceCount, 0);
    EXPECT_EQ(StaticModelTable[TestSlot]->vertexBuffer, 0u);
    DrawStaticModel(TestSlot, White, Matrix4{}, Projection(), Matrix4{});
    DrawStaticModelShadowed(TestSlot, nullptr, Matrix4{}, Projection(), Matrix4{});
    DrawStaticModelDepth(-1, Matrix4{}, Projection());
    EXPECT_FALSE(Covered(0.0f, 0.5f));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    ReleaseStaticModel(StaticModelTable[TestSlot]);
    StaticModelTable[TestSlot] = nullptr;
    const std::string path = WriteFile(dir_, "bar.x", WriteStaticText(BendingBar().mesh));
    ASSERT_TRUE(LoadStaticModel(path.c_str(), TestSlot));
    StaticModel* first = StaticModelTable[TestSlot];
    EXPECT_EQ(first->faceCount, 4);
    EXPECT_NE(first->vertexBuffer, 0u);
    EXPECT_NE(first->materials[0].indexBuffer, 0u);
    EXPECT_FALSE(LoadStaticModel(path.c_str(), TestSlot));
    EXPECT_EQ(StaticModelTable[TestSlot], first);
    EXPECT_FALSE(LoadStaticModel(path.c_str(), ModelSlotCount));
    StaticModelPerScene[TestSlot] = 1;
    ReleaseSceneStaticModels();
    EXPECT_EQ(StaticModelTable[TestSlot], nullptr);
    EXPECT_EQ(StaticModelPerScene[TestSlot], 0);
}

// The upper half's colour: the material's own, its texture's, or one colour
// given for the whole draw.
TEST_F(ModelDrawTest, MaterialsDrawTheirColourOrTextureUnlessOneColourIsGiven)
{
    // A 2 by 2 pure green image: whatever texel a fragment reads is green.
    test_images::WriteFile(dir_.File("leaf.bmp"), test_images::MakeBmp(2, 2, [](int, int, uint8_t& r, uint8_t& g,
                                                                                uint8_t& b) {
                               r = b = 0;
                               g = 255;
                           }));
    SampleMaterial red;
    red.diffuse[1] = red.diffuse[2] = 0.0f;
    SampleMaterial missing = red;
    missing.texture = "no-such-image.png";
    SampleMaterial leaf;
    leaf.texture = dir_.File("leaf.bmp");
    const float blue[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    const struct {
        const char* what;
        SampleMaterial upper;
        const float* colour;
        Rgb expected;  // 1 where a channel is bright, 0 where dark
    } cases[] = {
        {"a missing texture", missing, nullptr, {1, 0, 0}},
        {"a texture", leaf, nullptr, {0, 1, 0}},
        {"one colour over two materials", leaf, blue, {0, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SampleMesh mesh = BendingBar().mesh;
        mesh.materials = {red, c.upper};
        mesh.faceMaterials = {0, 0, 1, 1};
        ReleaseStaticModel(StaticModelTable[TestSlot]);
        StaticModelTable[TestSlot] = nullptr;
        ASSERT_TRUE(LoadStaticModel(WriteFile(dir_, "bar.x", WriteStaticText(mesh)).c_str(), TestSlot));
        EXPECT_EQ(StaticModelTable[TestSlot]->materials[1].texture != 0u, c.upper.texture == leaf.texture);
        ClearWindow(0.0f, 0.0f, 0.0f);
        DrawStaticModel(TestSlot, c.colour, Matrix4{}, Projection(), Matrix4{});
        for (const float y : {0.5f, 1.5f}) {
            const Rgb pixel = PixelAt(PixelX(0.0f), PixelY(y));
            const Rgb wanted = y < 1.0f && c.colour == nullptr ? Rgb{1, 0, 0} : c.expected;
            EXPECT_EQ(pixel.r > 100, wanted.r == 1) << y;
            EXPECT_EQ(pixel.g > 100, wanted.g == 1) << y;
            EXPECT_EQ(pixel.b > 100, wanted.b == 1) << y;
        }
    }
}

TEST_F(ModelDrawTest, BentPoseMovesTheUpperBoneInBothMainPassDraws)
{
    ASSERT_TRUE(LoadSkinModel(WriteFile(dir_, "bar.x", WriteSkinText(BendingBar())).c_str(), TestSlot));
    for (const bool shadowed : {false, true}) {
        for (const int set : {0, 1}) {
            ClearWindow(0.0f, 0.0f, 0.0f);
            if (shadowed) {
                DrawSkinModelShadowed(TestSlot, nullptr, Matrix4{}, set, 0.0f, Projection(), Matrix4{});
            } else {
                DrawSkinModel(TestSlot, set, 0.0f, Matrix4{}, Projection(), Matrix4{}, nullptr);
            }
            EXPECT_EQ(NextBoneSlot, 0);
            const bool bent = set == 0;
            SCOPED_TRACE(std::string(shadowed ? "shadowed" : "plain") + (bent ? " bent" : " straight"));
            EXPECT_TRUE(Covered(0.0f, 0.5f));
            // Bent, the upper half lies along -x at the height of the joint.
            EXPECT_EQ(Covered(-0.6f, 1.0f), bent);
            EXPECT_EQ(Covered(0.0f, 1.6f), !bent);
            EXPECT_FALSE(Covered(0.6f, 1.0f));
        }
    }
    // A set the bar lacks rests both bones at the origin: the upper half folds
    // onto the lower one instead of going anywhere undefined.
    ClearWindow(0.0f, 0.0f, 0.0f);
    DrawSkinModel(TestSlot, 2, 0.0f, Matrix4{}, Projection(), Matrix4{}, nullptr);
    EXPECT_TRUE(Covered(0.0f, 0.5f));
    EXPECT_FALSE(Covered(0.0f, 1.6f));
    EXPECT_FALSE(Covered(-0.6f, 1.0f));

    // A weapon one unit along the upper bone follows the latest pose: (-1, 1) when bent.
    DrawSkinModelDepth(TestSlot, 0, 0.0f, Matrix4{}, Projection());
    EXPECT_EQ(NextBoneSlot, 0);
    const Vec4 tip = MatTransform(WeaponMountMatrix(Matrix4{}, TestSlot, 1), Vec4{0.0f, 1.0f, 0.0f, 1.0f});
    EXPECT_NEAR(tip.x, -1.0f, 1e-5f);
    EXPECT_NEAR(tip.y, 1.0f, 1e-5f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Runs from the directory holding the game's model/ folder.
TEST_F(ModelDrawTest, StartUpFillsEveryModelSlotAndExitEmptiesThem)
{
    LoadStartUpModels();
    for (int slot = 0; slot < 7; ++slot) {
        const SkinModel* model = SkinModelTable[slot];
        ASSERT_NE(model, nullptr) << slot;
        EXPECT_GT(model->faceCount, 0) << "skinned slot " << slot;
        EXPECT_GT(model->animationSetCount, 0) << "skinned slot " << slot;
    }
    for (int slot = 0; slot < 9; ++slot) {
        ASSERT_NE(StaticModelTable[slot], nullptr) << slot;
        EXPECT_GT(StaticModelTable[slot]->faceCount, 0) << "static slot " << slot;
    }
    EXPECT_GT(static_cast<int>(SkinModelTable[SkinSlotPlayer]->boneFrames.size()), HandBone);
    FreeAllModels();
    for (int slot = 0; slot < ModelSlotCount; ++slot) {
        EXPECT_EQ(SkinModelTable[slot], nullptr);
        EXPECT_EQ(StaticModelTable[slot], nullptr);
    }
}
