// The lizard warrior: walks, and on Ctrl stands to thrust its spear forward;
// during the thrust the movement keys only turn it.
#pragma once

#include <cstdint>

#include "objects/player_frame.h"

class CharaPlayerLizaldy : public ObjCharacter {
public:
    CharaPlayerLizaldy();
    // The stage registers the spear first and sets it up after this call.
    void Setup(const StageGeometry* stageGeometry, float x, float y, float z, ObjWeapon* spear);

    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    Vec3 velocity;
    Vec3 lookDirection;  // what the body turns toward, walking or aiming
    float moveSpeed = 0.0f;
    Quaternion facing;
    Quaternion facingTarget;
    int32_t action = 0;  // 0 free, 1 thrusting
    PlayerGauge gauge;
    bool dead = false;
    int32_t deathTimer = 0;
    const StageGeometry* stage = nullptr;  // not owned; null: no walls

private:
    void UpdateFree();
    void UpdateThrust();
};
