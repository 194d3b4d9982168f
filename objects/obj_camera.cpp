#include "objects/obj_camera.h"

#include <cmath>

#include "app/scene.h"

ObjCamera* ActiveCamera = nullptr;

namespace {

constexpr float DefaultFieldOfView = 30.0f * DegToRad;
constexpr float DefaultAspect = 1.0f;
constexpr float DefaultNear = 1.0f;
constexpr float DefaultFar = 1000.0f;

// The list owns the camera; once the list is emptied nothing may draw
// through a stale pointer.
void ForgetActiveCamera()
{
    ActiveCamera = nullptr;
}

const bool ClearHookRegistered = (AddObjectListClearedHook(&ForgetActiveCamera), true);

}  // namespace

ObjCamera::~ObjCamera()
{
    if (ActiveCamera == this) {
        ActiveCamera = nullptr;
    }
}

void SetCameraProjection(ObjCamera* camera, float fovy, float aspect, float nearPlane, float farPlane)
{
    camera->projection = MatPerspective(fovy, aspect, nearPlane, farPlane);
    const float e = 1.0f / std::tan(fovy / 2.0f);
    const float f = std::sqrt(e * e + 1.0f);
    const float h = std::sqrt(aspect * aspect + e * e);
    camera->frustum[0] = {0.0f, 0.0f, -1.0f, -nearPlane};
    camera->frustum[1] = {0.0f, 0.0f, 1.0f, farPlane};
    camera->frustum[2] = {e / f, 0.0f, -1.0f / f, 0.0f};
    camera->frustum[3] = {-e / f, 0.0f, -1.0f / f, 0.0f};
    camera->frustum[4] = {0.0f, e / h, -aspect / h, 0.0f};
    camera->frustum[5] = {0.0f, -e / h, -aspect / h, 0.0f};
}

void SetCameraDefaults(ObjCamera* camera)
{
    SetCameraProjection(camera, DefaultFieldOfView, DefaultAspect, DefaultNear, DefaultFar);
    camera->view = MatLookAt(Vec3{0.0f, 0.0f, 5.0f}, Vec3{}, Vec3{0.0f, 1.0f, 0.0f});
}

bool IsOutsideView(Vec3 center, float radius)
{
    if (ActiveCamera == nullptr) {
        return false;
    }
    const Vec4 inView = MatTransform(ActiveCamera->view, Vec4{center.x, center.y, center.z, 1.0f});
    for (const Vec4& plane : ActiveCamera->frustum) {
        if (QuatDot(plane, inView) < -radius) {
            return true;
        }
    }
    return false;
}

Vec3 CameraRelative(Vec3 v)
{
    if (v.x == 0.0f && v.z == 0.0f) {
        return v;
    }
    const float length = Length(v);
    Matrix4 rotation = ActiveCamera != nullptr ? MatInverse(ActiveCamera->view) : MatIdentity();
    rotation.m[12] = 0.0f;
    rotation.m[13] = 0.0f;
    rotation.m[14] = 0.0f;
    const Vec4 r = MatTransform(rotation, Vec4{v.x, v.y, v.z, 0.0f});
    const float horizontal = std::sqrt(r.x * r.x + r.z * r.z + r.w * r.w);
    if (!(horizontal > 0.0f) || !std::isfinite(horizontal) || !std::isfinite(length)) {
        return Vec3{0.0f, v.y, 0.0f};
    }
    return Vec3{r.x / horizontal * length, v.y, r.z / horizontal * length};
}
