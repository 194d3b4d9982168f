// A fire ball that flies straight until it hits someone or has flown its range.
#pragma once

#include "objects/obj_bullet.h"

class BulletFire : public ObjBullet {
public:
    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    Vec3 origin;
    float range = 0.0f;
};

void LaunchFire(BulletFire* fire, float x, float y, float z, float vx, float vy, float vz, float range,
                int32_t damage);
