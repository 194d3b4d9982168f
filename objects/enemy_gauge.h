// The small green hit point bar that floats over an enemy that has noticed the
// player, always turned toward the camera.
#pragma once

#include <cstdint>

#include "objects/obj_character.h"

// Right edge, in the bar's model space, of a bar that starts at -0.3 and is
// 0.625 long at full health. hp outside 0..maxHp (an overkill hit, a broken
// maxHp) is clamped, so the bar never runs backwards or past full.
float EnemyGaugeRight(int32_t hp, int32_t maxHp);

// Draws the enemy's bar height units above its position.
void DrawEnemyGauge(const ObjCharacter& enemy, float height);
