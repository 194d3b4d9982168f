// The six playable characters besides the sword fighter, driven update by
// update with scripted keys and no window: each attack's timing, what their
// bodies do on contact, knock-back, facing along a wall, and death leading
// to the game over screen.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "objects/bullet_bubble.h"
#include "objects/bullet_fire.h"
#include "objects/bullet_magic.h"
#include "objects/chara_player_lizaldy.h"
#include "objects/chara_player_slime_blue.h"
#include "objects/chara_player_slime_green.h"
#include "objects/chara_player_slime_red.h"
#include "objects/chara_player_wivern.h"
#include "objects/chara_player_wizard.h"
#include "objects/chara_wivern.h"
#include "objects/damage.h"
#include "objects/main_camera_lock_on.h"
#include "objects/weapon_staff.h"
#include "scenes/scene_game_over.h"
#include "tests/objects_world.h"

namespace {

constexpr int VkW = 'W';
constexpr int VkD = 'D';
constexpr float Near = 1e-4f;

class VariantsTest : public ObjectsWorld {
protected:
    void SetUp() override
    {
        ObjectsWorld::SetUp();
        srand(11);
        AddCamera();
    }

    template <typename T>
    static T* AddVariant()
    {
        auto* player = new T();
        AddObject(player, TypePlayer, TeamPlayer, 1);
        return player;
    }
    // An enemy body that stands still; it does not count as alive.
    static ObjCharacter* AddStill(Vec3 at, int32_t attack = 10, float radius = 1.0f)
    {
        ObjCharacter* enemy = AddEnemy(at, 100, radius, attack);
        EnemiesAlive = 0;
        return enemy;
    }
    static void WaitOutKnockback(const ObjCharacter* character)
    {
        StepsWhile([character] { return character->knockedBack; }, 200);
    }
};

TEST_F(VariantsTest, BlueSlimeBlowsARingOfTwelveBubblesInItsTwentiethUpdate)
{
    auto* slime = AddVariant<CharaPlayerSlimeBlue>();
    slime->Setup(nullptr, 1.0f, 0.0f, -2.0f);
    Tap(VkCtrl);
    ASSERT_EQ(slime->action, 1);
    int updates = 0;
    int ringUpdate = 0;
    while (slime->action == 1 && updates < 100) {
        Step();
        ++updates;
        const std::vector<BulletBubble*> ring = Live<BulletBubble>();
        if (ringUpdate != 0 || ring.empty()) {
            continue;
        }
        // In the update it appears (each bubble has had its first flight
        // step): launched 3 up from the slime at speed 0.06, 30 degrees apart
        // in a flat ring whose first bubble is 30 degrees from -Z toward +X.
        ringUpdate = updates;
        ASSERT_EQ(ring.size(), 12u);
        for (size_t i = 0; i < ring.size(); ++i) {
            SCOPED_TRACE("bubble " + std::to_string(i));
            EXPECT_EQ(ring[i]->team, TeamPlayerShot);
            const float radians = 30.0f * static_cast<float>(i + 1) * 3.14159265f / 180.0f;
            const Vec3 velocity{0.06f * std::sin(radians), 0.0f, -0.06f * std::cos(radians)};
            EXPECT_NEAR(ring[i]->velocity.x, velocity.x, 1e-3f);
            EXPECT_NEAR(ring[i]->velocity.z, velocity.z, 1e-3f);
            const Vec3 expected = Vec3{1.0f, 3.0f - 0.0098f, -2.0f} + ring[i]->velocity;
            EXPECT_NEAR(ring[i]->position.x, expected.x, Near);
            EXPECT_NEAR(ring[i]->position.y, 3.0f - 0.0098f, Near);
            EXPECT_NEAR(ring[i]->position.z, expected.z, Near);
        }
    }
    EXPECT_EQ(ringUpdate, 20);
    EXPECT_EQ(updates, 40);
    EXPECT_EQ(Live<BulletBubble>().size(), 12u);
}

TEST_F(VariantsTest, BlueSlimeHitBeforeTheRingBlowsNothing)
{
    auto* slime = AddVariant<CharaPlayerSlimeBlue>();
    slime->Setup(nullptr, 0.0f, 0.0f, 0.0f);
    ObjCharacter* enemy = AddStill({5.0f, 0.0f, 0.0f});
    Tap(VkCtrl);
    RunFrames(10);
    ApplyDamage(10, HitStrength, enemy, slime);
    WaitOutKnockback(slime);
    EXPECT_EQ(slime->action, 0);
    RunFrames(40);
    EXPECT_TRUE(Live<BulletBubble>().empty());
    EXPECT_EQ(slime->hp, 190);
}

TEST_F(VariantsTest, RedSlimeSpitsOneFireBallPerSpitWhileWalking)
{
    auto* slime = AddVariant<CharaPlayerSlimeRed>();
    slime->Setup(nullptr, 0.0f, 0.0f, 0.0f);
    // Facing -Z from set-up: the ball flies away from the camera.
    Tap(VkCtrl);
    std::vector<BulletFire*> fire = Live<BulletFire>();
    ASSERT_EQ(fire.size(), 1u);
    EXPECT_EQ(fire[0]->team, TeamPlayerShot);
    EXPECT_EQ(fire[0]->damage, 20);
    EXPECT_NEAR(fire[0]->velocity.z, -0.1f, Near);
    EXPECT_NEAR(fire[0]->origin.y, 0.2f, Near);
    // Presses during the spit make nothing, and the slime walks meanwhile.
    PlatformKeyDown(VkD);
    int spit = 0;
    while (slime->anim == 1 && spit < 200) {
        Tap(VkCtrl);
        ++spit;
    }
    EXPECT_EQ(spit, 86);
    EXPECT_EQ(Live<BulletFire>().size(), 1u);
    Step();
    Tap(VkCtrl);
    fire = Live<BulletFire>();
    ASSERT_EQ(fire.size(), 2u);
    EXPECT_GT(slime->position.x, 8.0f);
    // The second ball leaves along the way the slime has turned to walk.
    EXPECT_GT(fire[1]->velocity.x, 0.09f);
}

TEST_F(VariantsTest, GreenSlimeChargeHurtsEnemiesForSixUpdatesAndOnlyOncePerRecoil)
{
    auto* slime = AddVariant<CharaPlayerSlimeGreen>();
    slime->Setup(nullptr, 0.0f, 0.0f, 0.0f);
    ObjCharacter* enemy = AddStill({0.5f, 0.0f, 0.0f});
    // Not charging: the enemy hurts the slime.
    Step();
    EXPECT_EQ(slime->hp, 190);
    EXPECT_EQ(enemy->hp, 100);
    WaitOutKnockback(slime);
    // Charging: the slime hurts the enemy (5) and is not hurt; a reeling
    // enemy neither is hit nor hurts, charging or not.
    std::vector<int> charged;
    PlatformKeyDown(VkCtrl);
    for (int update = 1; update <= 7; ++update) {
        slime->position = Vec3{};
        enemy->knockedBack = update == 2 || update == 7;
        Step();
        PlatformKeyUp(VkCtrl);
        if (slime->charging) {
            charged.push_back(update);
        }
    }
    EXPECT_EQ(charged, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(slime->hp, 190);
    // Hit in updates 1, 3, 4, 5 and 6; spared in update 2 while reeling.
    EXPECT_EQ(enemy->hp, 100 - 5 * 5);
}

// Walking diagonally into a wall, the body slides along it and turns to
// face the way it really goes, not the way the keys point.
TEST_F(VariantsTest, SlidingAlongAWallFacesAlongIt)
{
    constexpr int WallSlot = 31;
    PutWallAhead(WallSlot);
    StageGeometry geometry;
    geometry.wallModel = WallSlot;
    auto* slime = AddVariant<CharaPlayerSlimeGreen>();
    slime->Setup(&geometry, 0.0f, 0.0f, 0.0f);
    PlatformKeyDown(VkW);
    PlatformKeyDown(VkD);
    RunFrames(60);
    EXPECT_GT(slime->position.z, -2.0f);
    EXPECT_GT(slime->position.x, 2.0f);
    const Vec3 facing = ForwardOf(*slime);
    EXPECT_GT(facing.x, 0.99f) << "facing " << facing.x << ", " << facing.z;
}

TEST_F(VariantsTest, LizardThrustOpensTheSpearForThreeUpdatesAndOnlyTurns)
{
    auto* spear = new ProbeWeapon();
    AddObject(spear, TypeWeaponSpear, TeamPlayerWeapon, 0);
    auto* lizard = AddVariant<CharaPlayerLizaldy>();
    lizard->Setup(nullptr, 0.0f, 0.0f, 0.0f, spear);
    Tap(VkCtrl);
    ASSERT_EQ(lizard->action, 1);
    PlatformKeyDown(VkD);
    int updates = 0;
    while (lizard->action == 1 && updates < 100) {
        spear->update = ++updates;
        Step();
    }
    EXPECT_EQ(updates, 40);
    EXPECT_EQ(spear->UpdatesOf("begin"), (std::vector<int>{24, 25, 26}));
    ASSERT_FALSE(spear->UpdatesOf("end").empty());
    EXPECT_EQ(spear->UpdatesOf("end").front(), 27);
    EXPECT_EQ(spear->UpdatesOf("end").back(), 39);
    // D during the thrust turned the body toward +X but did not move it.
    EXPECT_NEAR(Length(lizard->position), 0.0f, Near);
    EXPECT_GT(ForwardOf(*lizard).x, 0.9f);
}

TEST_F(VariantsTest, LizardHitMidThrustPutsTheSpearAway)
{
    auto* spear = new ProbeWeapon();
    AddObject(spear, TypeWeaponSpear, TeamPlayerWeapon, 0);
    auto* lizard = AddVariant<CharaPlayerLizaldy>();
    lizard->Setup(nullptr, 0.0f, 0.0f, 0.0f, spear);
    ObjCharacter* enemy = AddStill({5.0f, 0.0f, 0.0f});
    Tap(VkCtrl);
    RunFrames(24);
    ASSERT_FALSE(spear->UpdatesOf("begin").empty());
    ApplyDamage(10, HitStrength, enemy, lizard);
    spear->calls.clear();
    WaitOutKnockback(lizard);
    EXPECT_EQ(spear->calls, std::vector<std::string>{"end"});
    EXPECT_EQ(lizard->action, 0);
}

TEST_F(VariantsTest, WizardCastHoldsStillForOneHundredTwentyUpdatesWhileTheStaffFiresFive)
{
    auto* staff = new WeaponStaff();
    AddObject(staff, TypeWeaponStaff, TeamPlayerWeapon, 0);
    auto* wizard = AddVariant<CharaPlayerWizard>();
    wizard->Setup(nullptr, 0.0f, 0.0f, 0.0f, staff);
    SetupStaff(staff, wizard, TeamEnemy, nullptr);
    AddStill({0.0f, 0.0f, -30.0f});
    Tap(VkCtrl);
    ASSERT_EQ(wizard->action, 1);
    ASSERT_NE(staff->Target(), nullptr);
    PlatformKeyDown(VkW);
    int updates = 0;
    std::vector<int> boltUpdates;
    while (wizard->action == 1 && updates < 300) {
        const size_t before = Live<BulletMagic>().size();
        Step();
        ++updates;
        if (Live<BulletMagic>().size() > before) {
            boltUpdates.push_back(updates);
        }
    }
    PlatformKeyUp(VkW);
    EXPECT_EQ(updates, 120);
    // The staff acts an update after the press and fires every fourth update.
    EXPECT_EQ(boltUpdates, (std::vector<int>{4, 8, 12, 16, 20}));
    EXPECT_EQ(staff->striking, 0);
    EXPECT_NEAR(Length(wizard->position), 0.0f, Near);
    // Free again: W walks at 0.15 away from the camera.
    Tap(VkW);
    EXPECT_NEAR(wizard->position.z, -0.15f, Near);
}

class WivernTest : public VariantsTest {
protected:
    CharaPlayerWivern* AddWivern(Object* lockOn = nullptr)
    {
        wivern = AddVariant<CharaPlayerWivern>();
        wivern->Setup(nullptr, 0.0f, PlayerWivernHeight, 0.0f, lockOn);
        return wivern;
    }
    // Steps until the wyvern is back in free flight at its height.
    void ExpectBackAtHeight()
    {
        StepsWhile([this] { return wivern->action == 1; }, 300);
        EXPECT_EQ(wivern->action, 0);
        EXPECT_EQ(wivern->position.y, PlayerWivernHeight);
    }
    CharaPlayerWivern* wivern = nullptr;
};

TEST_F(WivernTest, DiveWindsUpStrikesAtTheTargetAndClimbsBack)
{
    AddWivern();
    ObjCharacter* enemy = AddStill({0.0f, 0.0f, -6.0f}, 10, 0.5f);
    Tap(VkCtrl);
    ASSERT_EQ(wivern->action, 1);
    // Ctrl during the wind-up does not open the strike.
    Tap(VkCtrl);
    EXPECT_EQ(1 + StepsWhile([this] { return wivern->divePhase == 0; }, 100), 20);
    EXPECT_FALSE(wivern->striking);
    EXPECT_EQ(wivern->DiveTarget(), enemy);
    EXPECT_NEAR(Length(wivern->velocity), 0.7f, Near);
    // Ctrl during the dive opens the strike just before the bodies meet; the
    // body then hurts the enemy by 40 and is not hurt itself.
    int dive = StepsWhile([&] { return Length(enemy->position - wivern->position) >= 2.5f; }, 100);
    Tap(VkCtrl);
    EXPECT_TRUE(wivern->striking);
    dive += StepsWhile([this] { return wivern->divePhase == 1; }, 100);
    EXPECT_LT(dive, 50);
    EXPECT_LE(wivern->position.y, 1.0f);
    EXPECT_EQ(enemy->hp, 60);
    EXPECT_EQ(wivern->hp, 300);
    EXPECT_GT(StepsWhile([this] { return wivern->action == 1; }, 300), 90);
    EXPECT_EQ(wivern->position.y, PlayerWivernHeight);
    EXPECT_FALSE(wivern->striking);
    EXPECT_NEAR(wivern->velocity.y, 0.0f, Near);
}

TEST_F(WivernTest, DivePrefersTheLockOnTargetAndGivesUpWithoutAnyEnemy)
{
    auto* lockOn = new MainCameraLockOn();
    AddObject(lockOn, TypeMainCameraLockOn, TeamNeutral, 0);
    AddWivern(lockOn);
    SetupLockOnCamera(lockOn, SpriteQuad{}, VkRight, VkLeft, VkUp, VkDown, 'R', nullptr, wivern, -5.0f, -90.0f,
                      10.0f, 2.0f, 0.2f);
    // No enemy at all: back to free flight right after the wind-up.
    Tap(VkCtrl);
    RunFrames(20);
    EXPECT_EQ(wivern->action, 0);
    EXPECT_EQ(wivern->position.y, PlayerWivernHeight);

    AddStill({0.0f, 0.0f, -3.0f});
    ObjCharacter* far = AddStill({0.0f, 0.0f, -20.0f});
    lockOn->lockTarget = far;
    Step();
    Tap(VkCtrl);
    RunFrames(20);
    EXPECT_EQ(wivern->divePhase, 1);
    EXPECT_EQ(wivern->DiveTarget(), far);
}

// A dive whose target is deleted, or that is knocked back, climbs back to
// the flying height and free flight.
TEST_F(WivernTest, AnInterruptedDiveClimbsBack)
{
    for (const bool knockedBack : {false, true}) {
        SCOPED_TRACE(knockedBack ? "knocked back" : "target deleted");
        ClearObjectList();
        AddWivern();
        ObjCharacter* enemy = AddStill({0.0f, 0.0f, -30.0f});
        Tap(VkCtrl);
        RunFrames(23);
        ASSERT_EQ(wivern->divePhase, 1);
        EXPECT_LT(wivern->position.y, PlayerWivernHeight);
        if (knockedBack) {
            ApplyDamage(10, HitStrength, enemy, wivern);
            WaitOutKnockback(wivern);
        } else {
            enemy->MarkForRemoval(0);
            RunFrames(2);
            EXPECT_EQ(wivern->DiveTarget(), nullptr);
        }
        EXPECT_EQ(wivern->divePhase, 2);
        ExpectBackAtHeight();
    }
}

TEST_F(WivernTest, EnemyWyvernsHurtOnlyWhileDivingAndOncePerDive)
{
    AddWivern();
    wivern->position = Vec3{};
    auto* enemy = new CharaWivern();
    AddObject(enemy, TypeWivern, TeamEnemy, 1);
    enemy->Setup(wivern, nullptr, 0.0f, 0.0f, 0.0f);
    enemy->attack = 10;
    for (const auto& [aiState, hp] : {std::pair{1, 300}, std::pair{2, 290}, std::pair{2, 290}}) {
        enemy->aiState = aiState;
        enemy->position = Vec3{};
        enemy->collider->sphere->center = Vec3{};
        wivern->position = Vec3{};
        wivern->knockedBack = false;
        Step();
        EXPECT_EQ(wivern->hp, hp) << "state " << aiState;
    }
    EXPECT_TRUE(enemy->diveHit);
}

// Every variant: the fatal hit's knock-back runs out, ten updates of the death
// countdown pass, and the eleventh asks for the game over screen.
TEST_F(VariantsTest, EveryVariantReachesGameOverElevenUpdatesAfterItsFatalKnockback)
{
    const std::vector<std::function<ObjCharacter*()>> makers = {
        [] { auto* c = AddVariant<CharaPlayerSlimeGreen>(); c->Setup(nullptr, 0, 0, 0); return c; },
        [] { auto* c = AddVariant<CharaPlayerSlimeBlue>(); c->Setup(nullptr, 0, 0, 0); return c; },
        [] { auto* c = AddVariant<CharaPlayerSlimeRed>(); c->Setup(nullptr, 0, 0, 0); return c; },
        [] { auto* c = AddVariant<CharaPlayerLizaldy>(); c->Setup(nullptr, 0, 0, 0, nullptr); return c; },
        [] { auto* c = AddVariant<CharaPlayerWivern>(); c->Setup(nullptr, 0, 9.5f, 0, nullptr); return c; },
        [] { auto* c = AddVariant<CharaPlayerWizard>(); c->Setup(nullptr, 0, 0, 0, nullptr); return c; },
    };
    for (size_t i = 0; i < makers.size(); ++i) {
        SCOPED_TRACE("variant " + std::to_string(i));
        ClearObjectList();
        delete NextScene;
        NextScene = nullptr;
        ObjCharacter* player = makers[i]();
        ApplyDamage(player->maxHp + 50, HitStrength, AddStill({30.0f, 0.0f, 0.0f}), player);
        WaitOutKnockback(player);
        EXPECT_EQ(StepsWhile([] { return NextScene == nullptr; }, 100), 11);
        EXPECT_NE(dynamic_cast<SceneGameOver*>(NextScene), nullptr);
        EXPECT_EQ(player->removeFlag, 0);
    }
}

}  // namespace
