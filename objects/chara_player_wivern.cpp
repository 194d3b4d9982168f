#include "objects/chara_player_wivern.h"

#include "app/keyboard.h"                 // Required for: KeyFreshPress
#include "app/sound.h"                    // Required for: PlaySound
#include "math/collision.h"               // Required for: NearestOfTeam
#include "objects/main_camera_lock_on.h"  // Required for: MainCameraLockOn
#include "objects/obj_camera.h"           // Required for: CameraRelative

namespace {

constexpr int32_t StartHp = 300;
constexpr int32_t DiveAttack = 40;
constexpr float FlySpeed = 0.2f;
constexpr float DiveSpeed = 0.7f;
constexpr float BodyRadius = 0.4f;
constexpr float MoveAnimStep = 1.5f;
constexpr float IdleAnimStep = 1.0f;
constexpr float DiveAnimStep = 1.5f;
constexpr float AnimEnd = 60.0f;
constexpr int AnimFly = 0;
constexpr int AnimDive = 1;
constexpr float WindUpFrames = 30.0f;
constexpr float DiveReach = 0.5f;
constexpr float ClimbSpeed = 0.09f;
constexpr int32_t DiveTime = 50;
constexpr int32_t StrikeTime = 5;
constexpr int SoundWindUp = 7;
constexpr int SoundStrike = 8;
constexpr PlayableLook Look{1, -1, -1};

constexpr int32_t PhaseWindUp = 0;
constexpr int32_t PhaseDive = 1;
constexpr int32_t PhaseClimb = 2;

}  // namespace

CharaPlayerWivern::CharaPlayerWivern() = default;

void CharaPlayerWivern::Setup(const StageGeometry* stageGeometry, float x, float y, float z, Object* lockOnCamera)
{
    SetupCharacter(*this, CharacterStats{StartHp, DiveAttack, BodyRadius}, Vec3{x, y, z});
    velocity = Vec3{};
    moveSpeed = FlySpeed;
    diveSpeed = DiveSpeed;
    action = 0;
    divePhase = PhaseWindUp;
    SetupPlayerGauge(gauge);
    dead = false;
    striking = false;
    deathTimer = PlayerDeathDelay;
    diveTarget.Reset();
    stage = stageGeometry;
    camera = lockOnCamera;
}

void CharaPlayerWivern::Update()
{
    if (knockedBack) {
        // Whatever it was doing, a hit sends it back up to its height.
        if (PlayerKnockbackStep(*this, velocity)) {
            action = 1;
            divePhase = PhaseClimb;
        }
    } else if (dead) {
        PlayerDeathStep(deathTimer);
    } else {
        if (action == 0) {
            UpdateFree();
        } else if (action == 1) {
            UpdateDive();
        }
        PlacePlayerSphere(*this);
        PlayerContact(*this, striking, attack, SoundStrike, true);
    }
    // Free flight is pushed out of walls by the dive speed and the dive by the
    // flying speed; a fast dive must not be shoved far through a wall.
    const float pushOut = action == 0 ? diveSpeed : moveSpeed;
    FinishPlayerUpdate(*this, velocity, pushOut, stage, facing, facingTarget, nullptr, dead);
}

void CharaPlayerWivern::UpdateFree()
{
    velocity.x = 0.0f;
    velocity.z = 0.0f;
    velocity = velocity + WalkInput(moveSpeed);
    anim = AnimFly;
    const bool moving = velocity.x != 0.0f || velocity.z != 0.0f;
    animFrame += moving ? MoveAnimStep : IdleAnimStep;
    if (KeyFreshPress(VkCtrl)) {
        velocity.x = 0.0f;
        velocity.z = 0.0f;
        animFrame = 0.0f;
        divePhase = PhaseWindUp;
        PlaySound(SoundWindUp);
        strikeTimer = 0;
        strikeTimerArmed = false;
        diveTimer = 0;
        diveTimerArmed = false;
        action = 1;
    }
    velocity = CameraRelative(velocity);
}

void CharaPlayerWivern::UpdateDive()
{
    if (divePhase == PhaseWindUp) {
        WindUp();
    } else if (divePhase == PhaseDive) {
        Dive();
    } else if (divePhase == PhaseClimb) {
        Climb();
    }
    if ((divePhase == PhaseDive || divePhase == PhaseClimb) && striking) {
        StrikeWindow();
    }
}

void CharaPlayerWivern::WindUp()
{
    anim = AnimDive;
    animFrame += DiveAnimStep;
    if (animFrame < WindUpFrames) {
        return;
    }
    Object* target = nullptr;
    if (auto* lockOn = camera.As<MainCameraLockOn>()) {
        target = lockOn->LockTarget();
    }
    if (target == nullptr) {
        target = NearestOfTeam(this, TeamEnemy);
    }
    diveTarget = target;
    if (target == nullptr) {
        action = 0;
        return;
    }
    velocity = DirectionTo(target->position, position, DiveSpeed, true);
    divePhase = PhaseDive;
}

void CharaPlayerWivern::Dive()
{
    if (!striking && KeyFreshPress(VkCtrl)) {
        striking = true;
    }
    anim = AnimDive;
    animFrame += DiveAnimStep;
    if (animFrame > AnimEnd) {
        animFrame = AnimEnd;
    }
    // A target deleted during the dive leaves nothing to reach: climb back.
    const Object* target = diveTarget.Get();
    const bool reached = target == nullptr || Length(target->position - position) <= DiveReach;
    if (reached || position.y <= 0.0f) {
        divePhase = PhaseClimb;
        return;
    }
    if (!diveTimerArmed) {
        diveTimerArmed = true;
        diveTimer = DiveTime - 1;
    } else if (diveTimer > 0) {
        diveTimer -= 1;
    } else {
        diveTimer = DiveTime;
        divePhase = PhaseClimb;
    }
}

void CharaPlayerWivern::Climb()
{
    anim = AnimFly;
    animFrame += DiveAnimStep;
    if (position.y <= PlayerWivernHeight) {
        velocity = Vec3{0.0f, ClimbSpeed, 0.0f};
        return;
    }
    position.y = PlayerWivernHeight;
    striking = false;
    action = 0;
    velocity.y = 0.0f;
}

void CharaPlayerWivern::StrikeWindow()
{
    // Open in the update of the press and the StrikeTime - 1 after it.
    if (!strikeTimerArmed) {
        strikeTimerArmed = true;
        strikeTimer = StrikeTime - 1;
    } else if (strikeTimer > 0) {
        strikeTimer -= 1;
    } else {
        strikeTimer = StrikeTime;
        striking = false;
    }
}

void CharaPlayerWivern::DrawShadow()
{
    DrawPlayerShadow(*this, Look);
}

void CharaPlayerWivern::Draw()
{
    DrawPlayer(*this, Look, gauge);
}
