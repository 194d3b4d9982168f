#include "objects/chara_player_lizaldy.h"

#include "app/keyboard.h"        // Required for: KeyFreshPress
#include "app/sound.h"           // Required for: PlaySound
#include "objects/obj_camera.h"  // Required for: CameraRelative
#include "objects/obj_weapon.h"  // Required for: ObjWeapon
#include "render/weapon_mount.h"  // Required for: HandBone

namespace {

constexpr int32_t StartHp = 200;
constexpr float WalkSpeed = 0.1f;
constexpr float BodyRadius = 0.4f;
constexpr float WalkAnimStep = 1.5f;
constexpr float IdleAnimStep = 0.5f;
constexpr float ThrustAnimStep = 1.5f;
constexpr int AnimStand = 0;
constexpr int AnimWalk = 1;
constexpr int AnimThrust = 2;
constexpr float ThrustEnd = 60.0f;
constexpr float SpearDownFrom = 40.0f;
constexpr float SpearUpFrom = 35.0f;
constexpr int SoundThrust = 9;
constexpr PlayableLook Look{2, 1, HandBone};

}  // namespace

CharaPlayerLizaldy::CharaPlayerLizaldy() = default;

void CharaPlayerLizaldy::Setup(const StageGeometry* stageGeometry, float x, float y, float z, ObjWeapon* spear)
{
    SetupCharacter(*this, CharacterStats{StartHp, 0, BodyRadius}, Vec3{x, y, z});
    velocity = Vec3{};
    lookDirection = Vec3{};
    moveSpeed = WalkSpeed;
    action = 0;
    SetupPlayerGauge(gauge);
    dead = false;
    deathTimer = PlayerDeathDelay;
    weapon = spear;
    stage = stageGeometry;
}

void CharaPlayerLizaldy::Update()
{
    if (knockedBack) {
        if (PlayerKnockbackStep(*this, velocity)) {
            action = 0;
            if (weapon != nullptr) {
                weapon->EndStrike();
            }
        }
    } else if (dead) {
        PlayerDeathStep(deathTimer);
    } else {
        velocity.x = 0.0f;
        velocity.z = 0.0f;
        if (action == 0) {
            UpdateFree();
        } else if (action == 1) {
            UpdateThrust();
        }
        PlacePlayerSphere(*this);
        PlayerContact(*this, false, 0, 0, false);
    }
    FinishPlayerUpdate(*this, velocity, moveSpeed, stage, facing, facingTarget, &lookDirection, dead);
}

void CharaPlayerLizaldy::UpdateFree()
{
    velocity = velocity + WalkInput(moveSpeed);
    if (velocity.x != 0.0f || velocity.z != 0.0f) {
        anim = AnimWalk;
        animFrame += WalkAnimStep;
    } else {
        anim = AnimStand;
        animFrame += IdleAnimStep;
    }
    if (KeyFreshPress(VkCtrl)) {
        animFrame = 0.0f;
        PlaySound(SoundThrust);
        action = 1;
    }
    velocity = CameraRelative(velocity);
    lookDirection = velocity;
}

void CharaPlayerLizaldy::UpdateThrust()
{
    // Planted for the thrust: the keys aim the spear instead of walking.
    lookDirection = CameraRelative(MovementKeys());
    animFrame += ThrustAnimStep;
    anim = AnimThrust;
    if (animFrame >= ThrustEnd) {
        action = 0;
    } else if (animFrame >= SpearDownFrom) {
        if (weapon != nullptr) {
            weapon->EndStrike();
        }
    } else if (animFrame >= SpearUpFrom) {
        if (weapon != nullptr) {
            weapon->BeginStrike();
        }
    }
}

void CharaPlayerLizaldy::DrawShadow()
{
    DrawPlayerShadow(*this, Look);
}

void CharaPlayerLizaldy::Draw()
{
    DrawPlayer(*this, Look, gauge);
}
