// A small lit scene for the render-pass tests and the frame benchmark: a
// ground plane that only receives shadow and boxes that cast it, drawn the
// way the game's model draws do (same programs, matrices and texture units).
#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <vector>

#include "app/scene.h"
#include "math/vector_math.h"
#include "objects/light.h"
#include "objects/obj_camera.h"
#include "render/render_passes.h"
#include "render/shaders.h"
#include "render/static_model.h"

namespace shadow_scene {

struct Mesh {
    GLuint vertices = 0;
    GLuint indices = 0;
    GLsizei indexCount = 0;
};

// Axis-aligned square faces: corner c, axes u and v with u x v = the normal,
// so each face is counter-clockwise seen from outside.
inline void AddFace(std::vector<float>& vertices, std::vector<uint16_t>& indices, Vec3 c, Vec3 u, Vec3 v,
                    Vec3 normal)
{
    const auto base = static_cast<uint16_t>(vertices.size() / 8);
    const Vec3 corners[4] = {c - u - v, c + u - v, c + u + v, c - u + v};
    const float st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        vertices.insert(vertices.end(), {st[i][0], st[i][1], normal.x, normal.y, normal.z, corners[i].x,
                                         corners[i].y, corners[i].z});
    }
    indices.insert(indices.end(), {base, static_cast<uint16_t>(base + 1), static_cast<uint16_t>(base + 2), base,
                                   static_cast<uint16_t>(base + 2), static_cast<uint16_t>(base + 3)});
}

inline Mesh Upload(const std::vector<float>& vertices, const std::vector<uint16_t>& indices)
{
    Mesh mesh;
    glGenBuffers(1, &mesh.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                 GL_STATIC_DRAW);
    glGenBuffers(1, &mesh.indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint16_t)),
                 indices.data(), GL_STATIC_DRAW);
    mesh.indexCount = static_cast<GLsizei>(indices.size());
    return mesh;
}

inline Mesh MakeBox(float half)
{
    std::vector<float> vertices;
    std::vector<uint16_t> indices;
    const Vec3 x{half, 0, 0};
    const Vec3 y{0, half, 0};
    const Vec3 z{0, 0, half};
    AddFace(vertices, indices, x, y, z, Vec3{1, 0, 0});
    AddFace(vertices, indices, Vec3{} - x, z, y, Vec3{-1, 0, 0});
    AddFace(vertices, indices, y, z, x, Vec3{0, 1, 0});
    AddFace(vertices, indices, Vec3{} - y, x, z, Vec3{0, -1, 0});
    AddFace(vertices, indices, z, x, y, Vec3{0, 0, 1});
    AddFace(vertices, indices, Vec3{} - z, y, x, Vec3{0, 0, -1});
    return Upload(vertices, indices);
}

inline Mesh MakePlane(float half)
{
    std::vector<float> vertices;
    std::vector<uint16_t> indices;
    AddFace(vertices, indices, Vec3{}, Vec3{0, 0, half}, Vec3{half, 0, 0}, Vec3{0, 1, 0});
    return Upload(vertices, indices);
}

// A plain-coloured mesh drawn like a static model: into the shadow map when
// it casts shadow, and with shadow lookup in the main pass.
class MeshObject : public Object {
public:
    MeshObject(Mesh mesh, Vec3 at, const float colour[4], bool castsShadow)
        : mesh_(mesh), castsShadow_(castsShadow)
    {
        position = at;
        world = MatTranslation(at.x, at.y, at.z);
        for (int i = 0; i < 4; ++i) {
            colour_[i] = colour[i];
        }
    }

    void DrawShadow() override
    {
        if (!castsShadow_ || ActiveCamera == nullptr || ActiveLight == nullptr) {
            return;
        }
        const Matrix4 wvp = MatMultiply(ActiveCamera->projection, MatMultiply(ActiveLight->view, world));
        NoteShadowDraw(WholeWindowRect());
        const float white[4] = {1, 1, 1, 1};
        glUseProgram(StaticModelProgram.program);
        glUniformMatrix4fv(StaticModelProgram.wvpMat, 1, GL_FALSE, wvp.m);
        Bind();
        glUniform1i(StaticModelProgram.useTex, -1);
        glUniform4fv(StaticModelProgram.diffuse, 1, white);
        glDrawElements(GL_TRIANGLES, mesh_.indexCount, GL_UNSIGNED_SHORT, nullptr);
    }

