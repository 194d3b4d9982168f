#include "objects/enemy_gauge.h"

#include "objects/obj_camera.h"
#include "render/sprite.h"

namespace {

constexpr int UiTextureSlot = 0;
constexpr float GaugeColor[4] = {0.0f, 1.0f, 0.0f, 1.0f};
constexpr float GaugeLeft = -0.3f;
constexpr float GaugeTop = 0.5f;
constexpr float GaugeBottom = 0.4f;
constexpr float GaugeLength = 500.0f / 800.0f;

}  // namespace

float EnemyGaugeRight(int32_t hp, int32_t maxHp)
{
    float ratio = 0.0f;
    if (maxHp > 0 && hp >= maxHp) {
        ratio = 1.0f;
    } else if (maxHp > 0 && hp > 0) {
        ratio = static_cast<float>(hp) / static_cast<float>(maxHp);
    }
    return ratio * GaugeLength + GaugeLeft;
}

void DrawEnemyGauge(const ObjCharacter& enemy, float height)
{
    if (ActiveCamera == nullptr) {
        return;
    }
    // The whole texture strip is squeezed into the bar, whatever its length.
    const SpriteQuad bar = MakeSpriteQuad(0.0f, 0.0f, 192.0f, 27.0f, GaugeLeft, GaugeTop,
                                          EnemyGaugeRight(enemy.hp, enemy.maxHp), GaugeBottom, 0.0f);
    const Vec3 at = enemy.position;
    const float* v = ActiveCamera->view.m;
    const Matrix4 model = MatMultiplyRows(MatTranslation(at.x, at.y + height, at.z), v[0], v[1], v[2], 0.0f,
                                          v[4], v[5], v[6], 0.0f, v[8], v[9], v[10], 0.0f);
    DrawSpriteInSpace(bar, GaugeColor, UiTextureSlot, ActiveCamera->view, model, ActiveCamera->projection);
}
