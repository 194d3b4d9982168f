// The sword fighter's rules, driven update by update with scripted keys and
// no window: combo timing and windows, camera-relative walking, contact
// damage, knock-back, death, and the HP gauge arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/scene.h"
#include "objects/chara_player.h"
#include "objects/obj_camera.h"
#include "objects/obj_weapon.h"
#include "objects/stage_geometry.h"
#include "render/static_model.h"
#include "scenes/scene_game_over.h"

namespace {

constexpr int VkW = 'W';
constexpr int VkA = 'A';
constexpr int VkS = 'S';
constexpr int VkD = 'D';

// A weapon that only writes down what its holder asks of it.
class ProbeWeapon : public ObjWeapon {
public:
    void BeginStrike() override { calls.push_back("begin"); }
    void NextComboStage() override { calls.push_back("next"); }
    void EndStrike() override { calls.push_back("end"); }
    void ResetCombo() override { calls.push_back("reset"); }
    int Count(const std::string& call) const
    {
        int count = 0;
        for (const std::string& seen : calls) {
            count += seen == call ? 1 : 0;
        }
        return count;
    }
    std::vector<std::string> calls;
};

// An enemy body that stands still; its attack is what touching it costs.
class StillEnemy : public ObjCharacter {};

class CharaPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectList();
        EnemiesAlive = 0;
        PlatformReleaseAllKeys();
        PlatformBeginFrameKeys();
        KeyState = KeyTables{};
        camera = new ObjCamera();
        AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
        SetCameraDefaults(camera);
        ActiveCamera = camera;
        sword = new ProbeWeapon();
        AddObject(sword, TypeWeaponSword, TeamPlayerWeapon, 0);
        player = new CharaPlayer();
        AddObject(player, TypePlayer, TeamPlayer, 1);
        player->Setup(nullptr, 0.0f, 0.0f, 0.0f, sword);
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

    // One frame of the game's object pass with the keys as they stand.
    void Step()
    {
        PlatformBeginFrameKeys();
        UpdateObjects();
    }

    void Press(int key) { PlatformKeyDown(key); }
    void Release(int key) { PlatformKeyUp(key); }

    // Taps Ctrl in the next frame and releases it after.
    void TapCtrlAndStep()
    {
        Press(VkCtrl);
        Step();
        Release(VkCtrl);
    }

    // Steps until the running attack ends; returns the updates it took.
    int RunAttack()
    {
        int updates = 0;
        while (player->action == 1 && updates < 100) {
            Step();
            ++updates;
        }
        return updates;
    }

    StillEnemy* AddEnemy(int32_t type, int32_t attack, Vec3 at)
    {
        auto* enemy = new StillEnemy();
        AddObject(enemy, type, TeamEnemy, 1);
        enemy->hp = enemy->maxHp = 10;
        enemy->attack = attack;
        enemy->position = at;
        enemy->collider->sphere->radius = 2.0f;
        enemy->collider->sphere->center = at;
        return enemy;
    }

    ObjCamera* camera = nullptr;
    ProbeWeapon* sword = nullptr;
    CharaPlayer* player = nullptr;
};

