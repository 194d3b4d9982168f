// The stage's third-person camera: it orbits the playable character under the
// arrow keys and, on R, locks on to the nearest enemy so that the enemy stays
// in the middle of the view, seen past the player. Eye and look point ease
// toward their goals and stay in front of the ground and the walls.
#pragma once

#include <cstdint>

#include "objects/obj_camera.h"
#include "objects/obj_character.h"
#include "objects/stage_geometry.h"
#include "render/sprite.h"

class MainCameraLockOn : public ObjCamera {
public:
    void Update() override;
    void Draw() override;

    // Recomputes the orbit goals from pitch, yaw and distance (pitch clamped).
    void OrbitGoal();
    // The eye moved so that it is not hidden behind the ground or a wall as
    // seen from look. Without a stage the eye is returned unchanged.
    Vec3 AvoidStageGeometry(Vec3 eye, Vec3 look) const;

    // The locked-on object, or null (none, or deleted).
    Object* LockTarget() const { return lockTarget.Get(); }
    // Drops the lock; the next update returns to orbiting.
    void ReleaseLock() { lockTarget.Reset(); }
    ObjCharacter* Followed() const { return followed.As<ObjCharacter>(); }

    int keyTurnRight = 0;
    int keyTurnLeft = 0;
    int keyPitchUp = 0;
    int keyPitchDown = 0;
    int keyLockOn = 0;
    float pitch = 0.0f;  // degrees; larger puts the eye lower
    float yaw = 0.0f;    // degrees
    float distance = 0.0f;
    float turnSpeed = 0.0f;     // degrees per update while a turn key is held
    float followFactor = 0.0f;  // share of the remaining way covered per update
    ObjectHandle followed;
    ObjectHandle lockTarget;
    int32_t lockTeam = TeamEnemy;
    int lockSound = -1;
    SpriteQuad markerQuad;
    Vec3 eyeGoal;
    Vec3 lookAt;
    Vec3 lookGoal;
    const StageGeometry* stage = nullptr;  // not owned; null: nothing to avoid
    bool wasLocked = false;
};

// Keys are virtual-key codes; angles in degrees. The stage passes the arrow
// keys and R, pitch -5, yaw -90, distance 10, turn speed 2, follow factor 0.2.
void SetupLockOnCamera(MainCameraLockOn* camera, const SpriteQuad& markerQuad, int keyTurnRight,
                       int keyTurnLeft, int keyPitchUp, int keyPitchDown, int keyLockOn,
                       const StageGeometry* stage, ObjCharacter* followed, float pitch, float yaw,
                       float distance, float turnSpeed, float followFactor);

// The point the camera looks at over a character's shoulders.
Vec3 HeadPoint(Vec3 characterPosition);

// The eye goal of the lock-on mode: on the line from the target through the
// head point, distance beyond the head. False, with eye untouched, when the
// target stands exactly on the head point and there is no such line.
bool LockedEyeGoal(Vec3 head, Vec3 target, float distance, Vec3* eye);
