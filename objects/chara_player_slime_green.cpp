#include "objects/chara_player_slime_green.h"

#include "app/keyboard.h"        // Required for: KeyFreshPress
#include "objects/obj_camera.h"  // Required for: CameraRelative

namespace {

constexpr int32_t StartHp = 200;
constexpr int32_t BodyAttack = 5;
constexpr float WalkSpeed = 0.1f;
constexpr float BodyRadius = 0.4f;
constexpr int32_t ChargeTime = 5;
constexpr int SoundCharge = 6;
constexpr float MoveAnimStep = 1.0f;
constexpr float IdleAnimStep = 0.5f;
constexpr PlayableLook Look{3, -1, -1};

}  // namespace

CharaPlayerSlimeGreen::CharaPlayerSlimeGreen() = default;

void CharaPlayerSlimeGreen::Setup(const StageGeometry* stageGeometry, float x, float y, float z)
{
    SetupCharacter(*this, CharacterStats{StartHp, BodyAttack, BodyRadius}, Vec3{x, y, z});
    velocity = Vec3{};
    moveSpeed = WalkSpeed;
    action = 0;
    SetupPlayerGauge(gauge);
    dead = false;
    charging = false;
    deathTimer = PlayerDeathDelay;
    stage = stageGeometry;
}

void CharaPlayerSlimeGreen::Update()
{
    if (knockedBack) {
        if (PlayerKnockbackStep(*this, velocity)) {
            action = 0;
        }
    } else if (dead) {
        PlayerDeathStep(deathTimer);
    } else {
        UpdateNormal();
    }
    FinishPlayerUpdate(*this, velocity, moveSpeed, stage, facing, facingTarget, nullptr, dead);
}

void CharaPlayerSlimeGreen::UpdateNormal()
{
    velocity.x = 0.0f;
    velocity.z = 0.0f;
    velocity = velocity + WalkInput(moveSpeed);
    anim = 0;
    const bool moving = velocity.x != 0.0f || velocity.z != 0.0f;
    animFrame += moving ? MoveAnimStep : IdleAnimStep;
    UpdateCharge();
    velocity = CameraRelative(velocity);
    PlacePlayerSphere(*this);
    PlayerContact(*this, charging, attack, SoundCharge, true);
}

void CharaPlayerSlimeGreen::UpdateCharge()
{
    if (!charging) {
        if (KeyFreshPress(VkCtrl)) {
            charging = true;
            chargeTimerArmed = false;
            chargeTimer = 0;
        }
        return;
    }
    // Live in the update of the press and the ChargeTime updates after it.
    if (!chargeTimerArmed) {
        chargeTimerArmed = true;
        chargeTimer = ChargeTime - 1;
    } else if (chargeTimer > 0) {
        chargeTimer -= 1;
    } else {
        chargeTimer = ChargeTime;
        charging = false;
    }
}

void CharaPlayerSlimeGreen::DrawShadow()
{
    DrawPlayerShadow(*this, Look);
}

void CharaPlayerSlimeGreen::Draw()
{
    DrawPlayer(*this, Look, gauge);
}
