// The lizard warriors' spear: a point in front of the holder that hurts the
// other side while a thrust is on. It keeps no record of whom it hit; the
// victim's own knock-back protects it from a second hit.
#pragma once

#include "objects/obj_weapon.h"

inline constexpr int32_t PlayerSpearDamage = 10;
inline constexpr int32_t EnemySpearDamage = 15;

class WeaponSpear : public ObjWeapon {
public:
    void Update() override;
    // Also takes the spear out of every hit list until the next thrust.
    void EndStrike() override;
};

void SetupSpear(WeaponSpear* spear, int32_t damage, ObjCharacter* owner);
