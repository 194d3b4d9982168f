// The sword fighter's sword: a three-step combo in which every strike damages
// each enemy it meets at most once.
#pragma once

#include <cstdint>

#include "objects/obj_weapon.h"

inline constexpr int SwordComboStages = 3;
inline constexpr int SwordMaxVictims = 3;

class WeaponSword : public ObjWeapon {
public:
    void Update() override;
    void BeginStrike() override { striking = 1; }
    void NextComboStage() override;
    void EndStrike() override;
    void ResetCombo() override { comboStage = 0; }

    // Enemies already damaged by the current strike. Handles, so an enemy
    // deleted mid-strike is never mistaken for a new one at the same address.
    ObjectHandle hitOnce[SwordMaxVictims];
    int32_t hitCount = 0;
    // Set once an enemy this strike already hurt is met again; from then on
    // the strike hurts nobody new until it ends.
    bool repeatSeen = false;
    int32_t strikeSound[SwordComboStages] = {1, 2, 3};
    int32_t strikeDamage[SwordComboStages] = {7, 10, 17};
    int32_t comboStage = 0;
};

void SetupSword(WeaponSword* sword, ObjCharacter* owner);
