// The two sword-and-spear humanoids: the sword fighter and the lizard
// warrior. Turns follow the model axes: a hanging limb swings forward with
// a positive X turn, an upright bone leans forward with a negative one.
#include "tools/character_parts.h"
#include "tools/models.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace Humanoid;

constexpr int Segments = PartSegments;
constexpr int Rings = PartRings;

// Legs shared by the fighter and the lizard: thigh, shin and a boot or foot.
void AddLegs(Mesh& mesh, const Skeleton& s, int legMaterial, int footMaterial, float thickness)
{
    for (const int thigh : {LeftThigh, RightThigh}) {
        const int shin = thigh + 1;
        const int foot = thigh + 2;
        AddLimb(mesh, s, thigh, JointOf(s, shin), 0.09f * thickness, 0.075f * thickness, legMaterial);
        AddLimb(mesh, s, shin, JointOf(s, foot), 0.07f * thickness, 0.06f * thickness, legMaterial);
        const V3 ankle = JointOf(s, foot);
        AddTube(mesh, ankle, ankle + V3{0.0f, 0.2f, 0.0f}, 0.075f * thickness, 0.08f * thickness, Segments,
                footMaterial, Rigid(shin));
        AddEllipsoid(mesh, ankle + V3{0.0f, -0.03f, -0.07f}, V3{0.08f, 0.07f, 0.15f} * thickness, 6, Segments,
                     footMaterial, Rigid(foot));
    }
}

// Both arms: upper arm, forearm, hand; `shoulderPad` adds a rounded plate.
void AddArms(Mesh& mesh, const Skeleton& s, int upperMaterial, int foreMaterial, int handMaterial, int padMaterial)
{
    for (const int upper : {RightUpperArm, LeftUpperArm}) {
        const int fore = upper + 1;
        const int hand = upper + 2;
        AddLimb(mesh, s, upper, JointOf(s, fore), 0.07f, 0.06f, upperMaterial);
        AddLimb(mesh, s, fore, JointOf(s, hand) + V3{0.0f, 0.07f, 0.0f}, 0.058f, 0.052f, foreMaterial);
        AddEllipsoid(mesh, JointOf(s, hand), {0.065f, 0.07f, 0.065f}, 6, 8, handMaterial, Rigid(hand));
        if (padMaterial >= 0) {
            const V3 shoulder = JointOf(s, upper);
            AddEllipsoid(mesh, shoulder + V3{shoulder.x * 0.1f, 0.03f, 0.0f}, {0.12f, 0.09f, 0.12f}, 6, Segments,
                         padMaterial, Rigid(upper));
        }
    }
}

// Walk cycle shared by the humanoids: two strides per 60 frames.
void WalkLegs(Pose& p, float t, float swing)
{
    const float w = Wave(t, 2.0f);
    p.Turn(LeftThigh, swing * w, 0.0f, 0.0f);
    p.Turn(RightThigh, -swing * w, 0.0f, 0.0f);
    p.Turn(LeftShin, -20.0f - 25.0f * std::max(0.0f, Wave(t, 2.0f, 0.75f)), 0.0f, 0.0f);
    p.Turn(RightShin, -20.0f - 25.0f * std::max(0.0f, Wave(t, 2.0f, 0.25f)), 0.0f, 0.0f);
    p.Turn(LeftFoot, 10.0f, 0.0f, 0.0f);
    p.Turn(RightFoot, 10.0f, 0.0f, 0.0f);
    p.Shift(Hips, {0.0f, -0.04f + 0.03f * Wave(t, 4.0f, 0.25f), 0.0f});
}

