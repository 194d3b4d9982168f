// The blue slime: walks slowly and, on Ctrl, stands still to blow a flat ring
// of twelve bubbles that arc out and fall on the enemies around it.
#pragma once

#include <cstdint>

#include "objects/bullet_bubble.h"  // Required for: BubbleRingCount
#include "objects/player_frame.h"

// The ring is shot in the update in which the attack animation reaches this frame.
inline constexpr float BubbleRingFrame = 30.0f;

class CharaPlayerSlimeBlue : public ObjCharacter {
public:
    CharaPlayerSlimeBlue();
    void Setup(const StageGeometry* stageGeometry, float x, float y, float z);

    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    Vec3 velocity;
    float moveSpeed = 0.0f;
    Quaternion facing;
    Quaternion facingTarget;
    int32_t action = 0;  // 0 free, 1 blowing the ring
    PlayerGauge gauge;
    bool dead = false;
    int32_t deathTimer = 0;
    const StageGeometry* stage = nullptr;  // not owned; null: no walls

private:
    void UpdateFree();
    void UpdateAttack();
    void ShootRing();
};
