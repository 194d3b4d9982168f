// The six enemy kinds driven update by update with a fixed seed and a player
// placed by hand: their stats, noticing and giving up, each attack's timing,
// knock-back, what touching them costs, the stage's bands, and defeat counting.
#include <cmath>
#include <vector>

#include "objects/bullet_bubble.h"
#include "objects/bullet_fire.h"
#include "objects/chara_lizaldy.h"
#include "objects/chara_slimes.h"
#include "objects/chara_wivern.h"
#include "objects/chara_wizard.h"
#include "objects/damage.h"
#include "objects/enemy_contact.h"
#include "objects/weapon_spear.h"
#include "objects/weapon_staff.h"
#include "scenes/stage1_enemies.h"
#include "tests/objects_world.h"

namespace {

// The player is a bare character that stays where the test puts it.
class EnemiesTest : public ObjectsWorld {
protected:
    void SetUp() override
    {
        ObjectsWorld::SetUp();
        player = AddPlayer(Vec3{});
    }

    template <typename Enemy>
    Enemy* Add(int32_t type, Vec3 at)
    {
        auto* enemy = new Enemy();
        AddObject(enemy, type, TeamEnemy, 1);
        enemy->Setup(player, nullptr, at.x, at.y, at.z);
        return enemy;
    }
    CharaLizaldy* AddLizard(Vec3 at)
    {
        spear = new WeaponSpear();
        AddObject(spear, TypeWeaponSpear, TeamEnemyWeapon, 1);
        auto* lizard = new CharaLizaldy();
        AddObject(lizard, TypeLizaldy, TeamEnemy, 1);
        lizard->Setup(player, nullptr, at.x, at.y, at.z, spear);
        SetupSpear(spear, EnemySpearDamage, lizard);
        return lizard;
    }
    CharaWizard* AddWizard(Vec3 at)
    {
        staff = new WeaponStaff();
        AddObject(staff, TypeWeaponStaff, TeamEnemyWeapon, 0);
        auto* wizard = new CharaWizard();
        AddObject(wizard, TypeWizard, TeamEnemy, 1);
        wizard->Setup(player, nullptr, at.x, at.y, at.z, staff);
        SetupStaff(staff, wizard, TeamPlayer, nullptr);
        return wizard;
    }
    CharaEnemy* AddKind(int32_t type, Vec3 at)
    {
        switch (type) {
        case TypeSlimeGreen: return Add<CharaSlimeGreen>(type, at);
        case TypeSlimeBlue: return Add<CharaSlimeBlue>(type, at);
        case TypeSlimeRed: return Add<CharaSlimeRed>(type, at);
        case TypeWivern: return Add<CharaWivern>(type, at);
        case TypeWizard: return AddWizard(at);
        default: return AddLizard(at);
        }
    }
    // Updates while the enemy stays in `state`, holding it at `at`.
    static int UpdatesIn(CharaEnemy* enemy, int32_t state, Vec3 at, int limit = 300)
    {
        int updates = 0;
        while (enemy->aiState == state && updates < limit) {
            enemy->position = at;
            Step();
            ++updates;
        }
        return updates;
    }

