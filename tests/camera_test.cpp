// The active camera and light: projection and frustum planes, visibility of
// spheres, screen-relative movement, the light following its target, and
// pointers that never dangle.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/scene.h"
#include "objects/light.h"
#include "objects/light_follow.h"
#include "objects/obj_camera.h"
#include "tests/test_math.h"

namespace {

const float NaN = std::numeric_limits<float>::quiet_NaN();
const float Inf = std::numeric_limits<float>::infinity();

class ActiveCameraTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetCameraDefaults(&camera_);
        ActiveCamera = &camera_;
    }
    void TearDown() override { ActiveCamera = nullptr; }

    ObjCamera camera_;
};

}  // namespace

TEST_F(ActiveCameraTest, DefaultsGiveTheThirtyDegreeFrustum)
{
    const float e = 1.0f / std::tan(30.0f * DegToRad / 2.0f);
    const float f = std::sqrt(e * e + 1.0f);
    const Vec4 expected[6] = {{0, 0, -1, -1}, {0, 0, 1, 1000}, {e / f, 0, -1 / f, 0}, {-e / f, 0, -1 / f, 0},
                              {0, e / f, -1 / f, 0}, {0, -e / f, -1 / f, 0}};  // aspect 1: the same slopes
    for (int i = 0; i < 6; ++i) {
        const Vec4& plane = camera_.frustum[i];
        EXPECT_NEAR(plane.x, expected[i].x, 1e-5f) << "plane " << i;
        EXPECT_NEAR(plane.y, expected[i].y, 1e-5f) << "plane " << i;
        EXPECT_NEAR(plane.z, expected[i].z, 1e-5f) << "plane " << i;
        EXPECT_NEAR(plane.w, expected[i].w, 1e-3f) << "plane " << i;
    }
    // The view looks from (0, 0, 5) at the origin: the origin lands 5 ahead.
    EXPECT_NEAR(MatTransform(camera_.view, Vec4{0.0f, 0.0f, 0.0f, 1.0f}).z, -5.0f, 1e-5f);
}

TEST_F(ActiveCameraTest, SpheresOutsideAnyPlaneAreCulledAndTouchingOnesAreNot)
{
    const struct {
        Vec3 centre;
        float radius;
        bool outside;
    } cases[] = {
        {{0.0f, 0.0f, 0.0f}, 0.0f, false},
        {{0.0f, 0.0f, 10.0f}, 1.0f, true},  // behind the eye
        // Half a unit past the far plane with radius 1 still reaches inside.
        {{0.0f, 0.0f, 5.0f - 1000.5f}, 1.0f, false},
        {{0.0f, 0.0f, 5.0f - 1002.0f}, 1.0f, true},
        // Far off to each side at the origin's depth.
        {{50.0f, 0.0f, 0.0f}, 1.0f, true},   {{-50.0f, 0.0f, 0.0f}, 1.0f, true},
        {{0.0f, 50.0f, 0.0f}, 1.0f, true},   {{0.0f, -50.0f, 0.0f}, 1.0f, true},
        {{50.0f, 0.0f, 0.0f}, 100.0f, false}, {{0.0f, -50.0f, 0.0f}, 100.0f, false},
        // Exactly touching the near plane from outside counts as visible.
        {{0.0f, 0.0f, 5.0f}, 1.0f, false},
        {{NaN, 0.0f, 0.0f}, 1.0f, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsOutsideView(c.centre, c.radius), c.outside) << c.centre.x << ", " << c.centre.y << ", "
                                                                << c.centre.z << " radius " << c.radius;
    }
    ActiveCamera = nullptr;
    EXPECT_FALSE(IsOutsideView(Vec3{0.0f, 0.0f, 10.0f}, 1.0f));
}

