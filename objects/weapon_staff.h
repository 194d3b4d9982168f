// The wizards' staff: on a strike it picks a target and casts a fan of five
// homing magic bolts, one every fourth update.
#pragma once

#include <cstdint>

#include "objects/obj_weapon.h"

inline constexpr int StaffBoltColors = 6;
inline constexpr int32_t StaffBurstBolts = 5;

class WeaponStaff : public ObjWeapon {
public:
    void Update() override;
    // Opens the burst and picks its target: the camera's lock-on target when
    // there is one, otherwise the nearest object of targetTeam (maybe none).
    void BeginStrike() override;
    // Stops the burst and re-aims for the next one.
    void EndStrike() override;

    // The burst's target, or null (deleted or never found): no burst.
    ObjCharacter* Target() const { return target.As<ObjCharacter>(); }

    int32_t shotDelay = 0;
    bool burstArmed = false;
    int32_t shotsFired = 0;
    Vec3 aim;        // direction of the next bolt in the holder's frame
    Vec3 startAim;
    float boltColors[StaffBoltColors][4] = {};
    int32_t targetTeam = TeamEnemy;
    ObjectHandle target;
    ObjectHandle camera;  // a MainCameraLockOn whose lock-on target is preferred, or none
};

// camera may be null (an enemy's staff).
void SetupStaff(WeaponStaff* staff, ObjCharacter* owner, int32_t targetTeam, Object* camera);
