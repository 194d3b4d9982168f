#include "render/model_gl.h"

#include <GL/glew.h>  // Required for: buffers, uniforms, texture matrix, draws

#include "objects/light.h"
#include "render/render_passes.h"
#include "render/static_model.h"
#include "render/texture.h"

unsigned int CreateModelBuffer(unsigned int target, const void* data, size_t bytes)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    return buffer;
}

void DeleteModelBuffer(unsigned int& buffer)
{
    if (buffer != 0) {
        glDeleteBuffers(1, &buffer);
        buffer = 0;
    }
}

void LoadMaterialTextures(std::vector<ModelMaterial>& materials)
{
    for (ModelMaterial& material : materials) {
        if (!material.texturePath.empty()) {
            int width = 0;
            int height = 0;
            material.texture = LoadImageTexture(material.texturePath.c_str(), width, height);
        }
    }
}

void CreateMaterialBuffers(std::vector<ModelMaterial>& materials)
{
    for (ModelMaterial& material : materials) {
        material.indexBuffer = CreateModelBuffer(GL_ELEMENT_ARRAY_BUFFER, material.triangleIndices.data(),
                                                 material.triangleIndices.size() * sizeof(uint16_t));
    }
}

void ReleaseMaterials(std::vector<ModelMaterial>& materials)
{
    for (ModelMaterial& material : materials) {
        DeleteModelBuffer(material.indexBuffer);
        if (material.texture != 0) {
            glDeleteTextures(1, &material.texture);
            material.texture = 0;
        }
    }
}

Matrix4 ActiveLightView()
{
    return ActiveLight != nullptr ? ActiveLight->view : MatIdentity();
}

Vec3 ActiveLightDirection()
{
    return ActiveLight != nullptr ? ActiveLight->direction : Vec3{0.0f, 1.0f, 0.0f};
}

void SetShadowLookup(const ShaderProgram& program, const Matrix4& world, const Matrix4& projection)
{
    const Vec3 direction = ActiveLightDirection();
    glUniform3f(program.lightDir, direction.x, direction.y, direction.z);
    // The same matrix the shadow pass drew this model with, so the shader
    // finds each point's depth as the light saw it.
    const Matrix4 fromLight = MatMultiply(MatMultiply(projection, ActiveLightView()), world);
    PrepareShadowDepthForLookup();
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMultMatrixf(fromLight.m);
    glUniformMatrix4fv(program.toTexSpace, 1, GL_FALSE, ShadowBias.m);
    glUniform1i(program.depthTex, 0);
}

void DrawModelFaces(const ShaderProgram& program, const float* colour, unsigned int faceIndexBuffer,
                    int faceCount, const std::vector<ModelMaterial>& materials)
{
    if (colour != nullptr) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, faceIndexBuffer);
        glUniform1i(program.useTex, -1);
        glUniform4fv(program.diffuse, 1, colour);
        glDrawElements(GL_TRIANGLES, 3 * faceCount, GL_UNSIGNED_SHORT, nullptr);
        return;
    }
    for (const ModelMaterial& material : materials) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, material.indexBuffer);
        glUniform4fv(program.diffuse, 1, material.diffuse);
        if (material.texture != 0) {
            glUniform1i(program.useTex, 0);
            glActiveTexture(GL_TEXTURE1);
            glBindTexture(GL_TEXTURE_2D, material.texture);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glUniform1i(program.texture, 1);
        } else {
            glUniform1i(program.useTex, -1);
        }
        glDrawElements(GL_TRIANGLES, 3 * material.triangleCount, GL_UNSIGNED_SHORT, nullptr);
    }
}
