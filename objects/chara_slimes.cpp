#include "objects/chara_slimes.h"

#include "app/scene.h"
#include "app/sound.h"
#include "objects/bullet_bubble.h"
#include "objects/bullet_fire.h"

namespace {

const EnemyKind GreenKind = {{30, 5, 0.4f}, 0.03f, 3, -1, -1, 2.0f, 0.5f, 1.0f, 0.5f, 10.0f};
const EnemyKind BlueKind = {{50, 5, 0.2f}, 0.05f, 4, -1, -1, 2.0f, 0.5f, 1.0f, 0.5f, 10.0f};
const EnemyKind RedKind = {{50, 5, 0.2f}, 0.02f, 5, -1, -1, 2.0f, 0.5f, 1.0f, 0.5f, 10.0f};

constexpr float GreenGiveUp = 12.0f;
constexpr float BlueGiveUp = 11.0f;
constexpr float BlueAttackRange = 2.0f;
constexpr float RedGiveUp = 12.0f;
constexpr float BubbleSpeed = 0.06f;
constexpr float BubbleHeight = 3.0f;
constexpr float FireSpeed = 0.1f;
constexpr float FireHeight = 0.2f;
constexpr float FireRange = 10.0f;
constexpr int BubbleRingSound = 4;
constexpr float TurnRate = 0.2f;

}  // namespace

void CharaSlime::Update()
{
    if (knockedBack) {
        KnockbackStep();
    } else {
        StateStep();
    }
    WrapAnimFrame(animFrame);
    MoveWithStageWalls(moveSpeed);
    // The facing follows the velocity the slime ended up with after the walls.
    PlaceAndCheckDefeat(TurnToward(facing, facingTarget, velocity, TurnRate));
}

CharaSlimeGreen::CharaSlimeGreen() : CharaSlime(GreenKind) {}

void CharaSlimeGreen::Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y,
                            float z)
{
    SetupEnemy(hunted, geometry, Vec3{x, y, z}, nullptr);
}

void CharaSlimeGreen::StateStep()
{
    if (aiState == 0) {
        anim = 0;
        Wander();
        return;
    }
    if (aiState == 1) {
        velocity = Vec3{};
        anim = 0;
        animFrame += 1.0f;
        // It runs into the player whatever the distance and hurts by touch.
        velocity = ChaseVelocity(moveSpeed);
        if (TargetDistance() > GreenGiveUp) {
            aiState = 0;
        }
    }
}

CharaSlimeBlue::CharaSlimeBlue() : CharaSlime(BlueKind) {}

void CharaSlimeBlue::Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y,
                           float z)
{
    SetupEnemy(hunted, geometry, Vec3{x, y, z}, nullptr);
}

void CharaSlimeBlue::StateStep()
{
    switch (aiState) {
    case 0:
        anim = 0;
        Wander();
        break;
    case 1: {
        velocity = Vec3{};
        anim = 0;
        animFrame += 1.0f;
        const float distance = TargetDistance();
        if (distance >= BlueAttackRange) {
            velocity = ChaseVelocity(moveSpeed);
            if (distance > BlueGiveUp) {
                aiState = 0;
            }
        } else {
            aiState = 2;
            animFrame = 0.0f;
        }
        break;
    }
    case 2:
        velocity = Vec3{};
        anim = 1;
        animFrame += 1.5f;
        // Steps of 1.5 from 0 are exact in floating point, so the ring goes
        // off exactly once, in the twentieth update of the attack.
        if (animFrame == 30.0f) {
            ReleaseBubbleRing();
        } else if (animFrame >= 60.0f) {
            aiState = 1;
        }
        break;
    default:
        break;
    }
}

void CharaSlimeBlue::ReleaseBubbleRing()
{
    Vec3 direction{0.0f, 0.0f, -1.0f};
    for (int i = 0; i < BubbleRingCount; ++i) {
        direction = RotateAboutY(direction, 30.0f);
        const Vec3 launch = Vec3Normalize(direction) * BubbleSpeed;
        auto* bubble = new BulletBubble();
        AddObject(bubble, TypeBulletBubble, TeamEnemyShot, 1);
        LaunchBubble(bubble, position.x, position.y + BubbleHeight, position.z, launch.x, launch.y,
                     launch.z);
    }
    PlaySound(BubbleRingSound);
}

CharaSlimeRed::CharaSlimeRed() : CharaSlime(RedKind) {}

void CharaSlimeRed::Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y,
                          float z)
{
    SetupEnemy(hunted, geometry, Vec3{x, y, z}, nullptr);
}

void CharaSlimeRed::StateStep()
{
    if (aiState == 0) {
        anim = 0;
        if (Wander()) {
            animFrame = 0.0f;
        }
        return;
    }
    if (aiState == 1) {
        anim = 1;
        animFrame += 0.7f;
        velocity = ChaseVelocity(moveSpeed);
        FireControl();
        if (TargetDistance() > RedGiveUp) {
            aiState = 0;
        }
    }
}

void CharaSlimeRed::FireControl()
{
    // Standing exactly on the player gives no direction to shoot in; such an
    // update neither fires nor counts down, instead of launching a fire ball
    // that never moves and so never reaches its range.
    if (!Vec3NotEqual(velocity, Vec3{})) {
        return;
    }
    if (fireArmed && fireCooldown > 0) {
        fireCooldown -= 1;
        return;
    }
    if (!fireArmed) {
        fireArmed = true;
        fireCooldown = 0;
    }
    fireCooldown = RedSlimeFireCooldown;
    const Vec3 launch = Vec3Normalize(velocity) * FireSpeed;
    auto* fire = new BulletFire();
    AddObject(fire, TypeBulletFire, TeamEnemyShot, 1);
    LaunchFire(fire, position.x, position.y + FireHeight, position.z, launch.x, launch.y, launch.z,
               FireRange, attack);
}
