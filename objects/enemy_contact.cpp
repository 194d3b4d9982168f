#include "objects/enemy_contact.h"

#include "app/sound.h"
#include "math/collision.h"
#include "objects/chara_wivern.h"
#include "objects/damage.h"

namespace {

constexpr int ContactSound = 6;
constexpr int DiveHitSound = 8;

}  // namespace

void TakeEnemyContactDamage(ObjCharacter& player)
{
    CollectHits(&player);
    if (player.collider == nullptr) {
        return;
    }
    for (Object* other : player.collider->hits) {
        if (other == nullptr) {
            break;
        }
        if (other->team != TeamEnemy) {
            continue;
        }
        ObjCharacter* enemy = AsCharacter(other);
        if (enemy == nullptr || enemy->objectType == TypeWizard) {
            continue;
        }
        if (enemy->objectType == TypeWivern) {
            auto* wivern = static_cast<CharaWivern*>(enemy);
            if (wivern->aiState != 2 || wivern->diveHit) {
                continue;
            }
            wivern->diveHit = true;
            PlaySound(DiveHitSound);
        } else {
            PlaySound(ContactSound);
        }
        ApplyDamage(enemy->attack, HitStrength, enemy, &player);
    }
}
