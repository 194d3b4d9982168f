// Hit point gauges: the playable character's bar in the top-left corner of
// the screen, pulsing between red and white, and the small green bar that
// floats over an enemy that has noticed the player.
#pragma once

#include <cstdint>

#include "objects/obj_character.h"
#include "render/sprite.h"

struct PlayerHpGauge {
    int32_t barWidth = 192;  // pixels of a full fill
    float color[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    float pulse = 0.02f;     // per-frame change of green and blue
    SpriteQuad fill;         // rebuilt on every draw
    SpriteQuad frame;
};

// The gauge as every playable character sets it up.
PlayerHpGauge MakePlayerHpGauge();

// Pixels of fill for hp out of maxHp, truncated toward zero. Never below 0
// (a character may be hurt below 0 hp) and never above the full width.
int32_t HpGaugeWidth(int32_t hp, int32_t maxHp, int32_t fullWidth);

// One frame of the red-white pulse: green and blue move together by pulse
// and the pulse turns round at 1 and at 0.
void PulseGaugeColor(float color[4], float& pulse);

// Draws the frame, then the fill for the character's hp, then pulses.
void DrawPlayerHpGauge(PlayerHpGauge& gauge, const ObjCharacter& character);

// Right edge, in the bar's model space, of an enemy's bar that starts at -0.3
// and is 0.625 long at full health; hp outside 0..maxHp is clamped.
float EnemyGaugeRight(int32_t hp, int32_t maxHp);

// The enemy's bar height units over its position, facing the active camera.
void DrawEnemyGauge(const ObjCharacter& enemy, float height);
