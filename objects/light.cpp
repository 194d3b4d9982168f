#include "objects/light.h"

#include "app/scene.h"
#include "objects/light_follow.h"

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
    // A placement with no usable view (a zero distance, a target gone
    // non-finite) keeps the last good one instead of handing NaN to every
    // shadowed draw.
    LightPlacement placement;
    if (PlaceLight(followed->position, elevation, azimuth, distance, &placement)) {
        position = placement.position;
        direction = placement.direction;
        view = placement.view;
    }
}
