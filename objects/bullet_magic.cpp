#include "objects/bullet_magic.h"

#include "app/sound.h"
#include "objects/bullet_draw.h"

namespace {

constexpr int32_t MagicDamage = 10;
constexpr float MagicRadius = 0.4f;
constexpr float MagicDartSpeed = 0.3f;
constexpr int32_t DriftUpdates = 5;
constexpr int32_t HoverUpdates = 54;
constexpr int MagicLaunchSound = 10;
constexpr int MagicDartSound = 11;

}  // namespace

void LaunchMagic(BulletMagic* bolt, float x, float y, float z, float vx, float vy, float vz, float range,
                 const float color[4], ObjCharacter* target)
{
    bolt->position = Vec3{x, y, z};
    bolt->origin = bolt->position;
    bolt->velocity = Vec3{vx, vy, vz};
    bolt->range = range;
    for (int i = 0; i < 4; ++i) {
        bolt->tint[i] = color[i];
    }
    bolt->homingTarget = target;
    bolt->damage = MagicDamage;
    bolt->phase = MagicDrift;
    PlaySound(MagicLaunchSound);
    if (bolt->collider != nullptr && bolt->collider->sphere != nullptr) {
        bolt->collider->sphere->radius = MagicRadius;
        bolt->collider->sphere->center = bolt->position;
    }
}

bool BulletMagic::Hover()
{
    if (!phaseTimerArmed) {
        phaseTimerArmed = true;
        phaseTimer = HoverUpdates;
        return true;
    }
    if (phaseTimer != 0) {
        phaseTimer -= 1;
        return true;
    }
    phaseTimer = HoverUpdates + 1;
    const Object* target = homingTarget.Get();
    if (target != nullptr) {
        velocity = DirectionTo(target->position, position, MagicDartSpeed, true);
    }
    // No target, or one standing exactly on the bolt so that there is no way
    // to turn: the bolt is done, rather than hanging in the air for ever.
    if (target == nullptr || !Vec3NotEqual(velocity, Vec3{})) {
        MarkForRemoval(0);
        return false;
    }
    PlaySound(MagicDartSound);
    phase = MagicFlight;
    return true;
}

void BulletMagic::Update()
{
    if (phase == MagicDrift) {
        if (!phaseTimerArmed) {
            phaseTimerArmed = true;
            phaseTimer = DriftUpdates;
        }
        if (phaseTimer != 0) {
            phaseTimer -= 1;
            position = position + velocity;
        } else {
            phase = MagicHover;
            phaseTimerArmed = false;
            phaseTimer = 0;
        }
    } else if (phase == MagicHover) {
        if (!Hover()) {
            return;
        }
    } else if (phase == MagicFlight) {
        position = position + velocity;
    }
    if (OutOfRange(origin, position, range)) {
        MarkForRemoval(0);
    }
    if (collider != nullptr && collider->sphere != nullptr) {
        collider->sphere->center = position;
    }
    const Object* target = homingTarget.Get();
    ProjectileHits(*this, target != nullptr ? target->team : NoVictimTeam);
}

void BulletMagic::DrawShadow()
{
    DrawBulletDepth(FireBallModel, world);
}

void BulletMagic::Draw()
{
    DrawBullet(FireBallModel, tint, world);
}
