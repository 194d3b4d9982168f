#include "tools/skeletons.h"

#include <cmath>

namespace {

constexpr float Pi = 3.14159265358979f;

Quat Conjugate(Quat q) { return {q.w, -q.x, -q.y, -q.z}; }

float Ease(float t) { return t * t * (3.0f - 2.0f * t); }

} // namespace

int AddBone(Skeleton& skeleton, const std::string& name, int parent, V3 joint, Quat restRotation)
{
    skeleton.bones.push_back({name, parent, joint, restRotation});
    return static_cast<int>(skeleton.bones.size()) - 1;
}

int FindBone(const Skeleton& skeleton, const std::string& name)
{
    for (size_t i = 0; i < skeleton.bones.size(); ++i) {
        if (skeleton.bones[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool IsDepthFirst(const Skeleton& skeleton)
{
    if (skeleton.bones.empty() || skeleton.bones[0].parent != -1) {
        return false;
    }
    for (size_t i = 1; i < skeleton.bones.size(); ++i) {
        const int parent = skeleton.bones[i].parent;
        int walk = static_cast<int>(i) - 1;
        while (walk >= 0 && walk != parent) {
            walk = skeleton.bones[walk].parent;
        }
        if (walk != parent || parent < 0) {
            return false;
        }
    }
    return true;
}

Quat RestWorldRotation(const Skeleton& skeleton, int bone)
{
    Quat rotation;
    for (int b = bone; b >= 0; b = skeleton.bones[b].parent) {
        rotation = QuatMul(skeleton.bones[b].restRotation, rotation);
    }
    return rotation;
}

std::array<float, 16> OffsetMatrix(const Skeleton& skeleton, int bone)
{
    // Inverse of translation(joint) * rotation: the transposed rotation, then
    // the joint moved back to the origin.
    const Quat inverse = Conjugate(RestWorldRotation(skeleton, bone));
    const V3 columns[3] = {Rotate(inverse, {1.0f, 0.0f, 0.0f}), Rotate(inverse, {0.0f, 1.0f, 0.0f}),
                           Rotate(inverse, {0.0f, 0.0f, 1.0f})};
    const V3 translation = Rotate(inverse, skeleton.bones[bone].joint * -1.0f);
    return {columns[0].x, columns[0].y, columns[0].z, 0.0f, columns[1].x, columns[1].y, columns[1].z, 0.0f,
            columns[2].x, columns[2].y, columns[2].z, 0.0f, translation.x, translation.y, translation.z, 1.0f};
}

Pose::Pose(const Skeleton& skeleton)
    : skeleton_(skeleton), turns_(skeleton.bones.size()), shifts_(skeleton.bones.size()),
      scales_(skeleton.bones.size(), V3{1.0f, 1.0f, 1.0f})
{
}

void Pose::Turn(int bone, float xDegrees, float yDegrees, float zDegrees)
{
    turns_[bone] = QuatMul(QuatEuler(xDegrees, yDegrees, zDegrees), turns_[bone]);
}

void Pose::Shift(int bone, V3 offset) { shifts_[bone] = shifts_[bone] + offset; }

void Pose::Stretch(int bone, V3 scale)
{
    scales_[bone] = {scales_[bone].x * scale.x, scales_[bone].y * scale.y, scales_[bone].z * scale.z};
}

BoneKey Pose::Key(int bone) const
{
    const Bone& b = skeleton_.bones[bone];
    V3 restOffset = b.joint;
    if (b.parent >= 0) {
        const Quat parentRest = RestWorldRotation(skeleton_, b.parent);
        restOffset = Rotate(Conjugate(parentRest), b.joint - skeleton_.bones[b.parent].joint);
    }
    BoneKey key;
    key.rotation = QuatMul(turns_[bone], b.restRotation);
    key.scale = scales_[bone];
    key.position = restOffset + shifts_[bone];
    return key;
}

AnimationSet MakeAnimation(const std::string& name, const Skeleton& skeleton, int step,
                           const std::function<void(float time, Pose& pose)>& posing)
{
    AnimationSet set;
    set.name = name;
    set.keys.resize(skeleton.bones.size());
    for (int time = 0; time <= 60; time += step) {
        set.times.push_back(time);
        Pose pose(skeleton);
        posing(static_cast<float>(time), pose);
        for (size_t b = 0; b < skeleton.bones.size(); ++b) {
            set.keys[b].push_back(pose.Key(static_cast<int>(b)));
        }
    }
    return set;
}

float Wave(float time, float cycles, float phase)
{
    return std::sin(2.0f * Pi * (cycles * time / 60.0f + phase));
}

float Curve(float time, const std::vector<std::array<float, 2>>& points)
{
    if (time <= points.front()[0]) {
        return points.front()[1];
    }
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const auto& a = points[i];
        const auto& b = points[i + 1];
        if (time <= b[0]) {
            const float span = b[0] - a[0];
            const float t = span > 0.0f ? (time - a[0]) / span : 1.0f;
            return a[1] + (b[1] - a[1]) * Ease(t);
        }
    }
    return points.back()[1];
}

Skeleton MakeHumanoid(const HumanoidBuild& build)
{
    using namespace Humanoid;
    Skeleton s;
    AddBone(s, "Root", -1, {0.0f, 0.0f, 0.0f});
    AddBone(s, "Hips", Root, {0.0f, build.hipHeight, 0.0f});
    for (const float side : {-1.0f, 1.0f}) {
        const std::string prefix = side < 0.0f ? "Left" : "Right";
        const float x = side * build.hipWidth;
        const int thigh = AddBone(s, prefix + "Thigh", Hips, {x, build.hipHeight - 0.03f, 0.0f});
        const int shin = AddBone(s, prefix + "Shin", thigh, {x, build.kneeHeight, 0.0f});
        AddBone(s, prefix + "Foot", shin, {x, build.ankleHeight, 0.0f});
    }
    AddBone(s, "Spine", Hips, {0.0f, build.spineHeight, 0.0f});
    AddBone(s, "Chest", Spine, {0.0f, build.chestHeight, 0.0f});
    for (const float side : {1.0f, -1.0f}) {
        const std::string prefix = side < 0.0f ? "Left" : "Right";
        const float x = side * build.shoulderWidth;
        const int upper = AddBone(s, prefix + "UpperArm", Chest, {x, build.shoulderHeight, 0.0f});
        const int fore = AddBone(s, prefix + "Forearm", upper, {x + side * 0.02f, build.elbowHeight, 0.0f});
        AddBone(s, prefix + "Hand", fore, {x + side * 0.04f, build.gripHeight, 0.0f},
                side > 0.0f ? build.rightHandRest : Quat{});
    }
    AddBone(s, "Neck", Chest, {0.0f, build.neckHeight, 0.0f});
    AddBone(s, "Head", Neck, {0.0f, build.headHeight, 0.0f});
    return s;
}
