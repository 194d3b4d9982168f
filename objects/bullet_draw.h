// How every projectile is drawn: a static model on its world matrix, cast
// into the shadow map and drawn lit, tinted for magic bolts.
#pragma once

#include "math/vector_math.h"

inline constexpr int FireBallModel = 3;  // also drawn, tinted, for magic bolts

void DrawBulletDepth(int model, const Matrix4& world);
// tint: four floats, or null for the model's own materials.
void DrawBullet(int model, const float* tint, const Matrix4& world);
