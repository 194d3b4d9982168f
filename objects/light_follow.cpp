#include "objects/light_follow.h"

#include <cmath>

namespace {

constexpr Vec3 WorldUp{0.0f, 1.0f, 0.0f};

bool IsFinite(Vec3 v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

bool PlaceLight(Vec3 target, float elevation, float azimuth, float distance, LightPlacement* placement)
{
    const float azimuthRad = azimuth * DegToRad;
    const Vec3 offset{distance * std::cos(azimuthRad), distance * std::sin(elevation * DegToRad),
                      distance * std::sin(azimuthRad)};
    const Vec3 position = target + offset;
    if (!IsFinite(target) || !IsFinite(offset) || Length(Cross(WorldUp, offset)) <= 0.0f) {
        return false;
    }
    placement->position = position;
    placement->direction = Vec3Normalize(position - target);
    placement->view = MatLookAt(position, target, WorldUp);
    return true;
}
