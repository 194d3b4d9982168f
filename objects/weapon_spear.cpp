#include "objects/weapon_spear.h"

#include "app/sound.h"
#include "math/collision.h"
#include "objects/damage.h"

namespace {

constexpr Vec3 SpearTipOffset{0.0f, 0.0f, -1.5f};
constexpr float SpearRadius = 0.4f;
constexpr int SpearHitSound = 6;

}  // namespace

void SetupSpear(WeaponSpear* spear, int32_t damage, ObjCharacter* owner)
{
    spear->damage = damage;
    spear->owner = owner;
    spear->striking = 0;
    spear->position = SpearTipOffset;
    if (spear->collider != nullptr) {
        if (spear->collider->sphere != nullptr) {
            spear->collider->sphere->radius = SpearRadius;
            spear->collider->sphere->center = SpearTipOffset;
        }
        spear->collider->disabled = 1;
    }
}

void WeaponSpear::EndStrike()
{
    striking = 0;
    if (collider != nullptr) {
        collider->disabled = 1;
    }
}

void WeaponSpear::Update()
{
    ObjCharacter* holder = Owner();
    if (striking != 1 || holder == nullptr || collider == nullptr || collider->sphere == nullptr) {
        return;
    }
    const Vec4 tip = MatTransform(holder->world, Vec4{position.x, position.y, position.z, 1.0f});
    collider->sphere->center = Vec3{tip.x, tip.y, tip.z};
    collider->disabled = 0;
    CollectHits(this);
    const int32_t victimTeam = holder->team == TeamPlayer ? TeamEnemy : TeamPlayer;
    for (Object* entry : collider->hits) {
        if (entry == nullptr) {
            break;
        }
        ObjCharacter* victim = AsCharacter(entry);
        if (entry->team != victimTeam || victim == nullptr || !CanBeHit(*victim)) {
            continue;
        }
        ApplyDamage(damage, HitStrength, holder, victim);
        PlaySound(SpearHitSound);
    }
}
