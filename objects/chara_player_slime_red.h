// The red slime: walks slowly and, on Ctrl, spits a fire ball along its
// facing without stopping; it can spit again once the spit has played out.
#pragma once

#include <cstdint>

#include "objects/player_frame.h"

class CharaPlayerSlimeRed : public ObjCharacter {
public:
    CharaPlayerSlimeRed();
    void Setup(const StageGeometry* stageGeometry, float x, float y, float z);

    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    Vec3 velocity;
    float moveSpeed = 0.0f;
    Quaternion facing;
    Quaternion facingTarget;
    int32_t action = 0;  // the spit runs beside walking, so this stays 0
    PlayerGauge gauge;
    bool dead = false;
    int32_t deathTimer = 0;
    const StageGeometry* stage = nullptr;  // not owned; null: no walls

private:
    void UpdateNormal();
    void SpitFire();
};
