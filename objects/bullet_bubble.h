// A bubble that arcs under gravity until it hits someone or sinks below the
// ground.
#pragma once

#include "objects/obj_bullet.h"

class BulletBubble : public ObjBullet {
public:
    void Update() override;
    void DrawShadow() override;
    void Draw() override;
};

void LaunchBubble(BulletBubble* bubble, float x, float y, float z, float vx, float vy, float vz);
