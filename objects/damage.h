// The one way characters are hurt.
#pragma once

#include <cstdint>

#include "objects/obj_character.h"

// Knock-back strength every attacker uses.
inline constexpr float HitStrength = 0.1f;

// Lowers the target's hp by damage (no floor), makes it flash and recoil
// horizontally away from the source with the given strength (no push when the
// two stand on the same spot), and spawns a damage number above it: red when
// the target is the playable character, white otherwise. Callers decide who
// may be hurt. A null target does nothing; a null source gives no push.
void ApplyDamage(int32_t damage, float strength, const Object* source, ObjCharacter* target);