TEST_F(CharaPlayerTest, ThreeHitComboRunsTwentyTwelveTwentyUpdates)
{
    TapCtrlAndStep();
    ASSERT_EQ(player->action, 1);
    EXPECT_EQ(player->comboStep, 0);

    // First attack: no lunge, the hit window opens at its tenth update.
    std::vector<int> strikeUpdates;
    int updates = 0;
    const Vec3 start = player->position;
    while (player->action == 1 && updates < 100) {
        const size_t before = sword->calls.size();
        Step();
        ++updates;
        if (sword->calls.size() > before && sword->calls.back() == "begin") {
            strikeUpdates.push_back(updates);
        }
    }
    EXPECT_EQ(updates, 20);
    ASSERT_FALSE(strikeUpdates.empty());
    EXPECT_EQ(strikeUpdates.front(), 10);
    EXPECT_FLOAT_EQ(Length(player->position - start), 0.0f);
    EXPECT_EQ(player->comboStep, 1);
    EXPECT_TRUE(player->comboPrompt);

    // Second attack: strikes from its first update, lunges for three. The
    // window's first update sees Ctrl up, the next one the new press.
    Step();
    TapCtrlAndStep();
    ASSERT_EQ(player->action, 1);
    EXPECT_FALSE(player->comboPrompt);
    EXPECT_EQ(sword->Count("next"), 1);
    std::vector<float> moved;
    updates = 0;
    while (player->action == 1 && updates < 100) {
        const Vec3 before = player->position;
        Step();
        ++updates;
        moved.push_back(Length(player->position - before));
    }
    EXPECT_EQ(updates, 12);
    ASSERT_EQ(moved.size(), 12u);
    for (size_t i = 0; i < moved.size(); ++i) {
        EXPECT_NEAR(moved[i], i < 3 ? 0.1f : 0.0f, 1e-5f) << "second attack update " << i + 1;
    }
    EXPECT_EQ(player->comboStep, 2);

    // Third attack: lunges for six updates, then the combo starts over.
    Step();
    TapCtrlAndStep();
    EXPECT_EQ(sword->Count("next"), 2);
    moved.clear();
    updates = 0;
    while (player->action == 1 && updates < 100) {
        const Vec3 before = player->position;
        Step();
        ++updates;
        moved.push_back(Length(player->position - before));
    }
    EXPECT_EQ(updates, 20);
    for (size_t i = 0; i < moved.size(); ++i) {
        EXPECT_NEAR(moved[i], i < 6 ? 0.2f : 0.0f, 1e-5f) << "third attack update " << i + 1;
    }
    EXPECT_EQ(player->comboStep, 0);
    EXPECT_EQ(sword->calls.back(), "reset");

    Step();
    TapCtrlAndStep();
    Step();
    EXPECT_EQ(player->action, 1);
    EXPECT_EQ(player->anim, 2);
}

// The window after an attack tests Ctrl in five updates and closes in the
// sixth, resetting the combo. Nothing tests Ctrl during an attack, so the
// first window update is the one that sees the earlier press released.
TEST_F(CharaPlayerTest, ComboWindowIsFiveUpdates)
{
    for (int wait = 0; wait <= 5; ++wait) {
        SetUp();
        TapCtrlAndStep();
        RunAttack();
        ASSERT_EQ(player->comboStep, 1);
        for (int i = 0; i < wait; ++i) {
            Step();
        }
        TapCtrlAndStep();
        if (wait == 0) {
            EXPECT_EQ(player->action, 0) << "the press before was never seen released";
        } else if (wait < 5) {
            EXPECT_EQ(player->action, 1) << "press after " << wait << " window updates";
            EXPECT_EQ(player->comboStep, 1);
        } else {
            EXPECT_EQ(player->action, 0) << "press after the window closed";
            EXPECT_EQ(player->comboStep, 0);
            EXPECT_FALSE(player->comboPrompt);
            EXPECT_EQ(sword->calls.back(), "reset");
        }
        TearDown();
    }
}

TEST_F(CharaPlayerTest, HoldingCtrlDoesNotContinueTheCombo)
{
    Press(VkCtrl);
    Step();
    ASSERT_EQ(player->action, 1);
    EXPECT_EQ(RunAttack(), 20);
    for (int i = 0; i < 10; ++i) {
        Step();
        EXPECT_EQ(player->action, 0) << "window update " << i + 1;
    }
    EXPECT_EQ(player->comboStep, 0);
    EXPECT_EQ(sword->Count("next"), 0);

    // Held through the closed window it still does not start a new combo;
    // a release and a new press does.
    Step();
    EXPECT_EQ(player->action, 0);
    Release(VkCtrl);
    Step();
    TapCtrlAndStep();
    EXPECT_EQ(player->action, 1);
}

