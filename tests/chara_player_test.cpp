// The sword fighter's rules, driven update by update with scripted keys and
// no window: combo timing and windows, camera-relative walking, walls,
// contact damage, knock-back, death, and the HP gauge arithmetic.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "objects/chara_player.h"
#include "objects/stage_geometry.h"
#include "scenes/scene_game_over.h"
#include "tests/objects_world.h"

namespace {

constexpr int VkW = 'W';
constexpr int VkA = 'A';
constexpr int VkS = 'S';
constexpr int VkD = 'D';

class CharaPlayerTest : public ObjectsWorld {
protected:
    void SetUp() override
    {
        ObjectsWorld::SetUp();
        camera = AddCamera();
        sword = new ProbeWeapon();
        AddObject(sword, TypeWeaponSword, TeamPlayerWeapon, 0);
        player = new CharaPlayer();
        AddObject(player, TypePlayer, TeamPlayer, 1);
        player->Setup(nullptr, 0.0f, 0.0f, 0.0f, sword);
    }

    // Steps until the running attack ends; returns the updates it took.
    int RunAttack() const
    {
        return StepsWhile([this] { return player->action == 1; }, 100);
    }
    // The distance walked in each update of the running attack; the sword
    // learns the attack's update number.
    std::vector<float> AttackSteps() const
    {
        std::vector<float> moved;
        while (player->action == 1 && moved.size() < 100) {
            sword->update = static_cast<int>(moved.size()) + 1;
            const Vec3 before = player->position;
            Step();
            moved.push_back(Length(player->position - before));
        }
        return moved;
    }
    // A body that stands still; its attack is what touching it costs.
    static ObjCharacter* AddToucher(int32_t type, int32_t attack, Vec3 at)
    {
        ObjCharacter* enemy = AddCharacter(type, TeamEnemy, at, 10, 2.0f, attack);
        EnemiesAlive = 0;
        return enemy;
    }

    ObjCamera* camera = nullptr;
    ProbeWeapon* sword = nullptr;
    CharaPlayer* player = nullptr;
};

std::vector<float> Lunge(float step, size_t updates, size_t total)
{
    std::vector<float> moved(total, 0.0f);
    std::fill(moved.begin(), moved.begin() + static_cast<long>(updates), step);
    return moved;
}

void ExpectSteps(const std::vector<float>& moved, const std::vector<float>& expected)
{
    ASSERT_EQ(moved.size(), expected.size());
    for (size_t i = 0; i < moved.size(); ++i) {
        EXPECT_NEAR(moved[i], expected[i], 1e-5f) << "update " << i + 1;
    }
}

TEST_F(CharaPlayerTest, ThreeHitComboRunsTwentyTwelveTwentyUpdates)
{
    // First attack: no lunge, the hit window opens at its tenth update.
    Tap(VkCtrl);
    ASSERT_EQ(player->action, 1);
    EXPECT_EQ(player->comboStep, 0);
    ExpectSteps(AttackSteps(), Lunge(0.0f, 0, 20));
    ASSERT_FALSE(sword->UpdatesOf("begin").empty());
    EXPECT_EQ(sword->UpdatesOf("begin").front(), 10);
    EXPECT_EQ(player->comboStep, 1);
    EXPECT_TRUE(player->comboPrompt);

    // Second attack: strikes from its first update, lunges for three. The
    // window's first update sees Ctrl up, the next one the new press.
    Step();
    Tap(VkCtrl);
    ASSERT_EQ(player->action, 1);
    EXPECT_FALSE(player->comboPrompt);
    EXPECT_EQ(sword->UpdatesOf("next").size(), 1u);
    ExpectSteps(AttackSteps(), Lunge(0.1f, 3, 12));
    EXPECT_EQ(player->comboStep, 2);

    // Third attack: lunges for six updates, then the combo starts over.
    Step();
    Tap(VkCtrl);
    EXPECT_EQ(sword->UpdatesOf("next").size(), 2u);
    ExpectSteps(AttackSteps(), Lunge(0.2f, 6, 20));
    EXPECT_EQ(player->comboStep, 0);
    EXPECT_EQ(sword->calls.back(), "reset");
    Step();
    Tap(VkCtrl);
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
        SCOPED_TRACE("press after " + std::to_string(wait) + " window updates");
        TearDown();
        SetUp();
        Tap(VkCtrl);
        RunAttack();
        ASSERT_EQ(player->comboStep, 1);
        RunFrames(wait);
        Tap(VkCtrl);
        const bool continues = wait > 0 && wait < 5;
        EXPECT_EQ(player->action, continues ? 1 : 0);
        EXPECT_EQ(player->comboStep, wait < 5 ? 1 : 0);
        if (wait == 5) {
            EXPECT_FALSE(player->comboPrompt);
            EXPECT_EQ(sword->calls.back(), "reset");
        }
    }
}

