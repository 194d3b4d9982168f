#include "objects/chara_wizard.h"

#include "objects/weapon_staff.h"

namespace {

const EnemyKind WizardKind = {{60, 0, 0.4f}, 0.03f, 6, 5, 6, 3.0f, 2.5f, 1.0f, 0.5f, 15.0f};

constexpr float GiveUpRadius = 16.0f;
constexpr float CastStep = 0.5f;

}  // namespace

CharaWizard::CharaWizard() : CharaEnemy(WizardKind) {}

void CharaWizard::Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y,
                        float z, WeaponStaff* staff)
{
    SetupEnemy(hunted, geometry, Vec3{x, y, z}, staff);
}

void CharaWizard::Update()
{
    if (knockedBack) {
        KnockbackStep();
    } else {
        StateStep();
    }
    WrapAnimFrame(animFrame);
    MoveWithStageWalls(moveSpeed);
    PlaceAndCheckDefeat(facingMatrix);
}

void CharaWizard::StateStep()
{
    if (aiState == 0) {
        anim = 0;
        if (Wander()) {
            animFrame = 0.0f;
            if (weapon != nullptr) {
                weapon->BeginStrike();  // the staff now casts at the player by itself
            }
        }
        FaceToward(velocity);
        return;
    }
    if (aiState == 1) {
        velocity = Vec3{};
        anim = 1;
        animFrame += CastStep;
        if (TargetDistance() > GiveUpRadius || animFrame >= 60.0f) {
            aiState = 0;
            if (weapon != nullptr) {
                weapon->EndStrike();
            }
        }
        const ObjCharacter* hunted = Target();
        FaceToward(hunted != nullptr ? hunted->position - position : Vec3{});
    }
}
