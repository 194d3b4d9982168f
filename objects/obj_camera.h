// The camera every 3D draw reads: view and projection matrices, the view
// frustum used to skip objects out of sight, and screen-relative movement.
#pragma once

#include "math/vector_math.h"
#include "objects/object.h"

class ObjCamera : public Object {
public:
    ObjCamera() = default;
    // A camera that goes away stops being the active one.
    ~ObjCamera() override;

    Matrix4 view;
    Matrix4 projection;
    // View-space planes (a, b, c, d): a point is inside a plane when
    // a x + b y + c z + d >= 0. Order: near, far, left, right, bottom, top.
    Vec4 frustum[6];
};

// The camera of the current scene, or null (no camera yet, or it was removed).
extern ObjCamera* ActiveCamera;

// Perspective projection and the matching six frustum planes. The left and
// right planes use the vertical half-angle, so they are exact for aspect 1,
// which is what every camera of the game uses.
void SetCameraProjection(ObjCamera* camera, float fovy, float aspect, float nearPlane, float farPlane);

// 30 degree field of view, aspect 1, near 1, far 1000; looking from (0, 0, 5)
// at the origin.
void SetCameraDefaults(ObjCamera* camera);

// True when the sphere lies entirely outside the active camera's frustum. A
// sphere touching a plane from outside, a non-finite centre, or no active
// camera at all count as visible.
bool IsOutsideView(Vec3 center, float radius);

// Movement given in screen terms (x right, z toward the viewer) turned into a
// horizontal world direction of the same length, keeping v.y. A camera
// looking straight down (no horizontal direction to speak of) or a
// non-finite input gives (0, v.y, 0) instead of NaN.
Vec3 CameraRelative(Vec3 v);
