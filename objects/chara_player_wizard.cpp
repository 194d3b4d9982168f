#include "objects/chara_player_wizard.h"

#include "app/keyboard.h"        // Required for: KeyFreshPress
#include "objects/obj_camera.h"  // Required for: CameraRelative
#include "objects/obj_weapon.h"  // Required for: ObjWeapon

namespace {

constexpr int32_t StartHp = 200;
constexpr float WalkSpeed = 0.15f;
constexpr float BodyRadius = 0.4f;
constexpr float MoveAnimStep = 1.0f;
constexpr float IdleAnimStep = 0.5f;
constexpr float CastAnimStep = 0.5f;
constexpr float CastEnd = 60.0f;
constexpr int AnimIdle = 0;
constexpr int AnimCast = 1;
constexpr int StaffBone = 6;
constexpr PlayableLook Look{6, 5, StaffBone};

}  // namespace

CharaPlayerWizard::CharaPlayerWizard() = default;

void CharaPlayerWizard::Setup(const StageGeometry* stageGeometry, float x, float y, float z, ObjWeapon* staff)
{
    SetupCharacter(*this, CharacterStats{StartHp, 0, BodyRadius}, Vec3{x, y, z});
    velocity = Vec3{};
    moveSpeed = WalkSpeed;
    action = 0;
    SetupPlayerGauge(gauge);
    dead = false;
    deathTimer = PlayerDeathDelay;
    weapon = staff;
    stage = stageGeometry;
}

void CharaPlayerWizard::Update()
{
    if (knockedBack) {
        // A hit stops the cast but not the bolts already on their way.
        if (PlayerKnockbackStep(*this, velocity)) {
            action = 0;
        }
    } else if (dead) {
        PlayerDeathStep(deathTimer);
    } else {
        velocity.x = 0.0f;
        velocity.z = 0.0f;
        if (action == 0) {
            UpdateFree();
        } else if (action == 1) {
            UpdateCast();
        }
        PlacePlayerSphere(*this);
        PlayerContact(*this, false, 0, 0, false);
    }
    FinishPlayerUpdate(*this, velocity, moveSpeed, stage, facing, facingTarget, nullptr, dead);
}

void CharaPlayerWizard::UpdateFree()
{
    velocity = velocity + WalkInput(moveSpeed);
    anim = AnimIdle;
    const bool moving = velocity.x != 0.0f || velocity.z != 0.0f;
    animFrame += moving ? MoveAnimStep : IdleAnimStep;
    if (KeyFreshPress(VkCtrl)) {
        animFrame = 0.0f;
        action = 1;
        if (weapon != nullptr) {
            weapon->BeginStrike();
        }
    }
    velocity = CameraRelative(velocity);
}

void CharaPlayerWizard::UpdateCast()
{
    anim = AnimCast;
    animFrame += CastAnimStep;
    if (animFrame >= CastEnd) {
        action = 0;
        if (weapon != nullptr) {
            weapon->EndStrike();
        }
    }
}

void CharaPlayerWizard::DrawShadow()
{
    DrawPlayerShadow(*this, Look);
}

void CharaPlayerWizard::Draw()
{
    DrawPlayer(*this, Look, gauge);
}
