// A bubble that arcs under gravity until it hits someone or sinks below the
// ground.
#pragma once

#include "objects/obj_bullet.h"

// Bubbles in the ring a blue slime blows, enemy or playable, 30 degrees apart.
inline constexpr int BubbleRingCount = 12;

class BulletBubble : public ObjBullet {
public:
    void Update() override;
    void DrawShadow() override;
    void Draw() override;
};

void LaunchBubble(BulletBubble* bubble, float x, float y, float z, float vx, float vy, float vz);
