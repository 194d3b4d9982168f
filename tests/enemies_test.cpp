// The six enemy kinds driven update by update with a fixed seed and a player
// placed by hand: noticing and giving up, each attack's timing, knock-back,
// and defeat counting.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/save_data.h"
#include "math/collision.h"
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

class EnemiesTest : public ObjectsWorld {
protected:
    template <typename Enemy>
    Enemy* AddPlain(int32_t type, Vec3 at)
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

    // The player is a bare character that stays where the test put it.
    static void Step() { UpdateObjects(); }

    ObjCharacter* player = nullptr;
    WeaponSpear* spear = nullptr;
    WeaponStaff* staff = nullptr;
};

class EnemiesWithPlayer : public EnemiesTest {
protected:
    void SetUp() override
    {
        EnemiesTest::SetUp();
        player = AddPlayer(Vec3{0.0f, 0.0f, 0.0f});
    }
};

TEST_F(EnemiesWithPlayer, SetupCountsEnemiesAndSetsEachKindsStats)
{
    auto* green = AddPlain<CharaSlimeGreen>(TypeSlimeGreen, {0, 0, -30});
    auto* blue = AddPlain<CharaSlimeBlue>(TypeSlimeBlue, {0, 0, -30});
    auto* red = AddPlain<CharaSlimeRed>(TypeSlimeRed, {0, 0, -30});
    auto* wivern = AddPlain<CharaWivern>(TypeWivern, {0, 9.5f, -30});
    auto* lizard = AddLizard({0, 0, -30});
    auto* wizard = AddWizard({0, 0, -30});
    EXPECT_EQ(EnemiesAlive, 6);
    EXPECT_EQ(green->maxHp, 30);
    EXPECT_EQ(blue->collider->sphere->radius, 0.2f);
    EXPECT_EQ(red->moveSpeed, 0.02f);
    EXPECT_EQ(wivern->hp, 60);
    EXPECT_EQ(wivern->diveSpeed, 0.7f);
    EXPECT_EQ(lizard->attack, 10);
    EXPECT_EQ(lizard->weapon, spear);
    EXPECT_EQ(wizard->weapon, staff);
    EXPECT_EQ(wizard->attack, 0);
}

struct NoticeCase {
    int32_t type;
    float notice;  // noticed strictly inside this distance
    float giveUp;  // gives up strictly beyond this distance
};

TEST_F(EnemiesTest, NoticeAndGiveUpDistancesOfEveryKind)
{
    const NoticeCase cases[] = {{TypeSlimeGreen, 10, 12}, {TypeSlimeBlue, 10, 11},
                                {TypeSlimeRed, 10, 12},   {TypeWivern, 20, 21},
                                {TypeWizard, 15, 16},     {TypeLizaldy, 8, 9}};
    for (const NoticeCase& c : cases) {
        ClearObjectList();
        player = AddPlayer(Vec3{0.0f, 0.0f, 0.0f});
        const float y = 0.0f;
        CharaEnemy* enemy = nullptr;
        auto place = [&](float z) -> CharaEnemy* {
            switch (c.type) {
            case TypeSlimeGreen: return AddPlain<CharaSlimeGreen>(c.type, {0, y, z});
            case TypeSlimeBlue: return AddPlain<CharaSlimeBlue>(c.type, {0, y, z});
            case TypeSlimeRed: return AddPlain<CharaSlimeRed>(c.type, {0, y, z});
            case TypeWivern: return AddPlain<CharaWivern>(c.type, {0, y, z});
            case TypeWizard: return AddWizard({0, y, z});
            default: return AddLizard({0, y, z});
            }
        };
        // Exactly at the notice distance: not yet.
        enemy = place(-c.notice);
        enemy->velocity = Vec3{};
        srand(1);
        enemy->Update();
        EXPECT_EQ(enemy->aiState, 0) << "type " << c.type;
        // Just inside: noticed in that update.
        enemy->position = Vec3{0, y, -(c.notice - 0.01f)};
        enemy->Update();
        EXPECT_EQ(enemy->aiState, 1) << "type " << c.type;
        // Exactly at the give-up distance the chase goes on; beyond it ends.
        enemy->position = Vec3{0, y, -c.giveUp};
        enemy->animFrame = 0.0f;
        enemy->Update();
        EXPECT_EQ(enemy->aiState, 1) << "type " << c.type;
        enemy->position = Vec3{0, y, -(c.giveUp + 0.5f)};
        enemy->animFrame = 0.0f;
        enemy->Update();
        EXPECT_EQ(enemy->aiState, 0) << "type " << c.type;
    }
}

