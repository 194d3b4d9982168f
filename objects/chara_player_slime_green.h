// The green slime: walks slowly and, on Ctrl, charges with its body for a few
// updates, hurting the enemies it touches instead of being hurt by them.
#pragma once

#include <cstdint>

#include "objects/player_frame.h"

class CharaPlayerSlimeGreen : public ObjCharacter {
public:
    CharaPlayerSlimeGreen();
    void Setup(const StageGeometry* stageGeometry, float x, float y, float z);

    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    Vec3 velocity;
    float moveSpeed = 0.0f;
    Quaternion facing;
    Quaternion facingTarget;
    int32_t action = 0;  // the body charge runs beside walking, so this stays 0
    int32_t chargeTimer = 0;
    bool chargeTimerArmed = false;
    PlayerGauge gauge;
    bool dead = false;
    bool charging = false;
    int32_t deathTimer = 0;
    const StageGeometry* stage = nullptr;  // not owned; null: no walls

private:
    void UpdateNormal();
    void UpdateCharge();
};
