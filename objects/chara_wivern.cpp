#include "objects/chara_wivern.h"

#include "app/sound.h"

namespace {

const EnemyKind WivernKind = {{60, 10, 1.0f}, 0.05f, 1, -1, -1, 2.0f, 1.5f, 1.5f, 1.0f, 20.0f};

constexpr float GiveUpRadius = 21.0f;
constexpr float DiveRange = 16.0f;
constexpr float DiveSpeed = 0.7f;
constexpr float ApproachStep = 1.5f;
constexpr float DiveStepFrames = 1.5f;
constexpr float ClimbStep = 1.0f;
constexpr float ClimbSpeed = 0.07f;
constexpr float LaunchFrame = 30.0f;
constexpr float DiveReach = 0.5f;
constexpr int DiveSound = 7;

}  // namespace

CharaWivern::CharaWivern() : CharaEnemy(WivernKind) {}

void CharaWivern::Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y,
                        float z)
{
    SetupEnemy(hunted, geometry, Vec3{x, y, z}, nullptr);
    diveHit = false;
    diveLaunched = 0;
    diveSpeed = DiveSpeed;
    diveTimerArmed = false;
    diveTimer = 0;
    diveCooldown = 0;
}

void CharaWivern::Update()
{
    if (diveCooldown > 0) {
        diveCooldown -= 1;
    }
    if (knockedBack) {
        // A dive that was under way when the wyvern was hit goes on after.
        if (KnockbackStep() && aiState == 2 && animFrame >= LaunchFrame) {
            velocity = diveVelocity;
        }
    } else {
        StateStep();
        FaceToward(velocity);
    }
    WrapAnimFrame(animFrame);
    MoveWithStageWalls(aiState == 2 ? diveSpeed : moveSpeed);
    PlaceAndCheckDefeat(facingMatrix);
}

void CharaWivern::StateStep()
{
    switch (aiState) {
    case 0:
        anim = 0;
        Wander();  // hovering: the height stays where it is
        break;
    case 1: {
        velocity = Vec3{};
        anim = 0;
        animFrame += ApproachStep;
        const float distance = TargetDistance();
        if (distance >= DiveRange) {
            velocity = ChaseVelocity(moveSpeed);
            if (distance > GiveUpRadius) {
                aiState = 0;
            }
        } else if (diveCooldown <= 0) {
            animFrame = 0.0f;
            aiState = 2;
            diveLaunched = 0;
            PlaySound(DiveSound);
        }
        break;
    }
    case 2:
        DiveStep();
        break;
    case 3:
        velocity = Vec3{};
        anim = 0;
        animFrame += ClimbStep;
        if (position.y <= WivernCruiseHeight) {
            velocity = Vec3{0.0f, ClimbSpeed, 0.0f};
        } else {
            aiState = 0;
        }
        break;
    default:
        break;
    }
}

void CharaWivern::DiveStep()
{
    anim = 1;
    animFrame += DiveStepFrames;
    if (diveLaunched == 0) {
        // Hanging in the air while winding up, then straight at where the
        // player is now, height included.
        if (animFrame >= LaunchFrame) {
            const ObjCharacter* hunted = Target();
            diveVelocity = hunted != nullptr ? DirectionTo(hunted->position, position, diveSpeed, true)
                                             : Vec3{};
            velocity = diveVelocity;
            diveLaunched = 1;
        }
        return;
    }
    if (animFrame >= 60.0f) {
        animFrame = 60.0f;
    }
    if (TargetDistance() <= DiveReach || position.y <= 0.0f) {
        EndDive();
        return;
    }
    if (!diveTimerArmed) {
        diveTimerArmed = true;
        diveTimer = WivernDiveTime;
    }
    if (diveTimer <= 0) {
        EndDive();
        return;
    }
    diveTimer -= 1;
}

void CharaWivern::EndDive()
{
    aiState = 3;
    diveTimerArmed = false;
    diveTimer = 0;
    diveHit = false;
    diveCooldown = WivernDiveCooldown;
}