TEST_F(EnemiesWithPlayer, BlueSlimeReleasesOneRingOfTwelveAtFrameThirty)
{
    auto* blue = AddPlain<CharaSlimeBlue>(TypeSlimeBlue, {0, 0, -1.5f});
    blue->aiState = 1;
    Step();  // within 2: the attack starts
    ASSERT_EQ(blue->aiState, 2);
    std::vector<int> bubblesAfter;
    for (int update = 1; update <= 40; ++update) {
        blue->position = Vec3{0, 0, -1.5f};
        Step();
        bubblesAfter.push_back(CountOf<BulletBubble>());
    }
    // Twentieth update of the attack: animFrame is exactly 30.
    EXPECT_EQ(bubblesAfter[18], 0);
    EXPECT_EQ(bubblesAfter[19], BubbleRingCount);
    // The ring goes off once; the attack ends at 60 (update 40).
    EXPECT_EQ(blue->aiState, 1);

    std::vector<Vec3> directions;
    for (Object* object : ObjectList) {
        if (auto* bubble = dynamic_cast<BulletBubble*>(object)) {
            directions.push_back(Vec3Normalize(Vec3{bubble->velocity.x, 0.0f, bubble->velocity.z}));
        }
    }
    ASSERT_GE(directions.size(), 2u);
    // The first bubble flies 30 degrees from -Z toward +X.
    EXPECT_NEAR(directions[0].x, 0.5f, 0.01f);
    EXPECT_NEAR(directions[0].z, -0.866f, 0.01f);
    EXPECT_NEAR(Dot(directions[0], directions[1]), std::cos(30.0f * DegToRad), 0.01f);
}

TEST_F(EnemiesWithPlayer, LizardSpearWindowOpensAt36AndClosesAt40Point5)
{
    auto* lizard = AddLizard({0, 0, -1.5f});
    lizard->aiState = 1;
    Step();
    ASSERT_EQ(lizard->aiState, 2);
    ASSERT_EQ(lizard->animFrame, 0.0f);
    std::vector<float> openedAt, closedAt;
    bool wasStriking = false;
    for (int update = 0; update < 40 && lizard->aiState == 2; ++update) {
        lizard->position = Vec3{0, 0, -1.5f};
        Step();
        const bool striking = spear->striking != 0;
        if (striking && !wasStriking) {
            openedAt.push_back(lizard->animFrame);
        }
        if (!striking && wasStriking) {
            closedAt.push_back(lizard->animFrame);
        }
        wasStriking = striking;
    }
    ASSERT_EQ(openedAt.size(), 1u);
    EXPECT_EQ(openedAt[0], 36.0f);
    ASSERT_EQ(closedAt.size(), 1u);
    EXPECT_EQ(closedAt[0], 40.5f);
    EXPECT_EQ(lizard->aiState, 1);  // back to the chase at 60
}

TEST_F(EnemiesWithPlayer, LizardKnockedBackMidThrustKeepsItsAttack)
{
    auto* lizard = AddLizard({0, 0, -1.5f});
    lizard->aiState = 2;
    lizard->anim = 2;
    lizard->animFrame = 12.0f;
    ApplyDamage(5, HitStrength, player, lizard);
    Step();
    EXPECT_EQ(lizard->aiState, 2);
    EXPECT_EQ(lizard->animFrame, 12.0f);  // the pose is frozen while pushed back
    EXPECT_EQ(lizard->anim, 2);
}

