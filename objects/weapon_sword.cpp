#include "objects/weapon_sword.h"

#include "app/sound.h"
#include "math/collision.h"
#include "objects/damage.h"
#include "render/weapon_mount.h"

namespace {

constexpr Vec3 SwordHitOffset{0.0f, 1.0f, 0.2f};
constexpr float SwordRadius = 1.3f;
constexpr int SwordHandModel = 0;  // the sword fighter's skinned model

}  // namespace

void SetupSword(WeaponSword* sword, ObjCharacter* owner)
{
    sword->owner = owner;
    sword->striking = 0;
    sword->EndStrike();
    sword->comboStage = 0;
    for (int stage = 0; stage < SwordComboStages; ++stage) {
        sword->strikeSound[stage] = stage + 1;
    }
    sword->strikeDamage[0] = 7;
    sword->strikeDamage[1] = 10;
    sword->strikeDamage[2] = 17;
    sword->position = SwordHitOffset;
    if (sword->collider != nullptr && sword->collider->sphere != nullptr) {
        sword->collider->sphere->radius = SwordRadius;
        sword->collider->sphere->center = SwordHitOffset;
    }
}

void WeaponSword::NextComboStage()
{
    comboStage += 1;
    if (comboStage > SwordComboStages - 1) {
        comboStage = 0;
    }
}

void WeaponSword::EndStrike()
{
    striking = 0;
    for (ObjectHandle& victim : hitOnce) {
        victim.Reset();
    }
    hitCount = 0;
    repeatSeen = false;
}

void WeaponSword::Update()
{
    ObjCharacter* holder = Owner();
    // A sword whose holder is gone has no hand to ride and nobody to fight
    // for: it shuts its hit window, drops out of every hit test and leaves
    // the world, so it can never hurt anyone on its own.
    if (holder == nullptr) {
        EndStrike();
        if (collider != nullptr) {
            collider->disabled = 1;
        }
        MarkForRemoval(0);
        return;
    }
    if (striking == 1 && collider != nullptr) {
        CollectHits(this);
        for (Object* entry : collider->hits) {
            if (entry == nullptr) {
                break;
            }
            if (entry->team != TeamEnemy) {
                continue;
            }
            for (int i = 0; i < hitCount; ++i) {
                if (hitOnce[i].Get() == entry) {
                    repeatSeen = true;
                }
            }
            if (repeatSeen || hitCount >= SwordMaxVictims) {
                continue;
            }
            hitOnce[hitCount] = entry;
            hitCount += 1;
            ApplyDamage(strikeDamage[comboStage], HitStrength, holder, AsCharacter(entry));
            if (strikeSound[comboStage] >= 0) {
                PlaySound(strikeSound[comboStage]);
            }
        }
    }
    // The hit sphere rides the hand as the holder was last drawn, so the hit
    // test of the next update uses this placement.
    if (collider == nullptr || collider->sphere == nullptr) {
        return;
    }
    const Matrix4 mount = WeaponMountMatrix(holder->world, SwordHandModel, HandBone);
    const Vec4 center = MatTransform(mount, Vec4{position.x, position.y, position.z, 1.0f});
    collider->sphere->center = Vec3{center.x, center.y, center.z};
}
