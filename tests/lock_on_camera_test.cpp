// The lock-on camera: orbiting under the arrow keys, easing, locking on to the
// nearest enemy and letting go, and never turning NaN on degenerate views.
#include <cmath>

#include "app/keyboard.h"
#include "objects/main_camera_lock_on.h"
#include "tests/objects_world.h"
#include "platform/key_input.h"
#include "render/static_model.h"

namespace {

constexpr int VkR = 82;
constexpr int TestWallSlot = 30;
constexpr int TestGroundSlot = 31;

class LockOnCamera : public ObjectsWorld {
protected:
    void SetUp() override
    {
        ObjectsWorld::SetUp();
        LoadTone({12});
        camera = new MainCameraLockOn();
        AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
        player = AddPlayer({});
        SetupLockOnCamera(camera, SpriteQuad{}, VkRight, VkLeft, VkUp, VkDown, VkR, nullptr, player, -5.0f,
                          -90.0f, 10.0f, 2.0f, 0.2f);
    }

    // A release in between, so the next press is fresh.
    static void PressR()
    {
        Step();
        Tap(VkR);
    }

    static bool Finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
    bool ViewFinite() const
    {
        for (float element : camera->view.m) {
            if (!std::isfinite(element)) {
                return false;
            }
        }
        return true;
    }

