// Vectors, matrices, quaternions and the game-level helpers, checked against
// values worked out by hand (with pi taken as 3.14 where the game uses degrees).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "math/vector_math.h"
#include "objects/object.h"

namespace {

constexpr float Tolerance = 1e-5f;
constexpr float HalfPi = 1.5707964f;

void ExpectVec3Near(Vec3 expected, Vec3 actual, float tolerance = Tolerance)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

void ExpectMatrixNear(const Matrix4& expected, const Matrix4& actual, float tolerance = Tolerance)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(expected.m[i], actual.m[i], tolerance) << "element " << i;
    }
}

void ExpectQuatNear(Quaternion expected, Quaternion actual, float tolerance = Tolerance)
{
    EXPECT_NEAR(expected.w, actual.w, tolerance);
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

bool AllFinite(const Matrix4& m)
{
    for (float element : m.m) {
        if (!std::isfinite(element)) {
            return false;
        }
    }
    return true;
}

Vec3 TransformPoint(const Matrix4& m, Vec3 p)
{
    const Vec4 r = MatTransform(m, {p.x, p.y, p.z, 1.0f});
    return {r.x, r.y, r.z};
}

// A matrix with no symmetry, so a transposed or mis-signed cofactor shows.
Matrix4 Lopsided()
{
    Matrix4 m;
    const float values[16] = {2.0f, 1.0f, 0.0f, 0.0f, 0.0f, 3.0f, 1.0f, 0.0f,
                              1.0f, 0.0f, 4.0f, 0.0f, 5.0f, -2.0f, 7.0f, 1.0f};
    for (int i = 0; i < 16; ++i) {
        m.m[i] = values[i];
    }
    return m;
}

}  // namespace

