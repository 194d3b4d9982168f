// The damage number that floats up from a hurt character for a little under
// a second, its digits always turned toward the camera.
#pragma once

#include <cstdint>

#include "objects/object.h"
#include "render/sprite.h"  // Required for: NumberFont

inline constexpr int32_t DamagePopLifetime = 20;

class ObjDamagePop : public Object {
public:
    void Update() override;
    void Draw() override;

    int32_t value = 0;
    int32_t lifetime = 0;
    float riseSpeed = 0.0f;
    float scale = 0.0f;
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    NumberFont font;
};

void SetupDamagePop(ObjDamagePop* pop, const float color[4], Vec3 at, int32_t value, float riseSpeed,
                    float scale);
