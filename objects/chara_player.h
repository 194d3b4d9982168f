// The sword fighter: walks relative to the camera, swings a three-hit combo,
// is knocked back by touching enemies and, at 0 hit points, dies and asks for
// the game over screen.
#pragma once

#include <cstdint>

#include "objects/obj_character.h"
#include "objects/stage_geometry.h"
#include "render/sprite.h"

class ObjWeapon;

// Width in pixels of the gauge fill for hp out of maxHp, truncated toward
// zero. Kept within 0..fullWidth so an overkill hit or a broken maxHp never
// draws a fill that runs backwards or past the frame.
int HpGaugeWidth(int32_t hp, int32_t maxHp, int32_t fullWidth);

// One frame of the gauge pulse: green and blue move together by pulse and the
// pulse turns around at white and at red.
void PulseGaugeColor(float color[4], float& pulse);

class CharaPlayer : public ObjCharacter {
public:
    CharaPlayer();

    // The stage registers the sword first, then this character, and sets the
    // sword up after this call.
    void Setup(const StageGeometry* stageGeometry, float x, float y, float z, ObjWeapon* sword);

    void Update() override;
    void DrawShadow() override;
    void Draw() override;

    Vec3 velocity;
    float moveSpeed = 0.0f;
    Quaternion facing;
    Quaternion facingTarget;
    Matrix4 facingMatrix;
    int32_t action = 0;     // 0 free (standing or walking), 1 attacking
    int32_t comboStep = 0;  // the attack running, or the one that may follow
    int32_t hpBarWidth = 0;
    int32_t comboTimer = 0;
    bool comboTimerArmed = false;
    float hpBarColor[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    float hpBarPulse = 0.0f;
    SpriteQuad hpBarFill;
    SpriteQuad hpBarFrame;
    float promptTime = 0.0f;
    bool comboPrompt = false;
    bool dead = false;
    // The combo prompt drawn over the head; rebuilt in every Draw.
    SpriteQuad promptQuad;
    const StageGeometry* stage = nullptr;  // not owned; null: no walls

private:
    void UpdateKnockedBack();
    void UpdateDying();
    void UpdateNormal();
    void UpdateFree();
    void UpdateComboWindow();
    void UpdateAttack();
    void TouchEnemies();
    void MoveAndFinish();

    // Calls into the weapon, which the variants without one leave null.
    void WeaponBeginStrike();
    void WeaponNextComboStage();
    void WeaponEndStrike();
    void WeaponResetCombo();
};
