#include "objects/chara_player_slime_red.h"

#include "app/keyboard.h"        // Required for: KeyFreshPress
#include "app/scene.h"           // Required for: AddObject
#include "objects/bullet_fire.h"  // Required for: BulletFire, LaunchFire
#include "objects/obj_camera.h"  // Required for: CameraRelative

namespace {

constexpr int32_t StartHp = 200;
constexpr int32_t FireDamage = 20;
constexpr float WalkSpeed = 0.1f;
constexpr float BodyRadius = 0.4f;
constexpr float MoveAnimStep = 1.0f;
constexpr float IdleAnimStep = 0.5f;
constexpr float SpitAnimStep = 0.7f;
constexpr float AnimEnd = 60.0f;
constexpr int AnimIdle = 0;
constexpr int AnimSpit = 1;
constexpr float FireHeight = 0.2f;
constexpr float FireSpeed = 0.1f;
constexpr float FireRange = 10.0f;
constexpr PlayableLook Look{5, -1, -1};

}  // namespace

CharaPlayerSlimeRed::CharaPlayerSlimeRed() = default;

void CharaPlayerSlimeRed::Setup(const StageGeometry* stageGeometry, float x, float y, float z)
{
    SetupCharacter(*this, CharacterStats{StartHp, FireDamage, BodyRadius}, Vec3{x, y, z});
    velocity = Vec3{};
    moveSpeed = WalkSpeed;
    action = 0;
    SetupPlayerGauge(gauge);
    dead = false;
    deathTimer = PlayerDeathDelay;
    stage = stageGeometry;
}

void CharaPlayerSlimeRed::Update()
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

void CharaPlayerSlimeRed::UpdateNormal()
{
    velocity.x = 0.0f;
    velocity.z = 0.0f;
    velocity = velocity + WalkInput(moveSpeed);
    const bool moving = velocity.x != 0.0f || velocity.z != 0.0f;
    velocity = CameraRelative(velocity);
    if (anim == AnimSpit) {
        // Ctrl is not read while spitting, so one spit is one fire ball.
        animFrame += SpitAnimStep;
        if (animFrame >= AnimEnd) {
            anim = AnimIdle;
        }
    } else {
        animFrame += moving ? MoveAnimStep : IdleAnimStep;
        anim = AnimIdle;
        if (KeyFreshPress(VkCtrl)) {
            SpitFire();
            animFrame = 0.0f;
            anim = AnimSpit;
        }
    }
    PlacePlayerSphere(*this);
    PlayerContact(*this, false, 0, 0, false);
}

void CharaPlayerSlimeRed::SpitFire()
{
    auto* fire = new BulletFire();
    AddObject(fire, TypeBulletFire, TeamPlayerShot, 1);
    const Vec3 out = ForwardOf(*this) * FireSpeed;
    LaunchFire(fire, position.x, position.y + FireHeight, position.z, out.x, out.y, out.z, FireRange, attack);
}

void CharaPlayerSlimeRed::DrawShadow()
{
    DrawPlayerShadow(*this, Look);
}

void CharaPlayerSlimeRed::Draw()
{
    DrawPlayer(*this, Look, gauge);
}
