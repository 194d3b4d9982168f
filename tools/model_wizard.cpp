// The wizard: a robed caster whose staff hand is bone 6. The robe hides the
// legs, so its hem is skinned partly to the thighs to sway as he walks.
#include "tools/character_parts.h"
#include "tools/models.h"

#include <algorithm>
#include <cmath>

namespace {

namespace Robe {
constexpr int Root = 0;
constexpr int Hips = 1;
constexpr int Spine = 2;
constexpr int Chest = 3;
constexpr int RightUpperArm = 4;
constexpr int RightForearm = 5;
constexpr int RightHand = 6;
constexpr int LeftUpperArm = 7;
constexpr int LeftForearm = 8;
constexpr int Neck = 10;
constexpr int Head = 11;
constexpr int Hat = 12;
constexpr int LeftThigh = 13;
constexpr int LeftShin = 14;
constexpr int RightThigh = 15;
constexpr int RightShin = 16;
} // namespace Robe

Skeleton MakeWizardSkeleton()
{
    Skeleton s;
    AddBone(s, "Root", -1, {0.0f, 0.0f, 0.0f});
    AddBone(s, "Hips", Robe::Root, {0.0f, 0.9f, 0.0f});
    AddBone(s, "Spine", Robe::Hips, {0.0f, 1.02f, 0.0f});
    AddBone(s, "Chest", Robe::Spine, {0.0f, 1.25f, 0.0f});
    for (const float side : {1.0f, -1.0f}) {
        const std::string prefix = side < 0.0f ? "Left" : "Right";
        const int upper = AddBone(s, prefix + "UpperArm", Robe::Chest, {side * 0.27f, 1.45f, 0.0f});
        const int fore = AddBone(s, prefix + "Forearm", upper, {side * 0.3f, 1.17f, 0.0f});
        AddBone(s, prefix + "Hand", fore, {side * 0.32f, 0.92f, 0.0f});
    }
    AddBone(s, "Neck", Robe::Chest, {0.0f, 1.5f, 0.0f});
    AddBone(s, "Head", Robe::Neck, {0.0f, 1.6f, 0.0f});
    AddBone(s, "Hat", Robe::Head, {0.0f, 1.86f, 0.0f});
    for (const float side : {-1.0f, 1.0f}) {
        const std::string prefix = side < 0.0f ? "Left" : "Right";
        const int thigh = AddBone(s, prefix + "Thigh", Robe::Hips, {side * 0.1f, 0.85f, 0.0f});
        AddBone(s, prefix + "Shin", thigh, {side * 0.1f, 0.45f, 0.0f});
    }
    return s;
}

// The staff hand undoes the arm's pitch so the staff stays upright.
void HoldStaffUpright(Pose& p, float upper, float fore, float lean)
{
    p.Turn(Robe::RightUpperArm, upper, 0.0f, 10.0f);
    p.Turn(Robe::RightForearm, fore, 0.0f, 0.0f);
    p.Turn(Robe::RightHand, -(upper + fore) + lean, 0.0f, -10.0f);
}

std::vector<AnimationSet> WizardAnimations(const Skeleton& s)
{
    using namespace Robe;
    std::vector<AnimationSet> sets;
    sets.push_back(MakeAnimation("Idle", s, 5, [&](float t, Pose& p) {
        const float w = Wave(t, 2.0f);
        HoldStaffUpright(p, 15.0f + 5.0f * w, 50.0f, -5.0f);
        p.Turn(LeftUpperArm, 10.0f - 10.0f * w, 0.0f, -10.0f);
        p.Turn(LeftForearm, 35.0f, 0.0f, 0.0f);
        p.Turn(LeftThigh, 18.0f * w, 0.0f, 0.0f);
        p.Turn(RightThigh, -18.0f * w, 0.0f, 0.0f);
        p.Turn(LeftShin, -10.0f - 15.0f * std::max(0.0f, Wave(t, 2.0f, 0.75f)), 0.0f, 0.0f);
        p.Turn(RightShin, -10.0f - 15.0f * std::max(0.0f, Wave(t, 2.0f, 0.25f)), 0.0f, 0.0f);
        p.Shift(Hips, {0.0f, 0.015f * Wave(t, 4.0f, 0.25f), 0.0f});
        p.Turn(Spine, -5.0f, 4.0f * w, 0.0f);
        p.Turn(Head, 4.0f, 0.0f, 3.0f * Wave(t, 1.0f));
        p.Turn(Hat, -6.0f * Wave(t, 2.0f, 0.2f), 0.0f, 4.0f * Wave(t, 1.0f, 0.1f));
    }));
    // Casting: the staff goes up by 20, holds while the bolts fly, comes down after 45.
    sets.push_back(MakeAnimation("Cast", s, 5, [&](float t, Pose& p) {
        const float raise = Curve(t, {{0.0f, 0.0f}, {20.0f, 1.0f}, {45.0f, 1.0f}, {60.0f, 0.0f}});
        const float shake = raise * Wave(t, 3.0f);
        HoldStaffUpright(p, 15.0f + 110.0f * raise, 50.0f - 20.0f * raise, -5.0f - 10.0f * shake);
        p.Turn(LeftUpperArm, 10.0f + 70.0f * raise, 0.0f, -10.0f - 20.0f * raise);
        p.Turn(LeftForearm, 35.0f - 25.0f * raise, 0.0f, 0.0f);
        p.Turn(Spine, -5.0f + 10.0f * raise, 0.0f, 0.0f);
        p.Turn(Chest, 5.0f * raise, 0.0f, 0.0f);
        p.Turn(Head, 4.0f + 12.0f * raise, 0.0f, 0.0f);
        p.Turn(Hat, 8.0f * shake, 0.0f, 0.0f);
        p.Turn(LeftThigh, 10.0f * raise, 0.0f, -5.0f * raise);
        p.Turn(RightThigh, -10.0f * raise, 0.0f, 5.0f * raise);
    }));
    return sets;
}

} // namespace