// Shared falls: knocked back leans away from the hit, dying ends flat on the back.
void KnockedBack(Pose& p, float t)
{
    const float k = Curve(t, {{0.0f, 0.0f}, {15.0f, 1.0f}, {60.0f, 0.7f}});
    p.Turn(Spine, 20.0f * k, 0.0f, 0.0f);
    p.Turn(Chest, 12.0f * k, 0.0f, 0.0f);
    p.Turn(Head, 20.0f * k, 0.0f, 0.0f);
    p.Turn(LeftUpperArm, 50.0f * k, 0.0f, -30.0f * k);
    p.Turn(RightUpperArm, 40.0f * k, 0.0f, 30.0f * k);
    p.Turn(LeftThigh, 25.0f * k, 0.0f, 0.0f);
    p.Turn(LeftShin, -35.0f * k, 0.0f, 0.0f);
    p.Shift(Root, {0.0f, 0.0f, 0.25f * k});
}

void Dying(Pose& p, float t)
{
    // Lying on the back, "forward" for the body points at the sky, so the
    // final limbs spread sideways and the head lifts a little off the ground.
    const float buckle = Curve(t, {{0.0f, 0.0f}, {20.0f, 0.3f}, {35.0f, 1.0f}, {50.0f, 0.4f}, {60.0f, 0.0f}});
    const float fall = Curve(t, {{0.0f, 0.0f}, {25.0f, 0.0f}, {52.0f, 1.0f}});
    const float sprawl = Curve(t, {{0.0f, 0.0f}, {40.0f, 0.2f}, {55.0f, 1.0f}});
    p.Turn(Root, 88.0f * fall, 0.0f, 0.0f);
    p.Shift(Root, {0.0f, 0.17f * fall, 0.0f});
    p.Shift(Hips, {0.0f, -0.3f * buckle, 0.0f});
    p.Turn(LeftThigh, 60.0f * buckle, 0.0f, -10.0f * sprawl);
    p.Turn(RightThigh, 50.0f * buckle, 0.0f, 10.0f * sprawl);
    p.Turn(LeftShin, -80.0f * buckle, 0.0f, 0.0f);
    p.Turn(RightShin, -70.0f * buckle, 0.0f, 0.0f);
    p.Turn(Spine, -25.0f * buckle, 0.0f, 0.0f);
    p.Turn(Head, -20.0f * buckle - 12.0f * sprawl, 20.0f * sprawl, 0.0f);
    p.Turn(LeftUpperArm, 30.0f * buckle * (1.0f - sprawl), 0.0f, -70.0f * sprawl);
    p.Turn(RightUpperArm, 30.0f * buckle * (1.0f - sprawl), 0.0f, 70.0f * sprawl);
}

// The sword hand holds the blade ahead; these turns keep it pointing forward
// and up while the arm hangs relaxed.
void SwordReady(Pose& p, float breathe)
{
    p.Turn(RightUpperArm, 15.0f + 2.0f * breathe, 0.0f, 12.0f);
    p.Turn(RightForearm, 45.0f, 0.0f, 0.0f);
    p.Turn(RightHand, -20.0f, 0.0f, 0.0f);
    p.Turn(LeftUpperArm, 5.0f - 2.0f * breathe, 0.0f, -12.0f);
    p.Turn(LeftForearm, 20.0f, 0.0f, 0.0f);
}