TEST_F(CharaPlayerTest, HoldingCtrlDoesNotContinueTheCombo)
{
    PlatformKeyDown(VkCtrl);
    Step();
    ASSERT_EQ(player->action, 1);
    EXPECT_EQ(RunAttack(), 20);
    for (int i = 0; i < 10; ++i) {
        Step();
        EXPECT_EQ(player->action, 0) << "window update " << i + 1;
    }
    EXPECT_EQ(player->comboStep, 0);
    EXPECT_TRUE(sword->UpdatesOf("next").empty());
    // Held through the closed window it still does not start a new combo;
    // a release and a new press does.
    Step();
    EXPECT_EQ(player->action, 0);
    PlatformKeyUp(VkCtrl);
    Step();
    Tap(VkCtrl);
    EXPECT_EQ(player->action, 1);
}

TEST_F(CharaPlayerTest, WalksRelativeToTheCamera)
{
    struct Case {
        std::vector<int> keys;
        Vec3 eye;         // the camera looks from here at the origin
        Vec3 step;        // expected movement in one update
        int anim;
    };
    const Vec3 front{0.0f, 0.0f, 5.0f};
    const Vec3 side{10.0f, 6.0f, 0.0f};  // on the +x side, and above
    const Case cases[] = {
        {{VkW}, front, {0.0f, 0.0f, -0.15f}, 1},
        // Diagonal input keeps the straight speed.
        {{VkW, VkD}, front, {0.15f * 0.707f, 0.0f, -0.15f * 0.707f}, 1},
        // Opposite keys cancel: no step, standing animation.
        {{VkA, VkD}, front, {}, 0},
        // W still walks away from the camera along the ground at full speed.
        {{VkW}, side, {-0.15f, 0.0f, 0.0f}, 1},
        {{VkS}, side, {0.15f, 0.0f, 0.0f}, 1},
    };
    for (const Case& c : cases) {
        camera->view = MatLookAt(c.eye, Vec3{}, Vec3{0.0f, 1.0f, 0.0f});
        for (int key : c.keys) {
            PlatformKeyDown(key);
        }
        const Vec3 before = player->position;
        Step();
        ReleaseKeys();
        const Vec3 moved = player->position - before;
        EXPECT_NEAR(Length(moved - c.step), 0.0f, 1e-5f) << c.keys.size() << " keys, eye x " << c.eye.x;
        EXPECT_EQ(player->anim, c.anim);
    }
}

// A wall across the way at z = -2, its face toward the player, stops walking
// into it and lets a diagonal walk slide along it.
TEST_F(CharaPlayerTest, WallsStopThePlayerAndLetItSlide)
{
    constexpr int WallSlot = 31;
    PutWallAhead(WallSlot);
    StageGeometry geometry;
    geometry.wallModel = WallSlot;
    player->stage = &geometry;

    PlatformKeyDown(VkW);
    for (int i = 0; i < 40; ++i) {
        Step();
        ASSERT_GT(player->position.z, -2.0f) << "walked through the wall at update " << i + 1;
    }
    EXPECT_LT(player->position.z, -1.0f);
    PlatformKeyDown(VkD);
    const float x = player->position.x;
    RunFrames(10);
    EXPECT_GT(player->position.x - x, 0.5f);
    EXPECT_GT(player->position.z, -2.0f);
}

