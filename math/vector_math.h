// Single-precision vectors, column-major 4x4 matrices and quaternions, plus the
// game-level helpers (headings, turning, distances) every object uses.
//
// Conventions: right-handed, Y up; models and cameras face their local -Z.
// Element (row r, column c) of a Matrix4 is m[4 * c + r]; p' = M p.
// Builders take radians; game-level angles are degrees converted with pi taken
// as 3.14, which is what all the tuned constants of the game assume.
#pragma once

#include <cmath>

class Object;

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Vec4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

// Stored scalar first. Expected to be unit length; nothing renormalises.
struct Quaternion {
    float w = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Matrix4 {
    float m[16] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                   0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
};

// The float nearest 3.14 / 180 and its reverse.
inline constexpr float DegToRad = 0.017444445f;
inline constexpr float RadToDeg = 180.0f / 3.14f;
inline constexpr Vec3 ModelForward{0.0f, 0.0f, -1.0f};

// Small vector helpers used everywhere; inline because the collision tests
// run them for every wall triangle.
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline Vec3 operator*(float s, Vec3 v) { return {v.x * s, v.y * s, v.z * s}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vec3 v) { return std::sqrt(Dot(v, v)); }

// Matrices.
Matrix4 MatIdentity();
Matrix4 MatTranslation(float x, float y, float z);
Matrix4 MatMultiply(const Matrix4& a, const Matrix4& b);
Matrix4 MatScale(float s, Matrix4 m);
Vec4 MatTransform(const Matrix4& m, Vec4 v);
Matrix4 MatRotationY(float radians);
// The camera looks along its -Z. An eye on the target, or an up along the view,
// gives zero rotation rows rather than NaN.
Matrix4 MatLookAt(Vec3 eye, Vec3 target, Vec3 up);
Matrix4 MatPerspective(float fovy, float aspect, float nearPlane, float farPlane);
// a * B, where B has the three given rows and a last row (0, 0, 0, 1).
Matrix4 MatMultiplyRows(const Matrix4& a, float m00, float m01, float m02, float m03, float m10,
                        float m11, float m12, float m13, float m20, float m21, float m22,
                        float m23);
// Returns m unchanged when its determinant is exactly 0.
Matrix4 MatInverse(Matrix4 m);

// Quaternions.
Matrix4 QuatToMatrix(Quaternion q);
Quaternion QuatFromAxisAngle(Vec3 axis, float radians);
Quaternion QuatSlerp(Quaternion a, Quaternion b, float t);
float QuatDot(Quaternion a, Quaternion b);
float QuatDot(Vec4 a, Vec4 b);

// Vectors and game-level operations.
bool Vec3NotEqual(Vec3 a, Vec3 b);
// A zero vector normalises to zero (never NaN), so a degenerate direction
// cannot poison positions for the rest of the run.
Vec3 Vec3Normalize(Vec3 v);
// Degrees in [0, 360): the right-handed turn about +Y from `from` to `to`
// (y ignored). Exactly parallel, exactly opposite or zero-length inputs give 0.
float HeadingAngleXZ(Vec3 from, Vec3 to);
// Signed degrees of the turn about +X (x ignored); a zero-length input gives 0.
float PitchAngleYZ(Vec3 from, Vec3 to);
// Direction from b toward a, of length `scale`; horizontal unless keepY.
// Equal points give the zero vector.
Vec3 DirectionTo(Vec3 a, Vec3 b, float scale, bool keepY);
// A positive angle turns -Z toward +X (the opposite sense to MatRotationY).
Vec3 RotateAboutY(Vec3 v, float degrees);
Vec3 RotateAboutZ(Vec3 v, float degrees);
Vec3 ForwardOf(const Object& object);
// Updates current (and target, unless direction is zero) and returns the
// rotation matrix of the new current orientation.
Matrix4 TurnToward(Quaternion& current, Quaternion& target, Vec3 direction, float t);
float ObjectDistance(const Object& a, const Object& b);