    void Draw() override
    {
        if (ActiveCamera == nullptr || ActiveLight == nullptr) {
            return;
        }
        const ShaderProgram& p = StaticModelShadowProgram;
        glUseProgram(p.program);
        glUniform3fv(p.lightDir, 1, &ActiveLight->direction.x);
        glActiveTexture(GL_TEXTURE0);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        const Matrix4 lightClip = MatMultiply(ActiveCamera->projection, MatMultiply(ActiveLight->view, world));
        glMultMatrixf(lightClip.m);
        glUniformMatrix4fv(p.toTexSpace, 1, GL_FALSE, ShadowBias.m);
        glUniform1i(p.depthTex, 0);
        const Matrix4 wvp = MatMultiply(ActiveCamera->projection, MatMultiply(ActiveCamera->view, world));
        glUniformMatrix4fv(p.wvpMat, 1, GL_FALSE, wvp.m);
        glUniformMatrix4fv(p.wMat, 1, GL_FALSE, world.m);
        Bind();
        glUniform1i(p.useTex, -1);
        glUniform4fv(p.diffuse, 1, colour_);
        glDrawElements(GL_TRIANGLES, mesh_.indexCount, GL_UNSIGNED_SHORT, nullptr);
    }

private:
    void Bind() const
    {
        glBindBuffer(GL_ARRAY_BUFFER, mesh_.vertices);
        glInterleavedArrays(GL_T2F_N3F_V3F, 0, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh_.indices);
    }

    Mesh mesh_;
    float colour_[4] = {};
    bool castsShadow_ = false;
};

inline const float GroundColour[4] = {0.4f, 0.8f, 0.3f, 1.0f};
inline const float BoxColour[4] = {0.9f, 0.5f, 0.2f, 1.0f};

// Camera looking down at the origin from (0, 25, 30); the light as the stage
// places it (elevation 50, azimuth 120, distance 30) around the origin; a
// 40-unit ground; `boxes` 2-unit boxes floating 3 units up (the first one
// over the origin, the rest spread in a ring).
inline void Build(int boxes)
{
    auto* camera = new ObjCamera;
    AddObject(camera, TypeDamagePop, TeamNeutral, 0);
    SetCameraDefaults(camera);
    camera->view = MatLookAt(Vec3{0, 25, 30}, Vec3{}, Vec3{0, 1, 0});
    ActiveCamera = camera;

    AddObject(new MeshObject(MakePlane(20.0f), Vec3{}, GroundColour, false), TypeDamagePop, TeamNeutral, 0);
    const Mesh box = MakeBox(1.0f);
    for (int i = 0; i < boxes; ++i) {
        const float angle = static_cast<float>(i) * 0.7f;
        const float radius = i == 0 ? 0.0f : 3.0f + static_cast<float>(i % 4);
        const Vec3 at{radius * std::cos(angle), 3.0f, radius * std::sin(angle)};
        AddObject(new MeshObject(box, at, BoxColour, true), TypeDamagePop, TeamNeutral, 0);
    }

    auto* light = new Light;
    AddObject(light, TypeLight, TeamNeutral, 0);
    light->target = camera;  // anything at the origin will do; moved below
    light->elevation = 50.0f;
    light->azimuth = 120.0f;
    light->distance = 30.0f;
    const Vec3 eye = camera->position;
    camera->position = Vec3{};
    light->Update();
    camera->position = eye;
    ActiveLight = light;
}

// Window pixel (x right, y down) where a world point appears.
inline void ToPixel(Vec3 point, int& x, int& y)
{
    const Matrix4 pv = MatMultiply(ActiveCamera->projection, ActiveCamera->view);
    const Vec4 clip = MatTransform(pv, Vec4{point.x, point.y, point.z, 1.0f});
    x = static_cast<int>((clip.x / clip.w * 0.5f + 0.5f) * 800.0f);
    y = static_cast<int>((0.5f - clip.y / clip.w * 0.5f) * 600.0f);
}

}  // namespace shadow_scene
