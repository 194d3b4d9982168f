#include "objects/chara_enemy.h"

#include <cstdlib>
#include <limits>

#include "app/save_data.h"
#include "math/collision.h"
#include "objects/enemy_gauge.h"
#include "objects/obj_camera.h"
#include "objects/obj_weapon.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "render/weapon_mount.h"

namespace {

constexpr float KnockbackDecay = 0.1f;
constexpr float KnockbackEnd = 0.02f;
constexpr float TurnRate = 0.2f;
const float FlashColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

void WrapAnimFrame(float& animFrame)
{
    if (animFrame > 60.0f) {
        animFrame = 0.0f;
    }
}

float CharaEnemy::TargetDistance() const
{
    const ObjCharacter* hunted = Target();
    if (hunted == nullptr) {
        return std::numeric_limits<float>::max();
    }
    return ObjectDistance(*this, *hunted);
}

void CharaEnemy::SetupEnemy(ObjCharacter* hunted, const StageGeometry* geometry, Vec3 at,
                            ObjWeapon* held)
{
    SetupCharacter(*this, kind_.stats, at);
    weapon = held;
    velocity = Vec3{};
    aiState = 0;
    moveSpeed = kind_.moveSpeed;
    target = ObjectHandle(hunted);
    stage = geometry;
}

bool CharaEnemy::KnockbackStep()
{
    knockback = knockback - knockback * KnockbackDecay;
    velocity = knockback;
    if (Length(knockback) <= KnockbackEnd) {
        knockedBack = false;
        return true;
    }
    return false;
}

bool CharaEnemy::Wander()
{
    const bool moving = velocity.x != 0.0f || velocity.z != 0.0f;
    animFrame += moving ? kind_.walkStep : kind_.idleStep;
    if (std::rand() % 100 == 0) {
        const float dx = static_cast<float>(std::rand() % 3 - 1);
        const float dz = static_cast<float>(std::rand() % 3 - 1);
        velocity = Vec3{dx, velocity.y, dz};
        if (Vec3NotEqual(velocity, Vec3{})) {
            velocity = Vec3Normalize(velocity) * moveSpeed;
        }
    }
    if (TargetDistance() < kind_.noticeRadius) {
        aiState = 1;
        return true;
    }
    return false;
}

Vec3 CharaEnemy::ChaseVelocity(float speed) const
{
    const ObjCharacter* hunted = Target();
    if (hunted == nullptr) {
        return Vec3{};
    }
    return DirectionTo(hunted->position, position, speed, false);
}

void CharaEnemy::FaceToward(Vec3 direction)
{
    facingMatrix = TurnToward(facing, facingTarget, direction, TurnRate);
}

void CharaEnemy::MoveWithStageWalls(float pushOut)
{
    if (stage != nullptr) {
        MoveWithWalls(position, velocity, collider->sphere->radius, pushOut,
                             stage->wallModel, stage->stageWorld);
    } else {
        position = position + velocity;
    }
}

void CharaEnemy::PlaceAndCheckDefeat(const Matrix4& rotation)
{
    collider->sphere->center = position;
    world = MatMultiply(MatTranslation(position.x, position.y, position.z), rotation);
    HandleDefeat(*this, hp, weapon, EnemiesAlive);
}

void CharaEnemy::DrawShadow()
{
    if (ActiveCamera == nullptr || IsOutsideView(collider->sphere->center, kind_.cullRadius)) {
        return;
    }
    DrawSkinModelDepth(kind_.skinModel, anim, animFrame, world, ActiveCamera->projection);
    if (kind_.weaponModel >= 0) {
        const Matrix4 mount = WeaponMountMatrix(world, kind_.skinModel, kind_.weaponBone);
        DrawStaticModelDepth(kind_.weaponModel, mount, ActiveCamera->projection);
    }
}

void CharaEnemy::Draw()
{
    if (ActiveCamera == nullptr || IsOutsideView(collider->sphere->center, kind_.cullRadius)) {
        return;
    }
    const float* colour = hitFlash ? FlashColour : nullptr;
    hitFlash = false;
    DrawSkinModelShadowed(kind_.skinModel, colour, world, anim, animFrame, ActiveCamera->projection,
                          ActiveCamera->view);
    if (kind_.weaponModel >= 0) {
        const Matrix4 mount = WeaponMountMatrix(world, kind_.skinModel, kind_.weaponBone);
        DrawStaticModel(kind_.weaponModel, nullptr, mount, ActiveCamera->projection,
                        ActiveCamera->view);
    }
    if (aiState != 0) {
        DrawEnemyGauge(*this, kind_.gaugeHeight);
    }
}
