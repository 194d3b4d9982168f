#include "objects/chara_player_slime_blue.h"

#include "app/keyboard.h"          // Required for: KeyFreshPress
#include "app/scene.h"             // Required for: AddObject
#include "app/sound.h"             // Required for: PlaySound
#include "objects/bullet_bubble.h"  // Required for: BulletBubble, LaunchBubble
#include "objects/obj_camera.h"    // Required for: CameraRelative

namespace {

constexpr int32_t StartHp = 200;
constexpr float WalkSpeed = 0.1f;
constexpr float BodyRadius = 0.4f;
constexpr float MoveAnimStep = 1.0f;
constexpr float IdleAnimStep = 0.5f;
constexpr float BlowAnimStep = 1.5f;
constexpr float AnimEnd = 60.0f;
constexpr int AnimIdle = 0;
constexpr int AnimBlow = 1;
constexpr float RingSpacing = 30.0f;  // degrees between bubbles
constexpr float BubbleSpeed = 0.06f;
constexpr float BubbleHeight = 3.0f;
constexpr int SoundRing = 4;
constexpr PlayableLook Look{4, -1, -1};

}  // namespace

CharaPlayerSlimeBlue::CharaPlayerSlimeBlue() = default;

void CharaPlayerSlimeBlue::Setup(const StageGeometry* stageGeometry, float x, float y, float z)
{
    SetupCharacter(*this, CharacterStats{StartHp, 0, BodyRadius}, Vec3{x, y, z});
    velocity = Vec3{};
    moveSpeed = WalkSpeed;
    action = 0;
    SetupPlayerGauge(gauge);
    dead = false;
    deathTimer = PlayerDeathDelay;
    stage = stageGeometry;
}

void CharaPlayerSlimeBlue::Update()
{
    if (knockedBack) {
        // A hit before the ring is out cancels it.
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
            UpdateAttack();
        }
        PlacePlayerSphere(*this);
        PlayerContact(*this, false, 0, 0, false);
    }
    FinishPlayerUpdate(*this, velocity, moveSpeed, stage, facing, facingTarget, nullptr, dead);
}

void CharaPlayerSlimeBlue::UpdateFree()
{
    velocity = velocity + WalkInput(moveSpeed);
    anim = AnimIdle;
    const bool moving = velocity.x != 0.0f || velocity.z != 0.0f;
    animFrame += moving ? MoveAnimStep : IdleAnimStep;
    if (KeyFreshPress(VkCtrl)) {
        animFrame = 0.0f;
        action = 1;
    }
    velocity = CameraRelative(velocity);
}

void CharaPlayerSlimeBlue::UpdateAttack()
{
    anim = AnimBlow;
    animFrame += BlowAnimStep;
    // The step divides the frame exactly, so this is met once per attack.
    if (animFrame == BubbleRingFrame) {
        ShootRing();
    } else if (animFrame >= AnimEnd) {
        action = 0;
    }
}

void CharaPlayerSlimeBlue::ShootRing()
{
    Vec3 direction{0.0f, 0.0f, -1.0f};
    for (int i = 0; i < BubbleRingCount; ++i) {
        direction = RotateAboutY(direction, RingSpacing);
        auto* bubble = new BulletBubble();
        AddObject(bubble, TypeBulletBubble, TeamPlayerShot, 1);
        const Vec3 velocityOut = Vec3Normalize(direction) * BubbleSpeed;
        LaunchBubble(bubble, position.x, position.y + BubbleHeight, position.z, velocityOut.x, velocityOut.y,
                     velocityOut.z);
    }
    PlaySound(SoundRing);
}

void CharaPlayerSlimeBlue::DrawShadow()
{
    DrawPlayerShadow(*this, Look);
}

void CharaPlayerSlimeBlue::Draw()
{
    DrawPlayer(*this, Look, gauge);
}
