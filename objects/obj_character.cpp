#include "objects/obj_character.h"

int32_t EnemiesAlive = 0;

void SetupCharacter(ObjCharacter& character, const CharacterStats& stats, Vec3 at)
{
    character.animFrame = 0.0f;
    character.hp = stats.hp;
    character.maxHp = stats.hp;
    character.attack = stats.attack;
    character.hitFlash = false;
    character.knockedBack = false;
    character.knockback = Vec3{};
    character.anim = 0;
    character.weapon = nullptr;
    if (character.team == TeamEnemy) {
        EnemiesAlive += 1;
    }
    character.position = at;
    character.world = MatTranslation(at.x, at.y, at.z);
    if (character.collider != nullptr && character.collider->sphere != nullptr) {
        character.collider->sphere->radius = stats.radius;
        character.collider->sphere->center = at;
    }
}

ObjCharacter* AsCharacter(Object* object)
{
    return const_cast<ObjCharacter*>(AsCharacter(static_cast<const Object*>(object)));
}

const ObjCharacter* AsCharacter(const Object* object)
{
    if (object == nullptr || object->objectType < TypePlayer || object->objectType > TypeLizaldy) {
        return nullptr;
    }
    return static_cast<const ObjCharacter*>(object);
}

bool CanBeHit(const ObjCharacter& character)
{
    return character.hp > 0 && !character.knockedBack;
}
