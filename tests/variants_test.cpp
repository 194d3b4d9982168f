// The six playable characters besides the sword fighter, driven update by
// update with scripted keys and no window: each attack's timing, what their
// bodies do on contact, knock-back, and death leading to the game over screen.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/scene.h"
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
#include "objects/obj_camera.h"
#include "objects/obj_weapon.h"
#include "objects/weapon_staff.h"
#include "scenes/scene_game_over.h"

namespace {

constexpr int VkW = 'W';
constexpr int VkD = 'D';
constexpr float Near = 1e-4f;

// A weapon that only writes down what its holder asks of it, by update.
class ProbeWeapon : public ObjWeapon {
public:
    void BeginStrike() override { begins.push_back(update); }
    void EndStrike() override { ends.push_back(update); }
    int update = 0;
    std::vector<int> begins;
    std::vector<int> ends;
};

// An enemy body that stands still.
class StillEnemy : public ObjCharacter {};

class VariantsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectList();
        EnemiesAlive = 0;
        srand(11);
        PlatformReleaseAllKeys();
        PlatformBeginFrameKeys();
        KeyState = KeyTables{};
        camera = new ObjCamera();
        AddObject(camera, TypeDamagePop, TeamNeutral, 0);
        SetCameraDefaults(camera);
        ActiveCamera = camera;
    }

    void TearDown() override
    {
        ClearObjectList();
        ActiveCamera = nullptr;
        delete NextScene;
        NextScene = nullptr;
        PlatformReleaseAllKeys();
        PlatformBeginFrameKeys();
        EnemiesAlive = 0;
    }

    static void Step()
    {
        PlatformBeginFrameKeys();
        UpdateObjects();
    }
    static void Steps(int count)
    {
        for (int i = 0; i < count; ++i) {
            Step();
        }
    }
    static void TapCtrlAndStep()
    {
        PlatformKeyDown(VkCtrl);
        Step();
        PlatformKeyUp(VkCtrl);
    }

    template <typename T>
    T* AddPlayer()
    {
        auto* player = new T();
        AddObject(player, TypePlayer, TeamPlayer, 1);
        return player;
    }

    static StillEnemy* AddEnemy(Vec3 at, int32_t attack = 10, float radius = 1.0f)
    {
        auto* enemy = new StillEnemy();
        AddObject(enemy, TypeSlimeGreen, TeamEnemy, 1);
        SetupCharacter(*enemy, CharacterStats{100, attack, radius}, at);
        EnemiesAlive = 0;
        return enemy;
    }

    template <typename T>
    static std::vector<T*> Live()
    {
        std::vector<T*> found;
        for (Object* object : ObjectList) {
            if (auto* typed = dynamic_cast<T*>(object); typed != nullptr && object->removeFlag == 0) {
                found.push_back(typed);
            }
        }
        return found;
    }

    ObjCamera* camera = nullptr;
};

TEST_F(VariantsTest, BlueSlimeBlowsARingOfTwelveBubblesInItsTwentiethUpdate)
{
    auto* slime = AddPlayer<CharaPlayerSlimeBlue>();
    slime->Setup(nullptr, 1.0f, 0.0f, -2.0f);
    TapCtrlAndStep();
    ASSERT_EQ(slime->action, 1);

    // Checked in the update the ring appears (each bubble has also had its
    // first flight step): launched 3 up from the slime at speed 0.06, 30
    // degrees apart in a flat ring whose first bubble is 30 degrees from -Z
    // toward +X.
    auto checkRing = [](const std::vector<BulletBubble*>& ring) {
        ASSERT_EQ(ring.size(), 12u);
        for (size_t i = 0; i < ring.size(); ++i) {
            SCOPED_TRACE("bubble " + std::to_string(i));
            EXPECT_EQ(ring[i]->team, TeamPlayerShot);
            const float radians = 30.0f * static_cast<float>(i + 1) * 3.14159265f / 180.0f;
            EXPECT_NEAR(ring[i]->velocity.x, 0.06f * std::sin(radians), 1e-3f);
            EXPECT_NEAR(ring[i]->velocity.z, -0.06f * std::cos(radians), 1e-3f);
            EXPECT_NEAR(ring[i]->position.x, 1.0f + ring[i]->velocity.x, Near);
            EXPECT_NEAR(ring[i]->position.y, 3.0f - 0.0098f, Near);
            EXPECT_NEAR(ring[i]->position.z, -2.0f + ring[i]->velocity.z, Near);
        }
    };
    int ringUpdate = 0;
    int updates = 0;
    while (slime->action == 1 && updates < 100) {
        Step();
        ++updates;
        if (ringUpdate == 0 && !Live<BulletBubble>().empty()) {
            ringUpdate = updates;
            checkRing(Live<BulletBubble>());
        }
    }
    EXPECT_EQ(ringUpdate, 20);
    EXPECT_EQ(updates, 40);
    EXPECT_EQ(Live<BulletBubble>().size(), 12u);
}

