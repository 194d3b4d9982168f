#include "math/vector_math.h"

#include <cmath>

#include "objects/object.h"

namespace {

// acos whose argument is pulled back into [-1, 1]. Rounding can leave the dot
// product of two unit vectors a hair outside that range, and a NaN angle
// would otherwise end up in a character's orientation for the rest of the run.
float SafeAcos(float cosine)
{
    if (cosine > 1.0f) {
        cosine = 1.0f;
    } else if (cosine < -1.0f) {
        cosine = -1.0f;
    }
    return std::acos(cosine);
}

// Determinant of the 3x3 matrix left when row `skipRow` and column `skipCol`
// are struck out of the 4x4 array a[row][col] = m[4 * row + col].
float Minor(const float* m, int skipRow, int skipCol)
{
    // The three indices left over when one of 0..3 is struck out.
    static constexpr int Others[4][3] = {{1, 2, 3}, {0, 2, 3}, {0, 1, 3}, {0, 1, 2}};
    const int* rows = Others[skipRow];
    const int* cols = Others[skipCol];
    auto at = [&](int r, int c) { return m[4 * rows[r] + cols[c]]; };
    return at(0, 0) * (at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1)) -
           at(0, 1) * (at(1, 0) * at(2, 2) - at(1, 2) * at(2, 0)) +
           at(0, 2) * (at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0));
}

}  // namespace

Matrix4 MatIdentity() { return Matrix4{}; }

Matrix4 MatTranslation(float x, float y, float z)
{
    Matrix4 result;
    result.m[12] = x;
    result.m[13] = y;
    result.m[14] = z;
    return result;
}

Matrix4 MatMultiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 result;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[4 * k + r] * b.m[4 * c + k];
            }
            result.m[4 * c + r] = sum;
        }
    }
    return result;
}

Matrix4 MatScale(float s, Matrix4 m)
{
    for (float& element : m.m) {
        element *= s;
    }
    return m;
}

Vec4 MatTransform(const Matrix4& m, Vec4 v)
{
    return {m.m[0] * v.x + m.m[4] * v.y + m.m[8] * v.z + m.m[12] * v.w,
            m.m[1] * v.x + m.m[5] * v.y + m.m[9] * v.z + m.m[13] * v.w,
            m.m[2] * v.x + m.m[6] * v.y + m.m[10] * v.z + m.m[14] * v.w,
            m.m[3] * v.x + m.m[7] * v.y + m.m[11] * v.z + m.m[15] * v.w};
}

Matrix4 MatRotationY(float radians)
{
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    Matrix4 result;
    result.m[0] = c;
    result.m[2] = -s;
    result.m[8] = s;
    result.m[10] = c;
    return result;
}

Matrix4 MatLookAt(Vec3 eye, Vec3 target, Vec3 up)
{
    // Normalising through Vec3Normalize keeps a degenerate view (eye on the
    // target, or up along the view) finite: its rotation rows come out zero.
    const Vec3 f = Vec3Normalize(eye - target);
    const Vec3 s = Vec3Normalize(Cross(up, f));
    const Vec3 u = Cross(f, s);
    Matrix4 result;
    result.m[0] = s.x;
    result.m[4] = s.y;
    result.m[8] = s.z;
    result.m[1] = u.x;
    result.m[5] = u.y;
    result.m[9] = u.z;
    result.m[2] = f.x;
    result.m[6] = f.y;
    result.m[10] = f.z;
    result.m[12] = -Dot(s, eye);
    result.m[13] = -Dot(u, eye);
    result.m[14] = -Dot(f, eye);
    return result;
}

Matrix4 MatPerspective(float fovy, float aspect, float nearPlane, float farPlane)
{
    const float t = std::tan(fovy * 0.5f);
    Matrix4 result;
    result.m[0] = 1.0f / (t * aspect);
    result.m[5] = 1.0f / t;
    result.m[10] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    result.m[11] = -1.0f;
    result.m[14] = -(2.0f * nearPlane * farPlane) / (farPlane - nearPlane);
    result.m[15] = 0.0f;
    return result;
}

Matrix4 MatMultiplyRows(const Matrix4& a, float m00, float m01, float m02, float m03, float m10,
                        float m11, float m12, float m13, float m20, float m21, float m22,
                        float m23)
{
    Matrix4 b;
    b.m[0] = m00;
    b.m[4] = m01;
    b.m[8] = m02;
    b.m[12] = m03;
    b.m[1] = m10;
    b.m[5] = m11;
    b.m[9] = m12;
    b.m[13] = m13;
    b.m[2] = m20;
    b.m[6] = m21;
    b.m[10] = m22;
    b.m[14] = m23;
    return MatMultiply(a, b);
}

Matrix4 MatInverse(Matrix4 m)
{
    // The adjugate is the transposed cofactor matrix. Working on the stored
    // array directly inverts whichever way it is read, since the inverse of
    // a transpose is the transpose of the inverse.
    Matrix4 adjugate;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const float sign = ((row + col) % 2 == 0) ? 1.0f : -1.0f;
            adjugate.m[4 * col + row] = sign * Minor(m.m, row, col);
        }
    }
    const float det = m.m[0] * adjugate.m[0] + m.m[1] * adjugate.m[4] + m.m[2] * adjugate.m[8] +
                      m.m[3] * adjugate.m[12];
    if (det == 0.0f) {
        return m;
    }
    return MatScale(1.0f / det, adjugate);
}

