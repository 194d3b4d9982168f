#include "objects/main_camera_lock_on.h"

#include <cmath>

#include "app/keyboard.h"
#include "app/sound.h"
#include "math/collision.h"

namespace {

constexpr float HeadHeight = 2.0f;
constexpr float MinPitch = -20.0f;
constexpr float MaxPitch = 50.0f;
constexpr int32_t EnemyTeam = TeamEnemy;
constexpr int LockOnSound = 12;
constexpr Vec3 WorldUp{0.0f, 1.0f, 0.0f};
constexpr Vec3 MarkerLift{0.0f, 0.5f, 0.0f};
constexpr float MarkerColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr int MarkerTextureSlot = 0;

bool IsFinite(Vec3 v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool IsZero(Vec3 v)
{
    return !Vec3NotEqual(v, Vec3{});
}

// A hit of the line from look to eye that lies between the two, inclusive.
bool SegmentHit(Vec3 direction, Vec3 origin, int model, const Matrix4& world, MeshHit& hit)
{
    return RayHitsMesh(direction, origin, StaticModelMesh(model), world, hit) && hit.t >= 0.0f &&
           hit.t <= 1.0f;
}

}  // namespace

Vec3 HeadPoint(Vec3 characterPosition)
{
    return characterPosition + Vec3{0.0f, HeadHeight, 0.0f};
}

bool LockedEyeGoal(Vec3 head, Vec3 target, float distance, Vec3* eye)
{
    const Vec3 away = head - target;
    if (IsZero(away) || !IsFinite(away)) {
        return false;
    }
    *eye = head + Vec3Normalize(away) * distance;
    return true;
}

void SetupLockOnCamera(MainCameraLockOn* camera, const SpriteQuad& markerQuad, int keyTurnRight,
                       int keyTurnLeft, int keyPitchUp, int keyPitchDown, int keyLockOn,
                       const StageGeometry* stage, ObjCharacter* followed, float pitch, float yaw,
                       float distance, float turnSpeed, float followFactor)
{
    SetCameraDefaults(camera);
    camera->markerQuad = markerQuad;
    camera->keyTurnRight = keyTurnRight;
    camera->keyTurnLeft = keyTurnLeft;
    camera->keyPitchUp = keyPitchUp;
    camera->keyPitchDown = keyPitchDown;
    camera->keyLockOn = keyLockOn;
    camera->stage = stage;
    camera->followed = followed;
    camera->pitch = pitch;
    camera->yaw = yaw;
    camera->distance = distance;
    camera->turnSpeed = turnSpeed;
    camera->followFactor = followFactor;
    camera->lockTeam = EnemyTeam;
    camera->lockSound = LockOnSound;
    camera->lockTarget.Reset();
    camera->wasLocked = false;
    camera->OrbitGoal();
    camera->position = camera->eyeGoal;
    camera->lookAt = camera->lookGoal;
    camera->position = camera->AvoidStageGeometry(camera->position, camera->lookAt);
}

void MainCameraLockOn::OrbitGoal()
{
    const ObjCharacter* character = Followed();
    if (character == nullptr) {
        return;
    }
    if (pitch < MinPitch) {
        pitch = MinPitch;
    }
    if (pitch > MaxPitch) {
        pitch = MaxPitch;
    }
    lookGoal = HeadPoint(character->position);
    const float yawRad = yaw * DegToRad;
    const float pitchRad = pitch * DegToRad;
    eyeGoal = Vec3{lookGoal.x + distance * std::cos(yawRad), lookGoal.y - distance * std::sin(pitchRad),
                   lookGoal.z - distance * std::sin(yawRad)};
}

Vec3 MainCameraLockOn::AvoidStageGeometry(Vec3 eye, Vec3 look) const
{
    if (stage == nullptr) {
        return eye;
    }
    const Vec3 sight = eye - look;
    MeshHit groundHit;
    MeshHit wallHit;
    const bool ground = SegmentHit(sight, look, stage->groundModel, stage->stageWorld, groundHit);
    const bool wall = SegmentHit(sight, look, stage->wallModel, stage->stageWorld, wallHit);
    // Whichever surface the line of sight meets first wins: a wall further
    // out than the ground must not pull the eye back under the ground.
    if (wall && (!ground || wallHit.t <= groundHit.t)) {
        return wallHit.point;
    }
    if (ground) {
        // One unit short of the ground, so the near plane does not cut into it.
        return groundHit.point - Vec3Normalize(sight);
    }
    return eye;
}

void MainCameraLockOn::Update()
{
    if (KeyHeld(keyTurnRight)) {
        yaw -= turnSpeed;
    }
    if (KeyHeld(keyTurnLeft)) {
        yaw += turnSpeed;
    }
    if (KeyHeld(keyPitchDown)) {
        pitch -= turnSpeed;
    }
    if (KeyHeld(keyPitchUp)) {
        pitch += turnSpeed;
    }
    if (KeyFreshPress(keyLockOn)) {
        if (lockTarget.Get() != nullptr) {
            lockTarget.Reset();
        } else {
            lockTarget = NearestOfTeam(Followed(), lockTeam);
            if (lockSound >= 0) {
                PlaySound(lockSound);
            }
        }
    }
    // A target marked for removal is dropped before it is deleted.
    if (!lockTarget.Alive()) {
        lockTarget.Reset();
    }

    const ObjCharacter* character = Followed();
    const Object* target = lockTarget.Get();
    if (target != nullptr) {
        wasLocked = true;
        // A target on the very head point gives no line to put the eye on:
        // the previous goals stay.
        if (character != nullptr &&
            LockedEyeGoal(HeadPoint(character->position), target->position, distance, &eyeGoal)) {
            lookGoal = target->position;
        }
    } else {
        if (wasLocked && character != nullptr) {
            wasLocked = false;
            // Carry the view the lock left over into the orbit angles. A view
            // with no horizontal (or no side) extent has no angle to carry.
            const Vec3 away = position - character->position;
            if (away.x != 0.0f || away.z != 0.0f) {
                const float heading = HeadingAngleXZ(Vec3{1.0f, 0.0f, 0.0f}, away);
                if (std::isfinite(heading)) {
                    yaw = heading;
                }
            }
            if (away.y != 0.0f || away.z != 0.0f) {
                const float tilt = PitchAngleYZ(Vec3{0.0f, 0.0f, 1.0f}, away);
                if (std::isfinite(tilt)) {
                    pitch = tilt;
                }
            }
        }
        OrbitGoal();
    }

    eyeGoal = AvoidStageGeometry(eyeGoal, lookGoal);
    position = position + (eyeGoal - position) * followFactor;
    lookAt = lookAt + (lookGoal - lookAt) * followFactor;

    // An eye on the look point, or straight above it, has no defined view;
    // the last good view stays until the eye moves on.
    const Vec3 backward = position - lookAt;
    const Vec3 side = Cross(WorldUp, backward);
    if (IsFinite(backward) && Length(side) > 0.0f && std::isfinite(Length(side))) {
        view = MatLookAt(position, lookAt, WorldUp);
    }
}

void MainCameraLockOn::Draw()
{
    const Object* target = lockTarget.Get();
    if (target == nullptr) {
        return;
    }
    const Vec3 at = target->position + MarkerLift;
    world.m[12] = at.x;
    world.m[13] = at.y;
    world.m[14] = at.z;
    const float* v = view.m;
    const Matrix4 facing =
        MatMultiplyRows(world, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
    DrawSpriteInSpace(markerQuad, MarkerColor, MarkerTextureSlot, view, facing, projection);
}
