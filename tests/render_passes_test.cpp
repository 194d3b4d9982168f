// The two passes with the game's own model draws: a box floating over the
// ground darkens exactly the ground it hides from the light,
// whether the box casts and the ground receives as static or as skinned
// models; a shadow map gets its storage, the cleared depth, only once a
// shadowed draw needs it.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/scene.h"
#include "render/render_passes.h"
#include "tests/gl_test_window.h"
#include "tests/shadow_scene.h"

namespace {

class RenderPassesTest : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_WINDOW();
        if (ShadowDepthTexture == 0) {
            InitShadowDepthTexture();
        }
        glClearColor(0.0f, 0.9f, 0.9f, 0.0f);
        glEnable(GL_DEPTH_TEST);
        ASSERT_TRUE(shadow_scene::LoadModels());
    }
    void TearDown() override
    {
        ClearObjectList();
        shadow_scene::ReleaseModels();
    }
};

int Brightness(Rgb pixel)
{
    return pixel.r + pixel.g + pixel.b;
}

Rgb PixelOf(Vec3 point)
{
    int x = 0;
    int y = 0;
    shadow_scene::ToPixel(point, x, y);
    return PixelAt(x, y);
}

// Whether the segment between two points passes through the box of half
// size `half` floating at (0, 3, 0).
bool SegmentMeetsBox(Vec3 from, Vec3 to, float half)
{
    const float origin[3] = {from.x, from.y - 3.0f, from.z};
    const float step[3] = {to.x - from.x, to.y - from.y, to.z - from.z};
    float enter = 0.0f;
    float leave = 1.0f;
    for (int axis = 0; axis < 3; ++axis) {
        if (step[axis] == 0.0f) {
            if (std::fabs(origin[axis]) > half) {
                return false;
            }
            continue;
        }
        const float a = (-half - origin[axis]) / step[axis];
        const float b = (half - origin[axis]) / step[axis];
        enter = std::max(enter, std::min(a, b));
        leave = std::min(leave, std::max(a, b));
    }
    return enter <= leave;
}

}  // namespace

// Over a grid of ground points, those whose way to the light (a point light,
// seen through its view) passes through the box are dark and all others
// equally lit; points near the shadow's edge, or hidden behind the box from
// the camera, are left out.
TEST_F(RenderPassesTest, FloatingBoxShadowsExactlyTheGroundItHidesFromTheLight)
{
    const Vec3 eye{0.0f, 25.0f, 30.0f};
    for (const bool skinnedBox : {false, true}) {
        for (const bool skinnedGround : {false, true}) {
            SCOPED_TRACE(std::string(skinnedBox ? "skinned" : "static") + " box over " +
                         (skinnedGround ? "skinned" : "static") + " ground");
            ClearObjectList();
            shadow_scene::Build(1, skinnedBox, skinnedGround);
            RenderPasses();
            const Vec3 light = ActiveLight->position;
            const int lit = Brightness(PixelOf(Vec3{-6.0f, 0.0f, 6.0f}));
            int shadowed = 0;
            for (float x = -6.0f; x <= 6.0f; x += 0.5f) {
                for (float z = -6.0f; z <= 6.0f; z += 0.5f) {
                    const Vec3 ground{x, 0.0f, z};
                    if (SegmentMeetsBox(eye, ground, 1.05f)) {
                        continue;
                    }
                    const int brightness = Brightness(PixelOf(ground));
                    if (SegmentMeetsBox(ground, light, 0.9f)) {
                        ++shadowed;
                        EXPECT_LT(brightness, lit - 60) << "lit at " << x << ", " << z;
                        EXPECT_GT(brightness, lit / 4) << "black at " << x << ", " << z;
                    } else if (!SegmentMeetsBox(ground, light, 1.1f)) {
                        EXPECT_NEAR(brightness, lit, 6) << "shadowed at " << x << ", " << z;
                    }
                }
            }
            EXPECT_GT(shadowed, 10);
        }
    }
}

// A shadow map as start-up leaves it (a name, no storage) and a depth buffer
// holding something nearer than the far plane: a frame with nothing to
// shadow gives the texture no storage, while one whose ground is drawn
// shadowed with no caster finds the cleared depth there and the ground
// evenly lit. Either way the main pass leaves back-face culling on.
TEST_F(RenderPassesTest, ShadowMapHoldsTheClearedDepthOnlyOnceAShadowedDrawNeedsIt)
{
    const auto freshShadowMap = [] {
        glDeleteTextures(1, &ShadowDepthTexture);
        InitShadowDepthTexture();
        glClearDepth(0.25);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
    };
    const auto storedWidth = [] {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, ShadowDepthTexture);
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        return width;
    };

    freshShadowMap();
    RenderPasses();
    EXPECT_EQ(storedWidth(), 0) << "a frame without shadows stored a shadow map";
    const Rgb sky = PixelAt(400, 300);
    EXPECT_EQ(sky.r, 0);
    EXPECT_NEAR(sky.g, 230, 1);

    freshShadowMap();
    shadow_scene::Build(0);
    RenderPasses();
    ASSERT_EQ(storedWidth(), 800);
    std::vector<float> depth(static_cast<size_t>(800 * 600), 0.0f);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    for (size_t i = 0; i < depth.size(); i += 997) {
        ASSERT_FLOAT_EQ(depth[i], 1.0f) << i;
    }
    EXPECT_FLOAT_EQ(depth.back(), 1.0f);
    const int lit = Brightness(PixelOf(Vec3{-6.0f, 0.0f, 6.0f}));
    for (const Vec3 ground : {Vec3{0.0f, 0.0f, 0.0f}, Vec3{6.0f, 0.0f, -6.0f}, Vec3{-3.0f, 0.0f, -5.0f}}) {
        EXPECT_NEAR(Brightness(PixelOf(ground)), lit, 6) << ground.x << ", " << ground.z;
    }

    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint cullFace = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
    EXPECT_EQ(cullFace, GL_BACK);
    GLboolean colourWrites[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, colourWrites);
    EXPECT_TRUE(colourWrites[0] && colourWrites[3]);
}
