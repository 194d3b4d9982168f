// Vectors, matrices, quaternions and the game-level helpers, checked against
// values worked out by hand (with pi taken as 3.14 where the game uses degrees).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "math/vector_math.h"
#include "objects/object.h"
#include "tests/test_math.h"

namespace {

constexpr float HalfPi = 1.5707964f;
const float NaN = std::numeric_limits<float>::quiet_NaN();
const float Inf = std::numeric_limits<float>::infinity();

bool AllFinite(const Matrix4& m)
{
    for (float element : m.m) {
        if (!std::isfinite(element)) {
            return false;
        }
    }
    return true;
}

// A matrix with no symmetry, so a transposed or mis-signed cofactor shows.
Matrix4 Lopsided()
{
    return Matrix4{{2.0f, 1.0f, 0.0f, 0.0f, 0.0f, 3.0f, 1.0f, 0.0f, 1.0f, 0.0f, 4.0f, 0.0f, 5.0f, -2.0f, 7.0f, 1.0f}};
}

}  // namespace

TEST(VectorMath, NormalizeLengthComparisonAndTurns)
{
    EXPECT_TRUE(Near({0.6f, 0.0f, 0.8f}, Vec3Normalize({3.0f, 0.0f, 4.0f})));
    // A zero vector stays zero instead of turning every later position NaN.
    EXPECT_TRUE(Near({}, Vec3Normalize({}), 0.0f));
    EXPECT_TRUE(Near({0.0f, 0.0f, 1.0f}, Vec3Normalize({0.0f, 0.0f, 1e-20f})));
    EXPECT_TRUE(Near({0.0f, 0.0f, 1.0f}, Cross({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f})));
    EXPECT_FLOAT_EQ(13.0f, Length({3.0f, 4.0f, 12.0f}));
    EXPECT_FLOAT_EQ(-1.0f, Dot({1.0f, 2.0f, 3.0f}, {1.0f, 1.0f, -4.0f / 3.0f}));
    EXPECT_FALSE(Vec3NotEqual({1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 3.0f}));
    EXPECT_TRUE(Vec3NotEqual({1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 3.0001f}));
    EXPECT_TRUE(Vec3NotEqual({NaN, 0.0f, 0.0f}, {NaN, 0.0f, 0.0f}));

    // Degrees use pi = 3.14: half a turn falls short by the game's own amount.
    EXPECT_FLOAT_EQ(3.14f / 180.0f, DegToRad);
    EXPECT_FLOAT_EQ(180.0f, 3.14f * RadToDeg);
    const Vec3 halfTurn = RotateAboutY({1.0f, 0.0f, 0.0f}, 180.0f);
    EXPECT_TRUE(Near({std::cos(3.14f), 0.0f, std::sin(3.14f)}, halfTurn, 1e-6f));
    // A positive angle turns -Z toward +X (and X toward Y about Z); length is kept.
    EXPECT_TRUE(Near({0.5f, 0.0f, -0.866f}, RotateAboutY({0.0f, 0.0f, -1.0f}, 30.0f), 1e-3f));
    EXPECT_TRUE(Near({-3.0f, 7.0f, 0.0f}, RotateAboutY({0.0f, 7.0f, 3.0f}, 90.0f), 1e-2f));
    EXPECT_TRUE(Near({0.0f, 1.0f, 5.0f}, RotateAboutZ({1.0f, 0.0f, 5.0f}, 90.0f), 1e-3f));
    EXPECT_TRUE(Near({-2.0f, 0.0f, 0.0f}, RotateAboutZ({0.0f, 2.0f, 0.0f}, 90.0f), 1e-2f));
}

