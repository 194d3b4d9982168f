// Character set-up and the damage rules: hit points, knock-back, flash and
// the floating damage numbers.
#include <cmath>

#include "objects/damage.h"
#include "objects/enemy_gauge.h"
#include "objects/obj_damage_pop.h"
#include "tests/objects_world.h"

namespace {

using CharacterSetup = ObjectsWorld;
using Damage = ObjectsWorld;
using DamagePop = ObjectsWorld;

TEST_F(CharacterSetup, OnlyEnemiesCountAsAliveAndEverythingStartsClean)
{
    AddPlayer({});
    EXPECT_EQ(EnemiesAlive, 0);
    ObjCharacter* enemy = AddEnemy({3.0f, 0.0f, -4.0f}, 40, 0.8f);
    AddEnemy({});
    EXPECT_EQ(EnemiesAlive, 2);

    EXPECT_EQ(enemy->hp, 40);
    EXPECT_EQ(enemy->maxHp, 40);
    EXPECT_FALSE(enemy->hitFlash);
    EXPECT_FALSE(enemy->knockedBack);
    EXPECT_EQ(enemy->weapon, nullptr);
    EXPECT_FLOAT_EQ(enemy->world.m[12], 3.0f);
    EXPECT_FLOAT_EQ(enemy->world.m[14], -4.0f);
    EXPECT_FLOAT_EQ(enemy->collider->sphere->radius, 0.8f);
    EXPECT_FLOAT_EQ(enemy->collider->sphere->center.z, -4.0f);

    // Only the seven character type ids are characters.
    EXPECT_EQ(AsCharacter(enemy), enemy);
    auto* pop = new ObjDamagePop();
    AddObject(pop, TypeDamagePop, TeamNeutral, 0);
    EXPECT_EQ(AsCharacter(pop), nullptr);
    EXPECT_EQ(AsCharacter(static_cast<Object*>(nullptr)), nullptr);
}

TEST_F(Damage, LowersHpWithoutFloorAndShowsTheNumber)
{
    ObjCharacter* player = AddPlayer({});
    ObjCharacter* enemy = AddEnemy({2.0f, 0.0f, 0.0f}, 10);
    ApplyDamage(15, HitStrength, player, enemy);
    EXPECT_EQ(enemy->hp, -5);
    EXPECT_TRUE(enemy->hitFlash);
    EXPECT_TRUE(enemy->knockedBack);
    // Pushed straight away from the source, horizontally.
    EXPECT_NEAR(enemy->knockback.x, 0.1f, 1e-6f);
    EXPECT_FLOAT_EQ(enemy->knockback.y, 0.0f);
    EXPECT_FLOAT_EQ(enemy->knockback.z, 0.0f);

    ASSERT_EQ(Live<ObjDamagePop>().size(), 1u);
    const ObjDamagePop* pop = Live<ObjDamagePop>()[0];
    EXPECT_EQ(pop->value, 15);
    EXPECT_EQ(pop->color[0], 1.0f);
    EXPECT_EQ(pop->color[1], 1.0f);  // white over an enemy
    EXPECT_EQ(pop->objectType, TypeDamagePop);
    EXPECT_EQ(pop->team, TeamNeutral);
    EXPECT_EQ(pop->collider, nullptr);

    ApplyDamage(5, HitStrength, enemy, player);
    EXPECT_EQ(Live<ObjDamagePop>()[1]->color[1], 0.0f);  // red over the player
    EXPECT_EQ(Live<ObjDamagePop>()[1]->color[0], 1.0f);
}

TEST_F(Damage, SourceOnTheSameSpotGivesNoPushButStillHurts)
{
    ObjCharacter* below = AddEnemy({1.0f, 0.0f, 1.0f});
    ObjCharacter* above = AddPlayer({1.0f, 5.0f, 1.0f});
    ApplyDamage(3, HitStrength, above, below);
    EXPECT_EQ(below->hp, 97);
    EXPECT_TRUE(below->knockedBack);
    EXPECT_TRUE(below->hitFlash);
    EXPECT_FALSE(Vec3NotEqual(below->knockback, Vec3{}));
    EXPECT_FALSE(std::isnan(below->knockback.x));

    // No target is no hit; no source is no push.
    ApplyDamage(3, HitStrength, above, nullptr);
    ApplyDamage(4, HitStrength, nullptr, below);
    EXPECT_EQ(below->hp, 93);
    EXPECT_FALSE(Vec3NotEqual(below->knockback, Vec3{}));
}

TEST_F(Damage, TwoHitsGiveTwoIndependentlyJitteredNumbersNearTheTarget)
{
    ObjCharacter* enemy = AddEnemy({10.0f, 0.0f, -20.0f});
    ObjCharacter* source = AddPlayer({});
    float spreadX = 0.0f;
    for (int i = 0; i < 200; ++i) {
        ApplyDamage(1, HitStrength, source, enemy);
    }
    const std::vector<ObjDamagePop*> pops = Live<ObjDamagePop>();
    ASSERT_EQ(pops.size(), 200u);
    for (const ObjDamagePop* pop : pops) {
        // Whatever the C library's RAND_MAX, the offsets stay within 0.8.
        EXPECT_LE(std::fabs(pop->position.x - 10.0f), 0.8f + 1e-5f);
        EXPECT_LE(std::fabs(pop->position.z + 20.0f), 0.8f + 1e-5f);
        EXPECT_FLOAT_EQ(pop->position.y, 0.5f);
        spreadX = std::fmax(spreadX, std::fabs(pop->position.x - pops[0]->position.x));
    }
    EXPECT_GT(spreadX, 0.5f);
}

TEST_F(DamagePop, RisesForTwentyUpdatesThenLeaves)
{
    // A pop-up spawned during the object pass rises in that same pass.
    class Striker : public Object {
    public:
        ObjCharacter* victim = nullptr;
        void Update() override
        {
            if (victim != nullptr) {
                ApplyDamage(9, HitStrength, this, victim);
                victim = nullptr;
            }
        }
    };
    auto* striker = new Striker();
    AddObject(striker, TypeDamagePop, TeamNeutral, 0);
    ObjCharacter* enemy = AddEnemy({0.0f, 1.0f, 0.0f});
    striker->victim = enemy;
    UpdateObjects();
    ASSERT_EQ(Live<ObjDamagePop>().size(), 1u);
    ObjDamagePop* pop = Live<ObjDamagePop>()[0];
    EXPECT_NEAR(pop->position.y, 1.55f, 1e-5f);
    EXPECT_FLOAT_EQ(pop->world.m[0], 0.3f);  // the digits keep their scale

    RunFrames(19);
    EXPECT_NEAR(pop->position.y, 2.5f, 1e-4f);
    EXPECT_FLOAT_EQ(pop->world.m[13], pop->position.y);
    EXPECT_FLOAT_EQ(pop->world.m[5], 0.3f);
    EXPECT_EQ(pop->removeFlag, 0);
    UpdateObjects();  // 21st update: stays at the top, asks to leave
    EXPECT_NEAR(pop->position.y, 2.5f, 1e-4f);
    EXPECT_EQ(pop->removeFlag, 1);
    UpdateObjects();
    EXPECT_TRUE(Live<ObjDamagePop>().empty());
}

TEST(EnemyGauge, LengthFollowsHitPointsAndNeverRunsBackwards)
{
    EXPECT_NEAR(EnemyGaugeRight(60, 60) + 0.3f, 0.625f, 1e-6f);
    EXPECT_NEAR(EnemyGaugeRight(30, 60) + 0.3f, 0.3125f, 1e-6f);
    EXPECT_NEAR(EnemyGaugeRight(-15, 60), -0.3f, 1e-6f);  // overkill: empty, not reversed
    EXPECT_NEAR(EnemyGaugeRight(10, 0), -0.3f, 1e-6f);
    EXPECT_NEAR(EnemyGaugeRight(90, 60) + 0.3f, 0.625f, 1e-6f);
}

}  // namespace