TEST_F(CharaPlayerTest, ContactHurtsKnocksBackAndRepeatsWhileTouching)
{
    AddToucher(TypeSlimeGreen, 10, Vec3{0.0f, 0.0f, -0.5f});
    Step();
    EXPECT_EQ(player->hp, 140);
    EXPECT_TRUE(player->knockedBack);
    EXPECT_TRUE(player->hitFlash);
    // No contact damage while knocked back; it decays 10 % per update and
    // ends once the push is 0.02 or less (sixteen updates from 0.1).
    EXPECT_EQ(StepsWhile([this] { return player->knockedBack; }, 100), 16);
    EXPECT_EQ(player->hp, 140);
    EXPECT_EQ(player->anim, 5);
    // The body sphere stayed where the last normal update left it, so the
    // enemy still touches it in the next normal update.
    Step();
    EXPECT_EQ(player->hp, 130);
}

TEST_F(CharaPlayerTest, HitDuringAttackEndsStrikeButKeepsComboStep)
{
    Tap(VkCtrl);
    RunAttack();
    Step();
    Tap(VkCtrl);
    ASSERT_EQ(player->comboStep, 1);
    ASSERT_EQ(player->action, 1);
    AddToucher(TypeSlimeRed, 5, Vec3{0.0f, 0.0f, 0.3f})->MarkForRemoval(1);
    sword->calls.clear();
    Step();
    ASSERT_TRUE(player->knockedBack);
    StepsWhile([this] { return player->knockedBack; });
    EXPECT_EQ(player->action, 0);
    EXPECT_EQ(player->comboStep, 1);
    ASSERT_GE(sword->calls.size(), 2u);
    EXPECT_EQ(sword->calls[sword->calls.size() - 2], "end");
    EXPECT_EQ(sword->calls.back(), "reset");
    // The window for the pending second attack opens now.
    Step();
    Tap(VkCtrl);
    EXPECT_EQ(player->action, 1);
    EXPECT_EQ(player->comboStep, 1);
}

TEST_F(CharaPlayerTest, DeathFinishesKnockbackThenDiesForOneHundredTwentyUpdates)
{
    AddToucher(TypeLizaldy, 200, Vec3{0.3f, 0.0f, 0.0f})->MarkForRemoval(1);
    Step();
    EXPECT_EQ(player->hp, -50);
    EXPECT_TRUE(player->dead);
    EXPECT_EQ(StepsWhile([this] { return player->knockedBack; }, 100), 16);
    PlatformKeyDown(VkW);
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
    const struct {
        int32_t hp, maxHp;
        int width;
    } cases[] = {{150, 150, 192}, {75, 150, 96}, {1, 150, 1},   {149, 150, 190},
                 {0, 150, 0},     {-60, 150, 0}, {300, 150, 192}, {10, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(HpGaugeWidth(c.hp, c.maxHp, 192), c.width) << c.hp << " of " << c.maxHp;
    }
}

TEST(HpGauge, PulseSwingsBetweenRedAndWhiteFiftyFramesEachWay)
{
    float color[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    float pulse = 0.02f;
    for (const float end : {1.0f, 0.0f}) {
        const float sign = pulse;
        int frames = 0;
        while (pulse * sign > 0.0f && frames < 1000) {
            PulseGaugeColor(color, pulse);
            ++frames;
        }
        EXPECT_NEAR(frames, 51, 1);
        EXPECT_FLOAT_EQ(color[1], end);
        EXPECT_FLOAT_EQ(color[2], end);
        EXPECT_FLOAT_EQ(color[0], 1.0f);
    }
}

}  // namespace
