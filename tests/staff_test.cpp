// The staff: its choice of target and its burst of bolts, including a target
// that vanishes mid-burst.
#include <vector>

#include "objects/bullet_magic.h"
#include "objects/main_camera_lock_on.h"
#include "objects/weapon_staff.h"
#include "objects_world.h"

namespace {

using Staff = ObjectsWorldWithSound;

std::vector<BulletMagic*> Bolts()
{
    std::vector<BulletMagic*> bolts;
    for (Object* object : ObjectList) {
        if (auto* bolt = dynamic_cast<BulletMagic*>(object)) {
            bolts.push_back(bolt);
        }
    }
    return bolts;
}

TEST_F(Staff, BurstOfFiveBoltsFansOutAtTheLockedTarget)
{
    LoadTone({10});
    auto* camera = new MainCameraLockOn();
    AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
    auto* staff = new WeaponStaff();
    AddObject(staff, TypeWeaponStaff, TeamPlayerWeapon, 0);
    ObjCharacter* wizard = AddPlayer({0.0f, 0.0f, 0.0f});
    SetupStaff(staff, wizard, TeamEnemy, camera);
    ObjCharacter* near = AddEnemy({0.0f, 0.0f, -3.0f});
    ObjCharacter* locked = AddEnemy({0.0f, 0.0f, -9.0f});
    camera->lockTarget = locked;

    UpdateObjects();
    EXPECT_NEAR(staff->position.y, 2.0f, 1e-6f);
    staff->BeginStrike();
    EXPECT_EQ(staff->Target(), locked);
    std::vector<int> fireUpdates;
    for (int update = 1; update <= 24; ++update) {
        const size_t before = Bolts().size();
        UpdateObjects();
        if (Bolts().size() > before) {
            fireUpdates.push_back(update);
        }
    }
    EXPECT_EQ(fireUpdates, (std::vector<int>{4, 8, 12, 16, 20}));
    EXPECT_EQ(staff->striking, 0);
    EXPECT_FALSE(Vec3NotEqual(staff->aim, Vec3{-1.0f, 0.0f, 0.0f}));
    const std::vector<BulletMagic*> bolts = Bolts();
    ASSERT_EQ(bolts.size(), 5u);
    EXPECT_NEAR(bolts[0]->velocity.x, -0.5f, 1e-5f);  // first to the holder's left
    EXPECT_NEAR(bolts[4]->velocity.x, 0.47f, 0.01f);  // last toward its right
    for (BulletMagic* bolt : bolts) {
        EXPECT_EQ(bolt->team, TeamEnemyShot);
        EXPECT_EQ(bolt->homingTarget.Get(), locked);
        EXPECT_NEAR(bolt->origin.y, 2.0f, 1e-6f);
        EXPECT_NEAR(Length(bolt->velocity), 0.5f, 1e-5f);
    }

    // Without a lock the nearest enemy is taken.
    camera->ReleaseLock();
    staff->BeginStrike();
    EXPECT_EQ(staff->Target(), near);
}

TEST_F(Staff, TargetDeletedMidBurstStopsTheBurstAndItsBoltsExpire)
{
    auto* staff = new WeaponStaff();
    AddObject(staff, TypeWeaponStaff, TeamEnemyWeapon, 0);
    ObjCharacter* wizard = AddCharacter(TypeWizard, TeamEnemy, {0.0f, 0.0f, 0.0f});
    SetupStaff(staff, wizard, TeamPlayer, nullptr);
    ObjCharacter* player = AddPlayer({0.0f, 0.0f, 8.0f});

    staff->BeginStrike();
    EXPECT_EQ(staff->Target(), player);
    for (int update = 0; update < 8; ++update) {
        UpdateObjects();
    }
    ASSERT_EQ(Bolts().size(), 2u);
    EXPECT_EQ(Bolts()[0]->team, TeamPlayerShot);
    player->MarkForRemoval(0);
    for (int update = 0; update < 80; ++update) {
        UpdateObjects();
    }
    EXPECT_TRUE(Bolts().empty());  // none fired since, and the two are gone
    EXPECT_EQ(staff->Target(), nullptr);
    EXPECT_EQ(staff->striking, 1);  // waits for its holder to end the strike
    staff->EndStrike();
    EXPECT_EQ(staff->shotsFired, 0);
    UpdateObjects();
    EXPECT_NEAR(staff->position.y, 2.0f, 1e-6f);

    // With nobody of the target team there is no burst at all.
    staff->BeginStrike();
    for (int update = 0; update < 10; ++update) {
        UpdateObjects();
    }
    EXPECT_TRUE(Bolts().empty());
}

}  // namespace
