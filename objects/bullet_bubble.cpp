#include "objects/bullet_bubble.h"

#include "objects/bullet_draw.h"

namespace {

constexpr int32_t BubbleDamage = 10;
constexpr float BubbleRadius = 0.4f;
constexpr float BubbleGravity = 0.0098f;
constexpr int BubbleModel = 2;

}  // namespace

void LaunchBubble(BulletBubble* bubble, float x, float y, float z, float vx, float vy, float vz)
{
    bubble->position = Vec3{x, y, z};
    bubble->velocity = Vec3{vx, vy, vz};
    bubble->damage = BubbleDamage;
    if (bubble->collider != nullptr && bubble->collider->sphere != nullptr) {
        bubble->collider->sphere->radius = BubbleRadius;
        bubble->collider->sphere->center = bubble->position;
    }
}

void BulletBubble::Update()
{
    velocity.y -= BubbleGravity;
    position = position + velocity;
    if (collider != nullptr && collider->sphere != nullptr) {
        collider->sphere->center = position;
    }
    // Below the ground, or lost to a non-finite height: gone, after this
    // update's hit test.
    if (!(position.y >= 0.0f)) {
        MarkForRemoval(0);
    }
    ProjectileHits(*this, ShotVictimTeam(team));
}

void BulletBubble::DrawShadow()
{
    DrawBulletDepth(BubbleModel, world);
}

void BulletBubble::Draw()
{
    DrawBullet(BubbleModel, nullptr, world);
}