TEST_F(ActiveCameraTest, ScreenMovementBecomesHorizontalWorldMovementOfTheSameLength)
{
    EXPECT_TRUE(Near(Vec3{0.0f, 0.0f, -1.0f}, CameraRelative(Vec3{0.0f, 0.0f, -1.0f})));
    EXPECT_TRUE(Near(Vec3{0.0f, 0.5f, 0.0f}, CameraRelative(Vec3{0.0f, 0.5f, 0.0f})));
    // Looking down at 45 degrees from +z: forward stays level and unit long.
    camera_.view = MatLookAt(Vec3{0.0f, 5.0f, 5.0f}, Vec3{}, Vec3{0.0f, 1.0f, 0.0f});
    EXPECT_TRUE(Near(Vec3{0.0f, 0.0f, -1.0f}, CameraRelative(Vec3{0.0f, 0.0f, -1.0f})));
    const Vec3 diagonal = CameraRelative(Vec3{0.6f, 0.0f, -0.8f});
    EXPECT_NEAR(std::hypot(diagonal.x, diagonal.z), 1.0f, 1e-5f);
    // A camera turned to look along +x: screen right is world +z.
    camera_.view = MatLookAt(Vec3{}, Vec3{1.0f, 0.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f});
    EXPECT_TRUE(Near(Vec3{0.0f, 0.0f, 1.0f}, CameraRelative(Vec3{1.0f, 0.0f, 0.0f})));
    // Straight down (rows right (1, 0, 0), up (0, 0, -1), back (0, 1, 0)):
    // forward has no horizontal part at all, so there is no step.
    camera_.view = Matrix4{{1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1}};
    EXPECT_TRUE(Near(Vec3{}, CameraRelative(Vec3{0.0f, 0.0f, -1.0f})));
    // Nor any from a non-finite input.
    camera_.view = MatIdentity();
    const Vec3 huge = CameraRelative(Vec3{Inf, 0.0f, 0.0f});
    EXPECT_TRUE(std::isfinite(huge.x) && std::isfinite(huge.z));
    EXPECT_TRUE(Near(Vec3{}, CameraRelative(Vec3{NaN, 0.0f, 1.0f})));
}

TEST(CameraAndLight, ActivePointersAreClearedWhenTheirObjectsGo)
{
    auto* camera = new ObjCamera;
    auto* light = new Light;
    ActiveCamera = camera;
    ActiveLight = light;
    delete camera;
    delete light;
    EXPECT_EQ(ActiveCamera, nullptr);
    EXPECT_EQ(ActiveLight, nullptr);

    camera = new ObjCamera;
    light = new Light;
    AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
    AddObject(light, TypeLight, TeamNeutral, 0);
    ActiveCamera = camera;
    ActiveLight = light;
    ClearObjectList();
    EXPECT_EQ(ActiveCamera, nullptr);
    EXPECT_EQ(ActiveLight, nullptr);
}

// At elevation 50, azimuth 120 and distance 30 (the stage's light) the light
// stands at (-15, 23, 26) from its target and looks straight at it.
TEST(CameraAndLight, LightFollowsItsTargetAndHoldsStillWithoutAUsableView)
{
    auto* player = new Object;
    player->position = Vec3{3.0f, 0.0f, -7.0f};
    Light light;
    light.target = player;
    light.elevation = 50.0f;
    light.azimuth = 120.0f;
    light.distance = 30.0f;
    light.Update();
    EXPECT_NEAR(Length(light.position - player->position - Vec3{-15.0f, 23.0f, 26.0f}), 0.0f, 0.2f);
    EXPECT_NEAR(Length(light.direction), 1.0f, 1e-5f);
    EXPECT_GT(light.direction.y, 0.0f);  // toward the light
    const float distance = Length(light.position - player->position);
    EXPECT_TRUE(Near(Vec3{0.0f, 0.0f, -distance}, Point(light.view, {3.0f, 0.0f, -7.0f}), 1e-3f));

    // A target gone, at zero distance, or no longer finite: the last view stays.
    const Vec3 before = light.position;
    player->position = Vec3{NaN, 0.0f, 0.0f};
    light.Update();
    light.distance = 0.0f;
    player->position = Vec3{};
    light.Update();
    delete player;
    light.Update();
    EXPECT_FALSE(Vec3NotEqual(light.position, before));
    for (float element : light.view.m) {
        EXPECT_TRUE(std::isfinite(element));
    }
    LightPlacement placement;
    EXPECT_FALSE(PlaceLight(Vec3{}, 50.0f, 120.0f, 0.0f, &placement));
}
