// The weapons: the sword's combo, its once-per-strike rule, its place in the
// hand and what it does once its holder is gone; the spear's sides; the
// staff's target, its burst of bolts and a bolt reaching the player.
#include <cmath>
#include <memory>
#include <vector>

#include "objects/bullet_magic.h"
#include "objects/main_camera_lock_on.h"
#include "objects/weapon_spear.h"
#include "objects/weapon_staff.h"
#include "objects/weapon_sword.h"
#include "math/collision.h"
#include "render/skin_model.h"
#include "render/weapon_mount.h"
#include "tests/objects_world.h"

namespace {

class Sword : public ObjectsWorld {
protected:
    // The stage's order: the weapon is registered before its holder.
    WeaponSword* Arm(Vec3 at = {})
    {
        sword = new WeaponSword();
        AddObject(sword, TypeWeaponSword, TeamPlayerWeapon, 1);
        holder = AddPlayer(at);
        holder->weapon = sword;
        SetupSword(sword, holder);
        return sword;
    }
    static void MoveTo(ObjCharacter* character, Vec3 at)
    {
        character->position = at;
        character->collider->sphere->center = at;
    }
    WeaponSword* sword = nullptr;
    ObjCharacter* holder = nullptr;
};

TEST_F(Sword, EachComboStageDealsItsOwnDamageAndSound)
{
    LoadTone({1, 2, 3});
    Arm();
    ObjCharacter* enemy = AddEnemy({0.0f, 1.0f, 0.5f});
    UpdateObjects();  // the sword's sphere settles on the hand
    EXPECT_EQ(enemy->hp, 100);  // no strike, no damage
    const int32_t damage[3] = {7, 10, 17};
    int32_t hp = 100;
    for (int stage = 0; stage < 3; ++stage) {
        sword->BeginStrike();
        UpdateObjects();
        hp -= damage[stage];
        EXPECT_EQ(enemy->hp, hp) << "stage " << stage;
        EXPECT_EQ(Starts(stage + 1), 1u) << "stage " << stage;
        sword->EndStrike();
        sword->NextComboStage();
    }
    EXPECT_EQ(sword->comboStage, 0);  // three steps bring the combo round
    sword->NextComboStage();
    sword->ResetCombo();
    EXPECT_EQ(sword->comboStage, 0);
}

TEST_F(Sword, AStrikeHurtsEachEnemyOnceAndAtMostThree)
{
    Arm();
    std::vector<ObjCharacter*> enemies;
    for (int i = 0; i < 4; ++i) {
        enemies.push_back(AddEnemy({0.1f * static_cast<float>(i), 1.0f, 0.2f}));
    }
    UpdateObjects();
    sword->BeginStrike();
    for (int frame = 0; frame < 10; ++frame) {
        UpdateObjects();
        for (ObjCharacter* enemy : enemies) {
            enemy->knockedBack = false;  // the sword ignores knock-back: only its record protects
        }
    }
    EXPECT_EQ(std::vector<int32_t>({enemies[0]->hp, enemies[1]->hp, enemies[2]->hp, enemies[3]->hp}),
              std::vector<int32_t>({93, 93, 93, 100}));
    EXPECT_EQ(holder->hp, 150);  // the holder shares the sword's sphere but is not an enemy
    // A new strike starts a new record.
    sword->EndStrike();
    sword->BeginStrike();
    UpdateObjects();
    EXPECT_EQ(enemies[0]->hp, 86);
}

TEST_F(Sword, MeetingAnAlreadyHitEnemyAgainEndsTheStrikesReach)
{
    Arm();
    ObjCharacter* first = AddEnemy({0.0f, 1.0f, 0.2f});
    ObjCharacter* late = AddEnemy({30.0f, 0.0f, 0.0f});
    UpdateObjects();
    sword->BeginStrike();
    UpdateObjects();
    EXPECT_EQ(first->hp, 93);
    MoveTo(late, {0.0f, 1.0f, 0.3f});
    UpdateObjects();
    EXPECT_EQ(late->hp, 100);

    // Two enemies arriving together are both hurt.
    sword->EndStrike();
    MoveTo(first, {30.0f, 0.0f, 0.0f});
    ObjCharacter* third = AddEnemy({0.0f, 1.0f, 0.1f});
    sword->BeginStrike();
    UpdateObjects();
    EXPECT_EQ(late->hp, 93);
    EXPECT_EQ(third->hp, 93);
}

TEST_F(Sword, VictimDeletedMidStrikeIsNeverReadAgain)
{
    Arm();
    ObjCharacter* doomed = AddEnemy({0.0f, 1.0f, 0.2f}, 5);
    UpdateObjects();
    sword->BeginStrike();
    UpdateObjects();
    doomed->MarkForRemoval(0);
    ObjCharacter* next = AddEnemy({0.0f, 1.0f, 0.2f});
    UpdateObjects();  // deletes the first victim; the newcomer is a new enemy
    EXPECT_EQ(next->hp, 93);
    EXPECT_EQ(sword->hitCount, 2);
}

// Without a holder the sword shuts its strike, leaves every hit test and is
// gone a frame later, so an enemy standing in its sphere is never hurt.
TEST_F(Sword, HolderGoneTakesTheSwordOutOfTheWorldUnused)
{
    Arm();
    ObjCharacter* enemy = AddEnemy({0.0f, 1.0f, 0.2f});
    ObjCharacter* other = AddPlayer({0.0f, 1.0f, 0.2f});
    UpdateObjects();
    sword->BeginStrike();
    holder->MarkForRemoval(0);
    UpdateObjects();
    EXPECT_EQ(enemy->hp, 100);
    EXPECT_EQ(sword->striking, 0);
    EXPECT_EQ(sword->collider->disabled, 1);
    EXPECT_EQ(sword->removeFlag, 1);
    CollectHits(other);
    EXPECT_NE(other->collider->hits[0], sword);
    UpdateObjects();
    EXPECT_EQ(CountOf<WeaponSword>(), 0);
    EXPECT_EQ(enemy->hp, 100);
}

// A stand-in for the sword fighter's model: a skeleton whose hand bone the
// test poses by hand, as the latest skinned draw would have.
class SwordInHand : public Sword {
protected:
    void SetUp() override
    {
        Sword::SetUp();
        ASSERT_EQ(SkinModelTable[0], nullptr);
        auto* model = new SkinModel();
        model->rootFrame = std::make_unique<SkinFrame>();
        model->boneCount = HandBone + 1;
        model->frameCount = 1;
        model->boneFrames.assign(HandBone + 1, nullptr);
        model->boneMatrices.assign(HandBone + 1, Matrix4{});
        model->rootFrame->index = HandBone;
        model->boneFrames[HandBone] = model->rootFrame.get();
        SkinModelTable[0] = model;
    }
    void TearDown() override
    {
        delete SkinModelTable[0];
        SkinModelTable[0] = nullptr;
        Sword::TearDown();
    }
    static void PoseHand(const Matrix4& pose) { SkinModelTable[0]->boneMatrices[HandBone] = pose; }
    void ExpectCentre(Vec3 at) const
    {
        const Vec3 centre = sword->collider->sphere->center;
        EXPECT_NEAR(Length(centre - at), 0.0f, 1e-5f) << centre.x << ", " << centre.y << ", " << centre.z;
    }
};

TEST_F(SwordInHand, HitSphereFollowsTheHandAsLastPosedAndHitsOnTheNextUpdate)
{
    Arm({10.0f, 0.0f, 0.0f});
    ObjCharacter* enemy = AddEnemy({13.0f, 2.0f, 0.2f});
    PoseHand(MatIdentity());  // the hand at rest
    sword->BeginStrike();
    UpdateObjects();
    ExpectCentre({10.0f, 1.0f, 0.2f});
    // The swing moves the hand 3 along x: the centre follows at the end of the
    // update, and the enemy there is struck in the update after.
    PoseHand(MatTranslation(3.0f, 1.0f, 0.0f));
    UpdateObjects();
    ExpectCentre({13.0f, 2.0f, 0.2f});
    EXPECT_EQ(enemy->hp, 100);
    UpdateObjects();
    EXPECT_EQ(enemy->hp, 93);
}

using Spear = ObjectsWorld;

TEST_F(Spear, EachSideHurtsOnlyTheOtherAndOnlyThoseThatCanBeHit)
{
    auto* spear = new WeaponSpear();
    AddObject(spear, TypeWeaponSpear, TeamEnemyWeapon, 1);
    ObjCharacter* lizard = AddCharacter(TypeLizaldy, TeamEnemy, {0.0f, 0.0f, 0.0f});
    SetupSpear(spear, EnemySpearDamage, lizard);
    EXPECT_EQ(spear->collider->disabled, 1);
    ObjCharacter* player = AddPlayer({0.0f, 0.0f, -1.5f});
    ObjCharacter* friendBehindTip = AddEnemy({0.2f, 0.0f, -1.5f});

    UpdateObjects();
    EXPECT_EQ(player->hp, 150);  // no thrust, no hit
    spear->BeginStrike();
    UpdateObjects();
    EXPECT_NEAR(spear->collider->sphere->center.z, -1.5f, 1e-5f);
    EXPECT_EQ(spear->collider->disabled, 0);
    EXPECT_EQ(player->hp, 135);
    EXPECT_EQ(friendBehindTip->hp, 100);
    UpdateObjects();  // the victim is still recoiling
    EXPECT_EQ(player->hp, 135);
    player->knockedBack = false;
    UpdateObjects();  // no record: hit again once the recoil is over
    EXPECT_EQ(player->hp, 120);

    spear->EndStrike();
    EXPECT_EQ(spear->collider->disabled, 1);
    player->knockedBack = false;
    UpdateObjects();
    EXPECT_EQ(player->hp, 120);

    // The player's spear hurts enemies only, and never a fallen one.
    auto* playerSpear = new WeaponSpear();
    AddObject(playerSpear, TypeWeaponSpear, TeamPlayerWeapon, 1);
    SetupSpear(playerSpear, PlayerSpearDamage, player);
    ObjCharacter* fallen = AddEnemy({0.0f, 0.0f, -3.0f}, 0);
    ObjCharacter* ahead = AddEnemy({0.2f, 0.0f, -3.0f});
    playerSpear->BeginStrike();
    UpdateObjects();
    EXPECT_EQ(ahead->hp, 90);
    EXPECT_EQ(fallen->hp, 0);
    EXPECT_EQ(lizard->hp, 100);  // out of reach
}

class Staff : public ObjectsWorld {
protected:
    // The stage's order: the staff is registered before its holder.
    static WeaponStaff* AddStaff(int32_t team)
    {
        auto* staff = new WeaponStaff();
        AddObject(staff, TypeWeaponStaff, team, 0);
        return staff;
    }
};

TEST_F(Staff, BurstOfFiveBoltsFansOutAtTheLockedTargetEachWithItsSound)
{
    LoadTone({10});
    auto* camera = new MainCameraLockOn();
    AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
    WeaponStaff* staff = AddStaff(TeamPlayerWeapon);
    SetupStaff(staff, AddPlayer({}), TeamEnemy, camera);
    ObjCharacter* near = AddEnemy({0.0f, 0.0f, -3.0f});
    ObjCharacter* locked = AddEnemy({0.0f, 0.0f, -9.0f});
    camera->lockTarget = locked;

    UpdateObjects();
    EXPECT_NEAR(staff->position.y, 2.0f, 1e-6f);
    staff->BeginStrike();
    EXPECT_EQ(staff->Target(), locked);
    std::vector<int> fireUpdates;
    for (int update = 1; update <= 24; ++update) {
        const size_t before = Live<BulletMagic>().size();
        UpdateObjects();
        if (Live<BulletMagic>().size() > before) {
            fireUpdates.push_back(update);
            // Each bolt starts the launch sound; it is over before the next.
            EXPECT_TRUE(SoundPlaying(10));
            StopSound(10);
        }
    }
    EXPECT_EQ(fireUpdates, (std::vector<int>{4, 8, 12, 16, 20}));
    EXPECT_EQ(Starts(10), 5u);
    EXPECT_EQ(staff->striking, 0);
    EXPECT_FALSE(Vec3NotEqual(staff->aim, Vec3{-1.0f, 0.0f, 0.0f}));
    const std::vector<BulletMagic*> bolts = Live<BulletMagic>();
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

TEST_F(Staff, EnemyStaffsBoltsFindThePlayerAndHurtIt)
{
    WeaponStaff* staff = AddStaff(TeamEnemyWeapon);
    ObjCharacter* wizard = AddCharacter(TypeWizard, TeamEnemy, {0.0f, 0.0f, -6.0f});
    SetupStaff(staff, wizard, TeamPlayer, nullptr);
    ObjCharacter* player = AddPlayer({});
    UpdateObjects();  // the staff rises over its holder
    staff->BeginStrike();
    EXPECT_EQ(staff->Target(), player);
    EXPECT_LT(StepsWhile([&] { return player->hp == 150; }, 200), 200);
    EXPECT_EQ(player->hp, 140);  // one bolt's damage
    EXPECT_TRUE(player->knockedBack);
    EXPECT_EQ(wizard->hp, 100);
}

TEST_F(Staff, TargetDeletedMidBurstStopsTheBurstAndItsBoltsExpire)
{
    WeaponStaff* staff = AddStaff(TeamEnemyWeapon);
    SetupStaff(staff, AddCharacter(TypeWizard, TeamEnemy, {}), TeamPlayer, nullptr);
    ObjCharacter* player = AddPlayer({0.0f, 0.0f, 8.0f});
    staff->BeginStrike();
    EXPECT_EQ(staff->Target(), player);
    RunFrames(8);
    ASSERT_EQ(Live<BulletMagic>().size(), 2u);
    EXPECT_EQ(Live<BulletMagic>()[0]->team, TeamPlayerShot);
    player->MarkForRemoval(0);
    RunFrames(80);
    EXPECT_TRUE(Live<BulletMagic>().empty());  // none fired since, and the two are gone
    EXPECT_EQ(staff->Target(), nullptr);
    EXPECT_EQ(staff->striking, 1);  // waits for its holder to end the strike
    staff->EndStrike();
    EXPECT_EQ(staff->shotsFired, 0);
    UpdateObjects();
    EXPECT_NEAR(staff->position.y, 2.0f, 1e-6f);

    // With nobody of the target team there is no burst at all.
    staff->BeginStrike();
    RunFrames(10);
    EXPECT_TRUE(Live<BulletMagic>().empty());
}

}  // namespace
