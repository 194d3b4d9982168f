#include "objects/light.h"

#include <cmath>

#include "app/scene.h"

Light* ActiveLight = nullptr;

namespace {

void ForgetActiveLight()
{
    ActiveLight = nullptr;
}

const bool ClearHookRegistered = (AddObjectListClearedHook(&ForgetActiveLight), true);

}  // namespace

Light::~Light()
{
    if (ActiveLight == this) {
        ActiveLight = nullptr;
    }
}

void Light::Update()
{
    const Object* followed = target.Get();
    if (followed == nullptr) {
        return;
    }
    const Vec3 t = followed->position;
    position = Vec3{t.x + distance * std::cos(azimuth * DegToRad), t.y + distance * std::sin(elevation * DegToRad),
                    t.z + distance * std::sin(azimuth * DegToRad)};
    direction = Vec3Normalize(position - t);
    view = MatLookAt(position, t, Vec3{0.0f, 1.0f, 0.0f});
}