    ObjCharacter* player = nullptr;
    WeaponSpear* spear = nullptr;
    WeaponStaff* staff = nullptr;
};

TEST_F(EnemiesTest, EachKindsStatsAndTheEnemyCount)
{
    const struct {
        int32_t type;
        int32_t hp, attack;
        float radius, speed;
    } kinds[] = {{TypeSlimeGreen, 30, 5, 0.4f, 0.03f}, {TypeSlimeBlue, 50, 5, 0.2f, 0.05f},
                 {TypeSlimeRed, 50, 5, 0.2f, 0.02f},   {TypeWivern, 60, 10, 1.0f, 0.05f},
                 {TypeWizard, 60, 0, 0.4f, 0.03f},     {TypeLizaldy, 100, 10, 0.4f, 0.05f}};
    for (const auto& k : kinds) {
        CharaEnemy* enemy = AddKind(k.type, {0.0f, 0.0f, -30.0f});
        EXPECT_EQ(enemy->maxHp, k.hp) << k.type;
        EXPECT_EQ(enemy->attack, k.attack) << k.type;
        EXPECT_EQ(enemy->collider->sphere->radius, k.radius) << k.type;
        EXPECT_EQ(enemy->moveSpeed, k.speed) << k.type;
    }
    EXPECT_EQ(EnemiesAlive, 6);
    EXPECT_EQ(Live<CharaWivern>()[0]->diveSpeed, 0.7f);
    EXPECT_EQ(Live<CharaLizaldy>()[0]->weapon, spear);
    EXPECT_EQ(Live<CharaWizard>()[0]->weapon, staff);
}

TEST_F(EnemiesTest, NoticeAndGiveUpDistancesOfEveryKind)
{
    const struct {
        int32_t type;
        float notice;  // noticed strictly inside this distance
        float giveUp;  // gives up strictly beyond this distance
    } cases[] = {{TypeSlimeGreen, 10, 12}, {TypeSlimeBlue, 10, 11}, {TypeSlimeRed, 10, 12},
                 {TypeWivern, 20, 21},     {TypeWizard, 15, 16},    {TypeLizaldy, 8, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type));
        ClearObjectList();
        player = AddPlayer(Vec3{});
        CharaEnemy* enemy = AddKind(c.type, {0.0f, 0.0f, -c.notice});
        srand(1);
        const struct {
            float distance;
            int32_t state;
        } steps[] = {{c.notice, 0}, {c.notice - 0.01f, 1}, {c.giveUp, 1}, {c.giveUp + 0.5f, 0}};
        for (const auto& step : steps) {
            enemy->position = Vec3{0.0f, 0.0f, -step.distance};
            enemy->velocity = Vec3{};
            enemy->animFrame = 0.0f;
            enemy->Update();
            EXPECT_EQ(enemy->aiState, step.state) << "at " << step.distance;
        }
    }
}

TEST_F(EnemiesTest, BlueSlimeReleasesOneRingOfTwelveAtFrameThirty)
{
    const Vec3 at{0.0f, 0.0f, -1.5f};
    auto* blue = Add<CharaSlimeBlue>(TypeSlimeBlue, at);
    blue->aiState = 1;
    Step();  // within 2: the attack starts
    ASSERT_EQ(blue->aiState, 2);
    // Twentieth update of the attack: animFrame is exactly 30. The ring goes
    // off once; the attack ends at 60 (update 40).
    blue->position = at;
    RunFrames(19);
    EXPECT_EQ(CountOf<BulletBubble>(), 0);
    Step();
    EXPECT_EQ(CountOf<BulletBubble>(), BubbleRingCount);
    // The first bubble flies 30 degrees from -Z toward +X, the next 30 on.
    const std::vector<BulletBubble*> ring = Live<BulletBubble>();
    const Vec3 first = Vec3Normalize({ring[0]->velocity.x, 0.0f, ring[0]->velocity.z});
    const Vec3 second = Vec3Normalize({ring[1]->velocity.x, 0.0f, ring[1]->velocity.z});
    EXPECT_EQ(UpdatesIn(blue, 2, at), 20);
    EXPECT_NEAR(first.x, 0.5f, 0.01f);
    EXPECT_NEAR(first.z, -0.866f, 0.01f);
    EXPECT_NEAR(Dot(first, second), std::cos(30.0f * DegToRad), 0.01f);
}

TEST_F(EnemiesTest, LizardSpearIsOpenFromFrame36ToFrame40Point5AndKeepsItsAttackWhenPushed)
{
    const Vec3 at{0.0f, 0.0f, -1.5f};
    auto* lizard = AddLizard(at);
    lizard->aiState = 1;
    Step();
    ASSERT_EQ(lizard->aiState, 2);
    std::vector<float> changes;
    bool wasStriking = false;
    while (lizard->aiState == 2 && changes.size() < 10) {
        lizard->position = at;
        Step();
        if ((spear->striking != 0) != wasStriking) {
            changes.push_back(lizard->animFrame);
            wasStriking = spear->striking != 0;
        }
    }
    EXPECT_EQ(changes, (std::vector<float>{36.0f, 40.5f}));
    EXPECT_EQ(lizard->aiState, 1);  // back to the chase at 60
    // Pushed back mid-thrust, the pose freezes and the attack goes on after.
    lizard->aiState = 2;
    lizard->anim = 2;
    lizard->animFrame = 12.0f;
    ApplyDamage(5, HitStrength, player, lizard);
    Step();
    EXPECT_EQ(lizard->aiState, 2);
    EXPECT_EQ(lizard->animFrame, 12.0f);
    EXPECT_EQ(lizard->anim, 2);
}

