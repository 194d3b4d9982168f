// The wizard: wanders until the player comes within range, then stands and
// casts homing bolts from its staff until the player leaves or the cast ends.
#pragma once

#include "objects/chara_enemy.h"

class WeaponStaff;

class CharaWizard : public CharaEnemy {
public:
    CharaWizard();
    void Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y, float z,
               WeaponStaff* staff);
    void Update() override;

private:
    void StateStep();
};