Matrix4 QuatToMatrix(Quaternion q)
{
    const float w = q.w;
    const float x = q.x;
    const float y = q.y;
    const float z = q.z;
    Matrix4 result;
    result.m[0] = 1.0f - 2.0f * (y * y + z * z);
    result.m[1] = 2.0f * (x * y + w * z);
    result.m[2] = 2.0f * (x * z - w * y);
    result.m[4] = 2.0f * (x * y - w * z);
    result.m[5] = 1.0f - 2.0f * (x * x + z * z);
    result.m[6] = 2.0f * (y * z + w * x);
    result.m[8] = 2.0f * (x * z + w * y);
    result.m[9] = 2.0f * (y * z - w * x);
    result.m[10] = 1.0f - 2.0f * (x * x + y * y);
    return result;
}

Quaternion QuatFromAxisAngle(Vec3 axis, float radians)
{
    const float s = std::sin(radians * 0.5f);
    return {std::cos(radians * 0.5f), s * axis.x, s * axis.y, s * axis.z};
}

float QuatDot(Quaternion a, Quaternion b) { return a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z; }
float QuatDot(Vec4 a, Vec4 b) { return a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z; }

Quaternion QuatSlerp(Quaternion a, Quaternion b, float t)
{
    if (a.w == b.w && a.x == b.x && a.y == b.y && a.z == b.z) {
        return a;
    }
    float cosTheta = QuatDot(a, b);
    if (cosTheta < 0.0f) {
        // Take the shorter of the two arcs: -b is the same rotation as b.
        b = {-b.w, -b.x, -b.y, -b.z};
        cosTheta = -cosTheta;
    }
    if (!(cosTheta < 1.0f)) {
        return b;
    }
    const float theta = std::acos(cosTheta);
    const float sinTheta = std::sin(theta);
    const float wa = std::sin((1.0f - t) * theta) / sinTheta;
    const float wb = std::sin(t * theta) / sinTheta;
    return {wa * a.w + wb * b.w, wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z};
}

bool Vec3NotEqual(Vec3 a, Vec3 b) { return a.x != b.x || a.y != b.y || a.z != b.z; }

Vec3 Vec3Normalize(Vec3 v)
{
    const float length = Length(v);
    if (length == 0.0f) {
        return {};
    }
    return {v.x / length, v.y / length, v.z / length};
}

float HeadingAngleXZ(Vec3 from, Vec3 to)
{
    const float fromLength = std::sqrt(from.x * from.x + from.z * from.z);
    const float toLength = std::sqrt(to.x * to.x + to.z * to.z);
    const Vec3 f{from.x / fromLength, 0.0f, from.z / fromLength};
    const Vec3 g{to.x / toLength, 0.0f, to.z / toLength};
    const float angle = SafeAcos(f.x * g.x + f.z * g.z) * RadToDeg;
    const float c = f.z * g.x - f.x * g.z;
    // A zero-length projection makes c NaN, which lands in the "no turn" case.
    if (c > 0.0f) {
        return angle;
    }
    if (c < 0.0f) {
        return 360.0f - angle;
    }
    return 0.0f;
}

float PitchAngleYZ(Vec3 from, Vec3 to)
{
    const float fromLength = std::sqrt(from.y * from.y + from.z * from.z);
    const float toLength = std::sqrt(to.y * to.y + to.z * to.z);
    if (fromLength == 0.0f || toLength == 0.0f) {
        return 0.0f;
    }
    const Vec3 f{0.0f, from.y / fromLength, from.z / fromLength};
    const Vec3 g{0.0f, to.y / toLength, to.z / toLength};
    const float angle = SafeAcos(f.y * g.y + f.z * g.z) * RadToDeg;
    const float c = f.y * g.z - f.z * g.y;
    return c < 0.0f ? -angle : angle;
}

Vec3 DirectionTo(Vec3 a, Vec3 b, float scale, bool keepY)
{
    Vec3 d = a - b;
    if (!keepY) {
        d.y = 0.0f;
    }
    if (d.x == 0.0f && d.y == 0.0f && d.z == 0.0f) {
        return {};
    }
    return Vec3Normalize(d) * scale;
}

Vec3 RotateAboutY(Vec3 v, float degrees)
{
    const float c = std::cos(degrees * DegToRad);
    const float s = std::sin(degrees * DegToRad);
    return {c * v.x - s * v.z, v.y, s * v.x + c * v.z};
}

Vec3 RotateAboutZ(Vec3 v, float degrees)
{
    const float c = std::cos(degrees * DegToRad);
    const float s = std::sin(degrees * DegToRad);
    return {c * v.x - s * v.y, s * v.x + c * v.y, v.z};
}

Vec3 ForwardOf(const Object& object)
{
    const float* m = object.world.m;
    return Vec3Normalize({-m[8], -m[9], -m[10]});
}

Matrix4 TurnToward(Quaternion& current, Quaternion& target, Vec3 direction, float t)
{
    const float dx = direction.x;
    const float dz = direction.z;
    if (dx != 0.0f || dz != 0.0f) {
        const float length = std::sqrt(dx * dx + dz * dz);
        const Vec3 n{dx / length, 0.0f, dz / length};
        if (std::isnan(n.x) || std::isnan(n.z)) {
            return QuatToMatrix(current);
        }
        const float angle = SafeAcos(Dot(n, ModelForward));
        Vec3 axis = Cross(ModelForward, n);
        if (axis.x == 0.0f && axis.y == 0.0f && axis.z == 0.0f) {
            axis = {0.0f, 1.0f, 0.0f};
        } else {
            axis = Vec3Normalize(axis);
        }
        target = QuatFromAxisAngle(axis, angle);
    }
    current = QuatSlerp(current, target, t);
    return QuatToMatrix(current);
}

float ObjectDistance(const Object& a, const Object& b) { return Length(a.position - b.position); }
