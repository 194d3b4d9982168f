// The base every playable and enemy character shares: hit points, the flags
// that damage sets, the animation state and the weapon it holds.
#pragma once

#include <cstdint>

#include "objects/object.h"
#include "render/sprite.h"  // Required for: SpriteQuad

class ObjWeapon;

// Number of live enemy characters. Each enemy's set-up adds one and its
// defeat subtracts one; the stage resets it when it ends.
extern int32_t EnemiesAlive;

class ObjCharacter : public Object {
public:
    SpriteQuad promptQuad;     // the combo prompt the playable characters show overhead
    int32_t hp = 0;
    int32_t maxHp = 0;
    int32_t attack = 0;
    bool hitFlash = false;     // the next Draw flashes the model and clears this
    bool knockedBack = false;  // being pushed back; weapons and shots pass through
    Vec3 knockback;            // horizontal push per update while knockedBack
    int32_t anim = 0;          // animation set on the character's skinned model
    float animFrame = 0.0f;    // 0 to 60
    // Not owned. A weapon lives exactly as long as its holder: both are
    // created by the stage and a defeat marks both for removal together.
    ObjWeapon* weapon = nullptr;
};

// The per-class constants of the common set-up.
struct CharacterStats {
    int32_t hp = 1;
    int32_t attack = 0;
    float radius = 0.5f;
};

// The set-up steps every character class runs first: hit points, cleared
// flags and animation, no weapon, the enemy count, position and world, and the
// collision sphere on the position. The class then fills its own fields.
void SetupCharacter(ObjCharacter& character, const CharacterStats& stats, Vec3 at);

// The object as a character when its type id is one of the character types,
// otherwise null. Hit lists hold every kind of object; only characters carry
// hit points.
ObjCharacter* AsCharacter(Object* object);
const ObjCharacter* AsCharacter(const Object* object);

// True while the character has hit points and is not being knocked back:
// what every weapon and projectile asks before it deals damage.
bool CanBeHit(const ObjCharacter& character);
