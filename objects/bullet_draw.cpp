#include "objects/bullet_draw.h"

#include "objects/obj_camera.h"
#include "render/static_model.h"

void DrawBulletDepth(int model, const Matrix4& world)
{
    if (ActiveCamera == nullptr) {
        return;
    }
    DrawStaticModelDepth(model, world, ActiveCamera->projection);
}

void DrawBullet(int model, const float* tint, const Matrix4& world)
{
    if (ActiveCamera == nullptr || StaticModelInSlot(model) == nullptr) {
        return;
    }
    DrawStaticModelShadowed(model, tint, world, ActiveCamera->projection, ActiveCamera->view);
}