TEST_F(EnemiesTest, KnockbackDecaysOverSixteenUpdates)
{
    auto* green = Add<CharaSlimeGreen>(TypeSlimeGreen, {0.0f, 0.0f, -30.0f});
    ApplyDamage(1, HitStrength, player, green);
    EXPECT_EQ(StepsWhile([green] { return green->knockedBack; }, 100), 16);
    EXPECT_NEAR(Length(green->velocity), 0.0185f, 0.001f);
    EXPECT_NEAR(-30.0f - green->position.z, 0.73f, 0.02f);  // pushed away from the player
}

TEST_F(EnemiesTest, RedSlimeShootsAtOnceThenEvery61UpdatesButNotFromThePlayersSpot)
{
    const Vec3 at{0.0f, 0.0f, -5.0f};
    auto* red = Add<CharaSlimeRed>(TypeSlimeRed, at);
    srand(3);
    Step();  // notices
    ASSERT_EQ(red->aiState, 1);
    std::vector<int> shots;
    for (int update = 1; update <= 130; ++update) {
        const int before = CountOf<BulletFire>();
        red->position = at;
        Step();
        if (CountOf<BulletFire>() > before) {
            shots.push_back(update);
        }
    }
    EXPECT_EQ(shots, (std::vector<int>{1, 62, 123}));
    // Standing exactly on the player gives no direction: no shot, no count.
    ClearObjectList();
    player = AddPlayer(Vec3{});
    red = Add<CharaSlimeRed>(TypeSlimeRed, {});
    red->aiState = 1;
    red->fireArmed = true;
    red->fireCooldown = 17;
    Step();
    EXPECT_EQ(CountOf<BulletFire>(), 0);
    EXPECT_EQ(red->fireCooldown, 17);
    EXPECT_TRUE(std::isfinite(red->position.x) && std::isfinite(red->position.z));
}

TEST_F(EnemiesTest, WivernHoversUntilRestedThenDivesClimbsAndRests)
{
    const Vec3 at{0.0f, 9.5f, -12.0f};
    auto* wivern = Add<CharaWivern>(TypeWivern, at);
    wivern->aiState = 1;
    wivern->diveCooldown = 10;
    for (int i = 0; i < 9; ++i) {
        Step();
        EXPECT_EQ(wivern->aiState, 1);  // within 16, but not rested yet
        EXPECT_EQ(wivern->velocity.x, 0.0f);
    }
    Step();
    ASSERT_EQ(wivern->aiState, 2);
    EXPECT_EQ(StepsWhile([wivern] { return wivern->diveLaunched == 0; }, 40), 20);  // launches at frame 30
    EXPECT_LT(wivern->velocity.y, 0.0f);
    // With the player pulled away, the dive ends by its timer or the ground.
    player->position = Vec3{0.0f, 50.0f, 0.0f};
    StepsWhile([wivern] { return wivern->aiState == 2; }, 200);
    EXPECT_EQ(wivern->aiState, 3);
    EXPECT_EQ(wivern->diveCooldown, WivernDiveCooldown);
    EXPECT_FALSE(wivern->diveHit);
    StepsWhile([wivern] { return wivern->aiState == 3; }, 1000);
    EXPECT_EQ(wivern->aiState, 0);
    EXPECT_GT(wivern->position.y, WivernCruiseHeight);
    EXPECT_LE(wivern->position.y, WivernCruiseHeight + 0.071f);
}

TEST_F(EnemiesTest, WizardCastsUntilTheCastRunsOut)
{
    const Vec3 at{0.0f, 0.0f, -10.0f};
    auto* wizard = AddWizard(at);
    Step();
    ASSERT_EQ(wizard->aiState, 1);
    EXPECT_NE(staff->striking, 0);
    EXPECT_EQ(UpdatesIn(wizard, 1, at), 120);  // 60 frames at 0.5 per update
    EXPECT_EQ(staff->striking, 0);
}