TEST(MatrixMath, MultiplyTransformScaleAndRows)
{
    const Matrix4 m = Lopsided();
    EXPECT_TRUE(Near(m, MatMultiply(MatIdentity(), m), 0.0f));
    EXPECT_TRUE(Near(m, MatMultiply(m, MatIdentity()), 0.0f));
    // A * B applies B first: turn (1,0,0) to (0,0,-1), then move it.
    EXPECT_TRUE(Near({10.0f, 0.0f, -1.0f},
                     Point(MatMultiply(MatTranslation(10.0f, 0.0f, 0.0f), MatRotationY(HalfPi)), {1.0f, 0.0f, 0.0f})));
    EXPECT_TRUE(Near({0.0f, 0.0f, -11.0f},
                     Point(MatMultiply(MatRotationY(HalfPi), MatTranslation(10.0f, 0.0f, 0.0f)), {1.0f, 0.0f, 0.0f})));
    const Matrix4 p = MatPerspective(0.5233334f, 800.0f / 600.0f, 1.0f, 1000.0f);
    const Matrix4 v = MatLookAt({3.0f, 4.0f, 12.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    EXPECT_TRUE(Near(MatMultiply(MatMultiply(p, v), m), MatMultiply(p, MatMultiply(v, m)), 1e-3f));
    // A direction (w = 0) ignores translation; w is carried through.
    const Vec4 direction = MatTransform(MatTranslation(5.0f, 6.0f, 7.0f), {1.0f, 2.0f, 3.0f, 0.0f});
    EXPECT_TRUE(direction.x == 1.0f && direction.z == 3.0f && direction.w == 0.0f);
    const Matrix4 doubled = MatScale(2.0f, m);
    EXPECT_FLOAT_EQ(14.0f, doubled.m[14]);
    EXPECT_FLOAT_EQ(2.0f, doubled.m[15]);
    // Appending the transpose of a view's rotation cancels it (billboards),
    // and the given rows land as rows: B(0, 3) = 4 is the x translation.
    const float* r = v.m;
    const Matrix4 billboard =
        MatMultiplyRows(v, r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8], r[9], r[10], r[11]);
    Matrix4 rotationOnly = billboard;
    rotationOnly.m[12] = rotationOnly.m[13] = rotationOnly.m[14] = 0.0f;
    EXPECT_TRUE(Near(MatIdentity(), rotationOnly));
    EXPECT_TRUE(Near(MatTranslation(4.0f, 5.0f, 6.0f),
                     MatMultiplyRows(MatIdentity(), 1, 0, 0, 4, 0, 1, 0, 5, 0, 0, 1, 6), 0.0f));
}

TEST(MatrixMath, InverseRoundTripsAndLeavesSingularMatricesAlone)
{
    const Matrix4 m = Lopsided();
    const Matrix4 inverse = MatInverse(m);
    EXPECT_TRUE(Near(MatIdentity(), MatMultiply(m, inverse)));
    EXPECT_TRUE(Near(MatIdentity(), MatMultiply(inverse, m)));
    EXPECT_TRUE(Near(m, MatInverse(inverse), 1e-4f));
    // A rigid transform's inverse turns back and moves back.
    const Matrix4 rigid = MatMultiply(MatTranslation(1.0f, -2.0f, 3.0f), MatRotationY(0.7f));
    EXPECT_TRUE(Near(MatMultiply(MatRotationY(-0.7f), MatTranslation(-1.0f, 2.0f, -3.0f)), MatInverse(rigid)));
    EXPECT_TRUE(Near(MatScale(0.25f, MatIdentity()), MatInverse(MatScale(4.0f, MatIdentity())), 0.0f));
    // A determinant of exactly 0 hands the matrix back untouched.
    Matrix4 flat = m;
    flat.m[1] = flat.m[5] = flat.m[9] = flat.m[13] = 0.0f;
    EXPECT_TRUE(Near(flat, MatInverse(flat), 0.0f));
    const Matrix4 zero = MatScale(0.0f, MatIdentity());
    EXPECT_TRUE(Near(zero, MatInverse(zero), 0.0f));
}

TEST(MatrixMath, LookAtAndPerspective)
{
    EXPECT_TRUE(Near(MatTranslation(0.0f, 0.0f, -5.0f), MatLookAt({0.0f, 0.0f, 5.0f}, {}, {0.0f, 1.0f, 0.0f})));
    // The target ends up straight ahead on -Z at its distance; up stays up.
    const Vec3 eye{3.0f, 4.0f, 12.0f};
    const Matrix4 view = MatLookAt(eye, {}, {0.0f, 1.0f, 0.0f});
    EXPECT_TRUE(Near({0.0f, 0.0f, -13.0f}, Point(view, {}), 1e-4f));
    EXPECT_TRUE(Near({}, Point(view, eye), 1e-4f));
    EXPECT_GT(Point(view, {0.0f, 1.0f, 0.0f}).y, 0.0f);
    // Looking along +X, the world's +Z lies on the camera's right.
    EXPECT_TRUE(Near({1.0f, 0.0f, -5.0f}, Point(MatLookAt({-5.0f, 0.0f, 0.0f}, {}, {0.0f, 1.0f, 0.0f}),
                                                   {0.0f, 0.0f, 1.0f})));
    // Degenerate views stay finite.
    EXPECT_TRUE(AllFinite(MatLookAt(eye, eye, {0.0f, 1.0f, 0.0f})));
    EXPECT_TRUE(AllFinite(MatLookAt({0.0f, 5.0f, 0.0f}, {}, {0.0f, 1.0f, 0.0f})));

    // fovy = 90 degrees makes tan(fovy / 2) = 1; near and far map to -1, +1.
    const Matrix4 p = MatPerspective(2.0f * std::atan(1.0f), 2.0f, 1.0f, 3.0f);
    EXPECT_TRUE(Near(Matrix4{{0.5f, 0, 0, 0, 0, 1.0f, 0, 0, 0, 0, -2.0f, -1.0f, 0, 0, -3.0f, 0}}, p));
    const Vec4 nearPoint = MatTransform(p, {0.0f, 0.0f, -1.0f, 1.0f});
    const Vec4 farPoint = MatTransform(p, {0.0f, 0.0f, -3.0f, 1.0f});
    EXPECT_NEAR(-1.0f, nearPoint.z / nearPoint.w, 1e-5f);
    EXPECT_NEAR(1.0f, farPoint.z / farPoint.w, 1e-5f);
}

TEST(QuaternionMath, MatrixAxisAngleDotAndSlerp)
{
    EXPECT_TRUE(Near(MatIdentity(), QuatToMatrix(Quaternion{}), 0.0f));
    const Quaternion quarterTurn = QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, HalfPi);
    EXPECT_TRUE(Near({std::sqrt(0.5f), 0.0f, std::sqrt(0.5f), 0.0f}, quarterTurn));
    EXPECT_TRUE(Near(MatRotationY(HalfPi), QuatToMatrix(quarterTurn)));
    EXPECT_TRUE(Near({0.0f, 0.0f, 1.0f},
                     Point(QuatToMatrix(QuatFromAxisAngle({1.0f, 0.0f, 0.0f}, HalfPi)), {0.0f, 1.0f, 0.0f})));
    EXPECT_FLOAT_EQ(70.0f, QuatDot(Quaternion{1.0f, 2.0f, 3.0f, 4.0f}, Quaternion{5.0f, 6.0f, 7.0f, 8.0f}));
    // As a plane test: plane y = 2 against the point (0, 5, 0).
    EXPECT_FLOAT_EQ(3.0f, QuatDot(Vec4{0.0f, 1.0f, 0.0f, -2.0f}, Vec4{0.0f, 5.0f, 0.0f, 1.0f}));

    const Quaternion identity{};
    const Quaternion eighth{std::cos(HalfPi / 4.0f), 0.0f, std::sin(HalfPi / 4.0f), 0.0f};
    EXPECT_TRUE(Near(identity, QuatSlerp(identity, quarterTurn, 0.0f)));
    EXPECT_TRUE(Near(quarterTurn, QuatSlerp(identity, quarterTurn, 1.0f)));
    EXPECT_TRUE(Near(eighth, QuatSlerp(identity, quarterTurn, 0.5f)));
    // The shorter arc: -q is the same turn, so halfway is still 45 degrees.
    EXPECT_TRUE(Near(eighth, QuatSlerp(identity, {-quarterTurn.w, -quarterTurn.x, -quarterTurn.y, -quarterTurn.z}, 0.5f)));
    // Equal inputs come back exactly; a against -a returns a.
    const Quaternion a{0.5f, 0.5f, 0.5f, 0.5f};
    EXPECT_TRUE(Near(a, QuatSlerp(a, a, 0.3f), 0.0f));
    EXPECT_TRUE(Near(a, QuatSlerp(a, {-0.5f, -0.5f, -0.5f, -0.5f}, 0.3f), 0.0f));
    // Nearly opposite: the flipped b is a hair away; the result stays finite and close.
    const Quaternion tiny = QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, 1e-3f);
    EXPECT_TRUE(Near(QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, 5e-4f),
                     QuatSlerp(identity, {-tiny.w, -tiny.x, -tiny.y, -tiny.z}, 0.5f), 1e-4f));
}

