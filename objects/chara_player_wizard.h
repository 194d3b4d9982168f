// The wizard: walks, and on Ctrl stands still to cast; its staff fans five
// homing magic bolts out at the locked-on or the nearest enemy.
#pragma once

#include <cstdint>

#include "objects/player_frame.h"

class CharaPlayerWizard : public ObjCharacter {
public:
    CharaPlayerWizard();
    // The stage registers the staff first and sets it up after this call.
    void Setup(const StageGeometry* stageGeometry, float x, float y, float z, ObjWeapon* staff);

    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    Vec3 velocity;
    float moveSpeed = 0.0f;
    Quaternion facing;
    Quaternion facingTarget;
    int32_t action = 0;  // 0 free, 1 casting
    PlayerGauge gauge;
    bool dead = false;
    int32_t deathTimer = 0;
    const StageGeometry* stage = nullptr;  // not owned; null: no walls

private:
    void UpdateFree();
    void UpdateCast();
};