// A touching wizard never hurts, a wyvern only with its dive and once per
// dive; every other enemy with its attack.
TEST_F(EnemiesTest, TouchingHurtsExceptWizardsAndWivernsOutsideTheirDive)
{
    player->collider->sphere->radius = 0.4f;
    auto* green = Add<CharaSlimeGreen>(TypeSlimeGreen, {0.0f, 0.0f, 0.3f});
    AddWizard({0.2f, 0.0f, 0.0f});
    auto* wivern = Add<CharaWivern>(TypeWivern, {-0.3f, 0.0f, 0.0f});
    const int32_t hp = player->hp;
    const struct {
        int32_t wivernState;
        int32_t lost;
    } touches[] = {{0, 5}, {2, 5 + 10}, {2, 5}};
    int32_t expected = hp;
    for (const auto& touch : touches) {
        wivern->aiState = touch.wivernState;
        player->knockedBack = false;
        TakeEnemyContactDamage(*player);
        expected -= touch.lost;
        EXPECT_EQ(player->hp, expected) << "wyvern state " << touch.wivernState;
    }
    EXPECT_TRUE(wivern->diveHit);
    EXPECT_EQ(green->attack, 5);
}

TEST_F(EnemiesTest, DefeatIsCountedOnceEvenWhenHitTwiceInOneFrame)
{
    auto* lizard = AddLizard({0.0f, 0.0f, -30.0f});
    ASSERT_EQ(EnemiesAlive, 1);
    ApplyDamage(60, HitStrength, player, lizard);
    lizard->knockedBack = false;
    ApplyDamage(60, HitStrength, player, lizard);
    for (int frame = 0; frame < 2; ++frame) {
        Step();
        EXPECT_EQ(EnemiesAlive, 0);
        EXPECT_EQ(SaveData.defeatCount, 1);
        EXPECT_EQ(lizard->removeFlag, 1);
        EXPECT_EQ(spear->removeFlag, 1);  // the spear goes with its holder
    }
    Step();
    EXPECT_EQ(CountOf<CharaLizaldy>(), 0);
    EXPECT_EQ(ReadBytes(dir.File(SaveFileName)).size(), 8u);
}

TEST_F(EnemiesTest, StageSpawnsTwentyInTheirBandsAndOrder)
{
    srand(42);
    SpawnStage1Enemies(player, nullptr);
    EXPECT_EQ(EnemiesAlive, Stage1EnemyCount);
    std::vector<int32_t> types;
    for (Object* object : ObjectList) {
        if (object->team != TeamEnemy) {
            continue;
        }
        types.push_back(object->objectType);
        const Vec3 p = object->position;
        const bool green = object->objectType == TypeSlimeGreen;
        const bool slime = object->objectType == TypeSlimeRed || object->objectType == TypeSlimeBlue;
        const float halfWidth = green ? 6.0f : 20.0f;
        const float nearZ = green ? -20.0f : slime ? -70.0f : -100.0f;
        const float farZ = green ? -40.0f : slime ? -80.0f : -150.0f;
        EXPECT_TRUE(std::fabs(p.x) <= halfWidth && p.z <= nearZ && p.z >= farZ) << object->objectType;
        EXPECT_EQ(p.y, object->objectType == TypeWivern ? 9.5f : 0.0f);
    }
    EXPECT_EQ(types, (std::vector<int32_t>{2, 2, 2, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7, 7, 7}));
}

TEST_F(EnemiesTest, EnemiesKeepHuntingSafelyWhenTheirTargetIsGone)
{
    auto* green = Add<CharaSlimeGreen>(TypeSlimeGreen, {0.0f, 0.0f, -3.0f});
    auto* wivern = Add<CharaWivern>(TypeWivern, {0.0f, 9.5f, -3.0f});
    green->aiState = 1;
    wivern->aiState = 2;
    player->MarkForRemoval(0);
    RunFrames(80);
    EXPECT_EQ(green->Target(), nullptr);
    EXPECT_EQ(green->aiState, 0);
    EXPECT_TRUE(std::isfinite(wivern->position.y));
}

}  // namespace
