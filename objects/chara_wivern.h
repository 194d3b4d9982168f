// The wyvern: hovers high over the field, approaches the player, winds up and
// dives at where the player stood, then climbs back and rests before the next
// dive. The playable character reads diveHit so a dive hurts it only once.
#pragma once

#include "objects/chara_enemy.h"

inline constexpr float WivernCruiseHeight = 9.5f;
inline constexpr int32_t WivernDiveTime = 50;
inline constexpr int32_t WivernDiveCooldown = 100;

class CharaWivern : public CharaEnemy {
public:
    CharaWivern();
    void Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y, float z);
    void Update() override;

    bool diveHit = false;
    Vec3 diveVelocity;
    float diveSpeed = 0.0f;
    int32_t diveLaunched = 0;
    int32_t diveTimer = 0;
    bool diveTimerArmed = false;
    int32_t diveCooldown = 0;

private:
    void StateStep();
    void DiveStep();
    void EndDive();
};
