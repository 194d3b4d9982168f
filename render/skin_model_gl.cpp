// Loading skinned models into their slots (GL upload after a GL-free parse),
// releasing them, and the three skinned draws, which pose the model on the
// processor every time they run.
#include <GL/glew.h>  // Required for: buffers, vertex attributes, draws

#include <string>

#include "render/frame_profile.h"
#include "render/model_gl.h"
#include "render/posing.h"
#include "render/render_passes.h"
#include "render/shaders.h"
#include "render/skin_model.h"

namespace {

void UploadSkinModel(SkinModel& model)
{
    LoadMaterialTextures(model.materials);
    // The shaders read bone indices as floats; an unused slot stays -1.0.
    std::vector<float> boneIndices;
    std::vector<float> weights;
    boneIndices.reserve(model.influences.size() * MaxInfluences);
    weights.reserve(model.influences.size() * MaxInfluences);
    for (const VertexInfluence& influence : model.influences) {
        for (int slot = 0; slot < MaxInfluences; ++slot) {
            boneIndices.push_back(static_cast<float>(influence.bone[slot]));
            weights.push_back(influence.weight[slot]);
        }
    }
    model.boneIndexBuffer =
        CreateModelBuffer(GL_ARRAY_BUFFER, boneIndices.data(), boneIndices.size() * sizeof(float));
    model.weightBuffer = CreateModelBuffer(GL_ARRAY_BUFFER, weights.data(), weights.size() * sizeof(float));
    model.vertexBuffer = CreateModelBuffer(GL_ARRAY_BUFFER, model.vertices.data(),
                                           model.vertices.size() * sizeof(ModelVertex));
    CreateMaterialBuffers(model.materials);
    model.faceIndexBuffer = CreateModelBuffer(GL_ELEMENT_ARRAY_BUFFER, model.faceIndices.data(),
                                              model.faceIndices.size() * sizeof(uint16_t));
    model.shadowBounds = MeasureSkinBounds(model);
}

SkinModel* DrawableModel(int slot)
{
    SkinModel* model = SkinModelInSlot(slot);
    return model != nullptr && model->faceCount > 0 && model->vertexBuffer != 0 ? model : nullptr;
}

void BindAttribute(int location, unsigned int buffer)
{
    if (location < 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), MaxInfluences, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void DisableAttribute(int location)
{
    if (location >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
}

// Binds the mesh and skinning data, poses the model and uploads the bones
// to the program in use.
void BeginSkinDraw(const ShaderProgram& program, SkinModel& model, int set, float time)
{
    glBindBuffer(GL_ARRAY_BUFFER, model.vertexBuffer);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, nullptr);
    BindAttribute(program.boneIndex, model.boneIndexBuffer);
    BindAttribute(program.weight, model.weightBuffer);
    {
        StageTimer timer(FrameStage::Posing);
        PoseSkinModel(model, set, time);
    }
    glUniformMatrix4fv(program.boneMat, model.boneCount, GL_FALSE, model.boneMatrices.data()->m);
}

void EndSkinDraw(const ShaderProgram& program)
{
    DisableAttribute(program.boneIndex);
    DisableAttribute(program.weight);
}

}  // namespace

bool LoadSkinModel(const char* path, int slot)
{
    if (slot < 0 || slot >= ModelSlotCount || SkinModelTable[slot] != nullptr) {
        return false;
    }
    auto* model = new SkinModel();
    SkinModelTable[slot] = model;
    SkinModelPerScene[slot] = 0;
    std::string text;
    if (!ReadWholeFile(path, text) || !ParseSkinModel(text, *model)) {
        return false;
    }
    UploadSkinModel(*model);
    return true;
}

void ReleaseSkinModel(SkinModel* model)
{
    if (model == nullptr) {
        return;
    }
    DeleteModelBuffer(model->boneIndexBuffer);
    DeleteModelBuffer(model->weightBuffer);
    DeleteModelBuffer(model->vertexBuffer);
    DeleteModelBuffer(model->faceIndexBuffer);
    ReleaseMaterials(model->materials);
    delete model;
}

void ReleaseSceneSkinModels()
{
    for (int slot = 0; slot < ModelSlotCount; ++slot) {
        if (SkinModelPerScene[slot] != 0) {
            ReleaseSkinModel(SkinModelTable[slot]);
            SkinModelTable[slot] = nullptr;
            SkinModelPerScene[slot] = 0;
        }
    }
}

void FreeAllSkinModels()
{
    for (int slot = 0; slot < ModelSlotCount; ++slot) {
        ReleaseSkinModel(SkinModelTable[slot]);
        SkinModelTable[slot] = nullptr;
        SkinModelPerScene[slot] = 0;
    }
}

void DrawSkinModelDepth(int slot, int set, float time, const Matrix4& world, const Matrix4& projection)
{
    SkinModel* model = DrawableModel(slot);
    if (model == nullptr) {
        return;
    }
    const ShaderProgram& program = SkinModelProgram;
    glUseProgram(program.program);
    const Matrix4 fromLight = MatMultiply(MatMultiply(projection, ActiveLightView()), world);
    glUniformMatrix4fv(program.wvpMat, 1, GL_FALSE, fromLight.m);
    BeginSkinDraw(program, *model, set, time);
    NoteShadowDraw(CoveredPixelsSkinned(fromLight, model->shadowBounds, model->boneMatrices));
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    DrawModelFaces(program, white, model->faceIndexBuffer, model->faceCount, model->materials);
    EndSkinDraw(program);
}

void DrawSkinModelShadowed(int slot, const float* colour, const Matrix4& world, int set, float time,
                           const Matrix4& projection, const Matrix4& view)
{
    SkinModel* model = DrawableModel(slot);
    if (model == nullptr) {
        return;
    }
    const ShaderProgram& program = SkinModelShadowProgram;
    glUseProgram(program.program);
    SetShadowLookup(program, world, projection);
    const Matrix4 toClip = MatMultiply(MatMultiply(projection, view), world);
    glUniformMatrix4fv(program.wvpMat, 1, GL_FALSE, toClip.m);
    glUniformMatrix4fv(program.wMat, 1, GL_FALSE, world.m);
    BeginSkinDraw(program, *model, set, time);
    DrawModelFaces(program, colour, model->faceIndexBuffer, model->faceCount, model->materials);
    EndSkinDraw(program);
}

void DrawSkinModel(int slot, int set, float time, const Matrix4& world, const Matrix4& projection,
                   const Matrix4& view, const float* colour)
{
    SkinModel* model = DrawableModel(slot);
    if (model == nullptr) {
        return;
    }
    const ShaderProgram& program = SkinModelProgram;
    glUseProgram(program.program);
    const Matrix4 toClip = MatMultiply(MatMultiply(projection, view), world);
    glUniformMatrix4fv(program.wvpMat, 1, GL_FALSE, toClip.m);
    BeginSkinDraw(program, *model, set, time);
    DrawModelFaces(program, colour, model->faceIndexBuffer, model->faceCount, model->materials);
    EndSkinDraw(program);
}
