// Skinned characters read from our .x files: the mesh and materials (read by
// the same code as the static models), the frame hierarchy that doubles as
// the skeleton, per-vertex bone influences with their offset matrices, and
// every animation set's keys.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "math/vector_math.h"
#include "render/shadow_bounds.h"
#include "render/static_model.h"
#include "render/x_reader.h"

inline constexpr int MaxFrameChildren = 24;
inline constexpr int MaxAnimationSets = 32;
inline constexpr int MaxInfluences = 4;
inline constexpr size_t MaxFrameNameLength = 63;
// The skinning shaders hold this many bone matrices; a model with more bones
// could not be drawn, so the reader refuses it.
inline constexpr int MaxSkinBones = 64;

struct PoseKey {
    Vec3 position;
    Vec3 scale;
    Quaternion rotation;
};

struct AnimationTrack {
    int keyCount = 0;
    std::vector<float> times;
    std::vector<PoseKey> keys;
};

struct SkinFrame {
    std::string name;
    // Depth-first, parent-before-children position from 0 at the root; also
    // the frame's bone number and its slot in boneMatrices.
    int index = 0;
    int childCount = 0;
    std::vector<std::unique_ptr<SkinFrame>> children;  // file order
    // Model space to this bone's rest space; identity unless a SkinWeights
    // block names the frame.
    Matrix4 offsetMatrix;
    // One per animation set number; null when the set does not move the frame.
    std::array<std::unique_ptr<AnimationTrack>, MaxAnimationSets> tracks;
};

// Up to four bones per vertex; an unused slot has bone -1 and weight 0.
struct VertexInfluence {
    int bone[MaxInfluences] = {-1, -1, -1, -1};
    float weight[MaxInfluences] = {0.0f, 0.0f, 0.0f, 0.0f};
};

struct SkinModel {
    int vertexCount = 0;
    std::vector<ModelVertex> vertices;
    std::vector<VertexInfluence> influences;  // one per vertex
    unsigned int vertexBuffer = 0;  // GL buffer names, 0 until uploaded
    unsigned int boneIndexBuffer = 0;
    unsigned int weightBuffer = 0;
    int faceCount = 0;
    std::vector<uint16_t> faceIndices;
    unsigned int faceIndexBuffer = 0;
    int materialCount = 0;
    std::vector<ModelMaterial> materials;
    int boneCount = 0;
    int frameCount = 0;  // never more than boneCount
    int animationSetCount = 0;
    std::unique_ptr<SkinFrame> rootFrame;
    std::vector<SkinFrame*> boneFrames;  // entry b: the frame with index b, or null
    std::vector<Matrix4> boneMatrices;   // the pose of the latest draw
    SkinBounds shadowBounds;             // set when loaded; bounds the shadow pass's draws
};

extern SkinModel* SkinModelTable[ModelSlotCount];
extern uint8_t SkinModelPerScene[ModelSlotCount];

// Parses a whole skinned .x file without touching GL. On failure the model is
// left empty. Unknown frame names, more frames than bones, more than 24
// children, over-long names, out-of-range indices and mismatched key counts
// all fail; animation sets beyond the 32nd are ignored.
bool ParseSkinModel(std::string_view text, SkinModel& model);

// The frame itself or the first match in its subtree, depth first; null if absent.
SkinFrame* FindFrameByName(std::string_view name, SkinFrame* frame);
SkinFrame* FindFrameByIndex(int index, SkinFrame* frame);

// The model in a slot, or null for an empty or out-of-range slot.
SkinModel* SkinModelInSlot(int slot);

// False when the slot is out of range or taken, or the file is missing or
// malformed; in the last two cases the slot holds an empty model, which
// draws nothing. Needs a GL context.
bool LoadSkinModel(const char* path, int slot);
// Deletes the model's GL buffers and textures and the record itself.
void ReleaseSkinModel(SkinModel* model);
void ReleaseSceneSkinModels();
void FreeAllSkinModels();

// The three skinned draws pose the model at (set, time) first, so after any of
// them boneMatrices holds that pose. A colour (four floats) draws the whole
// mesh flat in one call; null draws each material. An empty slot draws nothing.
// Shadow pass, seen from the active light with the camera's projection.
void DrawSkinModelDepth(int slot, int set, float time, const Matrix4& world, const Matrix4& projection);
// Main pass with shadow lookup (the stage).
void DrawSkinModelShadowed(int slot, const float* colour, const Matrix4& world, int set, float time,
                           const Matrix4& projection, const Matrix4& view);
// Main pass without shadow lookup (the character preview).
void DrawSkinModel(int slot, int set, float time, const Matrix4& world, const Matrix4& projection,
                   const Matrix4& view, const float* colour);