TEST_F(VariantsTest, BlueSlimeHitBeforeTheRingBlowsNothing)
{
    auto* slime = AddPlayer<CharaPlayerSlimeBlue>();
    slime->Setup(nullptr, 0.0f, 0.0f, 0.0f);
    StillEnemy* enemy = AddEnemy({5.0f, 0.0f, 0.0f});
    TapCtrlAndStep();
    Steps(10);
    ApplyDamage(10, HitStrength, enemy, slime);
    int updates = 0;
    while (slime->knockedBack && updates < 200) {
        Step();
        ++updates;
    }
    EXPECT_EQ(slime->action, 0);
    Steps(40);
    EXPECT_TRUE(Live<BulletBubble>().empty());
    EXPECT_EQ(slime->hp, 190);
}

TEST_F(VariantsTest, RedSlimeSpitsOneFireBallPerSpitWhileWalking)
{
    auto* slime = AddPlayer<CharaPlayerSlimeRed>();
    slime->Setup(nullptr, 0.0f, 0.0f, 0.0f);
    // Facing -Z from set-up: the ball flies away from the camera.
    TapCtrlAndStep();
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
        TapCtrlAndStep();
        ++spit;
    }
    EXPECT_EQ(spit, 86);
    EXPECT_EQ(Live<BulletFire>().size(), 1u);
    Step();
    TapCtrlAndStep();
    PlatformKeyUp(VkD);
    fire = Live<BulletFire>();
    ASSERT_EQ(fire.size(), 2u);
    EXPECT_GT(slime->position.x, 8.0f);
    // The second ball leaves along the way the slime has turned to walk.
    EXPECT_GT(fire[1]->velocity.x, 0.09f);
}

