// The active camera and light: projection and frustum planes, visibility of
// spheres, screen-relative movement, and pointers that never dangle.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/scene.h"
#include "objects/light.h"
#include "objects/obj_camera.h"

namespace {

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
    EXPECT_FLOAT_EQ(camera_.frustum[0].z, -1.0f);
    EXPECT_FLOAT_EQ(camera_.frustum[0].w, -1.0f);
    EXPECT_FLOAT_EQ(camera_.frustum[1].w, 1000.0f);
    EXPECT_FLOAT_EQ(camera_.frustum[2].x, e / f);
    EXPECT_FLOAT_EQ(camera_.frustum[3].x, -e / f);
    EXPECT_FLOAT_EQ(camera_.frustum[4].y, e / f);  // aspect 1: the same slope
    EXPECT_FLOAT_EQ(camera_.frustum[5].z, -1.0f / f);
    // Every side plane's normal is unit length, so d is a true distance.
    for (const Vec4& plane : camera_.frustum) {
        EXPECT_NEAR(plane.x * plane.x + plane.y * plane.y + plane.z * plane.z, 1.0f, 1e-5f);
    }
    // The view looks from (0, 0, 5) at the origin: the origin lands 5 ahead.
    const Vec4 origin = MatTransform(camera_.view, Vec4{0.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_NEAR(origin.z, -5.0f, 1e-5f);
}

TEST_F(ActiveCameraTest, SpheresOutsideAnyPlaneAreCulledAndTouchingOnesAreNot)
{
    EXPECT_FALSE(IsOutsideView(Vec3{0.0f, 0.0f, 0.0f}, 0.0f));
    EXPECT_TRUE(IsOutsideView(Vec3{0.0f, 0.0f, 10.0f}, 1.0f));  // behind the eye
    // Half a unit past the far plane with radius 1 still reaches inside.
    EXPECT_FALSE(IsOutsideView(Vec3{0.0f, 0.0f, 5.0f - 1000.5f}, 1.0f));
    EXPECT_TRUE(IsOutsideView(Vec3{0.0f, 0.0f, 5.0f - 1002.0f}, 1.0f));
    // Far off to each side at the origin's depth.
    for (Vec3 side : {Vec3{50.0f, 0.0f, 0.0f}, Vec3{-50.0f, 0.0f, 0.0f}, Vec3{0.0f, 50.0f, 0.0f},
                      Vec3{0.0f, -50.0f, 0.0f}}) {
        EXPECT_TRUE(IsOutsideView(side, 1.0f));
        EXPECT_FALSE(IsOutsideView(side, 100.0f));
    }
    // Exactly touching the near plane from outside counts as visible.
    EXPECT_FALSE(IsOutsideView(Vec3{0.0f, 0.0f, 5.0f}, 1.0f));
    EXPECT_FALSE(IsOutsideView(Vec3{std::numeric_limits<float>::quiet_NaN(), 0.0f, 0.0f}, 1.0f));
    ActiveCamera = nullptr;
    EXPECT_FALSE(IsOutsideView(Vec3{0.0f, 0.0f, 10.0f}, 1.0f));
}

TEST_F(ActiveCameraTest, ScreenMovementBecomesHorizontalWorldMovementOfTheSameLength)
{
    Vec3 forward = CameraRelative(Vec3{0.0f, 0.0f, -1.0f});
    EXPECT_NEAR(forward.x, 0.0f, 1e-6f);
    EXPECT_NEAR(forward.z, -1.0f, 1e-6f);
    const Vec3 up = CameraRelative(Vec3{0.0f, 0.5f, 0.0f});
    EXPECT_EQ(up.x, 0.0f);
    EXPECT_EQ(up.y, 0.5f);
    EXPECT_EQ(up.z, 0.0f);

    // Looking down at 45 degrees from +z: forward stays level and unit long.
    camera_.view = MatLookAt(Vec3{0.0f, 5.0f, 5.0f}, Vec3{}, Vec3{0.0f, 1.0f, 0.0f});
    forward = CameraRelative(Vec3{0.0f, 0.0f, -1.0f});
    EXPECT_NEAR(forward.y, 0.0f, 1e-6f);
    EXPECT_NEAR(forward.x, 0.0f, 1e-5f);
    EXPECT_NEAR(forward.z, -1.0f, 1e-5f);
    const Vec3 diagonal = CameraRelative(Vec3{0.6f, 0.0f, -0.8f});
    EXPECT_NEAR(std::hypot(diagonal.x, diagonal.z), 1.0f, 1e-5f);

    // A camera turned to look along +x: screen right is world +z.
    camera_.view = MatLookAt(Vec3{}, Vec3{1.0f, 0.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f});
    const Vec3 right = CameraRelative(Vec3{1.0f, 0.0f, 0.0f});
    EXPECT_NEAR(right.z, 1.0f, 1e-5f);
    EXPECT_NEAR(right.x, 0.0f, 1e-5f);
}

TEST_F(ActiveCameraTest, StraightDownOrNonFiniteGivesNoMovementInsteadOfNaN)
{
    // Straight down: forward in view terms has no horizontal part at all.
    // Rows right (1, 0, 0), up (0, 0, -1), back (0, 1, 0).
    Matrix4 down;
    down.m[5] = 0.0f;
    down.m[6] = 1.0f;
    down.m[9] = -1.0f;
    down.m[10] = 0.0f;
    camera_.view = down;
    const Vec3 moved = CameraRelative(Vec3{0.0f, 0.0f, -1.0f});
    EXPECT_EQ(moved.x, 0.0f);
    EXPECT_EQ(moved.y, 0.0f);
    EXPECT_EQ(moved.z, 0.0f);

    camera_.view = MatIdentity();
    const Vec3 huge = CameraRelative(Vec3{std::numeric_limits<float>::infinity(), 0.0f, 0.0f});
    EXPECT_TRUE(std::isfinite(huge.x) && std::isfinite(huge.z));
    const Vec3 nan = CameraRelative(Vec3{std::numeric_limits<float>::quiet_NaN(), 0.0f, 1.0f});
    EXPECT_EQ(nan.x, 0.0f);
    EXPECT_EQ(nan.z, 0.0f);
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

TEST(CameraAndLight, LightFollowsItsTargetAndHoldsStillWhenTheTargetIsGone)
{
    auto* player = new Object;
    player->position = Vec3{1.0f, 0.0f, 2.0f};
    Light light;
    light.target = player;
    light.elevation = 50.0f;
    light.azimuth = 120.0f;
    light.distance = 30.0f;
    light.Update();
    EXPECT_NEAR(light.position.x - 1.0f, -15.0f, 0.1f);
    EXPECT_NEAR(light.position.y, 23.0f, 0.1f);
    EXPECT_NEAR(light.position.z - 2.0f, 26.0f, 0.1f);
    EXPECT_NEAR(Length(light.direction), 1.0f, 1e-5f);
    // The view puts the target straight ahead along -z.
    const Vec4 seen = MatTransform(light.view, Vec4{1.0f, 0.0f, 2.0f, 1.0f});
    EXPECT_NEAR(seen.x, 0.0f, 1e-3f);
    EXPECT_NEAR(seen.y, 0.0f, 1e-3f);
    EXPECT_NEAR(seen.z, -Length(light.position - player->position), 1e-3f);

    const Vec3 before = light.position;
    delete player;
    light.Update();
    EXPECT_EQ(light.position.x, before.x);
    EXPECT_EQ(light.position.z, before.z);
}