SkinnedModel BuildWizard()
{
    using namespace Robe;
    SkinnedModel model;
    model.skeleton = MakeWizardSkeleton();
    const Skeleton& s = model.skeleton;
    Mesh& m = model.mesh;
    const int robe = AddMaterial(m, Plain(0.45f, 0.2f, 0.68f));
    const int gold = AddMaterial(m, Plain(0.95f, 0.78f, 0.25f, 30.0f, 0.7f));
    const int skin = AddMaterial(m, Plain(1.0f, 0.8f, 0.66f));
    const int beard = AddMaterial(m, Plain(0.93f, 0.93f, 0.96f));
    const int shoes = AddMaterial(m, Plain(0.35f, 0.2f, 0.12f));
    const int eyes = AddMaterial(m, Plain(0.1f, 0.1f, 0.15f));

    // The robe flares from the waist to the ground; its hem follows the legs.
    const size_t robeStart = m.vertices.size();
    AddLathe(m, {{0.0f, 0.0f}, {0.34f, 0.0f}, {0.34f, 0.0f}, {0.3f, 0.3f}, {0.24f, 0.6f}, {0.2f, 0.85f},
                 {0.19f, 1.0f}, {0.0f, 1.05f}},
             14, {{0.0f, 0.05f, 0.0f}, Quat{}}, robe, Rigid(Hips));
    for (size_t v = robeStart; v < m.vertices.size(); ++v) {
        Vertex& vertex = m.vertices[v];
        const float low = std::clamp((0.8f - vertex.position.y) / 0.7f, 0.0f, 1.0f) * 0.6f;
        const float right = std::clamp(0.5f + vertex.position.x / 0.4f, 0.0f, 1.0f);
        vertex.bones = {Hips, RightThigh, LeftThigh, -1};
        vertex.weights = {1.0f - low, low * right, low * (1.0f - right), 0.0f};
    }
    AddBand(m, {0.0f, 0.04f, 0.0f}, 0.345f, 0.06f, 14, gold, Rigid(Hips));
    for (const int thigh : {LeftThigh, RightThigh}) {
        const V3 knee = JointOf(s, thigh + 1);
        AddEllipsoid(m, {knee.x, 0.06f, -0.12f}, {0.08f, 0.07f, 0.14f}, 5, 8, shoes, Rigid(thigh + 1));
        AddTube(m, knee, {knee.x, 0.1f, -0.05f}, 0.06f, 0.06f, 6, robe, Rigid(thigh + 1));
    }
    AddEllipsoid(m, {0.0f, 1.3f, 0.0f}, {0.23f, 0.22f, 0.17f}, PartRings, PartSegments, robe, Rigid(Chest));
    AddEllipsoid(m, {0.0f, 1.1f, 0.0f}, {0.21f, 0.05f, 0.17f}, 4, PartSegments, gold, Rigid(Spine));
    for (const int upper : {RightUpperArm, LeftUpperArm}) {
        const int fore = upper + 1;
        const int hand = upper + 2;
        AddLimb(m, s, upper, JointOf(s, fore), 0.075f, 0.07f, robe);
        // Wide sleeves that open toward the wrist.
        AddLathe(m, {{0.06f, 0.0f}, {0.08f, 0.1f}, {0.12f, 0.22f}, {0.12f, 0.22f}, {0.05f, 0.2f}},
                 PartSegments, {JointOf(s, fore), QuatFromUp(JointOf(s, hand) - JointOf(s, fore))}, robe,
                 Blended(fore, upper, JointOf(s, fore), JointOf(s, hand), 0.06f));
        AddEllipsoid(m, JointOf(s, hand), {0.06f, 0.065f, 0.06f}, 6, 8, skin, Rigid(hand));
    }
    AddTube(m, JointOf(s, Neck), JointOf(s, Head), 0.06f, 0.06f, 8, skin, Rigid(Neck));
    const V3 head = JointOf(s, Head);
    AddEllipsoid(m, head + V3{0.0f, 0.13f, 0.0f}, {0.15f, 0.16f, 0.15f}, PartRings, PartSegments, skin, Rigid(Head));
    AddEllipsoid(m, head + V3{0.0f, 0.12f, -0.15f}, {0.035f, 0.03f, 0.03f}, 4, 6, skin, Rigid(Head));
    for (const float side : {-1.0f, 1.0f}) {
        AddEllipsoid(m, head + V3{side * 0.055f, 0.16f, -0.135f}, {0.022f, 0.026f, 0.014f}, 4, 6, eyes, Rigid(Head));
        AddEllipsoid(m, head + V3{side * 0.06f, 0.2f, -0.13f}, {0.045f, 0.015f, 0.02f}, 3, 6, beard, Rigid(Head));
    }
    // Long beard hanging from the chin, moustache above it.
    AddLathe(m, {{0.0f, 0.0f}, {0.04f, 0.05f}, {0.1f, 0.2f}, {0.12f, 0.3f}, {0.0f, 0.36f}}, PartSegments,
             {head + V3{0.0f, 0.12f, -0.1f}, QuatFromUp({0.0f, -1.0f, -0.25f})}, beard, Rigid(Head), 1.0f, 0.5f);
    AddEllipsoid(m, head + V3{0.0f, 0.08f, -0.14f}, {0.09f, 0.03f, 0.03f}, 4, 8, beard, Rigid(Head));
    // Pointed hat with a wide brim and a bent tip.
    const V3 hat = JointOf(s, Hat);
    AddLathe(m, {{0.0f, -0.04f}, {0.3f, -0.02f}, {0.3f, -0.02f}, {0.3f, 0.0f}, {0.3f, 0.0f}, {0.0f, 0.01f}},
             16, {hat + V3{0.0f, 0.03f, 0.0f}, Quat{}}, robe, Rigid(Hat));
    AddLathe(m, {{0.16f, 0.0f}, {0.16f, 0.0f}, {0.11f, 0.2f}, {0.06f, 0.38f}, {0.0f, 0.48f}}, 12,
             {hat + V3{0.0f, 0.02f, 0.0f}, QuatEuler(12.0f, 0.0f, 0.0f)}, robe, Rigid(Hat));
    AddBand(m, hat + V3{0.0f, 0.02f, 0.0f}, 0.163f, 0.06f, 12, gold, Rigid(Hat), QuatEuler(12.0f, 0.0f, 0.0f));
    model.sets = WizardAnimations(s);
    return model;
}