TEST_F(CharaPlayerTest, WalksRelativeToTheCamera)
{
    // Default view: the camera looks along -z, so W walks along -z.
    Press(VkW);
    Step();
    EXPECT_NEAR(player->position.z, -0.15f, 1e-5f);
    EXPECT_NEAR(player->position.x, 0.0f, 1e-5f);
    EXPECT_EQ(player->anim, 1);

    // Diagonal input keeps the straight speed.
    Press(VkD);
    const Vec3 before = player->position;
    Step();
    EXPECT_NEAR(player->position.x - before.x, 0.15f * 0.707f, 1e-5f);
    EXPECT_NEAR(player->position.z - before.z, -0.15f * 0.707f, 1e-5f);
    Release(VkW);
    Release(VkD);

    // Opposite keys cancel: no step, standing animation.
    Press(VkA);
    Press(VkD);
    const Vec3 still = player->position;
    Step();
    EXPECT_FLOAT_EQ(Length(player->position - still), 0.0f);
    EXPECT_EQ(player->anim, 0);
    Release(VkA);
    Release(VkD);

    // A camera on the +x side looking toward -x, and above: W still walks
    // away from it along the ground at full speed.
    camera->view = MatLookAt(Vec3{10.0f, 6.0f, 0.0f}, Vec3{0.0f, 0.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f});
    Press(VkW);
    const Vec3 from = player->position;
    Step();
    EXPECT_NEAR(player->position.x - from.x, -0.15f, 1e-5f);
    EXPECT_NEAR(player->position.z - from.z, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(player->position.y, 0.0f);
    Release(VkW);
    Press(VkS);
    Step();
    EXPECT_NEAR(player->position.x - from.x, 0.0f, 1e-5f);
}

// A wall across the way at z = -2, its face toward the player, stops walking
// into it and lets a diagonal walk slide along it.
TEST_F(CharaPlayerTest, WallsStopThePlayerAndLetItSlide)
{
    constexpr int WallSlot = 31;
    auto* wall = new StaticModel();
    const Vec3 corners[4] = {{-50.0f, -5.0f, -2.0f}, {50.0f, -5.0f, -2.0f}, {50.0f, 5.0f, -2.0f}, {-50.0f, 5.0f, -2.0f}};
    for (const Vec3& corner : corners) {
        ModelVertex vertex;
        vertex.x = corner.x;
        vertex.y = corner.y;
        vertex.z = corner.z;
        wall->vertices.push_back(vertex);
    }
    wall->vertexCount = 4;
    wall->faceIndices = {0, 1, 2, 0, 2, 3};
    wall->faceCount = 2;
    ASSERT_EQ(StaticModelTable[WallSlot], nullptr);
    StaticModelTable[WallSlot] = wall;
    StageGeometry geometry;
    geometry.wallModel = WallSlot;
    player->stage = &geometry;

    Press(VkW);
    for (int i = 0; i < 40; ++i) {
        Step();
        ASSERT_GT(player->position.z, -2.0f) << "walked through the wall at update " << i + 1;
    }
    EXPECT_LT(player->position.z, -1.0f);
    Press(VkD);
    const float x = player->position.x;
    for (int i = 0; i < 10; ++i) {
        Step();
    }
    EXPECT_GT(player->position.x - x, 0.5f);
    EXPECT_GT(player->position.z, -2.0f);

    StaticModelTable[WallSlot] = nullptr;
    delete wall;
}

TEST_F(CharaPlayerTest, ContactHurtsKnocksBackAndRepeatsWhileTouching)
{
    AddEnemy(TypeSlimeGreen, 10, Vec3{0.0f, 0.0f, -0.5f});
    Step();
    EXPECT_EQ(player->hp, 140);
    EXPECT_TRUE(player->knockedBack);
    EXPECT_TRUE(player->hitFlash);

    // No contact damage while knocked back; it decays 10 % per update and
    // ends once the push is 0.02 or less (sixteen updates from 0.1).
    int updates = 0;
    while (player->knockedBack && updates < 100) {
        Step();
        ++updates;
    }
    EXPECT_EQ(updates, 16);
    EXPECT_EQ(player->hp, 140);
    EXPECT_EQ(player->anim, 5);

    // The body sphere stayed where the last normal update left it, so the
    // enemy still touches it in the next normal update.
    Step();
    EXPECT_EQ(player->hp, 130);
}

TEST_F(CharaPlayerTest, WizardsNeverHurtByTouch)
{
    AddEnemy(TypeWizard, 30, Vec3{0.0f, 0.0f, 0.0f});
    for (int i = 0; i < 5; ++i) {
        Step();
    }
    EXPECT_EQ(player->hp, 150);
    EXPECT_FALSE(player->knockedBack);
}

TEST_F(CharaPlayerTest, HitDuringAttackEndsStrikeButKeepsComboStep)
{
    TapCtrlAndStep();
    RunAttack();
    Step();
    TapCtrlAndStep();
    ASSERT_EQ(player->comboStep, 1);
    ASSERT_EQ(player->action, 1);
    AddEnemy(TypeSlimeRed, 5, Vec3{0.0f, 0.0f, 0.3f})->MarkForRemoval(1);
    sword->calls.clear();
    Step();
    ASSERT_TRUE(player->knockedBack);
    while (player->knockedBack) {
        Step();
    }
    EXPECT_EQ(player->action, 0);
    EXPECT_EQ(player->comboStep, 1);
    ASSERT_GE(sword->calls.size(), 2u);
    EXPECT_EQ(sword->calls[sword->calls.size() - 2], "end");
    EXPECT_EQ(sword->calls.back(), "reset");
    // The window for the pending second attack opens now.
    Step();
    TapCtrlAndStep();
    EXPECT_EQ(player->action, 1);
    EXPECT_EQ(player->comboStep, 1);
}

TEST_F(CharaPlayerTest, DeathFinishesKnockbackThenDiesForOneHundredTwentyUpdates)
{
    AddEnemy(TypeLizaldy, 200, Vec3{0.3f, 0.0f, 0.0f})->MarkForRemoval(1);
    Step();
    EXPECT_EQ(player->hp, -50);
    EXPECT_TRUE(player->dead);
    int updates = 0;
    while (player->knockedBack && updates < 100) {
        Step();
        ++updates;
    }
    EXPECT_EQ(updates, 16);
    Press(VkW);
    for (int i = 1; i < 120; ++i) {
        Step();
        ASSERT_EQ(NextScene, nullptr) << "dying update " << i;
        EXPECT_EQ(player->anim, 6);
    }
    const Vec3 before = player->position;
    Step();
    EXPECT_NE(dynamic_cast<SceneGameOver*>(NextScene), nullptr);
    EXPECT_FLOAT_EQ(Length(player->position - before), 0.0f);
}

TEST(HpGauge, WidthFollowsHitPointsAndStaysInsideTheFrame)
{
    EXPECT_EQ(HpGaugeWidth(150, 150, 192), 192);
    EXPECT_EQ(HpGaugeWidth(75, 150, 192), 96);
    EXPECT_EQ(HpGaugeWidth(1, 150, 192), 1);
    EXPECT_EQ(HpGaugeWidth(149, 150, 192), 190);
    EXPECT_EQ(HpGaugeWidth(0, 150, 192), 0);
    EXPECT_EQ(HpGaugeWidth(-60, 150, 192), 0);
    EXPECT_EQ(HpGaugeWidth(300, 150, 192), 192);
    EXPECT_EQ(HpGaugeWidth(10, 0, 192), 0);
}

TEST(HpGauge, PulseSwingsBetweenRedAndWhiteFiftyFramesEachWay)
{
    float color[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    float pulse = 0.02f;
    int frames = 0;
    while (pulse > 0.0f && frames < 1000) {
        PulseGaugeColor(color, pulse);
        ++frames;
    }
    EXPECT_NEAR(frames, 51, 1);
    EXPECT_FLOAT_EQ(color[1], 1.0f);
    EXPECT_FLOAT_EQ(color[2], 1.0f);
    frames = 0;
    while (pulse < 0.0f && frames < 1000) {
        PulseGaugeColor(color, pulse);
        ++frames;
    }
    EXPECT_NEAR(frames, 51, 1);
    EXPECT_FLOAT_EQ(color[1], 0.0f);
    EXPECT_FLOAT_EQ(color[0], 1.0f);
}

}  // namespace
