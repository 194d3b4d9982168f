// Melee weapons: the sword's combo, its once-per-strike rule and its place in
// the hand, and the spear's sides.
#include <cmath>
#include <memory>
#include <vector>

#include "objects/weapon_spear.h"
#include "objects/weapon_sword.h"
#include "objects_world.h"
#include "render/skin_model.h"
#include "render/weapon_mount.h"

namespace {

using Sword = ObjectsWorldWithSound;
using Spear = ObjectsWorld;

// The stage's order: the weapon is registered before its holder.
WeaponSword* ArmWithSword(ObjCharacter*& holder, Vec3 at)
{
    auto* sword = new WeaponSword();
    AddObject(sword, TypeWeaponSword, TeamPlayerWeapon, 1);
    holder = new ObjCharacter();
    AddObject(holder, TypePlayer, TeamPlayer, 1);
    SetupCharacter(*holder, CharacterStats{150, 0, 0.4f}, at);
    holder->weapon = sword;
    SetupSword(sword, holder);
    return sword;
}

TEST_F(Sword, EachComboStageDealsItsOwnDamageAndSound)
{
    LoadTone({1, 2, 3});
    ObjCharacter* holder = nullptr;
    WeaponSword* sword = ArmWithSword(holder, {});
    ObjCharacter* enemy = AddEnemy({0.0f, 1.0f, 0.5f}, 100);
    UpdateObjects();  // the sword's sphere settles on the hand
    EXPECT_EQ(enemy->hp, 100);  // no strike, no damage

    const int32_t expected[3] = {7, 10, 17};
    int32_t hp = 100;
    for (int stage = 0; stage < 3; ++stage) {
        sword->BeginStrike();
        UpdateObjects();
        hp -= expected[stage];
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
    ObjCharacter* holder = nullptr;
    WeaponSword* sword = ArmWithSword(holder, {});
    std::vector<ObjCharacter*> enemies;
    for (int i = 0; i < 4; ++i) {
        enemies.push_back(AddEnemy({0.1f * static_cast<float>(i), 1.0f, 0.2f}, 100));
    }
    UpdateObjects();
    sword->BeginStrike();
    for (int frame = 0; frame < 10; ++frame) {
        UpdateObjects();
        for (ObjCharacter* enemy : enemies) {
            enemy->knockedBack = false;  // the sword ignores knock-back: only its record protects
        }
    }
    EXPECT_EQ(enemies[0]->hp, 93);
    EXPECT_EQ(enemies[1]->hp, 93);
    EXPECT_EQ(enemies[2]->hp, 93);
    EXPECT_EQ(enemies[3]->hp, 100);
    EXPECT_EQ(holder->hp, 150);  // the holder shares the sword's sphere but is not an enemy

    // A new strike starts a new record.
    sword->EndStrike();
    sword->BeginStrike();
    UpdateObjects();
    EXPECT_EQ(enemies[0]->hp, 86);
}

TEST_F(Sword, MeetingAnAlreadyHitEnemyAgainEndsTheStrikesReach)
{
    ObjCharacter* holder = nullptr;
    WeaponSword* sword = ArmWithSword(holder, {});
    ObjCharacter* first = AddEnemy({0.0f, 1.0f, 0.2f}, 100);
    ObjCharacter* late = AddEnemy({30.0f, 0.0f, 0.0f}, 100);
    UpdateObjects();
    sword->BeginStrike();
    UpdateObjects();
    EXPECT_EQ(first->hp, 93);
    late->position = Vec3{0.0f, 1.0f, 0.3f};
    late->collider->sphere->center = late->position;
    UpdateObjects();
    EXPECT_EQ(late->hp, 100);

    // Two enemies arriving together are both hurt.
    sword->EndStrike();
    first->position = Vec3{30.0f, 0.0f, 0.0f};
    first->collider->sphere->center = first->position;
    ObjCharacter* third = AddEnemy({0.0f, 1.0f, 0.1f}, 100);
    sword->BeginStrike();
    UpdateObjects();
    EXPECT_EQ(late->hp, 93);
    EXPECT_EQ(third->hp, 93);
}

TEST_F(Sword, VictimDeletedMidStrikeIsNeverReadAgain)
{
    ObjCharacter* holder = nullptr;
    WeaponSword* sword = ArmWithSword(holder, {});
    ObjCharacter* doomed = AddEnemy({0.0f, 1.0f, 0.2f}, 5);
    UpdateObjects();
    sword->BeginStrike();
    UpdateObjects();
    doomed->MarkForRemoval(0);
    ObjCharacter* next = AddEnemy({0.0f, 1.0f, 0.2f}, 100);
    UpdateObjects();  // deletes the first victim; the newcomer is a new enemy
    EXPECT_EQ(next->hp, 93);
    EXPECT_EQ(sword->hitCount, 2);
}

TEST_F(Sword, HolderDeletedLeavesAHarmlessSword)
{
    ObjCharacter* holder = nullptr;
    WeaponSword* sword = ArmWithSword(holder, {});
    AddEnemy({0.0f, 1.0f, 0.2f});
    holder->MarkForRemoval(0);
    sword->BeginStrike();
    UpdateObjects();
    UpdateObjects();
    EXPECT_EQ(sword->Owner(), nullptr);
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
};

TEST_F(SwordInHand, HitSphereFollowsTheHandAsLastPosedAndHitsOnTheNextUpdate)
{
    ObjCharacter* holder = nullptr;
    WeaponSword* sword = ArmWithSword(holder, {10.0f, 0.0f, 0.0f});
    ObjCharacter* enemy = AddEnemy({13.0f, 2.0f, 0.2f}, 100);
    PoseHand(MatIdentity());  // the hand at rest
    sword->BeginStrike();
    UpdateObjects();
    EXPECT_NEAR(sword->collider->sphere->center.x, 10.0f, 1e-5f);
    EXPECT_NEAR(sword->collider->sphere->center.y, 1.0f, 1e-5f);

    // The swing moves the hand 3 along x: the centre follows at the end of the
    // update, and the enemy there is struck in the update after.
    PoseHand(MatTranslation(3.0f, 1.0f, 0.0f));
    UpdateObjects();
    EXPECT_NEAR(sword->collider->sphere->center.x, 13.0f, 1e-5f);
    EXPECT_NEAR(sword->collider->sphere->center.y, 2.0f, 1e-5f);
    EXPECT_NEAR(sword->collider->sphere->center.z, 0.2f, 1e-5f);
    EXPECT_EQ(enemy->hp, 100);
    UpdateObjects();
    EXPECT_EQ(enemy->hp, 93);
}

TEST_F(Sword, WithoutAModelTheSphereStaysOnTheHoldersBody)
{
    ASSERT_EQ(SkinModelTable[0], nullptr);  // as when the character file is missing
    ObjCharacter* holder = nullptr;
    WeaponSword* sword = ArmWithSword(holder, {-4.0f, 0.0f, 7.0f});
    UpdateObjects();
    EXPECT_NEAR(sword->collider->sphere->center.x, -4.0f, 1e-5f);
    EXPECT_NEAR(sword->collider->sphere->center.y, 1.0f, 1e-5f);
    EXPECT_NEAR(sword->collider->sphere->center.z, 7.2f, 1e-5f);
}

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

}  // namespace
