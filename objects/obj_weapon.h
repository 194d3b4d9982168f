// The base of the sword, the spear and the staff. The holder's attack logic
// opens and closes the hit window through the four virtual operations; the
// weapon's own Update then finds what it touches and deals the damage.
#pragma once

#include <cstdint>

#include "objects/obj_character.h"

class ObjWeapon : public Object {
public:
    virtual void BeginStrike() { striking = 1; }
    virtual void NextComboStage() {}
    virtual void EndStrike() { striking = 0; }
    virtual void ResetCombo() {}

    // The holder, or null once it has been deleted.
    ObjCharacter* Owner() const { return owner.As<ObjCharacter>(); }

    int32_t damage = 0;
    ObjectHandle owner;
    int32_t striking = 0;  // 1 while the hit window is open (staff: while the burst runs)
};