TEST_F(EnemiesWithPlayer, KnockbackDecaysOverSixteenUpdates)
{
    auto* green = AddPlain<CharaSlimeGreen>(TypeSlimeGreen, {0, 0, -30});
    green->velocity = Vec3{};
    ApplyDamage(1, HitStrength, player, green);
    const float startZ = green->position.z;
    int updates = 0;
    float lastSpeed = 0.0f;
    while (green->knockedBack && updates < 100) {
        Step();
        lastSpeed = Length(green->velocity);
        ++updates;
    }
    EXPECT_EQ(updates, 16);
    EXPECT_NEAR(lastSpeed, 0.0185f, 0.001f);
    EXPECT_NEAR(startZ - green->position.z, 0.73f, 0.02f);  // pushed away from the player
}

TEST_F(EnemiesWithPlayer, RedSlimeShootsAtOnceThenEvery61Updates)
{
    auto* red = AddPlain<CharaSlimeRed>(TypeSlimeRed, {0, 0, -5});
    red->velocity = Vec3{};
    srand(3);
    Step();  // notices
    ASSERT_EQ(red->aiState, 1);
    std::vector<int> shotUpdates;
    int fires = 0;
    for (int update = 1; update <= 130; ++update) {
        red->position = Vec3{0, 0, -5};
        Step();
        const int now = CountOf<BulletFire>();
        if (now > fires) {
            shotUpdates.push_back(update);
        }
        fires = now;
    }
    ASSERT_GE(shotUpdates.size(), 3u);
    EXPECT_EQ(shotUpdates[0], 1);
    EXPECT_EQ(shotUpdates[1], 62);
    EXPECT_EQ(shotUpdates[2], 123);
}

TEST_F(EnemiesWithPlayer, RedSlimeOnThePlayersSpotHoldsFire)
{
    auto* red = AddPlain<CharaSlimeRed>(TypeSlimeRed, {0, 0, 0});
    red->aiState = 1;
    red->fireArmed = true;
    red->fireCooldown = 17;
    Step();
    EXPECT_EQ(CountOf<BulletFire>(), 0);
    EXPECT_EQ(red->fireCooldown, 17);
    for (Object* object : ObjectList) {
        EXPECT_TRUE(std::isfinite(object->position.x) && std::isfinite(object->position.z));
    }
}

TEST_F(EnemiesWithPlayer, WivernDivesClimbsAndRests)
{
    player->position = Vec3{0, 0, 0};
    auto* wivern = AddPlain<CharaWivern>(TypeWivern, {0, 9.5f, -12});
    wivern->aiState = 1;
    Step();  // within 16 and rested: the wind-up starts
    ASSERT_EQ(wivern->aiState, 2);
    int update = 0;
    while (wivern->diveLaunched == 0 && update < 40) {
        Step();
        ++update;
    }
    EXPECT_EQ(update, 20);  // launches at frame 30
    EXPECT_LT(wivern->velocity.y, 0.0f);
    // Pull the player away so the dive can only end by its timer or the ground.
    player->position = Vec3{0, 50, 0};
    while (wivern->aiState == 2 && update < 200) {
        Step();
        ++update;
    }
    EXPECT_EQ(wivern->aiState, 3);
    EXPECT_EQ(wivern->diveCooldown, WivernDiveCooldown);
    EXPECT_FALSE(wivern->diveHit);
    while (wivern->aiState == 3 && update < 1000) {
        Step();
        ++update;
    }
    EXPECT_EQ(wivern->aiState, 0);
    EXPECT_GT(wivern->position.y, WivernCruiseHeight);
    EXPECT_LE(wivern->position.y, WivernCruiseHeight + 0.071f);
}

TEST_F(EnemiesWithPlayer, WivernInRangeHoversUntilItsCooldownRunsOut)
{
    auto* wivern = AddPlain<CharaWivern>(TypeWivern, {0, 9.5f, -12});
    wivern->aiState = 1;
    wivern->diveCooldown = 10;
    for (int i = 0; i < 9; ++i) {
        Step();
        EXPECT_EQ(wivern->aiState, 1);
        EXPECT_EQ(wivern->velocity.x, 0.0f);
    }
    Step();
    EXPECT_EQ(wivern->aiState, 2);
}