std::vector<AnimationSet> FighterAnimations(const Skeleton& s, int cape)
{
    std::vector<AnimationSet> sets;
    sets.push_back(MakeAnimation("Stand", s, 5, [&](float t, Pose& p) {
        const float b = Wave(t, 1.0f);
        SwordReady(p, b);
        p.Shift(Hips, {0.0f, -0.015f + 0.01f * b, 0.0f});
        p.Turn(Chest, -2.0f * b, 0.0f, 0.0f);
        p.Turn(Head, 2.0f * b, 0.0f, 0.0f);
        p.Turn(LeftThigh, 4.0f, 0.0f, -3.0f);
        p.Turn(RightThigh, -4.0f, 0.0f, 3.0f);
        p.Turn(LeftShin, -6.0f, 0.0f, 0.0f);
        p.Turn(RightShin, -6.0f, 0.0f, 0.0f);
        p.Turn(cape, -5.0f - 3.0f * Wave(t, 1.0f, 0.25f), 0.0f, 0.0f);
    }));
    sets.push_back(MakeAnimation("Walk", s, 5, [&](float t, Pose& p) {
        const float w = Wave(t, 2.0f);
        WalkLegs(p, t, 35.0f);
        SwordReady(p, 0.0f);
        p.Turn(RightUpperArm, 8.0f * w, 0.0f, 0.0f);
        p.Turn(LeftUpperArm, -30.0f * w, 0.0f, 0.0f);
        p.Turn(Spine, -8.0f, 6.0f * w, 0.0f);
        p.Turn(cape, -25.0f - 8.0f * Wave(t, 4.0f), 0.0f, 0.0f);
    }));
    // First attack: a diagonal slash from over the right shoulder, striking at 30.
    sets.push_back(MakeAnimation("Slash", s, 5, [&](float t, Pose& p) {
        const float raise = Curve(t, {{0.0f, 0.0f}, {22.0f, 1.0f}, {28.0f, 1.0f}, {38.0f, -0.3f}, {60.0f, 0.0f}});
        const float twist = Curve(t, {{0.0f, 0.0f}, {22.0f, -1.0f}, {28.0f, -1.0f}, {38.0f, 1.0f}, {60.0f, 0.0f}});
        SwordReady(p, 0.0f);
        p.Turn(RightUpperArm, 140.0f * std::max(raise, 0.0f) + 30.0f * std::min(raise, 0.0f), 0.0f,
               15.0f * raise);
        p.Turn(RightForearm, 20.0f * raise, 0.0f, 0.0f);
        p.Turn(Chest, 0.0f, 30.0f * twist, 0.0f);
        p.Turn(Spine, -10.0f * std::max(-raise, 0.0f) - 5.0f, 10.0f * twist, 0.0f);
        p.Turn(LeftThigh, 25.0f, 0.0f, 0.0f);
        p.Turn(LeftShin, -25.0f, 0.0f, 0.0f);
        p.Turn(RightThigh, -15.0f, 0.0f, 0.0f);
        p.Shift(Hips, {0.0f, -0.05f, 0.0f});
        p.Turn(cape, -10.0f - 15.0f * std::fabs(twist), 0.0f, 0.0f);
    }));
    // Second attack: a fast sweep from right to left at chest height.
    sets.push_back(MakeAnimation("Sweep", s, 5, [&](float t, Pose& p) {
        const float sweep = Curve(t, {{0.0f, -1.0f}, {10.0f, -1.0f}, {35.0f, 1.0f}, {60.0f, 0.6f}});
        SwordReady(p, 0.0f);
        p.Turn(RightUpperArm, 70.0f, 0.0f, 30.0f);
        p.Turn(RightForearm, -30.0f, 0.0f, 0.0f);
        p.Turn(RightHand, 40.0f, 0.0f, 0.0f);
        p.Turn(Chest, 0.0f, 55.0f * sweep, 0.0f);
        p.Turn(Spine, -10.0f, 20.0f * sweep, 0.0f);
        p.Turn(LeftThigh, 30.0f, 0.0f, 0.0f);
        p.Turn(LeftShin, -30.0f, 0.0f, 0.0f);
        p.Turn(RightThigh, -20.0f, 0.0f, 0.0f);
        p.Shift(Hips, {0.0f, -0.06f, 0.0f});
        p.Turn(cape, -30.0f, 0.0f, 0.0f);
    }));
    // Third attack: crouch, then a full spin with the blade held out, from 25 to 50.
    sets.push_back(MakeAnimation("Spin", s, 5, [&](float t, Pose& p) {
        const float crouch = Curve(t, {{0.0f, 0.0f}, {20.0f, 1.0f}, {30.0f, 0.3f}, {50.0f, 0.3f}, {60.0f, 0.0f}});
        const float spin = Curve(t, {{0.0f, 0.0f}, {25.0f, 0.0f}, {50.0f, 360.0f}});
        const float out = Curve(t, {{0.0f, 0.0f}, {20.0f, 0.6f}, {28.0f, 1.0f}, {50.0f, 1.0f}, {60.0f, 0.0f}});
        SwordReady(p, 0.0f);
        p.Turn(Root, 0.0f, spin, 0.0f);
        p.Shift(Hips, {0.0f, -0.2f * crouch, 0.0f});
        p.Turn(LeftThigh, 45.0f * crouch, 0.0f, -10.0f * crouch);
        p.Turn(RightThigh, 45.0f * crouch, 0.0f, 10.0f * crouch);
        p.Turn(LeftShin, -70.0f * crouch, 0.0f, 0.0f);
        p.Turn(RightShin, -70.0f * crouch, 0.0f, 0.0f);
        p.Turn(Spine, -15.0f * crouch, -40.0f * crouch * (1.0f - out * 0.5f), 0.0f);
        p.Turn(RightUpperArm, 30.0f * out, 0.0f, 70.0f * out);
        p.Turn(RightForearm, -30.0f * out, 0.0f, 0.0f);
        p.Turn(RightHand, 20.0f * out, -70.0f * out, 0.0f);
        p.Turn(LeftUpperArm, 20.0f * out, 0.0f, -60.0f * out);
        p.Turn(cape, -20.0f - 40.0f * out, 0.0f, 0.0f);
    }));
    sets.push_back(MakeAnimation("KnockedBack", s, 5, [&](float t, Pose& p) {
        SwordReady(p, 0.0f);
        KnockedBack(p, t);
        p.Turn(cape, -30.0f * Curve(t, {{0.0f, 0.0f}, {15.0f, 1.0f}, {60.0f, 0.5f}}), 0.0f, 0.0f);
    }));
    sets.push_back(MakeAnimation("Dying", s, 5, [&](float t, Pose& p) {
        const float limp = Curve(t, {{0.0f, 0.0f}, {40.0f, 0.0f}, {55.0f, 1.0f}});
        SwordReady(p, 0.0f);
        Dying(p, t);
        // The arm goes limp and the sword drops flat beside the body.
        p.Turn(RightForearm, -45.0f * limp, 0.0f, 0.0f);
        p.Turn(RightHand, -60.0f * limp, 0.0f, 0.0f);
        p.Turn(LeftForearm, -20.0f * limp, 0.0f, 0.0f);
        p.Turn(cape, 10.0f * limp, 0.0f, 0.0f);
    }));
    return sets;
}

