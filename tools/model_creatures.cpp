// The wyvern and the three slimes.
#include "tools/character_parts.h"
#include "tools/models.h"

#include <algorithm>
#include <cmath>

namespace {

namespace Wyvern {
constexpr int Root = 0;
constexpr int Body = 1;
constexpr int Neck1 = 2;
constexpr int Neck2 = 3;
constexpr int Head = 4;
constexpr int LeftWing = 5;
constexpr int LeftWingTip = 6;
constexpr int RightWing = 7;
constexpr int RightWingTip = 8;
constexpr int LeftLeg = 9;
constexpr int RightLeg = 10;
constexpr int Tail1 = 11;
constexpr int Tail2 = 12;
constexpr int Tail3 = 13;
} // namespace Wyvern

// The wyvern's body rides at the centre of its collision sphere; the legs
// hang below it.
Skeleton MakeWyvernSkeleton()
{
    using namespace Wyvern;
    Skeleton s;
    AddBone(s, "Root", -1, {0.0f, 0.0f, 0.0f});
    AddBone(s, "Body", Root, {0.0f, 0.7f, 0.0f});
    AddBone(s, "Neck1", Body, {0.0f, 0.82f, -0.42f});
    AddBone(s, "Neck2", Neck1, {0.0f, 1.05f, -0.68f});
    AddBone(s, "Head", Neck2, {0.0f, 1.22f, -0.9f});
    for (const float side : {-1.0f, 1.0f}) {
        const std::string prefix = side < 0.0f ? "Left" : "Right";
        const int wing = AddBone(s, prefix + "Wing", Body, {side * 0.22f, 0.92f, -0.15f});
        AddBone(s, prefix + "WingTip", wing, {side * 0.82f, 1.05f, -0.05f});
    }
    AddBone(s, "LeftLeg", Body, {-0.17f, 0.58f, 0.12f});
    AddBone(s, "RightLeg", Body, {0.17f, 0.58f, 0.12f});
    AddBone(s, "Tail1", Body, {0.0f, 0.7f, 0.5f});
    AddBone(s, "Tail2", Tail1, {0.0f, 0.66f, 0.95f});
    AddBone(s, "Tail3", Tail2, {0.0f, 0.62f, 1.38f});
    return s;
}

std::vector<AnimationSet> WyvernAnimations(const Skeleton& s)
{
    using namespace Wyvern;
    const auto flap = [](Pose& p, float up, float tipLag) {
        p.Turn(LeftWing, 0.0f, 0.0f, -up);
        p.Turn(RightWing, 0.0f, 0.0f, up);
        p.Turn(LeftWingTip, 0.0f, 0.0f, -tipLag);
        p.Turn(RightWingTip, 0.0f, 0.0f, tipLag);
    };
    std::vector<AnimationSet> sets;
    sets.push_back(MakeAnimation("Fly", s, 5, [&](float t, Pose& p) {
        const float beat = Wave(t, 2.0f);
        flap(p, 40.0f * beat, 25.0f * Wave(t, 2.0f, -0.12f));
        p.Shift(Body, {0.0f, -0.08f * beat, 0.0f});
        p.Turn(Neck1, 8.0f * Wave(t, 2.0f, 0.2f), 0.0f, 0.0f);
        p.Turn(Head, -8.0f * Wave(t, 2.0f, 0.3f), 6.0f * Wave(t, 1.0f), 0.0f);
        p.Turn(LeftLeg, 35.0f, 0.0f, 0.0f);
        p.Turn(RightLeg, 35.0f, 0.0f, 0.0f);
        p.Turn(Tail1, 5.0f * Wave(t, 2.0f, 0.3f), 10.0f * Wave(t, 1.0f), 0.0f);
        p.Turn(Tail2, 0.0f, 12.0f * Wave(t, 1.0f, -0.1f), 0.0f);
        p.Turn(Tail3, 0.0f, 15.0f * Wave(t, 1.0f, -0.2f), 0.0f);
    }));
    // Wind-up: rear back with the wings high until 30, then fold them and dive.
    sets.push_back(MakeAnimation("Dive", s, 5, [&](float t, Pose& p) {
        const float rear = Curve(t, {{0.0f, 0.0f}, {25.0f, 1.0f}, {32.0f, 0.0f}});
        const float dive = Curve(t, {{0.0f, 0.0f}, {28.0f, 0.0f}, {40.0f, 1.0f}});
        const float beat = Wave(t, 2.0f) * (1.0f - dive);
        flap(p, 30.0f * beat + 45.0f * rear + 10.0f * dive, 20.0f * beat - 30.0f * dive);
        p.Turn(LeftWing, 0.0f, 55.0f * dive, 0.0f);
        p.Turn(RightWing, 0.0f, -55.0f * dive, 0.0f);
        p.Turn(Body, 35.0f * rear - 40.0f * dive, 0.0f, 0.0f);
        p.Turn(Neck1, -20.0f * rear + 15.0f * dive, 0.0f, 0.0f);
        p.Turn(Neck2, -10.0f * rear + 10.0f * dive, 0.0f, 0.0f);
        p.Turn(Head, 25.0f * rear + 10.0f * dive, 0.0f, 0.0f);
        p.Turn(LeftLeg, 35.0f - 30.0f * rear + 55.0f * dive, 0.0f, 0.0f);
        p.Turn(RightLeg, 35.0f - 30.0f * rear + 55.0f * dive, 0.0f, 0.0f);
        p.Turn(Tail1, -15.0f * rear + 15.0f * dive, 0.0f, 0.0f);
        p.Turn(Tail2, -10.0f * rear + 10.0f * dive, 0.0f, 0.0f);
    }));
    return sets;
}

// Slimes: a drop-shaped body whose upper half and face ride on the Top bone,
// so scaling Body squashes the whole slime about the ground.
namespace Slime {
constexpr int Root = 0;
constexpr int Body = 1;
constexpr int Top = 2;
constexpr int Mouth = 3;
} // namespace Slime

enum class SlimeKind { Green, Blue, Red };

Skeleton MakeSlimeSkeleton(float height)
{
    Skeleton s;
    AddBone(s, "Root", -1, {0.0f, 0.0f, 0.0f});
    AddBone(s, "Body", Slime::Root, {0.0f, 0.0f, 0.0f});
    AddBone(s, "Top", Slime::Body, {0.0f, 0.45f * height, 0.0f});
    AddBone(s, "Mouth", Slime::Top, {0.0f, 0.32f * height, -0.4f * height});
    return s;
}

// Two hops per loop: squashed on landing, stretched at the top of the hop.
void Bounce(Pose& p, float t, float hop)
{
    const float lift = std::fabs(Wave(t, 1.0f));
    const float squash = 1.0f - lift;
    p.Shift(Slime::Body, {0.0f, hop * lift, 0.0f});
    p.Stretch(Slime::Body, {1.0f + 0.15f * squash - 0.05f * lift, 0.85f - 0.05f * squash + 0.25f * lift,
                            1.0f + 0.15f * squash - 0.05f * lift});
}

std::vector<AnimationSet> SlimeAnimations(const Skeleton& s, SlimeKind kind)
{
    using namespace Slime;
    std::vector<AnimationSet> sets;
    sets.push_back(MakeAnimation("Bounce", s, 5, [&](float t, Pose& p) {
        Bounce(p, t, 0.15f);
        p.Turn(Top, 4.0f * Wave(t, 1.0f, 0.25f), 0.0f, 5.0f * Wave(t, 1.0f, 0.5f));
    }));
    sets.push_back(MakeAnimation("Attack", s, 5, [&](float t, Pose& p) {
        if (kind == SlimeKind::Green) {
            // Body charge: gather low and back, then throw itself forward.
            const float gather = Curve(t, {{0.0f, 0.0f}, {20.0f, 1.0f}, {28.0f, 0.0f}});
            const float lunge = Curve(t, {{0.0f, 0.0f}, {22.0f, 0.0f}, {32.0f, 1.0f}, {42.0f, 1.0f}, {60.0f, 0.0f}});
            p.Stretch(Body, {1.0f + 0.25f * gather - 0.1f * lunge, 1.0f - 0.3f * gather + 0.1f * lunge,
                             1.0f + 0.2f * gather + 0.35f * lunge});
            p.Shift(Body, {0.0f, 0.2f * lunge, 0.15f * gather - 0.45f * lunge});
            p.Turn(Top, 15.0f * gather - 25.0f * lunge, 0.0f, 0.0f);
        } else if (kind == SlimeKind::Blue) {
            // Swells up to release the ring of bubbles at 30, then drops back.
            const float swell = Curve(t, {{0.0f, 0.0f}, {27.0f, 1.0f}, {30.0f, 1.0f}, {38.0f, -0.3f}, {60.0f, 0.0f}});
            const float size = 1.0f + 0.55f * swell;
            p.Stretch(Body, {size, 1.0f + 0.65f * swell, size});
            p.Turn(Top, 10.0f * std::max(swell, 0.0f), 0.0f, 0.0f);
            p.Stretch(Mouth, {1.0f + std::max(swell, 0.0f), 1.0f + 2.0f * std::max(swell, 0.0f), 1.0f});
        } else {
            // Spits at once: snaps forward with the mouth open, then recoils.
            const float spit = Curve(t, {{0.0f, 0.0f}, {8.0f, 1.0f}, {20.0f, 0.0f}});
            const float recoil = Curve(t, {{0.0f, 0.0f}, {10.0f, 0.0f}, {22.0f, 1.0f}, {60.0f, 0.0f}});
            p.Turn(Top, -28.0f * spit + 12.0f * recoil, 0.0f, 0.0f);
            p.Stretch(Body, {1.0f + 0.1f * spit, 1.0f - 0.1f * spit + 0.06f * recoil, 1.0f + 0.2f * spit});
            p.Stretch(Mouth, {1.0f + 0.8f * spit, 1.0f + 2.5f * spit, 1.0f});
            p.Shift(Body, {0.0f, 0.0f, 0.12f * recoil});
        }
    }));
    return sets;
}

SkinnedModel BuildSlime(SlimeKind kind, Colour colour, float height)
{
    SkinnedModel model;
    model.skeleton = MakeSlimeSkeleton(height);
    const Skeleton& s = model.skeleton;
    Mesh& m = model.mesh;
    const int jelly = AddMaterial(m, Plain(colour.r, colour.g, colour.b, 60.0f, 0.9f));
    const int white = AddMaterial(m, Plain(1.0f, 1.0f, 1.0f, 60.0f, 1.0f));
    const int dark = AddMaterial(m, Plain(0.08f, 0.06f, 0.1f));
    const int mouth = AddMaterial(m, Plain(0.55f, 0.1f, 0.15f));
    const float h = height;
    const float w = 0.52f * h;
    const std::vector<ProfilePoint> drop{{0.0f, 0.0f},         {0.55f * w, 0.005f * h}, {0.92f * w, 0.1f * h},
                                         {1.0f * w, 0.28f * h}, {0.9f * w, 0.5f * h},    {0.62f * w, 0.74f * h},
                                         {0.3f * w, 0.9f * h},  {0.0f, 1.0f * h}};
    AddLathe(m, drop, 18, {{0.0f, 0.0f, 0.0f}, Quat{}}, jelly,
             Blended(Slime::Top, Slime::Body, JointOf(s, Slime::Top), {0.0f, h, 0.0f}, 0.2f * h));
    const float eyeY = 0.5f * h;
    for (const float side : {-1.0f, 1.0f}) {
        const V3 eye{side * 0.17f * h, eyeY, -0.43f * h};
        AddEllipsoid(m, eye, V3{0.09f, 0.12f, 0.05f} * h, 6, 10, white, Rigid(Slime::Top));
        AddEllipsoid(m, eye + V3{side * 0.01f, -0.01f, -0.035f} * h, V3{0.05f, 0.075f, 0.03f} * h, 5, 8, dark,
                     Rigid(Slime::Top));
        AddEllipsoid(m, eye + V3{side * 0.025f - 0.01f, 0.03f, -0.06f} * h, V3{0.018f, 0.022f, 0.01f} * h, 3, 6,
                     white, Rigid(Slime::Top));
    }
    AddEllipsoid(m, JointOf(s, Slime::Mouth), V3{0.07f, 0.025f, 0.04f} * h, 4, 8, mouth, Rigid(Slime::Mouth));
    AddEllipsoid(m, {-0.25f * h, 0.72f * h, -0.2f * h}, V3{0.08f, 0.05f, 0.04f} * h, 4, 8, white, Rigid(Slime::Top),
                 QuatEuler(-30.0f, 40.0f, 35.0f));
    // Each colour has its own silhouette: a curl, a bead antenna, flame tips.
    if (kind == SlimeKind::Green) {
        AddTube(m, {0.0f, 0.96f * h, 0.0f}, {0.0f, 1.1f * h, 0.08f * h}, 0.05f * h, 0.02f * h, 8, jelly,
                Rigid(Slime::Top));
    } else if (kind == SlimeKind::Blue) {
        AddTube(m, {0.0f, 0.95f * h, 0.0f}, {0.0f, 1.12f * h, 0.0f}, 0.02f * h, 0.02f * h, 6, jelly,
                Rigid(Slime::Top));
        AddEllipsoid(m, {0.0f, 1.16f * h, 0.0f}, V3{0.06f, 0.06f, 0.06f} * h, 6, 10, white, Rigid(Slime::Top));
    } else {
        for (int k = 0; k < 3; ++k) {
            const float x = (static_cast<float>(k) - 1.0f) * 0.16f * h;
            const V3 base{x, 0.82f * h, 0.05f * h};
            AddCone(m, base, base + V3{x * 0.8f, (k == 1 ? 0.32f : 0.22f) * h, 0.06f * h}, 0.1f * h, 8, jelly,
                    Rigid(Slime::Top));
        }
    }
    model.sets = SlimeAnimations(s, kind);
    return model;
}

} // namespace