    MainCameraLockOn* camera = nullptr;
    ObjCharacter* player = nullptr;
};

// Behind the player at first, easing a share of the way to each new goal;
// the arrows turn the orbit, its pitch kept within its limits.
TEST_F(LockOnCamera, StartsBehindThePlayerEasesAndTurnsUnderTheArrows)
{
    EXPECT_NEAR(camera->position.x, 0.0f, 0.02f);
    EXPECT_NEAR(camera->position.y, 2.87f, 0.01f);
    EXPECT_NEAR(camera->position.z, 10.0f, 0.01f);
    EXPECT_NEAR(camera->lookAt.y, 2.0f, 1e-6f);
    EXPECT_EQ(camera->lockSound, 12);

    player->position = Vec3{0.0f, 0.0f, -10.0f};
    const float startZ = camera->position.z;
    const float shares[3] = {0.2f, 0.36f, 0.488f};
    for (float share : shares) {
        Step();
        EXPECT_NEAR((startZ - camera->position.z) / 10.0f, share, 1e-4f);
    }
    for (int i = 0; i < 40; ++i) {
        Tap(VkUp);
    }
    EXPECT_FLOAT_EQ(camera->pitch, 50.0f);
    EXPECT_LT(camera->eyeGoal.y, 2.0f);  // a large pitch puts the eye low
    for (int i = 0; i < 60; ++i) {
        Tap(VkDown);
    }
    EXPECT_FLOAT_EQ(camera->pitch, -20.0f);
    Tap(VkRight);
    EXPECT_FLOAT_EQ(camera->yaw, -92.0f);
    Tap(VkLeft);
    EXPECT_FLOAT_EQ(camera->yaw, -90.0f);
}

TEST_F(LockOnCamera, LocksOnTheNearestAndDropsARemovedTargetAtOnce)
{
    // R with nobody around plays the sound and stays in orbit.
    PressR();
    EXPECT_EQ(camera->LockTarget(), nullptr);
    EXPECT_EQ(Starts(12), 1u);

    AddEnemy({0.0f, 0.0f, -12.0f});
    ObjCharacter* nearest = AddEnemy({4.0f, 0.0f, -5.0f});
    PressR();
    EXPECT_EQ(camera->LockTarget(), nearest);
    EXPECT_TRUE(camera->wasLocked);
    // The eye stands beyond the player on the line from the target through its head.
    const Vec3 head{0.0f, 2.0f, 0.0f};
    const Vec3 along = Vec3Normalize(head - nearest->position);
    const Vec3 expectedEye = head + along * 10.0f;
    EXPECT_NEAR(camera->eyeGoal.x, expectedEye.x, 1e-4f);
    EXPECT_NEAR(camera->eyeGoal.z, expectedEye.z, 1e-4f);
    EXPECT_FALSE(Vec3NotEqual(camera->lookGoal, nearest->position));

    RunFrames(30);
    // The orbit carries on from where the lock left the eye: here 10 to the
    // side, 10 behind and 2 below the player, which is a heading of 45
    // degrees short of a full turn and a pitch of atan(2 / 10), both in the
    // game's degrees (pi taken as 3.14).
    camera->position = player->position + Vec3{10.0f, -2.0f, 10.0f};
    nearest->MarkForRemoval(1);
    Step();  // the camera updates first and lets go in this very frame
    EXPECT_EQ(camera->LockTarget(), nullptr);
    EXPECT_FALSE(camera->wasLocked);
    const float gameDegrees = 180.0f / 3.14f;
    EXPECT_NEAR(camera->yaw, 360.0f - std::atan(1.0f) * gameDegrees, 1e-3f);
    EXPECT_NEAR(camera->pitch, std::atan(0.2f) * gameDegrees, 1e-3f);

    // A second press releases a lock.
    ObjCharacter* other = AddEnemy({1.0f, 0.0f, -3.0f});
    PressR();
    EXPECT_EQ(camera->LockTarget(), other);
    PressR();
    EXPECT_EQ(camera->LockTarget(), nullptr);
}

TEST_F(LockOnCamera, DegenerateViewsKeepThePreviousGoalsAnglesAndView)
{
    // A target standing exactly on the head point gives no line for the eye.
    ObjCharacter* onHead = AddEnemy({0.0f, 2.0f, 0.0f});
    PressR();
    ASSERT_EQ(camera->LockTarget(), onHead);
    RunFrames(5);
    EXPECT_TRUE(Finite(camera->eyeGoal));
    EXPECT_TRUE(Finite(camera->position));
    EXPECT_TRUE(ViewFinite());

    // A target straight below the head puts the eye straight above the look point.
    onHead->position = Vec3{0.0f, -20.0f, 0.0f};
    RunFrames(600);
    EXPECT_NEAR(camera->position.x, 0.0f, 1e-30f);
    EXPECT_NEAR(camera->position.z, 0.0f, 1e-30f);
    EXPECT_TRUE(ViewFinite());

    // The lock ends with the eye exactly above the player: no angle to carry over.
    camera->position = Vec3{0.0f, 12.0f, 0.0f};
    const float yawBefore = camera->yaw;
    PressR();
    EXPECT_EQ(camera->LockTarget(), nullptr);
    EXPECT_FLOAT_EQ(camera->yaw, yawBefore);
    EXPECT_FLOAT_EQ(camera->pitch, -20.0f);  // looking straight down, clamped to the highest eye
    EXPECT_TRUE(Finite(camera->eyeGoal));
    RunFrames(5);
    EXPECT_TRUE(Finite(camera->position));
    EXPECT_TRUE(ViewFinite());
}

TEST_F(LockOnCamera, WithoutAFollowedCharacterTheCameraHoldsStill)
{
    player->MarkForRemoval(0);
    AddEnemy({0.0f, 0.0f, -3.0f});
    const Vec3 before = camera->position;
    PressR();
    EXPECT_EQ(camera->LockTarget(), nullptr);
    EXPECT_FALSE(Vec3NotEqual(camera->position, before));
    EXPECT_TRUE(ViewFinite());
}

class LockOnCameraInAWalledStage : public LockOnCamera {
protected:
    void SetUp() override
    {
        LockOnCamera::SetUp();
        // A wall 5 units behind the player's back, facing it, and the ground.
        PutSquare(TestWallSlot, {-50.0f, -50.0f, 5.0f}, {-50.0f, 50.0f, 5.0f}, {50.0f, 50.0f, 5.0f},
                  {50.0f, -50.0f, 5.0f});
        PutSquare(TestGroundSlot, {-50.0f, 0.0f, -50.0f}, {-50.0f, 0.0f, 50.0f}, {50.0f, 0.0f, 50.0f},
                  {50.0f, 0.0f, -50.0f});
        stage.wallModel = TestWallSlot;
        stage.groundModel = TestGroundSlot;
        SetupLockOnCamera(camera, SpriteQuad{}, VkRight, VkLeft, VkUp, VkDown, VkR, &stage, player, -5.0f,
                          -90.0f, 10.0f, 2.0f, 0.2f);
    }
    StageGeometry stage;
};

TEST_F(LockOnCameraInAWalledStage, EyeIsPulledOntoTheWallAndKeptAboveTheGround)
{
    for (int frame = 0; frame < 60; ++frame) {
        Step();
        EXPECT_LE(camera->eyeGoal.z, 5.0f + 1e-4f);
        EXPECT_LE(camera->position.z, 5.0f + 1e-4f);
    }
    EXPECT_NEAR(camera->position.z, 5.0f, 1e-3f);
    EXPECT_GT(camera->position.y, 2.0f);  // still on the line of sight, above the head

    // Pitched far down the orbit eye would sink below the ground: it stops one
    // unit short of it, toward the look point, even though the line of sight
    // meets the wall further out.
    for (int frame = 0; frame < 60; ++frame) {
        Tap(VkUp);
    }
    const float drop = 10.0f * std::sin(50.0f * DegToRad);
    const float toGround = 2.0f * std::sqrt(100.0f + drop * drop) / drop;
    EXPECT_GT(camera->eyeGoal.y, 0.0f);
    EXPECT_LT(camera->eyeGoal.z, 5.0f);
    EXPECT_NEAR(Length(camera->eyeGoal - camera->lookGoal), toGround - 1.0f, 0.01f);

    // Whatever the orbit, the eye never ends up on the far side of the wall.
    for (int frame = 0; frame < 200; ++frame) {
        Tap(frame % 3 == 0 ? VkLeft : VkDown);
        EXPECT_LE(camera->position.z, 5.0f + 1e-3f);
    }
}

}  // namespace
