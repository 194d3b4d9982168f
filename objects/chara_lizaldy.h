// The lizard warrior: wanders, chases the player and thrusts its spear when
// close; the spear's hit window opens late in the thrust animation.
#pragma once

#include "objects/chara_enemy.h"

class WeaponSpear;

class CharaLizaldy : public CharaEnemy {
public:
    CharaLizaldy();
    void Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y, float z,
               WeaponSpear* spear);
    void Update() override;

    int32_t strikePhase = 0;  // 0 before the thrust's hit window opened, 1 after

private:
    void StateStep();
};
