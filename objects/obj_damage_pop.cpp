#include "objects/obj_damage_pop.h"

void SetupDamagePop(ObjDamagePop* pop, const float color[4], Vec3 at, int32_t value, float riseSpeed,
                    float scale)
{
    pop->riseSpeed = riseSpeed;
    pop->position = at;
    pop->scale = scale;
    pop->value = value;
    for (int i = 0; i < 4; ++i) {
        pop->color[i] = color[i];
    }
    pop->lifetime = DamagePopLifetime;
    pop->world = MatMultiplyRows(MatTranslation(at.x, at.y, at.z), scale, 0.0f, 0.0f, 0.0f, 0.0f, scale,
                                 0.0f, 0.0f, 0.0f, 0.0f, scale, 0.0f);
}

void ObjDamagePop::Update()
{
    if (lifetime <= 0) {
        MarkForRemoval(0);
    } else {
        lifetime -= 1;
        position.y += riseSpeed;
    }
    // Only the translation follows the rise; the scale on the diagonal stays.
    world.m[12] = position.x;
    world.m[13] = position.y;
    world.m[14] = position.z;
    world.m[15] = 1.0f;
}
