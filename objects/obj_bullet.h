// What the three projectiles share: they never collide physically, they only
// damage the characters of their victim team that they overlap.
#pragma once

#include <cstdint>

#include "objects/obj_character.h"

// A victim team that matches no object: a shot that has lost its target.
inline constexpr int32_t NoVictimTeam = -1;

class ObjBullet : public Object {
public:
    int32_t damage = 0;
    Vec3 velocity;
};

// Damages every character of victimTeam that the bullet overlaps and can be
// hit (several in one update if they overlap together), plays the hit sound
// for each and marks the bullet for removal after any hit. Then places the
// bullet's world matrix on its position. The sphere centre must be current.
void ProjectileHits(ObjBullet& bullet, int32_t victimTeam);

// The side a bubble or fire ball hurts: enemies when shot by the player's
// side, the playable character otherwise.
int32_t ShotVictimTeam(int32_t shotTeam);

// True once a shot has flown range or more from where it started; also true
// for a position that is no longer finite, so a broken shot cannot live for ever.
bool OutOfRange(Vec3 origin, Vec3 position, float range);
