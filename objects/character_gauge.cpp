#include "objects/character_gauge.h"

#include "objects/obj_camera.h"

namespace {

constexpr int UiTextureSlot = 0;
constexpr float GaugeLeft = 5.0f;
constexpr float GaugeTop = 5.0f;
constexpr float GaugeBottom = 32.0f;
constexpr float FrameColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float EnemyGaugeColor[4] = {0.0f, 1.0f, 0.0f, 1.0f};
constexpr float EnemyGaugeLeft = -0.3f;
constexpr float EnemyGaugeTop = 0.5f;
constexpr float EnemyGaugeBottom = 0.4f;
constexpr float EnemyGaugeLength = 500.0f / 800.0f;

float HpRatio(int32_t hp, int32_t maxHp)
{
    if (maxHp <= 0 || hp <= 0) {
        return 0.0f;
    }
    if (hp >= maxHp) {
        return 1.0f;
    }
    return static_cast<float>(hp) / static_cast<float>(maxHp);
}

}  // namespace

PlayerHpGauge MakePlayerHpGauge()
{
    PlayerHpGauge gauge;
    gauge.frame = MakeSpriteQuad(0.0f, 28.0f, 192.0f, 59.0f, GaugeLeft, GaugeTop,
                                 GaugeLeft + static_cast<float>(gauge.barWidth), GaugeBottom, 0.0f);
    return gauge;
}

int32_t HpGaugeWidth(int32_t hp, int32_t maxHp, int32_t fullWidth)
{
    return static_cast<int32_t>(HpRatio(hp, maxHp) * static_cast<float>(fullWidth));
}

void PulseGaugeColor(float color[4], float& pulse)
{
    color[1] += pulse;
    color[2] += pulse;
    if (color[1] > 1.0f) {
        color[1] = 1.0f;
        color[2] = 1.0f;
        pulse = -pulse;
    } else if (color[1] < 0.0f) {
        color[1] = 0.0f;
        color[2] = 0.0f;
        pulse = -pulse;
    }
}

void DrawPlayerHpGauge(PlayerHpGauge& gauge, const ObjCharacter& character)
{
    DrawSprite(gauge.frame, FrameColor, UiTextureSlot);
    const int32_t width = HpGaugeWidth(character.hp, character.maxHp, gauge.barWidth);
    // The whole fill image is squeezed into the width, not cropped.
    gauge.fill = MakeSpriteQuad(0.0f, 0.0f, 192.0f, 27.0f, GaugeLeft, GaugeTop,
                                GaugeLeft + static_cast<float>(width), GaugeBottom, 0.0f);
    DrawSprite(gauge.fill, gauge.color, UiTextureSlot);
    PulseGaugeColor(gauge.color, gauge.pulse);
}

float EnemyGaugeRight(int32_t hp, int32_t maxHp)
{
    return HpRatio(hp, maxHp) * EnemyGaugeLength + EnemyGaugeLeft;
}

void DrawEnemyGauge(const ObjCharacter& enemy, float height)
{
    if (ActiveCamera == nullptr) {
        return;
    }
    const float right = EnemyGaugeRight(enemy.hp, enemy.maxHp);
    const SpriteQuad bar = MakeSpriteQuad(0.0f, 0.0f, 192.0f, 27.0f, EnemyGaugeLeft, EnemyGaugeTop, right,
                                          EnemyGaugeBottom, 0.0f);
    const Vec3 at = enemy.position;
    const float* v = ActiveCamera->view.m;
    const Matrix4 model = MatMultiplyRows(MatTranslation(at.x, at.y + height, at.z), v[0], v[1], v[2], 0.0f,
                                          v[4], v[5], v[6], 0.0f, v[8], v[9], v[10], 0.0f);
    DrawSpriteInSpace(bar, EnemyGaugeColor, UiTextureSlot, ActiveCamera->view, model,
                      ActiveCamera->projection);
}
