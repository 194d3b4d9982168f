#include "objects/obj_bullet.h"

#include "app/sound.h"
#include "math/collision.h"
#include "objects/damage.h"

namespace {

constexpr int BulletHitSound = 6;

}  // namespace

void ProjectileHits(ObjBullet& bullet, int32_t victimTeam)
{
    if (bullet.collider != nullptr) {
        CollectHits(&bullet);
        for (Object* entry : bullet.collider->hits) {
            if (entry == nullptr) {
                break;
            }
            ObjCharacter* victim = AsCharacter(entry);
            if (entry->team != victimTeam || victim == nullptr || !CanBeHit(*victim)) {
                continue;
            }
            ApplyDamage(bullet.damage, HitStrength, &bullet, victim);
            PlaySound(BulletHitSound);
            bullet.MarkForRemoval(0);
        }
    }
    bullet.world = MatTranslation(bullet.position.x, bullet.position.y, bullet.position.z);
}

int32_t ShotVictimTeam(int32_t shotTeam)
{
    return shotTeam == TeamPlayerShot ? TeamEnemy : TeamPlayer;
}

bool OutOfRange(Vec3 origin, Vec3 position, float range)
{
    // Written as "not nearer than range" so a NaN distance counts as out.
    return !(Length(position - origin) < range);
}