TEST_F(VariantsTest, GreenSlimeChargeHurtsEnemiesForSixUpdatesAndOnlyOncePerRecoil)
{
    auto* slime = AddPlayer<CharaPlayerSlimeGreen>();
    slime->Setup(nullptr, 0.0f, 0.0f, 0.0f);
    StillEnemy* enemy = AddEnemy({0.5f, 0.0f, 0.0f}, 10);

    // Not charging: the enemy hurts the slime.
    Step();
    EXPECT_EQ(slime->hp, 190);
    EXPECT_EQ(enemy->hp, 100);
    while (slime->knockedBack) {
        Step();
    }
    // Charging: the slime hurts the enemy (5) and is not hurt; a reeling
    // enemy neither is hit nor hurts, charging or not.
    std::vector<int> charged;
    PlatformKeyDown(VkCtrl);
    for (int update = 1; update <= 7; ++update) {
        slime->position = Vec3{0.0f, 0.0f, 0.0f};
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

TEST_F(VariantsTest, LizardThrustOpensTheSpearForThreeUpdatesAndOnlyTurns)
{
    auto* spear = new ProbeWeapon();
    AddObject(spear, TypeWeaponSpear, TeamPlayerWeapon, 0);
    auto* lizard = AddPlayer<CharaPlayerLizaldy>();
    lizard->Setup(nullptr, 0.0f, 0.0f, 0.0f, spear);
    TapCtrlAndStep();
    ASSERT_EQ(lizard->action, 1);

    PlatformKeyDown(VkD);
    int updates = 0;
    while (lizard->action == 1 && updates < 100) {
        spear->update = ++updates;
        Step();
    }
    PlatformKeyUp(VkD);
    EXPECT_EQ(updates, 40);
    EXPECT_EQ(spear->begins, (std::vector<int>{24, 25, 26}));
    ASSERT_FALSE(spear->ends.empty());
    EXPECT_EQ(spear->ends.front(), 27);
    EXPECT_EQ(spear->ends.back(), 39);
    // D during the thrust turned the body toward +X but did not move it.
    EXPECT_NEAR(Length(lizard->position), 0.0f, Near);
    EXPECT_GT(ForwardOf(*lizard).x, 0.9f);
}

TEST_F(VariantsTest, LizardHitMidThrustPutsTheSpearAway)
{
    auto* spear = new ProbeWeapon();
    AddObject(spear, TypeWeaponSpear, TeamPlayerWeapon, 0);
    auto* lizard = AddPlayer<CharaPlayerLizaldy>();
    lizard->Setup(nullptr, 0.0f, 0.0f, 0.0f, spear);
    StillEnemy* enemy = AddEnemy({5.0f, 0.0f, 0.0f});
    TapCtrlAndStep();
    Steps(24);
    ASSERT_FALSE(spear->begins.empty());
    ApplyDamage(10, HitStrength, enemy, lizard);
    spear->ends.clear();
    while (lizard->knockedBack) {
        Step();
    }
    EXPECT_EQ(spear->ends.size(), 1u);
    EXPECT_EQ(lizard->action, 0);
}

TEST_F(VariantsTest, WizardCastHoldsStillForOneHundredTwentyUpdatesWhileTheStaffFiresFive)
{
    auto* staff = new WeaponStaff();
    AddObject(staff, TypeWeaponStaff, TeamPlayerWeapon, 0);
    auto* wizard = AddPlayer<CharaPlayerWizard>();
    wizard->Setup(nullptr, 0.0f, 0.0f, 0.0f, staff);
    SetupStaff(staff, wizard, TeamEnemy, nullptr);
    AddEnemy({0.0f, 0.0f, -30.0f});

    TapCtrlAndStep();
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
    PlatformKeyDown(VkW);
    Step();
    PlatformKeyUp(VkW);
    EXPECT_NEAR(wizard->position.z, -0.15f, Near);
}

class WivernTest : public VariantsTest {
protected:
    CharaPlayerWivern* AddWivern(Object* lockOn = nullptr)
    {
        auto* wivern = AddPlayer<CharaPlayerWivern>();
        wivern->Setup(nullptr, 0.0f, PlayerWivernHeight, 0.0f, lockOn);
        return wivern;
    }
};

TEST_F(WivernTest, DiveWindsUpStrikesAtTheTargetAndClimbsBack)
{
    CharaPlayerWivern* wivern = AddWivern();
    StillEnemy* enemy = AddEnemy({0.0f, 0.0f, -6.0f}, 10, 0.5f);

    TapCtrlAndStep();
    ASSERT_EQ(wivern->action, 1);
    // Ctrl during the wind-up does not open the strike.
    TapCtrlAndStep();
    int windUp = 1;
    while (wivern->divePhase == 0 && windUp < 100) {
        Step();
        ++windUp;
    }
    EXPECT_EQ(windUp, 20);
    EXPECT_FALSE(wivern->striking);
    EXPECT_EQ(wivern->DiveTarget(), enemy);
    EXPECT_NEAR(Length(wivern->velocity), 0.7f, Near);

    // Ctrl during the dive opens the strike just before the bodies meet; the
    // body then hurts the enemy by 40 and is not hurt itself.
    int dive = 0;
    while (Length(enemy->position - wivern->position) >= 2.5f && dive < 100) {
        Step();
        ++dive;
    }
    TapCtrlAndStep();
    EXPECT_TRUE(wivern->striking);
    while (wivern->divePhase == 1 && dive < 100) {
        Step();
        ++dive;
    }
    EXPECT_LT(dive, 50);
    EXPECT_LE(wivern->position.y, 1.0f);
    EXPECT_EQ(enemy->hp, 60);
    EXPECT_EQ(wivern->hp, 300);

    int climb = 0;
    while (wivern->action == 1 && climb < 300) {
        Step();
        ++climb;
    }
    EXPECT_GT(climb, 90);
    EXPECT_EQ(wivern->position.y, PlayerWivernHeight);
    EXPECT_FALSE(wivern->striking);
    EXPECT_NEAR(wivern->velocity.y, 0.0f, Near);
}

TEST_F(WivernTest, DivePrefersTheLockOnTargetAndGivesUpWithoutAnyEnemy)
{
    auto* lockOn = new MainCameraLockOn();
    AddObject(lockOn, TypeMainCameraLockOn, TeamNeutral, 0);
    CharaPlayerWivern* wivern = AddWivern(lockOn);
    SetupLockOnCamera(lockOn, SpriteQuad{}, VkRight, VkLeft, VkUp, VkDown, 'R', nullptr, wivern, -5.0f, -90.0f,
                      10.0f, 2.0f, 0.2f);

    // No enemy at all: back to free flight right after the wind-up.
    TapCtrlAndStep();
    Steps(20);
    EXPECT_EQ(wivern->action, 0);
    EXPECT_EQ(wivern->position.y, PlayerWivernHeight);

    AddEnemy({0.0f, 0.0f, -3.0f});
    StillEnemy* far = AddEnemy({0.0f, 0.0f, -20.0f});
    lockOn->lockTarget = far;
    Step();
    TapCtrlAndStep();
    Steps(20);
    EXPECT_EQ(wivern->divePhase, 1);
    EXPECT_EQ(wivern->DiveTarget(), far);
}

TEST_F(WivernTest, TargetDeletedMidDiveSendsItBackUp)
{
    CharaPlayerWivern* wivern = AddWivern();
    StillEnemy* enemy = AddEnemy({0.0f, 0.0f, -20.0f});
    TapCtrlAndStep();
    Steps(20);
    ASSERT_EQ(wivern->divePhase, 1);
    Steps(3);
    enemy->MarkForRemoval(0);
    Steps(2);
    EXPECT_EQ(wivern->DiveTarget(), nullptr);
    EXPECT_EQ(wivern->divePhase, 2);
    Steps(200);
    EXPECT_EQ(wivern->action, 0);
    EXPECT_EQ(wivern->position.y, PlayerWivernHeight);
}

TEST_F(WivernTest, KnockedBackInTheDiveClimbsBackToFlyingHeight)
{
    CharaPlayerWivern* wivern = AddWivern();
    StillEnemy* enemy = AddEnemy({0.0f, 0.0f, -30.0f});
    TapCtrlAndStep();
    Steps(25);
    ASSERT_EQ(wivern->divePhase, 1);
    const float low = wivern->position.y;
    ApplyDamage(10, HitStrength, enemy, wivern);
    while (wivern->knockedBack) {
        Step();
    }
    EXPECT_EQ(wivern->divePhase, 2);
    Steps(200);
    EXPECT_LT(low, PlayerWivernHeight);
    EXPECT_EQ(wivern->action, 0);
    EXPECT_EQ(wivern->position.y, PlayerWivernHeight);
}

TEST_F(WivernTest, EnemyWyvernsHurtOnlyWhileDivingAndOncePerDive)
{
    CharaPlayerWivern* wivern = AddWivern();
    wivern->position = Vec3{};
    auto* enemy = new CharaWivern();
    AddObject(enemy, TypeWivern, TeamEnemy, 1);
    enemy->Setup(wivern, nullptr, 0.0f, 0.0f, 0.0f);
    enemy->attack = 10;

    auto touch = [&](int aiState) {
        enemy->aiState = aiState;
        enemy->position = Vec3{};
        enemy->collider->sphere->center = Vec3{};
        wivern->position = Vec3{};
        wivern->knockedBack = false;
        Step();
    };
    touch(1);
    EXPECT_EQ(wivern->hp, 300);
    touch(2);
    EXPECT_EQ(wivern->hp, 290);
    touch(2);
    EXPECT_EQ(wivern->hp, 290);
    EXPECT_TRUE(enemy->diveHit);
}

// Every variant: the fatal hit's knock-back runs out, ten updates of the death
// countdown pass, and the eleventh asks for the game over screen.
TEST_F(VariantsTest, EveryVariantReachesGameOverElevenUpdatesAfterItsFatalKnockback)
{
    const std::vector<std::function<ObjCharacter*()>> makers = {
        [this] { auto* c = AddPlayer<CharaPlayerSlimeGreen>(); c->Setup(nullptr, 0, 0, 0); return c; },
        [this] { auto* c = AddPlayer<CharaPlayerSlimeBlue>(); c->Setup(nullptr, 0, 0, 0); return c; },
        [this] { auto* c = AddPlayer<CharaPlayerSlimeRed>(); c->Setup(nullptr, 0, 0, 0); return c; },
        [this] { auto* c = AddPlayer<CharaPlayerLizaldy>(); c->Setup(nullptr, 0, 0, 0, nullptr); return c; },
        [this] { auto* c = AddPlayer<CharaPlayerWivern>(); c->Setup(nullptr, 0, 9.5f, 0, nullptr); return c; },
        [this] { auto* c = AddPlayer<CharaPlayerWizard>(); c->Setup(nullptr, 0, 0, 0, nullptr); return c; },
    };
    for (size_t i = 0; i < makers.size(); ++i) {
        SCOPED_TRACE("variant " + std::to_string(i));
        ClearObjectList();
        delete NextScene;
        NextScene = nullptr;
        ObjCharacter* player = makers[i]();
        StillEnemy* enemy = AddEnemy({30.0f, 0.0f, 0.0f});
        ApplyDamage(player->maxHp + 50, HitStrength, enemy, player);
        int recoil = 0;
        while (player->knockedBack && recoil < 200) {
            Step();
            ++recoil;
        }
        int after = 0;
        while (NextScene == nullptr && after < 100) {
            Step();
            ++after;
        }
        EXPECT_EQ(after, 11);
        EXPECT_NE(dynamic_cast<SceneGameOver*>(NextScene), nullptr);
        EXPECT_EQ(player->removeFlag, 0);
    }
}

}  // namespace
