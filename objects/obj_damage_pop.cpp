#include "objects/obj_damage_pop.h"

#include "objects/obj_camera.h"

namespace {

// The row of digit cells in the stage's interface image.
constexpr NumberFont DamageFont{0, 192, 0, 35};

}  // namespace

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
    pop->font = DamageFont;
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

void ObjDamagePop::Draw()
{
    if (ActiveCamera == nullptr) {
        return;
    }
    // Appending the transpose of the view's rotation turns the digits to face
    // the camera while keeping their scale and position.
    const float* v = ActiveCamera->view.m;
    const Matrix4 model =
        MatMultiplyRows(world, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
    DrawNumberInSpace(font, color, value, ActiveCamera->view, model, ActiveCamera->projection);
}