// The spear hand undoes the pitch of the arm and of the leaning body, so the
// spear stays level whatever the pose.
void HoldSpearLevel(Pose& p, float upper, float fore, float bodyPitch)
{
    p.Turn(RightUpperArm, upper, 0.0f, 8.0f);
    p.Turn(RightForearm, fore, 0.0f, 0.0f);
    p.Turn(RightHand, -(upper + fore + bodyPitch), 0.0f, 0.0f);
}

std::vector<AnimationSet> LizardAnimations(const Skeleton& s, int tail)
{
    const auto swayTail = [&](Pose& p, float t, float amount, float cycles) {
        for (int k = 0; k < 4; ++k) {
            p.Turn(tail + k, -4.0f, amount * Wave(t, cycles, -0.08f * static_cast<float>(k)), 0.0f);
        }
    };
    std::vector<AnimationSet> sets;
    sets.push_back(MakeAnimation("Idle", s, 5, [&](float t, Pose& p) {
        const float b = Wave(t, 1.0f);
        const float lean = -6.0f + 2.0f * b;
        HoldSpearLevel(p, 10.0f, 45.0f, lean);
        p.Turn(LeftUpperArm, 5.0f, 0.0f, -10.0f);
        p.Turn(LeftForearm, 30.0f, 0.0f, 0.0f);
        p.Turn(Spine, lean, 0.0f, 0.0f);
        p.Turn(Head, 6.0f - 3.0f * b, 8.0f * Wave(t, 1.0f, 0.3f), 0.0f);
        p.Turn(LeftThigh, 15.0f, 0.0f, -4.0f);
        p.Turn(RightThigh, 15.0f, 0.0f, 4.0f);
        p.Turn(LeftShin, -30.0f, 0.0f, 0.0f);
        p.Turn(RightShin, -30.0f, 0.0f, 0.0f);
        p.Turn(LeftFoot, 15.0f, 0.0f, 0.0f);
        p.Turn(RightFoot, 15.0f, 0.0f, 0.0f);
        p.Shift(Hips, {0.0f, -0.05f + 0.01f * b, 0.0f});
        swayTail(p, t, 10.0f, 1.0f);
    }));
    sets.push_back(MakeAnimation("Walk", s, 5, [&](float t, Pose& p) {
        const float w = Wave(t, 2.0f);
        WalkLegs(p, t, 35.0f);
        HoldSpearLevel(p, 10.0f + 8.0f * w, 45.0f, -12.0f);
        p.Turn(LeftUpperArm, -30.0f * w, 0.0f, -8.0f);
        p.Turn(LeftForearm, 25.0f, 0.0f, 0.0f);
        p.Turn(Spine, -12.0f, 8.0f * w, 0.0f);
        p.Turn(Head, 8.0f, -6.0f * w, 0.0f);
        swayTail(p, t, 16.0f, 2.0f);
    }));
    // Thrust: draw back until 25, drive the spear out from 30, fully out 35-42.
    sets.push_back(MakeAnimation("Thrust", s, 5, [&](float t, Pose& p) {
        const float draw = Curve(t, {{0.0f, 0.0f}, {25.0f, 1.0f}, {30.0f, 0.8f}, {35.0f, 0.0f}});
        const float drive = Curve(t, {{0.0f, 0.0f}, {28.0f, 0.0f}, {35.0f, 1.0f}, {42.0f, 1.0f}, {60.0f, 0.0f}});
        // The chest twists back on the draw only: the drive goes straight ahead.
        const float lean = -8.0f - 12.0f * drive;
        HoldSpearLevel(p, 10.0f - 45.0f * draw + 65.0f * drive, 45.0f + 40.0f * draw - 40.0f * drive, lean);
        p.Turn(Chest, 0.0f, -35.0f * draw, 0.0f);
        p.Turn(Spine, lean, 0.0f, 0.0f);
        p.Turn(LeftUpperArm, 30.0f * draw + 50.0f * drive, 0.0f, -20.0f);
        p.Turn(LeftForearm, 40.0f, 0.0f, 0.0f);
        p.Turn(LeftThigh, 20.0f + 30.0f * drive, 0.0f, 0.0f);
        p.Turn(LeftShin, -30.0f - 10.0f * drive, 0.0f, 0.0f);
        p.Turn(RightThigh, 15.0f - 35.0f * drive, 0.0f, 0.0f);
        p.Turn(RightShin, -30.0f, 0.0f, 0.0f);
        p.Shift(Hips, {0.0f, -0.05f - 0.08f * drive, 0.0f});
        p.Shift(Root, {0.0f, 0.0f, 0.1f * draw - 0.3f * drive});
        swayTail(p, t, 8.0f, 1.0f);
        p.Turn(tail, 10.0f * drive, 0.0f, 0.0f);
    }));
    return sets;
}

} // namespace