TEST_F(EnemiesWithPlayer, WizardCastsUntilTheCastRunsOut)
{
    auto* wizard = AddWizard({0, 0, -10});
    wizard->velocity = Vec3{};
    Step();
    ASSERT_EQ(wizard->aiState, 1);
    EXPECT_NE(staff->striking, 0);
    int updates = 0;
    while (wizard->aiState == 1 && updates < 200) {
        wizard->position = Vec3{0, 0, -10};
        Step();
        ++updates;
    }
    EXPECT_EQ(updates, 120);  // 60 frames at 0.5 per update
    EXPECT_EQ(staff->striking, 0);
}

TEST_F(EnemiesWithPlayer, DefeatIsCountedOnceEvenWhenHitTwiceInOneFrame)
{
    auto* lizard = AddLizard({0, 0, -30});
    ASSERT_EQ(EnemiesAlive, 1);
    ApplyDamage(60, HitStrength, player, lizard);
    lizard->knockedBack = false;
    ApplyDamage(60, HitStrength, player, lizard);
    Step();
    EXPECT_EQ(EnemiesAlive, 0);
    EXPECT_EQ(SaveData.defeatCount, 1);
    EXPECT_EQ(lizard->removeFlag, 1);
    EXPECT_EQ(spear->removeFlag, 1);  // the spear goes with its holder
    Step();
    EXPECT_EQ(EnemiesAlive, 0);
    EXPECT_EQ(SaveData.defeatCount, 1);
    Step();
    EXPECT_EQ(CountOf<CharaLizaldy>(), 0);
    EXPECT_EQ(ReadBytes(dir.File(SaveFileName)).size(), 8u);
}

TEST_F(EnemiesWithPlayer, StageSpawnsTwentyInTheirBandsAndOrder)
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
        switch (object->objectType) {
        case TypeSlimeGreen:
            EXPECT_TRUE(p.x >= -6 && p.x <= 6 && p.z >= -40 && p.z <= -20);
            break;
        case TypeSlimeRed:
        case TypeSlimeBlue:
            EXPECT_TRUE(p.x >= -20 && p.x <= 20 && p.z >= -80 && p.z <= -70);
            break;
        default:
            EXPECT_TRUE(p.x >= -20 && p.x <= 20 && p.z >= -150 && p.z <= -100);
            EXPECT_EQ(p.y, object->objectType == TypeWivern ? 9.5f : 0.0f);
        }
    }
    const std::vector<int32_t> expected = {2, 2, 2, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7, 7, 7};
    EXPECT_EQ(types, expected);
}

TEST_F(EnemiesWithPlayer, EnemiesKeepHuntingSafelyWhenTheirTargetIsGone)
{
    auto* green = AddPlain<CharaSlimeGreen>(TypeSlimeGreen, {0, 0, -3});
    auto* wivern = AddPlain<CharaWivern>(TypeWivern, {0, 9.5f, -3});
    green->aiState = 1;
    wivern->aiState = 2;
    player->MarkForRemoval(0);
    for (int i = 0; i < 80; ++i) {
        Step();
    }
    EXPECT_EQ(green->Target(), nullptr);
    EXPECT_EQ(green->aiState, 0);
    EXPECT_TRUE(std::isfinite(wivern->position.y));
}

}  // namespace

namespace {

TEST_F(EnemiesWithPlayer, TouchingHurtsExceptWizardsAndWivernsOutsideTheirDive)
{
    player->collider->sphere->radius = 0.4f;
    auto* green = AddPlain<CharaSlimeGreen>(TypeSlimeGreen, {0, 0, 0.3f});
    auto* wizard = AddWizard({0.2f, 0, 0});
    auto* wivern = AddPlain<CharaWivern>(TypeWivern, {-0.3f, 0, 0});
    (void)wizard;
    const int32_t start = player->hp;

    TakeEnemyContactDamage(*player);
    EXPECT_EQ(player->hp, start - green->attack);  // the wyvern is not diving

    player->knockedBack = false;
    wivern->aiState = 2;
    TakeEnemyContactDamage(*player);
    EXPECT_EQ(player->hp, start - 2 * green->attack - wivern->attack);
    EXPECT_TRUE(wivern->diveHit);

    // The same dive never hurts twice.
    TakeEnemyContactDamage(*player);
    EXPECT_EQ(player->hp, start - 3 * green->attack - wivern->attack);
}

}  // namespace
