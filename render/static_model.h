// Rigid meshes (weapons, projectiles, ground, walls, sky) read from our .x
// files. The vertex and face data stay in memory after loading because the
// collision tests run against them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "math/vector_math.h"
#include "render/shadow_bounds.h"
#include "render/x_reader.h"

inline constexpr int ModelSlotCount = 32;

struct StaticModel {
    int vertexCount = 0;
    std::vector<ModelVertex> vertices;
    unsigned int vertexBuffer = 0;  // GL buffer names, 0 until uploaded
    int faceCount = 0;
    std::vector<uint16_t> faceIndices;  // 3 per triangle, file order
    unsigned int faceIndexBuffer = 0;
    int materialCount = 0;
    std::vector<ModelMaterial> materials;
    Box bounds;  // of all vertices, set when loaded; bounds the shadow pass's draws
};

// Slot i holds a model or null. The per-scene flag marks slots the scene
// switch releases; every load clears it, so start-up models live until exit.
extern StaticModel* StaticModelTable[ModelSlotCount];
extern uint8_t StaticModelPerScene[ModelSlotCount];

// Parses a whole static .x file without touching GL. On failure the model is
// left empty (no vertices, faces or materials).
bool ParseStaticModel(std::string_view text, StaticModel& model);

// The model in a slot, or null for an empty or out-of-range slot.
StaticModel* StaticModelInSlot(int slot);

// False when the slot is out of range or taken, or the file is missing or
// malformed; in the last two cases the slot holds an empty model, which
// draws nothing. Needs a GL context (textures and buffers are created).
bool LoadStaticModel(const char* path, int slot);
// Deletes the model's GL buffers and textures and the record itself.
void ReleaseStaticModel(StaticModel* model);
// Releases and empties every slot whose per-scene flag is set.
void ReleaseSceneStaticModels();
// Releases and empties every slot (program exit).
void FreeAllStaticModels();

// Maps clip coordinates -1..1 to texture coordinates 0..1 for the shadow lookup.
extern const Matrix4 ShadowBias;

// Shadow pass: drawn from the light with the camera's projection.
void DrawStaticModelDepth(int slot, const Matrix4& world, const Matrix4& projection);
// Main pass with shadow lookup. A colour (four floats) draws the whole mesh
// flat in that colour; null draws each material with its colour and texture.
void DrawStaticModelShadowed(int slot, const float* colour, const Matrix4& world,
                             const Matrix4& projection, const Matrix4& view);
// Main pass without shadow lookup.
void DrawStaticModel(int slot, const float* colour, const Matrix4& world, const Matrix4& projection,
                     const Matrix4& view);
