#include "render/posing.h"

#include <cmath>

int NextBoneSlot = 0;

namespace {

const AnimationTrack* TrackOf(const SkinFrame* frame, int set)
{
    if (frame == nullptr || set < 0 || set >= MaxAnimationSets) {
        return nullptr;
    }
    return frame->tracks[static_cast<size_t>(set)].get();
}

// The inverse of a unit quaternion's rotation matrix is its transpose; other
// quaternions (files may hold slightly denormalised ones) take the full inverse.
constexpr float UnitTolerance = 1e-4f;

Matrix4 InverseRotation(Quaternion q)
{
    const Matrix4 rotation = QuatToMatrix(q);
    const float lengthSquared = QuatDot(q, q);
    if (std::fabs(lengthSquared - 1.0f) > UnitTolerance) {
        return MatInverse(rotation);
    }
    Matrix4 inverse;
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            inverse.m[4 * column + row] = rotation.m[4 * row + column];
        }
    }
    return inverse;
}

PoseKeyChoice SingleKey(int key)
{
    PoseKeyChoice choice;
    choice.keyA = key;
    choice.keyB = key;
    return choice;
}

}  // namespace

PoseKeyChoice SelectPoseKeys(int set, const SkinFrame* root, float time)
{
    const AnimationTrack* track = TrackOf(root, set);
    if (track == nullptr || track->keyCount < 2) {
        return SingleKey(0);
    }
    const int lastKey = track->keyCount - 1;
    const std::vector<float>& times = track->times;
    for (int i = 0; i < lastKey; ++i) {
        if (times[i] <= time && time <= times[i + 1]) {
            if (time == times[i]) {
                return SingleKey(i);
            }
            if (time == times[i + 1]) {
                return SingleKey(i + 1);
            }
            PoseKeyChoice choice;
            choice.single = false;
            choice.keyA = i;
            choice.keyB = i + 1;
            choice.t = (time - times[i]) / (times[i + 1] - times[i]);
            return choice;
        }
    }
    // Outside every interval (or not a number): hold the nearer end of the track.
    return SingleKey(time < times[0] ? 0 : lastKey);
}

Matrix4 LocalMatrixAtKey(const PoseKey& key)
{
    // Scaling rows of the inverse rotation is the product scale * rotation,
    // written out because it runs for every frame of every draw.
    Matrix4 local = InverseRotation(key.rotation);
    const float scale[3] = {key.scale.x, key.scale.y, key.scale.z};
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            local.m[4 * column + row] *= scale[row];
        }
    }
    local.m[12] = key.position.x;
    local.m[13] = key.position.y;
    local.m[14] = key.position.z;
    local.m[15] = 1.0f;
    return local;
}

Matrix4 LocalMatrixBetweenKeys(const PoseKey& a, const PoseKey& b, float t)
{
    const float u = 1.0f - t;
    PoseKey blended;
    blended.rotation = QuatSlerp(a.rotation, b.rotation, t);
    blended.position = Vec3{b.position.x * t + a.position.x * u, b.position.y * t + a.position.y * u,
                            b.position.z * t + a.position.z * u};
    blended.scale = Vec3{b.scale.x * t + a.scale.x * u, b.scale.y * t + a.scale.y * u,
                         b.scale.z * t + a.scale.z * u};
    return LocalMatrixAtKey(blended);
}

void PoseFrames(SkinModel& model, int set, const SkinFrame* frame, const Matrix4& parent,
                const PoseKeyChoice& choice)
{
    if (frame == nullptr) {
        return;
    }
    Matrix4 combined = parent;
    const AnimationTrack* track = TrackOf(frame, set);
    if (track != nullptr && track->keyCount > 0) {
        const int lastKey = track->keyCount - 1;
        const PoseKey& a = track->keys[static_cast<size_t>(choice.keyA < lastKey ? choice.keyA : lastKey)];
        const PoseKey& b = track->keys[static_cast<size_t>(choice.keyB < lastKey ? choice.keyB : lastKey)];
        combined = MatMultiply(parent, choice.single ? LocalMatrixAtKey(a) : LocalMatrixBetweenKeys(a, b, choice.t));
    }
    if (NextBoneSlot >= 0 && NextBoneSlot < static_cast<int>(model.boneMatrices.size())) {
        model.boneMatrices[static_cast<size_t>(NextBoneSlot)] = MatMultiply(combined, frame->offsetMatrix);
    }
    ++NextBoneSlot;
    for (const auto& child : frame->children) {
        PoseFrames(model, set, child.get(), combined, choice);
    }
}

void PoseSkinModel(SkinModel& model, int set, float time)
{
    NextBoneSlot = 0;
    const SkinFrame* root = model.rootFrame.get();
    PoseFrames(model, set, root, MatIdentity(), SelectPoseKeys(set, root, time));
    NextBoneSlot = 0;
}
