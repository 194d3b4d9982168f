// What the six enemy kinds share: the wander/notice pattern, the knock-back
// reaction, the wall movement and defeat check at the end of every update,
// and drawing with frustum culling, a held weapon and a floating HP gauge.
#pragma once

#include <cstdint>

#include "objects/obj_character.h"
#include "objects/stage_geometry.h"

class ObjWeapon;

// The constants that tell one enemy kind from another.
struct EnemyKind {
    CharacterStats stats;
    float moveSpeed = 0.0f;
    int skinModel = -1;     // SkinModelTable slot of the body
    int weaponModel = -1;   // StaticModelTable slot of the held weapon, -1: none
    int weaponBone = -1;    // the hand bone the weapon sits in
    float cullRadius = 2.0f;
    float gaugeHeight = 0.5f;
    float walkStep = 1.0f;  // animation frames per update while moving in Wander
    float idleStep = 0.5f;  // ... and while standing
    float noticeRadius = 10.0f;
};

class CharaEnemy : public ObjCharacter {
public:
    void DrawShadow() override;
    void Draw() override;

    // The hunted character, or null once it is gone.
    ObjCharacter* Target() const { return target.As<ObjCharacter>(); }

    // Distance to the target; so far away that nothing is noticed when there
    // is no target any more.
    float TargetDistance() const;

    Vec3 velocity;
    float moveSpeed = 0.0f;
    Quaternion facing;
    Quaternion facingTarget;
    Matrix4 facingMatrix;
    int32_t aiState = 0;
    ObjectHandle target;
    const StageGeometry* stage = nullptr;

protected:
    explicit CharaEnemy(const EnemyKind& kind) : kind_(kind) {}

    // The common set-up plus the enemy fields; `weapon` may be null.
    void SetupEnemy(ObjCharacter* hunted, const StageGeometry* geometry, Vec3 at, ObjWeapon* held);

    // One update of knock-back: 10 % decay, the velocity follows it, and it
    // ends once it is no faster than 0.02. Returns true in the update it ends.
    bool KnockbackStep();

    // Wandering: animation, a random new direction now and then, and the
    // notice test. Returns true when the target was noticed (aiState is 1).
    bool Wander();

    // Velocity toward the target on the ground plane at moveSpeed (zero when
    // there is no target or it stands exactly here).
    Vec3 ChaseVelocity(float speed) const;

    // Turns facingMatrix a step toward `direction` (ignoring height).
    void FaceToward(Vec3 direction);

    // Wall movement with `pushOut` as the push-out distance.
    void MoveWithStageWalls(float pushOut);

    // The sphere and the world matrix (position, then `rotation`), then the
    // defeat check, which also retires the held weapon.
    void PlaceAndCheckDefeat(const Matrix4& rotation);

    const EnemyKind& kind_;
};

// The animation frame wraps back to 0 once it has run past 60.
void WrapAnimFrame(float& animFrame);
