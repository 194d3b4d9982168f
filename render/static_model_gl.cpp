// Loading static models into their slots (GL upload after a GL-free parse),
// releasing them, and the three draws.
#include <GL/glew.h>  // Required for: buffers, interleaved arrays, draws

#include <string>

#include "render/model_gl.h"
#include "render/render_passes.h"
#include "render/shaders.h"
#include "render/static_model.h"

namespace {

void UploadStaticModel(StaticModel& model)
{
    LoadMaterialTextures(model.materials);
    model.vertexBuffer = CreateModelBuffer(GL_ARRAY_BUFFER, model.vertices.data(),
                                           model.vertices.size() * sizeof(ModelVertex));
    CreateMaterialBuffers(model.materials);
    model.faceIndexBuffer = CreateModelBuffer(GL_ELEMENT_ARRAY_BUFFER, model.faceIndices.data(),
                                              model.faceIndices.size() * sizeof(uint16_t));
    model.bounds = MeshBox(model.vertices);
}

// The model in the slot when it has something to draw.
const StaticModel* DrawableModel(int slot)
{
    const StaticModel* model = StaticModelInSlot(slot);
    return model != nullptr && model->faceCount > 0 && model->vertexBuffer != 0 ? model : nullptr;
}

void BindVertices(const StaticModel& model)
{
    glBindBuffer(GL_ARRAY_BUFFER, model.vertexBuffer);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, nullptr);
}

}  // namespace

bool LoadStaticModel(const char* path, int slot)
{
    if (slot < 0 || slot >= ModelSlotCount || StaticModelTable[slot] != nullptr) {
        return false;
    }
    // The slot holds an empty model from here on, so a missing or broken file
    // leaves something that simply draws nothing.
    auto* model = new StaticModel();
    StaticModelTable[slot] = model;
    StaticModelPerScene[slot] = 0;
    std::string text;
    if (!ReadWholeFile(path, text) || !ParseStaticModel(text, *model)) {
        return false;
    }
    UploadStaticModel(*model);
    return true;
}

void ReleaseStaticModel(StaticModel* model)
{
    if (model == nullptr) {
        return;
    }
    DeleteModelBuffer(model->vertexBuffer);
    DeleteModelBuffer(model->faceIndexBuffer);
    ReleaseMaterials(model->materials);
    delete model;
}

void ReleaseSceneStaticModels()
{
    for (int slot = 0; slot < ModelSlotCount; ++slot) {
        if (StaticModelPerScene[slot] != 0) {
            ReleaseStaticModel(StaticModelTable[slot]);
            StaticModelTable[slot] = nullptr;
            StaticModelPerScene[slot] = 0;
        }
    }
}

void FreeAllStaticModels()
{
    for (int slot = 0; slot < ModelSlotCount; ++slot) {
        ReleaseStaticModel(StaticModelTable[slot]);
        StaticModelTable[slot] = nullptr;
        StaticModelPerScene[slot] = 0;
    }
}

void DrawStaticModelDepth(int slot, const Matrix4& world, const Matrix4& projection)
{
    const StaticModel* model = DrawableModel(slot);
    if (model == nullptr) {
        return;
    }
    const ShaderProgram& program = StaticModelProgram;
    glUseProgram(program.program);
    const Matrix4 fromLight = MatMultiply(MatMultiply(projection, ActiveLightView()), world);
    glUniformMatrix4fv(program.wvpMat, 1, GL_FALSE, fromLight.m);
    // A model uploaded without its box (none of ours) could cover anything.
    NoteShadowDraw(model->bounds.empty ? WholeWindowRect() : CoveredPixels(fromLight, model->bounds));
    BindVertices(*model);
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    DrawModelFaces(program, white, model->faceIndexBuffer, model->faceCount, model->materials);
}

void DrawStaticModelShadowed(int slot, const float* colour, const Matrix4& world, const Matrix4& projection,
                             const Matrix4& view)
{
    const StaticModel* model = DrawableModel(slot);
    if (model == nullptr) {
        return;
    }
    const ShaderProgram& program = StaticModelShadowProgram;
    glUseProgram(program.program);
    SetShadowLookup(program, world, projection);
    const Matrix4 toClip = MatMultiply(MatMultiply(projection, view), world);
    glUniformMatrix4fv(program.wvpMat, 1, GL_FALSE, toClip.m);
    glUniformMatrix4fv(program.wMat, 1, GL_FALSE, world.m);
    BindVertices(*model);
    DrawModelFaces(program, colour, model->faceIndexBuffer, model->faceCount, model->materials);
}

void DrawStaticModel(int slot, const float* colour, const Matrix4& world, const Matrix4& projection,
                     const Matrix4& view)
{
    const StaticModel* model = DrawableModel(slot);
    if (model == nullptr) {
        return;
    }
    const ShaderProgram& program = StaticModelProgram;
    glUseProgram(program.program);
    const Matrix4 toClip = MatMultiply(MatMultiply(projection, view), world);
    glUniformMatrix4fv(program.wvpMat, 1, GL_FALSE, toClip.m);
    BindVertices(*model);
    DrawModelFaces(program, colour, model->faceIndexBuffer, model->faceCount, model->materials);
}
