// Skeletal posing on the processor: pick the keys for a time, build each
// frame's local matrix from them, and chain the frames into bone matrices.
// Plain functions over the model data, with no GL, so they are tested and
// benchmarked alone; the skinned draws call PoseSkinModel.
#pragma once

#include "math/vector_math.h"
#include "render/skin_model.h"

// The key (or pair of keys) a time falls on. With single set, keyA alone is
// used; otherwise keyA and keyB = keyA + 1 are blended by t in 0..1.
struct PoseKeyChoice {
    bool single = true;
    int keyA = 0;
    int keyB = 0;
    float t = 0.0f;
};

// Counts bone matrix slots while PoseFrames runs; 0 between draws.
extern int NextBoneSlot;

// Chooses keys from the root frame's track for the set; every track of a set
// shares the root's key times. A time before the first key or after the last
// is clamped to that key, a single-key track uses its key, and a set the root
// has no track for gives key 0.
PoseKeyChoice SelectPoseKeys(int set, const SkinFrame* root, float time);

// translation * scale * inverse rotation, for column vectors.
Matrix4 LocalMatrixAtKey(const PoseKey& key);
Matrix4 LocalMatrixBetweenKeys(const PoseKey& a, const PoseKey& b, float t);

// Writes parent * local * offset of frame and of its subtree into
// model.boneMatrices from slot NextBoneSlot on, advancing it once per frame.
// A frame without a track for the set keeps its rest (identity) local
// matrix; key indices past a short track use its last key.
void PoseFrames(SkinModel& model, int set, const SkinFrame* frame, const Matrix4& parent,
                const PoseKeyChoice& choice);

// The whole pose for one draw: keys from the root, every frame posed, and
// NextBoneSlot back at 0. A model without frames is left as it is.
void PoseSkinModel(SkinModel& model, int set, float time);