SkinnedModel BuildWyvern()
{
    using namespace Wyvern;
    SkinnedModel model;
    model.skeleton = MakeWyvernSkeleton();
    const Skeleton& s = model.skeleton;
    Mesh& m = model.mesh;
    const int hide = AddMaterial(m, Plain(0.62f, 0.22f, 0.14f));
    const int belly = AddMaterial(m, Plain(0.92f, 0.7f, 0.42f));
    const int membrane = AddMaterial(m, Plain(0.9f, 0.5f, 0.26f));
    const int horn = AddMaterial(m, Plain(0.95f, 0.9f, 0.75f));
    const int eye = AddMaterial(m, Plain(1.0f, 0.9f, 0.1f, 40.0f, 0.8f));
    const int dark = AddMaterial(m, Plain(0.1f, 0.06f, 0.05f));

    AddEllipsoid(m, {0.0f, 0.72f, 0.02f}, {0.3f, 0.28f, 0.52f}, 8, 12, hide, Rigid(Body));
    AddEllipsoid(m, {0.0f, 0.62f, -0.02f}, {0.22f, 0.18f, 0.42f}, 6, 10, belly, Rigid(Body));
    AddLimb(m, s, Neck1, JointOf(s, Neck2), 0.17f, 0.13f, hide);
    AddLimb(m, s, Neck2, JointOf(s, Head), 0.13f, 0.11f, hide);
    const V3 head = JointOf(s, Head);
    AddEllipsoid(m, head + V3{0.0f, 0.04f, -0.05f}, {0.14f, 0.13f, 0.17f}, PartRings, PartSegments, hide, Rigid(Head));
    AddEllipsoid(m, head + V3{0.0f, 0.0f, -0.25f}, {0.09f, 0.08f, 0.17f}, PartRings, PartSegments, hide, Rigid(Head));
    AddEllipsoid(m, head + V3{0.0f, -0.05f, -0.22f}, {0.08f, 0.035f, 0.15f}, 5, 8, belly, Rigid(Head));
    for (const float side : {-1.0f, 1.0f}) {
        AddEllipsoid(m, head + V3{side * 0.1f, 0.09f, -0.12f}, {0.035f, 0.035f, 0.035f}, 5, 8, eye, Rigid(Head));
        AddEllipsoid(m, head + V3{side * 0.128f, 0.09f, -0.13f}, {0.01f, 0.028f, 0.012f}, 4, 6, dark, Rigid(Head));
        AddCone(m, head + V3{side * 0.07f, 0.12f, 0.02f}, head + V3{side * 0.12f, 0.26f, 0.25f}, 0.04f, 6, horn,
                Rigid(Head));
        // Wing: an arm bone to the wrist, a finger to the tip, and the membrane
        // spread between them, blended across the wrist so it bends there.
        const int wing = side < 0.0f ? LeftWing : RightWing;
        const V3 shoulder = JointOf(s, wing);
        const V3 wrist = JointOf(s, wing + 1);
        const V3 tip{side * 1.55f, 1.0f, 0.2f};
        const Skin across = Blended(wing + 1, wing, wrist, tip, 0.12f);
        AddTube(m, shoulder, wrist, 0.08f, 0.06f, 8, hide, Blended(wing, Body, shoulder, wrist, 0.06f));
        AddTube(m, wrist, tip, 0.045f, 0.02f, 8, hide, across);
        AddCone(m, wrist, wrist + V3{side * 0.05f, 0.12f, -0.08f}, 0.03f, 5, horn, Rigid(wing + 1));
        const float y = 0.98f;
        const auto xs = [side](float x) { return side * x; };
        AddSlab(m, {{xs(0.2f), -0.22f}, {xs(0.82f), -0.1f}, {xs(0.95f), 0.55f}, {xs(0.7f), 0.48f}, {xs(0.5f), 0.68f},
                    {xs(0.22f), 0.5f}},
                0.03f, {{0.0f, y, 0.0f}, Quat{}}, membrane, across);
        AddSlab(m, {{xs(0.82f), -0.1f}, {xs(1.55f), 0.2f}, {xs(1.42f), 0.55f}, {xs(1.18f), 0.46f}, {xs(0.95f), 0.55f}},
                0.03f, {{0.0f, y, 0.0f}, Quat{}}, membrane, across);
        // Hind leg with three claws.
        const int leg = side < 0.0f ? LeftLeg : RightLeg;
        const V3 hip = JointOf(s, leg);
        const V3 ankle = hip + V3{side * 0.03f, -0.38f, 0.05f};
        AddTube(m, hip, ankle, 0.09f, 0.05f, 8, hide, Blended(leg, Body, hip, ankle, 0.06f));
        for (int k = 0; k < 3; ++k) {
            const float spread = (static_cast<float>(k) - 1.0f) * 0.05f;
            AddCone(m, ankle, ankle + V3{spread, -0.07f, -0.13f}, 0.025f, 5, horn, Rigid(leg));
        }
    }
    const float radii[4] = {0.17f, 0.12f, 0.08f, 0.03f};
    for (int k = 0; k < 3; ++k) {
        const int bone = Tail1 + k;
        const V3 start = JointOf(s, bone);
        const V3 end = k < 2 ? JointOf(s, bone + 1) : V3{0.0f, 0.58f, 1.8f};
        AddTube(m, start, end, radii[k], radii[k + 1], 8, hide, Blended(bone, k == 0 ? Body : bone - 1, start, end, 0.1f));
    }
    const V3 tailTip{0.0f, 0.58f, 1.8f};
    AddSlab(m, {{0.0f, -0.08f}, {0.14f, 0.08f}, {0.0f, 0.3f}, {-0.14f, 0.08f}}, 0.03f, {tailTip, Quat{}}, hide,
            Rigid(Tail3));
    for (int k = 0; k < 4; ++k) {
        const V3 base{0.0f, 0.98f, -0.2f + 0.18f * static_cast<float>(k)};
        AddCone(m, base, base + V3{0.0f, 0.1f, 0.05f}, 0.035f, 5, horn, Rigid(Body));
    }
    model.sets = WyvernAnimations(s);
    return model;
}

SkinnedModel BuildGreenSlime() { return BuildSlime(SlimeKind::Green, {0.35f, 0.85f, 0.3f, 1.0f}, 0.95f); }

SkinnedModel BuildBlueSlime() { return BuildSlime(SlimeKind::Blue, {0.25f, 0.5f, 1.0f, 1.0f}, 0.8f); }

SkinnedModel BuildRedSlime() { return BuildSlime(SlimeKind::Red, {0.95f, 0.25f, 0.2f, 1.0f}, 0.8f); }
