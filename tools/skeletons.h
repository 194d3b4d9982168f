// Bone hierarchies and keyframed animation for the generated characters.
// Bones are stored depth first, parent before children, so a bone's position
// in the list is the number the game gives its frame. Every bone starts in
// model axes (no rest rotation) unless it asks for one, so turns are written
// in the same axes as the model: +X to the character's right, +Y up, -Z ahead.
#pragma once

#include "tools/mesh_builder.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

struct Bone {
    std::string name;
    int parent = -1;
    V3 joint;           // rest position of the bone's origin in model space
    Quat restRotation;  // rest orientation relative to the parent
};

struct Skeleton {
    std::vector<Bone> bones;
};

// Appends a bone and returns its number. The parent must be the previous bone
// or one of its ancestors, which keeps the list depth first.
int AddBone(Skeleton& skeleton, const std::string& name, int parent, V3 joint, Quat restRotation = Quat{});
int FindBone(const Skeleton& skeleton, const std::string& name);
bool IsDepthFirst(const Skeleton& skeleton);

// Rest orientation of a bone in model space and the inverse of its rest
// transform (column-major, as the model file stores skin offsets).
Quat RestWorldRotation(const Skeleton& skeleton, int bone);
std::array<float, 16> OffsetMatrix(const Skeleton& skeleton, int bone);

// One key of one bone, relative to its parent.
struct BoneKey {
    Quat rotation;
    V3 scale{1.0f, 1.0f, 1.0f};
    V3 position;
};

struct AnimationSet {
    std::string name;
    std::vector<int> times;
    std::vector<std::vector<BoneKey>> keys; // [bone][key]
};

// The pose of a skeleton at one moment, built up from turns, shifts and
// stretches on top of the rest pose.
class Pose {
public:
    explicit Pose(const Skeleton& skeleton);
    // Turns a bone about its joint, X first, then Y, then Z, in its parent's axes.
    void Turn(int bone, float xDegrees, float yDegrees, float zDegrees);
    void Shift(int bone, V3 offset);
    void Stretch(int bone, V3 scale);
    BoneKey Key(int bone) const;

private:
    const Skeleton& skeleton_;
    std::vector<Quat> turns_;
    std::vector<V3> shifts_;
    std::vector<V3> scales_;
};

// Keys every `step` frames from 0 to 60; `posing` fills the pose for a time.
AnimationSet MakeAnimation(const std::string& name, const Skeleton& skeleton, int step,
                           const std::function<void(float time, Pose& pose)>& posing);

// sin of a full turn `cycles` times over 0..60, so loops close on themselves.
float Wave(float time, float cycles, float phase = 0.0f);
// Eased curve through (time, value) points given in time order; flat outside.
float Curve(float time, const std::vector<std::array<float, 2>>& points);

// Bone numbers of the two humanoid layouts the game addresses.
namespace Humanoid {
constexpr int Root = 0;
constexpr int Hips = 1;
constexpr int LeftThigh = 2;
constexpr int LeftShin = 3;
constexpr int LeftFoot = 4;
constexpr int RightThigh = 5;
constexpr int RightShin = 6;
constexpr int RightFoot = 7;
constexpr int Spine = 8;
constexpr int Chest = 9;
constexpr int RightUpperArm = 10;
constexpr int RightForearm = 11;
constexpr int RightHand = 12;
constexpr int LeftUpperArm = 13;
constexpr int LeftForearm = 14;
constexpr int LeftHand = 15;
constexpr int Neck = 16;
constexpr int Head = 17;
} // namespace Humanoid

// Proportions of a standing humanoid (heights above the ground, widths from the centre line).
struct HumanoidBuild {
    float hipHeight = 0.95f;
    float hipWidth = 0.12f;
    float kneeHeight = 0.5f;
    float ankleHeight = 0.1f;
    float spineHeight = 1.05f;
    float chestHeight = 1.3f;
    float shoulderHeight = 1.5f;
    float shoulderWidth = 0.3f;
    float elbowHeight = 1.2f;
    float gripHeight = 0.92f;
    float neckHeight = 1.55f;
    float headHeight = 1.66f;
    Quat rightHandRest;
};

Skeleton MakeHumanoid(const HumanoidBuild& build);
