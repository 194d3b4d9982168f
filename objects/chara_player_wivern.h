// The wyvern: flies at a fixed height. Ctrl winds up a dive at the locked-on
// or the nearest enemy; Ctrl again during the dive opens a short strike in
// which its body hurts what it touches. It then climbs back to its height.
#pragma once

#include <cstdint>

#include "objects/player_frame.h"

inline constexpr float PlayerWivernHeight = 9.5f;

class CharaPlayerWivern : public ObjCharacter {
public:
    CharaPlayerWivern();
    // camera: the stage's lock-on camera, whose target the dive prefers; may be null.
    void Setup(const StageGeometry* stageGeometry, float x, float y, float z, Object* lockOnCamera);

    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    // The enemy the dive aims at, or null (none, or it has been deleted).
    ObjCharacter* DiveTarget() const { return diveTarget.As<ObjCharacter>(); }

    Vec3 velocity;
    float moveSpeed = 0.0f;
    float diveSpeed = 0.0f;
    Quaternion facing;
    Quaternion facingTarget;
    int32_t action = 0;     // 0 free flight, 1 wind-up, dive or climb
    int32_t divePhase = 0;  // 0 wind-up, 1 diving, 2 climbing back
    int32_t strikeTimer = 0;
    bool strikeTimerArmed = false;
    int32_t diveTimer = 0;
    bool diveTimerArmed = false;
    PlayerGauge gauge;
    bool dead = false;
    bool striking = false;
    int32_t deathTimer = 0;
    ObjectHandle diveTarget;
    const StageGeometry* stage = nullptr;  // not owned; null: no walls
    ObjectHandle camera;                   // a MainCameraLockOn, or none

private:
    void UpdateFree();
    void UpdateDive();
    void WindUp();
    void Dive();
    void Climb();
    void StrikeWindow();
};