SkinnedModel BuildSwordFighter()
{
    HumanoidBuild build;
    build.rightHandRest = QuatEuler(-90.0f, 0.0f, 0.0f);
    SkinnedModel model;
    model.skeleton = MakeHumanoid(build);
    Skeleton& s = model.skeleton;
    const int cape = AddBone(s, "Cape", Chest, {0.0f, 1.47f, 0.15f});
    Mesh& m = model.mesh;
    const int skin = AddMaterial(m, Plain(1.0f, 0.8f, 0.64f));
    const int tunic = AddMaterial(m, Plain(0.15f, 0.35f, 0.85f));
    const int silver = AddMaterial(m, Plain(0.78f, 0.8f, 0.86f, 40.0f, 0.8f));
    const int leather = AddMaterial(m, Plain(0.42f, 0.26f, 0.14f));
    const int hair = AddMaterial(m, Plain(0.95f, 0.75f, 0.3f));
    const int eyes = AddMaterial(m, Plain(0.1f, 0.12f, 0.25f));
    const int red = AddMaterial(m, Plain(0.8f, 0.12f, 0.15f));
    const int trousers = AddMaterial(m, Plain(0.12f, 0.16f, 0.4f));

    AddEllipsoid(m, {0.0f, 0.95f, 0.0f}, {0.2f, 0.14f, 0.15f}, Rings, Segments, trousers, Rigid(Hips));
    AddEllipsoid(m, {0.0f, 1.03f, 0.0f}, {0.215f, 0.05f, 0.165f}, 5, Segments, leather, Rigid(Hips));
    AddEllipsoid(m, {0.0f, 0.94f, -0.155f}, {0.05f, 0.04f, 0.02f}, 4, 6, silver, Rigid(Hips));
    AddLegs(m, s, trousers, leather, 1.0f);
    AddEllipsoid(m, {0.0f, 1.14f, 0.0f}, {0.19f, 0.14f, 0.145f}, Rings, Segments, tunic, Rigid(Spine));
    AddEllipsoid(m, {0.0f, 1.34f, 0.0f}, {0.25f, 0.2f, 0.17f}, Rings, Segments, silver, Rigid(Chest));
    AddEllipsoid(m, {0.0f, 1.35f, -0.12f}, {0.1f, 0.1f, 0.06f}, 5, 8, tunic, Rigid(Chest));
    AddArms(m, s, tunic, silver, leather, silver);
    AddTube(m, JointOf(s, Neck), JointOf(s, Head), 0.06f, 0.06f, 8, skin, Rigid(Neck));
    // A slightly oversized head reads better from the follow camera.
    AddEllipsoid(m, {0.0f, 1.79f, 0.0f}, {0.185f, 0.195f, 0.18f}, Rings, Segments, skin, Rigid(Head));
    AddEllipsoid(m, {0.0f, 1.85f, 0.03f}, {0.2f, 0.17f, 0.19f}, Rings, Segments, hair, Rigid(Head));
    AddEllipsoid(m, {0.0f, 1.9f, -0.11f}, {0.15f, 0.07f, 0.08f}, 5, 8, hair, Rigid(Head),
                 QuatEuler(-20.0f, 0.0f, 0.0f));
    for (const float side : {-1.0f, 1.0f}) {
        AddEllipsoid(m, {side * 0.07f, 1.79f, -0.168f}, {0.028f, 0.038f, 0.015f}, 4, 6, eyes, Rigid(Head));
        AddEllipsoid(m, {side * 0.178f, 1.78f, 0.0f}, {0.025f, 0.04f, 0.03f}, 4, 6, skin, Rigid(Head));
    }
    AddEllipsoid(m, {0.0f, 1.72f, -0.165f}, {0.035f, 0.012f, 0.012f}, 3, 6, red, Rigid(Head));
    AddSlab(m, {{-0.22f, 0.0f}, {0.22f, 0.0f}, {0.3f, 0.7f}, {0.1f, 0.78f}, {-0.1f, 0.78f}, {-0.3f, 0.7f}}, 0.025f,
            {JointOf(s, cape), QuatEuler(86.0f, 0.0f, 0.0f)}, red, Rigid(cape));
    model.sets = FighterAnimations(s, cape);
    return model;
}

