#include "objects/bullet_fire.h"

#include "app/sound.h"
#include "objects/bullet_draw.h"

namespace {

constexpr float FireRadius = 0.1f;
constexpr int FireLaunchSound = 5;

}  // namespace

void LaunchFire(BulletFire* fire, float x, float y, float z, float vx, float vy, float vz, float range,
                int32_t damage)
{
    fire->position = Vec3{x, y, z};
    fire->origin = fire->position;
    fire->velocity = Vec3{vx, vy, vz};
    fire->range = range;
    fire->damage = damage;
    PlaySound(FireLaunchSound);
    if (fire->collider != nullptr && fire->collider->sphere != nullptr) {
        fire->collider->sphere->radius = FireRadius;
        fire->collider->sphere->center = fire->position;
    }
}

void BulletFire::Update()
{
    position = position + velocity;
    if (OutOfRange(origin, position, range)) {
        MarkForRemoval(0);
    }
    if (collider != nullptr && collider->sphere != nullptr) {
        collider->sphere->center = position;
    }
    ProjectileHits(*this, ShotVictimTeam(team));
}

void BulletFire::DrawShadow()
{
    DrawBulletDepth(FireBallModel, world);
}

void BulletFire::Draw()
{
    DrawBullet(FireBallModel, nullptr, world);
}
