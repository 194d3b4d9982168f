// The depth copy copies only where the shadow pass reported drawing, so a
// bound that misses a pixel would leave a stale or missing shadow. The
// bounds must hold every vertex of our real models in any pose, give the
// whole window whenever the projection cannot bound the geometry, and the
// shadow map must stay what a full copy would make of it while casters move.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "app/scene.h"
#include "render/model_slots.h"
#include "render/posing.h"
#include "render/render_passes.h"
#include "render/shadow_bounds.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "tests/gl_test_window.h"
#include "tests/shadow_scene.h"

namespace {

// Light-like views of a model near the origin: from close by and far off,
// above and from the side, some looking past it so it sits near an edge.
std::vector<Matrix4> Views()
{
    const Matrix4 projection = MatPerspective(0.8f, 800.0f / 600.0f, 0.5f, 300.0f);
    std::vector<Matrix4> views;
    for (Vec3 eye : {Vec3{0, 3, 6}, Vec3{-20, 25, 10}, Vec3{4, 1, -3}, Vec3{0, 40, 1}}) {
        for (Vec3 target : {Vec3{0, 1, 0}, Vec3{2, 0, -1}}) {
            views.push_back(MatMultiply(projection, MatLookAt(eye, target, Vec3{0, 1, 0})));
        }
    }
    return views;
}

// Where the skinning shader puts the vertex, projected to window pixels;
// false when it lands on or behind the eye plane.
bool WindowPoint(const Matrix4& toClip, const SkinModel& model, size_t v, float& x, float& y)
{
    Matrix4 blend;
    for (float& element : blend.m) {
        element = 0.0f;
    }
    float total = 0.0f;
    for (int slot = 0; slot < MaxInfluences; ++slot) {
        const int bone = model.influences[v].bone[slot];
        const float weight = model.influences[v].weight[slot];
        if (bone >= 0 && bone < MaxSkinBones && weight != 0.0f) {
            for (int i = 0; i < 16; ++i) {
                blend.m[i] += model.boneMatrices[static_cast<size_t>(bone)].m[i] * weight;
            }
            total += weight;
        }
    }
    const ModelVertex& vertex = model.vertices[v];
    const Vec4 rest{vertex.x, vertex.y, vertex.z, 1.0f};
    const Vec4 clip = MatTransform(toClip, total > 0.0f ? MatTransform(blend, rest) : rest);
    x = (clip.x / clip.w + 1.0f) * 400.0f;
    y = (clip.y / clip.w + 1.0f) * 300.0f;
    return clip.w > 0.0f;
}

bool Inside(const PixelRect& rect, float x, float y)
{
    return x >= static_cast<float>(rect.x0) && x <= static_cast<float>(rect.x1) && y >= static_cast<float>(rect.y0) &&
           y <= static_cast<float>(rect.y1);
}

TEST(ShadowBounds, HoldEveryVertexOfEveryCharacterInEveryPoseAndView)
{
    for (const char* file : SkinModelFiles) {
        std::string text;
        SkinModel model;
        ASSERT_TRUE(ReadWholeFile(file, text) && ParseSkinModel(text, model)) << file;
        const SkinBounds bounds = MeasureSkinBounds(model);
        ASSERT_TRUE(bounds.known) << file;
        for (int set = 0; set < model.animationSetCount; ++set) {
            for (float time : {0.0f, 13.5f, 30.0f, 47.25f, 60.0f}) {
                PoseSkinModel(model, set, time);
                for (const Matrix4& toClip : Views()) {
                    const PixelRect rect = CoveredPixelsSkinned(toClip, bounds, model.boneMatrices);
                    for (size_t v = 0; v < model.vertices.size(); ++v) {
                        float x = 0.0f;
                        float y = 0.0f;
                        if (WindowPoint(toClip, model, v, x, y) && x >= 0 && x <= 800 && y >= 0 && y <= 600) {
                            ASSERT_TRUE(Inside(rect, x, y)) << file << " set " << set << " time " << time;
                        }
                    }
                }
            }
        }
    }
}

TEST(ShadowBounds, WholeWindowWhenTheProjectionCannotBoundTheGeometry)
{
    const Matrix4 toClip = Views().front();
    Box unit;
    unit.Add(Vec3{-1, 0, -1});
    unit.Add(Vec3{1, 2, 1});
    Box straddlingTheEye = unit;
    straddlingTheEye.Add(Vec3{0, 3, 9});
    Box farOff;
    farOff.Add(Vec3{500, 0, 0});
    farOff.Add(Vec3{501, 1, 1});
    Matrix4 broken = toClip;
    broken.m[5] = std::numeric_limits<float>::quiet_NaN();

    const PixelRect inView = CoveredPixels(toClip, unit);
    EXPECT_FALSE(inView.Empty());
    EXPECT_LT((inView.x1 - inView.x0) * (inView.y1 - inView.y0), 800 * 600 / 2);
    EXPECT_TRUE(CoveredPixels(toClip, farOff).Empty());
    EXPECT_TRUE(CoveredPixels(toClip, Box{}).Empty());
    for (const PixelRect& rect : {CoveredPixels(toClip, straddlingTheEye), CoveredPixels(broken, unit)}) {
        EXPECT_EQ(rect.x1 - rect.x0, 800);
        EXPECT_EQ(rect.y1 - rect.y0, 600);
    }
}

// Two bones, two vertices: the first moved by bone 1, the second by `bone`
// with `weight` (none for bone -1); `influences` entries in the list.
void TwoVertexSkin(SkinModel& model, int bone, float weight, size_t influences)
{
    model.boneCount = 2;
    model.vertices.resize(2);
    model.influences.resize(influences);
    model.influences[0].bone[0] = 1;
    model.influences[0].weight[0] = 1.0f;
    if (influences > 1) {
        model.influences[1].bone[0] = bone;
        model.influences[1].weight[0] = weight;
    }
}

TEST(ShadowBounds, SkinsThatAWeightedMeanCannotBoundAreUnknown)
{
    SkinModel model;
    TwoVertexSkin(model, -1, 0.0f, 2);
    const SkinBounds bounds = MeasureSkinBounds(model);
    ASSERT_TRUE(bounds.known);
    EXPECT_TRUE(bounds.boneBoxes[0].empty);
    EXPECT_FALSE(bounds.boneBoxes[1].empty);
    EXPECT_FALSE(bounds.unmoved.empty);

    const struct {
        int bone;
        float weight;
        size_t influences;
    } unbounded[] = {{0, -0.5f, 2}, {2, 0.5f, 2}, {0, 1.0f, 1}};
    for (const auto& skin : unbounded) {
        SkinModel bad;
        TwoVertexSkin(bad, skin.bone, skin.weight, skin.influences);
        EXPECT_FALSE(MeasureSkinBounds(bad).known) << skin.bone << " " << skin.weight;
    }

    std::vector<Matrix4> bones(2);
    bones[1].m[3] = 0.5f;  // a projective bone: the blend is no longer a mean
    const PixelRect projective = CoveredPixelsSkinned(Views().front(), bounds, bones);
    EXPECT_EQ(projective.x1 - projective.x0, 800);
}

// A static model that casts shadow from wherever it is put.
class Caster : public Object {
public:
    explicit Caster(int slot) : slot_(slot) {}
    void DrawShadow() override { DrawStaticModelDepth(slot_, world, ActiveCamera->projection); }

private:
    int slot_ = 0;
};

TEST(ShadowCopy, ShadowMapMatchesTheLightsDepthWhileACasterMovesAndLeaves)
{
    REQUIRE_TEST_WINDOW();
    if (ShadowDepthTexture == 0) {
        InitShadowDepthTexture();
    }
    constexpr int Slot = ModelSlotCount - 1;
    ASSERT_TRUE(LoadStaticModel("model/Bubble.x", Slot));
    shadow_scene::Build(0);
    auto* caster = new Caster(Slot);
    AddObject(caster, TypeDamagePop, TeamNeutral, 0);

    std::vector<float> texture(800 * 600);
    std::vector<float> depth(800 * 600);
    for (Vec3 at : {Vec3{0, 2, 0}, Vec3{6, 3, -4}, Vec3{-5, 1, 3}, Vec3{200, 0, 0}}) {
        caster->world = MatTranslation(at.x, at.y, at.z);
        caster->world.m[0] = caster->world.m[5] = caster->world.m[10] = 3.0f;
        // The light's depth as a full copy would take it: the shadow pass
        // on its own first (its report joins the frame's own, which is the same).
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        glClear(GL_DEPTH_BUFFER_BIT);
        caster->DrawShadow();
        glReadPixels(0, 0, 800, 600, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        RenderPasses();
        glActiveTexture(GL_TEXTURE0);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, texture.data());
        // Covered or cleared; our geometry lies nowhere near the far plane,
        // so 24 and 32 bits of depth agree on that.
        const auto covers = [](float d) { return d < 0.9999f; };
        int covered = 0;
        for (size_t i = 0; i < depth.size(); ++i) {
            ASSERT_EQ(covers(texture[i]), covers(depth[i])) << "pixel " << i % 800 << "," << i / 800;
            covered += covers(depth[i]) ? 1 : 0;
        }
        EXPECT_EQ(covered > 0, at.x < 100.0f);
    }
    ClearObjectList();
    ReleaseStaticModel(StaticModelTable[Slot]);
    StaticModelTable[Slot] = nullptr;
}

}  // namespace