SkinnedModel BuildLizardWarrior()
{
    HumanoidBuild build;
    build.hipHeight = 0.9f;
    build.kneeHeight = 0.5f;
    build.spineHeight = 1.0f;
    build.chestHeight = 1.25f;
    build.shoulderHeight = 1.45f;
    build.elbowHeight = 1.17f;
    build.gripHeight = 0.9f;
    build.neckHeight = 1.5f;
    build.headHeight = 1.64f;
    SkinnedModel model;
    model.skeleton = MakeHumanoid(build);
    Skeleton& s = model.skeleton;
    const int tail = AddBone(s, "Tail1", Hips, {0.0f, 0.85f, 0.15f});
    AddBone(s, "Tail2", tail, {0.0f, 0.68f, 0.5f});
    AddBone(s, "Tail3", tail + 1, {0.0f, 0.48f, 0.85f});
    AddBone(s, "Tail4", tail + 2, {0.0f, 0.3f, 1.18f});
    Mesh& m = model.mesh;
    const int scales = AddMaterial(m, Plain(0.3f, 0.62f, 0.24f));
    const int belly = AddMaterial(m, Plain(0.88f, 0.84f, 0.5f));
    const int leather = AddMaterial(m, Plain(0.52f, 0.32f, 0.16f));
    const int eye = AddMaterial(m, Plain(1.0f, 0.85f, 0.1f, 40.0f, 0.8f));
    const int pupil = AddMaterial(m, Plain(0.05f, 0.05f, 0.05f));
    const int crest = AddMaterial(m, Plain(0.85f, 0.35f, 0.15f));

    AddEllipsoid(m, {0.0f, 0.92f, 0.0f}, {0.2f, 0.14f, 0.16f}, Rings, Segments, leather, Rigid(Hips));
    AddLegs(m, s, scales, scales, 1.15f);
    AddEllipsoid(m, {0.0f, 1.1f, 0.0f}, {0.19f, 0.15f, 0.15f}, Rings, Segments, scales, Rigid(Spine));
    AddEllipsoid(m, {0.0f, 1.1f, -0.07f}, {0.14f, 0.13f, 0.1f}, 5, 8, belly, Rigid(Spine));
    AddEllipsoid(m, {0.0f, 1.3f, 0.0f}, {0.24f, 0.19f, 0.17f}, Rings, Segments, leather, Rigid(Chest));
    AddBox(m, {0.0f, 1.32f, -0.02f}, {0.05f, 0.22f, 0.19f}, leather, Rigid(Chest), QuatEuler(0.0f, 0.0f, 35.0f));
    AddArms(m, s, scales, scales, scales, leather);
    AddTube(m, JointOf(s, Neck), JointOf(s, Head), 0.08f, 0.075f, 8, scales, Rigid(Neck));
    // Long snout ahead of a round skull, eyes on the sides, a crest down the back.
    const V3 head = JointOf(s, Head);
    AddEllipsoid(m, head + V3{0.0f, 0.1f, 0.02f}, {0.14f, 0.13f, 0.16f}, Rings, Segments, scales, Rigid(Head));
    AddEllipsoid(m, head + V3{0.0f, 0.05f, -0.2f}, {0.09f, 0.075f, 0.18f}, Rings, Segments, scales, Rigid(Head));
    AddEllipsoid(m, head + V3{0.0f, 0.01f, -0.18f}, {0.075f, 0.035f, 0.15f}, 5, 8, belly, Rigid(Head));
    for (const float side : {-1.0f, 1.0f}) {
        AddEllipsoid(m, head + V3{side * 0.1f, 0.15f, -0.06f}, {0.04f, 0.045f, 0.04f}, 5, 8, eye, Rigid(Head));
        AddEllipsoid(m, head + V3{side * 0.132f, 0.15f, -0.07f}, {0.012f, 0.03f, 0.015f}, 4, 6, pupil, Rigid(Head));
    }
    for (int k = 0; k < 3; ++k) {
        const V3 base = head + V3{0.0f, 0.2f - 0.05f * static_cast<float>(k), 0.03f + 0.07f * static_cast<float>(k)};
        AddCone(m, base, base + V3{0.0f, 0.13f, 0.06f}, 0.035f, 6, crest, Rigid(Head));
    }
    const float radii[5] = {0.13f, 0.11f, 0.085f, 0.06f, 0.02f};
    for (int k = 0; k < 4; ++k) {
        const int bone = tail + k;
        const V3 start = JointOf(s, bone);
        const V3 end = k < 3 ? JointOf(s, bone + 1) : V3{0.0f, 0.15f, 1.5f};
        AddTube(m, start, end, radii[k], radii[k + 1], Segments, scales,
                Blended(bone, k == 0 ? static_cast<int>(Hips) : bone - 1, start, end, 0.1f));
    }
    model.sets = LizardAnimations(s, tail);
    return model;
}

