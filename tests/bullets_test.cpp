// Projectiles: flight, range and ground removal, whom they hurt, and the magic
// bolt's drift, hover and dart, including a target that disappears.
#include <cmath>
#include <limits>

#include "objects/bullet_bubble.h"
#include "objects/bullet_fire.h"
#include "objects/bullet_magic.h"
#include "tests/objects_world.h"

namespace {

using Bullets = ObjectsWorld;
using MagicBolt = ObjectsWorld;

constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

BulletFire* FireFrom(Vec3 at, Vec3 velocity, int32_t team, float range = 10.0f, int32_t damage = 12)
{
    auto* fire = new BulletFire();
    AddObject(fire, TypeBulletFire, team, 1);
    LaunchFire(fire, at.x, at.y, at.z, velocity.x, velocity.y, velocity.z, range, damage);
    return fire;
}

BulletMagic* BoltFrom(Vec3 at, Vec3 velocity, ObjCharacter* target, int32_t team = TeamEnemyShot)
{
    auto* bolt = new BulletMagic();
    AddObject(bolt, TypeBulletMagic, team, 1);
    LaunchMagic(bolt, at.x, at.y, at.z, velocity.x, velocity.y, velocity.z, 15.0f, White, target);
    return bolt;
}

// Frames until the bullet marks itself for removal (1 = in its first update).
int UpdatesUntilMarked(Object* bullet, int limit)
{
    for (int update = 1; update <= limit; ++update) {
        bullet->Update();
        if (bullet->removeFlag == 1) {
            return update;
        }
    }
    return -1;
}

TEST_F(Bullets, BubbleSinksBelowTheGroundAndFireBallStopsAtItsRange)
{
    auto* bubble = new BulletBubble();
    AddObject(bubble, TypeBulletBubble, TeamPlayerShot, 1);
    LaunchBubble(bubble, 0.0f, 3.0f, 0.0f, 0.06f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(bubble->collider->sphere->radius, 0.4f);
    const int sunk = UpdatesUntilMarked(bubble, 100);
    EXPECT_GE(sunk, 24);
    EXPECT_LE(sunk, 26);
    EXPECT_LT(bubble->position.y, 0.0f);

    LoadTone({5});
    BulletFire* fire = FireFrom({0.0f, 0.2f, 0.0f}, {0.1f, 0.0f, 0.0f}, TeamPlayerShot);
    EXPECT_EQ(Starts(5), 1u);
    const int spent = UpdatesUntilMarked(fire, 200);
    EXPECT_GE(spent, 99);
    EXPECT_LE(spent, 101);
    EXPECT_FLOAT_EQ(fire->collider->sphere->center.x, fire->position.x);
}

TEST_F(Bullets, ShotWithABrokenVelocityIsRemovedAtOnce)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    BulletFire* fire = FireFrom({}, {nan, 0.0f, 0.0f}, TeamEnemyShot);
    EXPECT_EQ(UpdatesUntilMarked(fire, 1), 1);

    auto* bubble = new BulletBubble();
    AddObject(bubble, TypeBulletBubble, TeamEnemyShot, 1);
    LaunchBubble(bubble, 0.0f, 3.0f, 0.0f, 0.0f, nan, 0.0f);
    EXPECT_EQ(UpdatesUntilMarked(bubble, 1), 1);
}

TEST_F(Bullets, ShotHurtsEveryOverlappedVictimOfTheOtherSideOnce)
{
    LoadTone({6});
    ObjCharacter* first = AddEnemy({0.1f, 0.0f, 0.0f}, 50);
    ObjCharacter* second = AddEnemy({0.0f, 0.0f, 0.2f}, 50);
    ObjCharacter* recoiling = AddEnemy({-0.1f, 0.0f, 0.0f}, 50);
    recoiling->knockedBack = true;
    ObjCharacter* fallen = AddEnemy({0.0f, 0.0f, -0.1f}, 0);
    ObjCharacter* player = AddPlayer({0.0f, 0.0f, 0.0f}, 150);
    BulletFire* fire = FireFrom({-0.1f, 0.0f, 0.0f}, {0.1f, 0.0f, 0.0f}, TeamPlayerShot, 10.0f, 12);

    fire->Update();
    EXPECT_EQ(first->hp, 38);
    EXPECT_EQ(second->hp, 38);
    EXPECT_EQ(recoiling->hp, 50);  // a knocked-back character is flown through
    EXPECT_EQ(fallen->hp, 0);
    EXPECT_EQ(player->hp, 150);  // the player's own shot
    EXPECT_EQ(fire->removeFlag, 1);
    EXPECT_EQ(Starts(6), 1u);  // one hit sound, not restarted for the second victim
    EXPECT_FLOAT_EQ(fire->world.m[12], fire->position.x);

    // An enemy's shot hurts only the playable character.
    BulletFire* enemyShot = FireFrom({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.01f}, TeamEnemyShot, 10.0f, 5);
    first->knockedBack = false;
    enemyShot->Update();
    EXPECT_EQ(player->hp, 145);
    EXPECT_EQ(first->hp, 38);
}

TEST_F(MagicBolt, DriftsFiveUpdatesHangsThenDartsAtItsTarget)
{
    ObjCharacter* enemy = AddEnemy({0.0f, 0.0f, -6.0f}, 30);
    BulletMagic* bolt = BoltFrom({0.0f, 2.0f, 0.0f}, {0.1f, 0.0f, 0.0f}, enemy);

    for (int i = 0; i < 5; ++i) {
        bolt->Update();
    }
    EXPECT_NEAR(bolt->position.x, 0.5f, 1e-5f);
    bolt->Update();  // sixth: turns to hover without moving
    EXPECT_EQ(bolt->phase, MagicHover);
    EXPECT_NEAR(bolt->position.x, 0.5f, 1e-5f);
    for (int i = 0; i < 55; ++i) {
        bolt->Update();
    }
    EXPECT_EQ(bolt->phase, MagicHover);
    bolt->Update();  // 56th hover update: the dart
    EXPECT_EQ(bolt->phase, MagicFlight);
    EXPECT_NEAR(Length(bolt->velocity), 0.3f, 1e-5f);
    EXPECT_LT(bolt->velocity.y, 0.0f);  // aimed in 3D, down at the target's feet

    for (int i = 0; i < 40 && enemy->hp == 30; ++i) {
        bolt->Update();
    }
    EXPECT_EQ(enemy->hp, 20);
    EXPECT_EQ(bolt->removeFlag, 1);
}

TEST_F(MagicBolt, WithoutATargetOrWithItsTargetGoneTheBoltIsRemovedAtTheTurn)
{
    BulletMagic* aimless = BoltFrom({}, {0.01f, 0.0f, 0.0f}, nullptr);
    EXPECT_EQ(UpdatesUntilMarked(aimless, 100), 6 + 56);

    // The target is deleted while the bolt hovers: the bolt must neither read
    // it nor live on.
    ObjCharacter* enemy = AddEnemy({0.0f, 0.0f, -5.0f});
    BulletMagic* orphan = BoltFrom({}, {0.01f, 0.0f, 0.0f}, enemy);
    for (int i = 0; i < 10; ++i) {
        orphan->Update();
    }
    enemy->MarkForRemoval(0);
    UpdateObjects();  // deletes the enemy, updates the bolt
    EXPECT_EQ(orphan->homingTarget.Get(), nullptr);
    EXPECT_EQ(UpdatesUntilMarked(orphan, 100), 62 - 11);
    EXPECT_FALSE(Vec3NotEqual(orphan->velocity, Vec3{0.01f, 0.0f, 0.0f}));

    // A bolt sitting exactly on its target has no way to turn either.
    ObjCharacter* under = AddEnemy({1.0f, 2.0f, 3.0f}, 30);
    under->knockedBack = true;  // so the overlap itself does not end the bolt
    BulletMagic* sitting = BoltFrom({1.0f, 2.0f, 3.0f}, {}, under);
    EXPECT_EQ(UpdatesUntilMarked(sitting, 100), 62);
    EXPECT_FALSE(std::isnan(sitting->position.x));
}

TEST_F(MagicBolt, TargetGoneInFlightLeavesABoltThatHurtsNobody)
{
    ObjCharacter* enemy = AddEnemy({0.0f, 0.0f, -3.0f}, 30);
    ObjCharacter* bystander = AddEnemy({0.0f, 0.0f, -6.0f}, 30);
    BulletMagic* bolt = BoltFrom({}, {0.0f, 0.0f, 0.0f}, enemy);
    for (int i = 0; i < 62; ++i) {
        bolt->Update();
    }
    ASSERT_EQ(bolt->phase, MagicFlight);
    enemy->MarkForRemoval(0);
    for (int i = 0; i < 60 && bolt->removeFlag == 0; ++i) {
        UpdateObjects();
    }
    EXPECT_EQ(bystander->hp, 30);
    EXPECT_EQ(bolt->removeFlag, 1);  // out of range in the end
    EXPECT_GE(Length(bolt->position - bolt->origin), 15.0f);
}

}  // namespace
