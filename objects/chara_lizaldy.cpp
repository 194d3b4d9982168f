#include "objects/chara_lizaldy.h"

#include "app/sound.h"
#include "objects/weapon_spear.h"

namespace {

const EnemyKind LizaldyKind = {{100, 10, 0.4f}, 0.05f, 2, 1, 12, 2.0f, 1.5f, 1.0f, 0.5f, 8.0f};

constexpr float GiveUpRadius = 9.0f;
constexpr float AttackRange = 2.0f;
constexpr float ChaseStep = 1.5f;
constexpr float ThrustStep = 1.5f;
constexpr float StrikeOpens = 35.0f;
constexpr float StrikeCloses = 40.0f;
constexpr int ThrustSound = 9;

}  // namespace

CharaLizaldy::CharaLizaldy() : CharaEnemy(LizaldyKind) {}

void CharaLizaldy::Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y,
                         float z, WeaponSpear* spear)
{
    SetupEnemy(hunted, geometry, Vec3{x, y, z}, spear);
    strikePhase = 0;
}

void CharaLizaldy::Update()
{
    if (knockedBack) {
        // The attack keeps its state and frame; it goes on after the push.
        KnockbackStep();
    } else {
        StateStep();
    }
    WrapAnimFrame(animFrame);
    MoveWithStageWalls(moveSpeed);
    PlaceAndCheckDefeat(facingMatrix);
}

void CharaLizaldy::StateStep()
{
    const ObjCharacter* hunted = Target();
    const Vec3 toTarget = hunted != nullptr ? hunted->position - position : Vec3{};
    switch (aiState) {
    case 0:
        anim = (velocity.x != 0.0f || velocity.z != 0.0f) ? 1 : 0;
        Wander();
        FaceToward(velocity);
        break;
    case 1: {
        velocity = Vec3{};
        anim = 1;
        animFrame += ChaseStep;
        const float distance = TargetDistance();
        if (distance >= AttackRange) {
            velocity = ChaseVelocity(moveSpeed);
            FaceToward(velocity);
            if (distance > GiveUpRadius) {
                aiState = 0;
            }
        } else {
            animFrame = 0.0f;
            FaceToward(toTarget);
            PlaySound(ThrustSound);
            strikePhase = 0;
            aiState = 2;
        }
        break;
    }
    case 2:
        velocity = Vec3{};
        anim = 2;
        animFrame += ThrustStep;
        if (strikePhase == 0 && animFrame >= StrikeOpens) {
            if (weapon != nullptr) {
                weapon->BeginStrike();
            }
            strikePhase = 1;
        }
        if (strikePhase == 1) {
            if (animFrame >= 60.0f) {
                aiState = 1;
            } else if (animFrame >= StrikeCloses && weapon != nullptr) {
                weapon->EndStrike();
            }
        }
        FaceToward(toTarget);
        break;
    default:
        break;
    }
}
