#include "objects/damage.h"

#include <cstdlib>  // Required for: rand(), RAND_MAX

#include "app/scene.h"
#include "objects/obj_damage_pop.h"

namespace {

constexpr float PopJitter = 0.8f;
constexpr float PopHeight = 0.5f;
constexpr float PopRiseSpeed = 0.05f;
constexpr float PopScale = 0.3f;
constexpr float PlayerPopColor[4] = {1.0f, 0.0f, 0.0f, 1.0f};
constexpr float OtherPopColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// A random offset in -PopJitter..PopJitter whatever the runtime's RAND_MAX.
float Jitter()
{
    return static_cast<float>(rand()) / static_cast<float>(RAND_MAX) * (2.0f * PopJitter) - PopJitter;
}

}  // namespace

void ApplyDamage(int32_t damage, float strength, const Object* source, ObjCharacter* target)
{
    if (target == nullptr) {
        return;
    }
    target->hp -= damage;
    target->hitFlash = true;
    target->knockedBack = true;
    target->knockback =
        source != nullptr ? DirectionTo(target->position, source->position, strength, false) : Vec3{};

    const float* color = target->team == TeamPlayer ? PlayerPopColor : OtherPopColor;
    auto* pop = new ObjDamagePop();
    AddObject(pop, TypeDamagePop, TeamNeutral, 0);
    // Two draws in this order: depth first, then across.
    const float dz = Jitter();
    const float dx = Jitter();
    const Vec3 at{target->position.x + dx, target->position.y + PopHeight, target->position.z + dz};
    SetupDamagePop(pop, color, at, damage, PopRiseSpeed, PopScale);
}