TEST(VectorMath, NormalizeLengthAndComparison)
{
    ExpectVec3Near({0.6f, 0.0f, 0.8f}, Vec3Normalize({3.0f, 0.0f, 4.0f}));
    // A zero vector stays zero instead of turning every later position NaN.
    const Vec3 zero = Vec3Normalize({0.0f, 0.0f, 0.0f});
    EXPECT_EQ(0.0f, zero.x);
    EXPECT_EQ(0.0f, zero.y);
    EXPECT_EQ(0.0f, zero.z);
    ExpectVec3Near({0.0f, 0.0f, 1.0f}, Vec3Normalize({0.0f, 0.0f, 1e-20f}));

    ExpectVec3Near({0.0f, 0.0f, 1.0f}, Cross({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));
    EXPECT_FLOAT_EQ(13.0f, Length({3.0f, 4.0f, 12.0f}));
    EXPECT_FLOAT_EQ(-1.0f, Dot({1.0f, 2.0f, 3.0f}, {1.0f, 1.0f, -4.0f / 3.0f}));

    EXPECT_FALSE(Vec3NotEqual({1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 3.0f}));
    EXPECT_TRUE(Vec3NotEqual({1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 3.0001f}));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(Vec3NotEqual({nan, 0.0f, 0.0f}, {nan, 0.0f, 0.0f}));
}

TEST(VectorMath, DegreesUsePiAs314)
{
    EXPECT_FLOAT_EQ(3.14f / 180.0f, DegToRad);
    EXPECT_FLOAT_EQ(0.5233334f, 30.0f * DegToRad);
    EXPECT_FLOAT_EQ(180.0f, 3.14f * RadToDeg);

    // Half a turn with pi = 3.14 falls short of -1 by the game's own amount.
    const Vec3 halfTurn = RotateAboutY({1.0f, 0.0f, 0.0f}, 180.0f);
    EXPECT_NEAR(std::cos(3.14f), halfTurn.x, 1e-6f);
    EXPECT_NEAR(std::sin(3.14f), halfTurn.z, 1e-6f);
    EXPECT_GT(halfTurn.z, 0.0015f);
}

TEST(VectorMath, RotateAboutYAndZ)
{
    // A positive angle turns -Z toward +X; length is kept.
    const Vec3 turned = RotateAboutY({0.0f, 0.0f, -1.0f}, 30.0f);
    ExpectVec3Near({0.5f, 0.0f, -0.866f}, turned, 1e-3f);
    EXPECT_NEAR(1.0f, Length(turned), Tolerance);
    ExpectVec3Near({-3.0f, 7.0f, 0.0f}, RotateAboutY({0.0f, 7.0f, 3.0f}, 90.0f), 1e-2f);

    ExpectVec3Near({0.0f, 1.0f, 5.0f}, RotateAboutZ({1.0f, 0.0f, 5.0f}, 90.0f), 1e-3f);
    ExpectVec3Near({-2.0f, 0.0f, 0.0f}, RotateAboutZ({0.0f, 2.0f, 0.0f}, 90.0f), 1e-2f);
}

TEST(MatrixMath, MultiplyOrderAndAssociativity)
{
    const Matrix4 m = Lopsided();
    ExpectMatrixNear(m, MatMultiply(MatIdentity(), m), 0.0f);
    ExpectMatrixNear(m, MatMultiply(m, MatIdentity()), 0.0f);

    // A * B applies B first: rotate (1,0,0) to (0,0,-1), then move it.
    const Matrix4 moveAfterTurn = MatMultiply(MatTranslation(10.0f, 0.0f, 0.0f), MatRotationY(HalfPi));
    ExpectVec3Near({10.0f, 0.0f, -1.0f}, TransformPoint(moveAfterTurn, {1.0f, 0.0f, 0.0f}));
    const Matrix4 turnAfterMove = MatMultiply(MatRotationY(HalfPi), MatTranslation(10.0f, 0.0f, 0.0f));
    ExpectVec3Near({0.0f, 0.0f, -11.0f}, TransformPoint(turnAfterMove, {1.0f, 0.0f, 0.0f}));

    const Matrix4 p = MatPerspective(0.5233334f, 800.0f / 600.0f, 1.0f, 1000.0f);
    const Matrix4 v = MatLookAt({3.0f, 4.0f, 12.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ExpectMatrixNear(MatMultiply(MatMultiply(p, v), m), MatMultiply(p, MatMultiply(v, m)), 1e-3f);
}

TEST(MatrixMath, TransformScaleAndRows)
{
    // Direction (w = 0) ignores translation; w is carried through.
    const Vec4 direction = MatTransform(MatTranslation(5.0f, 6.0f, 7.0f), {1.0f, 2.0f, 3.0f, 0.0f});
    EXPECT_FLOAT_EQ(1.0f, direction.x);
    EXPECT_FLOAT_EQ(3.0f, direction.z);
    EXPECT_FLOAT_EQ(0.0f, direction.w);
    const Vec4 turned = MatTransform(MatRotationY(HalfPi), {1.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_NEAR(0.0f, turned.x, Tolerance);
    EXPECT_NEAR(-1.0f, turned.z, Tolerance);
    EXPECT_FLOAT_EQ(1.0f, turned.w);

    const Matrix4 doubled = MatScale(2.0f, Lopsided());
    EXPECT_FLOAT_EQ(14.0f, doubled.m[14]);
    EXPECT_FLOAT_EQ(2.0f, doubled.m[15]);

    // Appending the transpose of a view's rotation cancels it (billboards).
    const Matrix4 view = MatLookAt({3.0f, 4.0f, 12.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    const float* r = view.m;
    const Matrix4 billboard = MatMultiplyRows(view, r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7],
                                              r[8], r[9], r[10], r[11]);
    for (int c = 0; c < 3; ++c) {
        for (int row = 0; row < 3; ++row) {
            EXPECT_NEAR(c == row ? 1.0f : 0.0f, billboard.m[4 * c + row], Tolerance);
        }
    }
    // The given rows land as rows: B(0, 3) = 4 is the x translation.
    const Matrix4 shifted = MatMultiplyRows(MatIdentity(), 1.0f, 0.0f, 0.0f, 4.0f, 0.0f, 1.0f,
                                            0.0f, 5.0f, 0.0f, 0.0f, 1.0f, 6.0f);
    ExpectMatrixNear(MatTranslation(4.0f, 5.0f, 6.0f), shifted, 0.0f);
}

TEST(MatrixMath, InverseRoundTripsAndSingular)
{
    const Matrix4 m = Lopsided();
    const Matrix4 inverse = MatInverse(m);
    ExpectMatrixNear(MatIdentity(), MatMultiply(m, inverse), 1e-5f);
    ExpectMatrixNear(MatIdentity(), MatMultiply(inverse, m), 1e-5f);
    ExpectMatrixNear(m, MatInverse(inverse), 1e-4f);

    // Rigid transform: inverse is the transposed rotation with -R^T t.
    const Matrix4 rigid = MatMultiply(MatTranslation(1.0f, -2.0f, 3.0f), MatRotationY(0.7f));
    Matrix4 expected = MatIdentity();
    for (int c = 0; c < 3; ++c) {
        for (int row = 0; row < 3; ++row) {
            expected.m[4 * c + row] = rigid.m[4 * row + c];
        }
    }
    const Vec3 t{rigid.m[12], rigid.m[13], rigid.m[14]};
    expected.m[12] = -(expected.m[0] * t.x + expected.m[4] * t.y + expected.m[8] * t.z);
    expected.m[13] = -(expected.m[1] * t.x + expected.m[5] * t.y + expected.m[9] * t.z);
    expected.m[14] = -(expected.m[2] * t.x + expected.m[6] * t.y + expected.m[10] * t.z);
    ExpectMatrixNear(expected, MatInverse(rigid));

    const Matrix4 scaled = MatScale(4.0f, MatIdentity());
    ExpectMatrixNear(MatScale(0.25f, MatIdentity()), MatInverse(scaled), 0.0f);

    // A determinant of exactly 0 hands the matrix back untouched.
    Matrix4 flat = Lopsided();
    flat.m[1] = 0.0f;
    flat.m[5] = 0.0f;
    flat.m[9] = 0.0f;
    flat.m[13] = 0.0f;
    ExpectMatrixNear(flat, MatInverse(flat), 0.0f);
    Matrix4 zero = MatScale(0.0f, MatIdentity());
    ExpectMatrixNear(zero, MatInverse(zero), 0.0f);
}

TEST(MatrixMath, LookAt)
{
    Matrix4 expected = MatIdentity();
    expected.m[14] = -5.0f;
    ExpectMatrixNear(expected, MatLookAt({0.0f, 0.0f, 5.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));

    // The target ends up straight ahead on -Z at its distance; up stays up.
    const Vec3 eye{3.0f, 4.0f, 12.0f};
    const Matrix4 view = MatLookAt(eye, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ExpectVec3Near({0.0f, 0.0f, -13.0f}, TransformPoint(view, {0.0f, 0.0f, 0.0f}), 1e-4f);
    ExpectVec3Near({0.0f, 0.0f, 0.0f}, TransformPoint(view, eye), 1e-4f);
    EXPECT_GT(TransformPoint(view, {0.0f, 1.0f, 0.0f}).y, 0.0f);
    // Looking along +X, the world's +Z lies on the camera's right.
    const Matrix4 side = MatLookAt({-5.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ExpectVec3Near({1.0f, 0.0f, -5.0f}, TransformPoint(side, {0.0f, 0.0f, 1.0f}));

    // Degenerate views stay finite.
    EXPECT_TRUE(AllFinite(MatLookAt(eye, eye, {0.0f, 1.0f, 0.0f})));
    EXPECT_TRUE(AllFinite(MatLookAt({0.0f, 5.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f})));
}

TEST(MatrixMath, Perspective)
{
    // fovy = 90 degrees makes tan(fovy / 2) = 1.
    const Matrix4 p = MatPerspective(2.0f * std::atan(1.0f), 2.0f, 1.0f, 3.0f);
    Matrix4 expected = MatScale(0.0f, MatIdentity());
    expected.m[0] = 0.5f;
    expected.m[5] = 1.0f;
    expected.m[10] = -2.0f;
    expected.m[11] = -1.0f;
    expected.m[14] = -3.0f;
    ExpectMatrixNear(expected, p);

    // Near and far planes map to -1 and +1 after the divide.
    const Vec4 nearPoint = MatTransform(p, {0.0f, 0.0f, -1.0f, 1.0f});
    const Vec4 farPoint = MatTransform(p, {0.0f, 0.0f, -3.0f, 1.0f});
    EXPECT_NEAR(-1.0f, nearPoint.z / nearPoint.w, Tolerance);
    EXPECT_NEAR(1.0f, farPoint.z / farPoint.w, Tolerance);

    const Matrix4 game = MatPerspective(0.5233334f, 800.0f / 600.0f, 1.0f, 1000.0f);
    EXPECT_NEAR(1.0f / std::tan(0.2616667f), game.m[5], 1e-4f);
}

TEST(QuaternionMath, MatrixAndAxisAngle)
{
    ExpectMatrixNear(MatIdentity(), QuatToMatrix(Quaternion{}), 0.0f);
    const Quaternion quarterTurn = QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, HalfPi);
    ExpectQuatNear({std::sqrt(0.5f), 0.0f, std::sqrt(0.5f), 0.0f}, quarterTurn);
    ExpectMatrixNear(MatRotationY(HalfPi), QuatToMatrix(quarterTurn));
    const Quaternion aboutX = QuatFromAxisAngle({1.0f, 0.0f, 0.0f}, HalfPi);
    ExpectVec3Near({0.0f, 0.0f, 1.0f}, TransformPoint(QuatToMatrix(aboutX), {0.0f, 1.0f, 0.0f}));

    EXPECT_FLOAT_EQ(70.0f, QuatDot(Quaternion{1.0f, 2.0f, 3.0f, 4.0f}, Quaternion{5.0f, 6.0f, 7.0f, 8.0f}));
    // As a plane test: plane y = 2 against the point (0, 5, 0).
    EXPECT_FLOAT_EQ(3.0f, QuatDot(Vec4{0.0f, 1.0f, 0.0f, -2.0f}, Vec4{0.0f, 5.0f, 0.0f, 1.0f}));
}

TEST(QuaternionMath, Slerp)
{
    const Quaternion identity{};
    const Quaternion quarterTurn = QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, HalfPi);
    ExpectQuatNear(identity, QuatSlerp(identity, quarterTurn, 0.0f));
    ExpectQuatNear(quarterTurn, QuatSlerp(identity, quarterTurn, 1.0f));
    ExpectQuatNear({std::cos(HalfPi / 4.0f), 0.0f, std::sin(HalfPi / 4.0f), 0.0f},
                   QuatSlerp(identity, quarterTurn, 0.5f));

    // The shorter arc: -q is the same turn, so halfway is still 45 degrees.
    const Quaternion negated{-quarterTurn.w, -quarterTurn.x, -quarterTurn.y, -quarterTurn.z};
    ExpectQuatNear({std::cos(HalfPi / 4.0f), 0.0f, std::sin(HalfPi / 4.0f), 0.0f},
                   QuatSlerp(identity, negated, 0.5f));

    // Equal inputs come back as they are; a against -a returns a.
    const Quaternion a{0.5f, 0.5f, 0.5f, 0.5f};
    const Quaternion b = QuatSlerp(a, a, 0.3f);
    EXPECT_EQ(a.w, b.w);
    EXPECT_EQ(a.z, b.z);
    const Quaternion c = QuatSlerp(a, {-0.5f, -0.5f, -0.5f, -0.5f}, 0.3f);
    EXPECT_EQ(0.5f, c.w);
    EXPECT_EQ(0.5f, c.x);

    // Nearly opposite: the flipped b is a hair away, and the result stays finite and close.
    const Quaternion tiny = QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, 1e-3f);
    const Quaternion almostOpposite{-tiny.w, -tiny.x, -tiny.y, -tiny.z};
    const Quaternion mid = QuatSlerp(identity, almostOpposite, 0.5f);
    ExpectQuatNear(QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, 5e-4f), mid, 1e-4f);
}

TEST(GameMath, HeadingAngleXZ)
{
    EXPECT_NEAR(90.04565f, HeadingAngleXZ({0.0f, 0.0f, -1.0f}, {-1.0f, 0.0f, 0.0f}), 1e-3f);
    EXPECT_NEAR(269.95435f, HeadingAngleXZ({0.0f, 0.0f, -1.0f}, {1.0f, 0.0f, 0.0f}), 1e-3f);
    // Exactly opposite or parallel is "no turn", not 180.
    EXPECT_EQ(0.0f, HeadingAngleXZ({0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(0.0f, HeadingAngleXZ({2.0f, 0.0f, 0.0f}, {5.0f, 0.0f, 0.0f}));
    // Heights and lengths do not matter.
    EXPECT_NEAR(90.04565f, HeadingAngleXZ({0.0f, 9.0f, -3.0f}, {-7.0f, -4.0f, 0.0f}), 1e-3f);
    // A positive heading is the MatRotationY sense.
    const Vec3 rotated = TransformPoint(MatRotationY(0.5f), {0.0f, 0.0f, -1.0f});
    EXPECT_NEAR(0.5f * RadToDeg, HeadingAngleXZ({0.0f, 0.0f, -1.0f}, rotated), 1e-2f);
    // Nothing to measure gives 0 rather than NaN.
    EXPECT_EQ(0.0f, HeadingAngleXZ({0.0f, 3.0f, 0.0f}, {1.0f, 0.0f, 0.0f}));
    // Nearly parallel vectors must not fall off acos's domain.
    EXPECT_TRUE(std::isfinite(HeadingAngleXZ({1.0f, 0.0f, 1e-7f}, {1.0f, 0.0f, 0.0f})));
}

TEST(GameMath, PitchAngleYZ)
{
    EXPECT_NEAR(90.04565f, PitchAngleYZ({0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f}), 1e-3f);
    EXPECT_NEAR(-90.04565f, PitchAngleYZ({0.0f, 0.0f, -1.0f}, {0.0f, -1.0f, 0.0f}), 1e-3f);
    // Half a turn reads as pi * 180 / 3.14.
    EXPECT_NEAR(180.09131f, PitchAngleYZ({0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 1.0f}), 1e-3f);
    EXPECT_EQ(0.0f, PitchAngleYZ({5.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));
}

TEST(GameMath, DirectionTo)
{
    ExpectVec3Near({1.2f, 0.0f, 1.6f}, DirectionTo({3.0f, 5.0f, 4.0f}, {0.0f, 0.0f, 0.0f}, 2.0f, false));
    ExpectVec3Near({0.0f, 6.0f, 8.0f}, DirectionTo({1.0f, 3.0f, 4.0f}, {1.0f, 0.0f, 0.0f}, 10.0f, true));
    const Vec3 p{1.0f, 2.0f, 3.0f};
    ExpectVec3Near({0.0f, 0.0f, 0.0f}, DirectionTo(p, p, 1.0f, false), 0.0f);
    // Straight above: horizontally there is no direction at all.
    ExpectVec3Near({0.0f, 0.0f, 0.0f}, DirectionTo({1.0f, 9.0f, 3.0f}, p, 1.0f, false), 0.0f);
}

TEST(GameMath, ForwardAndDistance)
{
    Object object;
    EXPECT_FLOAT_EQ(-1.0f, ForwardOf(object).z);
    object.world = MatMultiply(MatTranslation(4.0f, 5.0f, 6.0f), MatRotationY(HalfPi));
    ExpectVec3Near({-1.0f, 0.0f, 0.0f}, ForwardOf(object));
    object.world = MatScale(3.0f, MatIdentity());
    ExpectVec3Near({0.0f, 0.0f, -1.0f}, ForwardOf(object));
    object.world = MatScale(0.0f, MatIdentity());
    ExpectVec3Near({0.0f, 0.0f, 0.0f}, ForwardOf(object), 0.0f);

    Object other;
    object.position = {1.0f, 2.0f, 3.0f};
    other.position = {4.0f, 6.0f, 3.0f};
    EXPECT_FLOAT_EQ(5.0f, ObjectDistance(object, other));
}

TEST(GameMath, TurnToward)
{
    // A full step turns the model's forward onto the direction, whichever side.
    const Vec3 directions[] = {{1.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f},
                               {0.0f, 0.0f, -1.0f}, {3.0f, 7.0f, -4.0f}};
    for (Vec3 direction : directions) {
        Quaternion current{};
        Quaternion target{};
        const Matrix4 facing = TurnToward(current, target, direction, 1.0f);
        const Vec3 expected = Vec3Normalize({direction.x, 0.0f, direction.z});
        ExpectVec3Near(expected, TransformPoint(facing, ModelForward), 1e-5f);
    }

    // Small steps converge; a zero direction keeps turning toward the old target.
    Quaternion current{};
    Quaternion target{};
    TurnToward(current, target, {1.0f, 0.0f, 0.0f}, 0.2f);
    const Quaternion goal = target;
    const Quaternion before = current;
    TurnToward(current, target, {0.0f, 0.0f, 0.0f}, 0.2f);
    ExpectQuatNear(goal, target, 0.0f);
    ExpectQuatNear(QuatSlerp(before, goal, 0.2f), current);
    for (int frame = 0; frame < 60; ++frame) {
        TurnToward(current, target, {0.0f, 5.0f, 0.0f}, 0.2f);
    }
    ExpectQuatNear(goal, current, 1e-4f);

    // A non-finite direction leaves both orientations alone.
    const float inf = std::numeric_limits<float>::infinity();
    const Quaternion kept = current;
    const Matrix4 facing = TurnToward(current, target, {inf, 0.0f, 1.0f}, 0.2f);
    ExpectQuatNear(kept, current, 0.0f);
    ExpectQuatNear(goal, target, 0.0f);
    EXPECT_TRUE(AllFinite(facing));
}