TEST(GameMath, HeadingAndPitchAngles)
{
    const Vec3 ahead{0.0f, 0.0f, -1.0f};
    const struct {
        Vec3 from, to;
        float heading;
    } headings[] = {
        {ahead, {-1.0f, 0.0f, 0.0f}, 90.04565f},
        {ahead, {1.0f, 0.0f, 0.0f}, 269.95435f},
        // Exactly opposite or parallel is "no turn", not 180.
        {ahead, {0.0f, 0.0f, 1.0f}, 0.0f},
        {{2.0f, 0.0f, 0.0f}, {5.0f, 0.0f, 0.0f}, 0.0f},
        // Heights and lengths do not matter.
        {{0.0f, 9.0f, -3.0f}, {-7.0f, -4.0f, 0.0f}, 90.04565f},
        // A positive heading is the MatRotationY sense.
        {ahead, Point(MatRotationY(0.5f), ahead), 0.5f * RadToDeg},
        // Nothing to measure gives 0 rather than NaN.
        {{0.0f, 3.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, 0.0f},
    };
    for (const auto& h : headings) {
        EXPECT_NEAR(h.heading, HeadingAngleXZ(h.from, h.to), 1e-2f) << h.to.x << ", " << h.to.z;
    }
    // Nearly parallel vectors must not fall off acos's domain.
    EXPECT_TRUE(std::isfinite(HeadingAngleXZ({1.0f, 0.0f, 1e-7f}, {1.0f, 0.0f, 0.0f})));
    EXPECT_NEAR(90.04565f, PitchAngleYZ(ahead, {0.0f, 1.0f, 0.0f}), 1e-3f);
    EXPECT_NEAR(-90.04565f, PitchAngleYZ(ahead, {0.0f, -1.0f, 0.0f}), 1e-3f);
    EXPECT_NEAR(180.09131f, PitchAngleYZ(ahead, {0.0f, 0.0f, 1.0f}), 1e-3f);  // pi * 180 / 3.14
    EXPECT_EQ(0.0f, PitchAngleYZ({5.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));
}

TEST(GameMath, DirectionForwardAndDistance)
{
    EXPECT_TRUE(Near({1.2f, 0.0f, 1.6f}, DirectionTo({3.0f, 5.0f, 4.0f}, {}, 2.0f, false)));
    EXPECT_TRUE(Near({0.0f, 6.0f, 8.0f}, DirectionTo({1.0f, 3.0f, 4.0f}, {1.0f, 0.0f, 0.0f}, 10.0f, true)));
    const Vec3 p{1.0f, 2.0f, 3.0f};
    EXPECT_TRUE(Near({}, DirectionTo(p, p, 1.0f, false), 0.0f));
    // Straight above: horizontally there is no direction at all.
    EXPECT_TRUE(Near({}, DirectionTo({1.0f, 9.0f, 3.0f}, p, 1.0f, false), 0.0f));

    Object object;
    EXPECT_TRUE(Near(ModelForward, ForwardOf(object)));
    object.world = MatMultiply(MatTranslation(4.0f, 5.0f, 6.0f), MatRotationY(HalfPi));
    EXPECT_TRUE(Near({-1.0f, 0.0f, 0.0f}, ForwardOf(object)));
    object.world = MatScale(3.0f, MatIdentity());
    EXPECT_TRUE(Near(ModelForward, ForwardOf(object)));
    object.world = MatScale(0.0f, MatIdentity());
    EXPECT_TRUE(Near({}, ForwardOf(object), 0.0f));
    Object other;
    object.position = {1.0f, 2.0f, 3.0f};
    other.position = {4.0f, 6.0f, 3.0f};
    EXPECT_FLOAT_EQ(5.0f, ObjectDistance(object, other));
}

TEST(GameMath, TurnToward)
{
    // A full step turns the model's forward onto the direction, whichever side.
    for (Vec3 direction : {Vec3{1.0f, 0.0f, 0.0f}, Vec3{-1.0f, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 1.0f},
                           Vec3{0.0f, 0.0f, -1.0f}, Vec3{3.0f, 7.0f, -4.0f}}) {
        Quaternion current{};
        Quaternion target{};
        const Matrix4 facing = TurnToward(current, target, direction, 1.0f);
        EXPECT_TRUE(Near(Vec3Normalize({direction.x, 0.0f, direction.z}), Point(facing, ModelForward)));
    }
    // Small steps converge; a zero direction keeps turning toward the old target.
    Quaternion current{};
    Quaternion target{};
    TurnToward(current, target, {1.0f, 0.0f, 0.0f}, 0.2f);
    const Quaternion goal = target;
    const Quaternion before = current;
    TurnToward(current, target, {}, 0.2f);
    EXPECT_TRUE(Near(goal, target, 0.0f));
    EXPECT_TRUE(Near(QuatSlerp(before, goal, 0.2f), current));
    for (int frame = 0; frame < 60; ++frame) {
        TurnToward(current, target, {0.0f, 5.0f, 0.0f}, 0.2f);
    }
    EXPECT_TRUE(Near(goal, current, 1e-4f));
    // A non-finite direction leaves both orientations alone.
    const Quaternion kept = current;
    EXPECT_TRUE(AllFinite(TurnToward(current, target, {Inf, 0.0f, 1.0f}, 0.2f)));
    EXPECT_TRUE(Near(kept, current, 0.0f));
    EXPECT_TRUE(Near(goal, target, 0.0f));
}
