// A magic bolt from a staff: it drifts out, hangs still, then darts in a
// straight line at where its target stands at that moment.
#pragma once

#include <cstdint>

#include "objects/obj_bullet.h"

enum MagicPhase : int32_t {
    MagicDrift = 0,
    MagicHover = 1,
    MagicFlight = 2,
};

class BulletMagic : public ObjBullet {
public:
    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    int32_t phase = MagicDrift;
    float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    Vec3 origin;
    float range = 0.0f;
    // The target may be deleted while the bolt flies; the bolt then acts as
    // one fired without a target.
    ObjectHandle homingTarget;
    int32_t phaseTimer = 0;
    bool phaseTimerArmed = false;

private:
    // Returns false when the bolt gave up at the turn and the update ends.
    bool Hover();
};

void LaunchMagic(BulletMagic* bolt, float x, float y, float z, float vx, float vy, float vz, float range,
                 const float color[4], ObjCharacter* target);
