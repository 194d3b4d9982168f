// GL work the static and the skinned models share: material textures and
// index buffers, releasing them, the shadow lookup set-up, and drawing the
// faces either flat in one colour or material by material.
#pragma once

#include <cstddef>
#include <vector>

#include "math/vector_math.h"
#include "render/shaders.h"
#include "render/x_reader.h"

// A new GL buffer holding bytes of data, bound to target.
unsigned int CreateModelBuffer(unsigned int target, const void* data, size_t bytes);
void DeleteModelBuffer(unsigned int& buffer);

// Loads each material's texture (0 when it cannot be read).
void LoadMaterialTextures(std::vector<ModelMaterial>& materials);
// One element buffer per material with its triangle indices.
void CreateMaterialBuffers(std::vector<ModelMaterial>& materials);
// Deletes the materials' textures and index buffers.
void ReleaseMaterials(std::vector<ModelMaterial>& materials);

// The active light's view matrix and direction; a neutral light while there is none.
Matrix4 ActiveLightView();
Vec3 ActiveLightDirection();

// Loads projection * light view * world into texture unit 0's texture matrix
// (left in GL_TEXTURE mode) and sets light_dir, to_tex_space and depth_tex.
void SetShadowLookup(const ShaderProgram& program, const Matrix4& world, const Matrix4& projection);

// Draws the bound vertex data: with a colour every face in one call,
// untextured; otherwise each material with its colour and texture.
void DrawModelFaces(const ShaderProgram& program, const float* colour, unsigned int faceIndexBuffer,
                    int faceCount, const std::vector<ModelMaterial>& materials);
