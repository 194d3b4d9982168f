// The frame every playable character other than the sword fighter repeats
// with its own constants: walking keys, knock-back, the death countdown,
// contact with enemies, the wall step and facing, and drawing the body, the
// held weapon and the HP gauge. Each character class keeps its own fields and
// calls these in its own order around its attack.
#pragma once

#include <cstdint>

#include "objects/obj_character.h"
#include "objects/stage_geometry.h"
#include "render/sprite.h"

// The HP gauge in the top-left corner and its red-white pulse.
struct PlayerGauge {
    int32_t hpBarWidth = 0;
    float hpBarColor[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    float hpBarPulse = 0.0f;
    SpriteQuad hpBarFill;
    SpriteQuad hpBarFrame;
};

void SetupPlayerGauge(PlayerGauge& gauge);

// Frames of the death countdown: the game over follows one update later.
inline constexpr int32_t PlayerDeathDelay = 10;

// The W, A, S, D keys as screen axes (x right, z toward the viewer), each
// component -1, 0 or 1; opposite keys cancel.
Vec3 MovementKeys();

// Walking velocity in screen terms for the held keys: speed per axis, slowed
// by 0.707 per axis when a sideways and a forward/back key are held together.
Vec3 WalkInput(float speed);

// One update of knock-back: keeps 90 % of the push and copies it into
// velocity. Returns true in the update it fades out (then knockedBack is
// cleared and animFrame is 0; velocity keeps the last small push).
bool PlayerKnockbackStep(ObjCharacter& self, Vec3& velocity);

// One update of the death countdown; asks for the game over screen once it
// has run out.
void PlayerDeathStep(int32_t& deathTimer);

// The character's collision sphere back on its position.
void PlacePlayerSphere(ObjCharacter& self);

// What touching enemies does this update. `attacking`: the character's body
// is its weapon (a charge or a dive strike) and hurts every enemy it touches
// with `attackDamage`, playing `attackSound`. Otherwise enemies hurt the
// character: a wyvern only with its dive and once per dive, a wizard never,
// every other enemy with its attack. `skipKnockedBack` leaves out enemies
// that are still reeling.
void PlayerContact(ObjCharacter& self, bool attacking, int32_t attackDamage, int attackSound,
                   bool skipKnockedBack);

// The end of every update: the wall step with pushOut as the push-out
// distance, the animation wrap, the facing turned toward the velocity the
// wall step left (so a character sliding along a wall faces along it), or
// toward lookDirection when one is given, the world matrix, and the death
// flag once hp is below 1.
void FinishPlayerUpdate(ObjCharacter& self, Vec3& velocity, float pushOut,
                        const StageGeometry* stage, Quaternion& facing, Quaternion& facingTarget,
                        const Vec3* lookDirection, bool& dead);

// How a playable character looks: its skinned body and, if it holds one, the
// static weapon model on a hand bone (-1: no weapon).
struct PlayableLook {
    int bodyModel = 0;
    int weaponModel = -1;
    int weaponBone = -1;
};

void DrawPlayerShadow(const ObjCharacter& self, const PlayableLook& look);
// Body (flashing once after a hit), weapon, then the gauge.
void DrawPlayer(ObjCharacter& self, const PlayableLook& look, PlayerGauge& gauge);
