// The two passes together: a box floating over the ground darkens the ground
// where the light cannot reach, and nowhere else; an empty frame's shadow map
// is the cleared depth.
#include <gtest/gtest.h>

#include <GL/glew.h>

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
    }
    void TearDown() override { ClearObjectList(); }
};

int Brightness(Rgb pixel)
{
    return pixel.r + pixel.g + pixel.b;
}

}  // namespace

TEST_F(RenderPassesTest, FloatingBoxShadowsTheGroundBelowItAlongTheLight)
{
    shadow_scene::Build(1);
    RenderPasses();

    // Where the ray from the box's centre away from the light meets the ground.
    const Vec3 toLight = ActiveLight->direction;
    const Vec3 boxCentre{0.0f, 3.0f, 0.0f};
    const Vec3 shadowCentre = boxCentre - toLight * (boxCentre.y / toLight.y);
    int sx = 0;
    int sy = 0;
    shadow_scene::ToPixel(shadowCentre, sx, sy);
    const Rgb shadowed = PixelAt(sx, sy);

    // Ground on the far side of the box from the shadow, and off to the sides,
    // is lit (and not hidden behind the box from this camera).
    const Vec3 across{-shadowCentre.z, 0.0f, shadowCentre.x};
    for (Vec3 litPoint : {across * 2.5f, across * -2.5f, shadowCentre * 2.5f}) {
        int lx = 0;
        int ly = 0;
        shadow_scene::ToPixel(litPoint, lx, ly);
        const Rgb lit = PixelAt(lx, ly);
        EXPECT_GT(Brightness(lit), Brightness(shadowed) + 60) << lx << "," << ly;
        // Shadow keeps the ground's hue: darker, never black.
        EXPECT_GT(Brightness(shadowed), Brightness(lit) / 4);
        EXPECT_GT(shadowed.g, shadowed.r);
    }
    // Lit ground looks the same everywhere: the plane faces the light evenly.
    int ax = 0;
    int ay = 0;
    int bx = 0;
    int by = 0;
    shadow_scene::ToPixel(across * 2.5f, ax, ay);
    shadow_scene::ToPixel(across * -2.5f, bx, by);
    EXPECT_NEAR(Brightness(PixelAt(ax, ay)), Brightness(PixelAt(bx, by)), 6);

    // The same ground point with the box gone is lit again.
    const Rgb before = shadowed;
    ObjectList.remove_if([](Object* object) {
        if (object->position.y == 3.0f) {
            delete object;
            return true;
        }
        return false;
    });
    RenderPasses();
    EXPECT_GT(Brightness(PixelAt(sx, sy)), Brightness(before) + 60);
}

TEST_F(RenderPassesTest, EmptySceneLeavesTheClearedDepthInTheShadowMapAndLeavesCullingOn)
{
    // Something nearer than the far plane in the depth buffer beforehand.
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    RenderPasses();
    std::vector<float> depth(static_cast<size_t>(800 * 600), 0.0f);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, ShadowDepthTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    for (size_t i = 0; i < depth.size(); i += 997) {
        ASSERT_FLOAT_EQ(depth[i], 1.0f) << i;
    }
    EXPECT_FLOAT_EQ(depth.back(), 1.0f);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 800);

    // The main pass cleared to the clear colour and left back-face culling on.
    const Rgb sky = PixelAt(400, 300);
    EXPECT_EQ(sky.r, 0);
    EXPECT_NEAR(sky.g, 230, 1);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint cullFace = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
    EXPECT_EQ(cullFace, GL_BACK);
    GLboolean colourWrites[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, colourWrites);
    EXPECT_TRUE(colourWrites[0] && colourWrites[3]);
}
