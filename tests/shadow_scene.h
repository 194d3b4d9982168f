// A small lit scene for the render-pass tests and the frame benchmark: a
// ground plane that only receives shadow and boxes that cast it, loaded as
// static or skinned models and drawn with the game's own model draws, so the
// light's matrices, the depth copy and the shadow lookup are the real ones.
#pragma once

#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/scene.h"
#include "math/vector_math.h"
#include "objects/light.h"
#include "objects/obj_camera.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "tests/x_samples.h"

namespace shadow_scene {

// Table slots no game model uses, the same in the static and skinned tables.
inline constexpr int GroundSlot = 28;
inline constexpr int BoxSlot = 29;

// Four corners counter-clockwise seen from outside, as two triangles.
inline void AddFace(SampleMesh& mesh, Vec3 c, Vec3 u, Vec3 v)
{
    const int base = static_cast<int>(mesh.positions.size());
    mesh.positions.insert(mesh.positions.end(), {c - u - v, c + u - v, c + u + v, c - u + v});
    mesh.faces.push_back({base, base + 1, base + 2});
    mesh.faces.push_back({base, base + 2, base + 3});
}

inline SampleMesh Box(float half)
{
    SampleMesh mesh;
    const Vec3 x{half, 0, 0};
    const Vec3 y{0, half, 0};
    const Vec3 z{0, 0, half};
    AddFace(mesh, x, y, z);
    AddFace(mesh, Vec3{} - x, z, y);
    AddFace(mesh, y, z, x);
    AddFace(mesh, Vec3{} - y, x, z);
    AddFace(mesh, z, x, y);
    AddFace(mesh, Vec3{} - z, y, x);
    mesh.materials[0].diffuse[1] = 0.5f;
    mesh.materials[0].diffuse[2] = 0.2f;
    return mesh;
}

inline SampleMesh Plane(float half)
{
    SampleMesh mesh;
    AddFace(mesh, Vec3{}, Vec3{0, 0, half}, Vec3{half, 0, 0});
    mesh.materials[0].diffuse[0] = 0.4f;
    mesh.materials[0].diffuse[2] = 0.3f;
    return mesh;
}

// The mesh as a character with one bone holding every vertex at rest.
inline SampleSkin Skinned(const SampleMesh& mesh)
{
    SampleSkin skin;
    skin.mesh = mesh;
    skin.frames = {{"Root", -1}};
    SampleWeights all{"Root", {}, {}, Matrix4{}};
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
        all.vertices.push_back(static_cast<int>(i));
        all.weights.push_back(1.0f);
    }
    skin.weights = {all};
    skin.sets = {{{"Root", {SampleKey{}}}}};
    return skin;
}

inline bool LoadText(const std::string& text, int slot, bool skinned)
{
    const std::string path = "/tmp/kestrune_shadow_scene_" + std::to_string(getpid()) + ".x";
    std::ofstream(path, std::ios::binary) << text;
    const bool loaded = skinned ? LoadSkinModel(path.c_str(), slot) : LoadStaticModel(path.c_str(), slot);
    std::remove(path.c_str());
    return loaded;
}

// Loads the ground and the box into both tables (once). Needs the GL context.
inline bool LoadModels()
{
    if (StaticModelTable[BoxSlot] != nullptr) {
        return true;
    }
    return LoadText(WriteStaticText(Plane(20.0f)), GroundSlot, false) &&
           LoadText(WriteStaticText(Box(1.0f)), BoxSlot, false) &&
           LoadText(WriteSkinText(Skinned(Plane(20.0f))), GroundSlot, true) &&
           LoadText(WriteSkinText(Skinned(Box(1.0f))), BoxSlot, true);
}

inline void ReleaseModels()
{
    for (int slot : {GroundSlot, BoxSlot}) {
        ReleaseStaticModel(StaticModelTable[slot]);
        StaticModelTable[slot] = nullptr;
        ReleaseSkinModel(SkinModelTable[slot]);
        SkinModelTable[slot] = nullptr;
    }
}

// A model drawn the way the game's objects draw theirs: into the shadow map
// when it casts shadow, and with shadow lookup in the main pass.
class ModelObject : public Object {
public:
    ModelObject(int slot, bool skinned, Vec3 at, bool castsShadow)
        : slot_(slot), skinned_(skinned), castsShadow_(castsShadow)
    {
        position = at;
        world = MatTranslation(at.x, at.y, at.z);
    }

    void DrawShadow() override
    {
        if (!castsShadow_) {
            return;
        }
        if (skinned_) {
            DrawSkinModelDepth(slot_, 0, 0.0f, world, ActiveCamera->projection);
        } else {
            DrawStaticModelDepth(slot_, world, ActiveCamera->projection);
        }
    }

    void Draw() override
    {
        if (skinned_) {
            DrawSkinModelShadowed(slot_, nullptr, world, 0, 0.0f, ActiveCamera->projection, ActiveCamera->view);
        } else {
            DrawStaticModelShadowed(slot_, nullptr, world, ActiveCamera->projection, ActiveCamera->view);
        }
    }

private:
    int slot_;
    bool skinned_;
    bool castsShadow_;
};

// Camera looking down at the origin from (0, 25, 30); the light as the stage
// places it (elevation 50, azimuth 120, distance 30) around the origin; a
// 40-unit ground; `boxes` 2-unit boxes floating 3 units up (the first one
// over the origin, the rest spread in a ring).
inline void Build(int boxes, bool skinnedBoxes = false, bool skinnedGround = false)
{
    LoadModels();
    auto* camera = new ObjCamera;
    AddObject(camera, TypeDamagePop, TeamNeutral, 0);
    SetCameraDefaults(camera);
    camera->view = MatLookAt(Vec3{0, 25, 30}, Vec3{}, Vec3{0, 1, 0});
    ActiveCamera = camera;

    AddObject(new ModelObject(GroundSlot, skinnedGround, Vec3{}, false), TypeDamagePop, TeamNeutral, 0);
    for (int i = 0; i < boxes; ++i) {
        const float angle = static_cast<float>(i) * 0.7f;
        const float radius = i == 0 ? 0.0f : 3.0f + static_cast<float>(i % 4);
        const Vec3 at{radius * std::cos(angle), 3.0f, radius * std::sin(angle)};
        AddObject(new ModelObject(BoxSlot, skinnedBoxes, at, true), TypeDamagePop, TeamNeutral, 0);
    }

    // The light follows a marker at the origin.
    auto* origin = new Object;
    AddObject(origin, TypeDamagePop, TeamNeutral, 0);
    auto* light = new Light;
    AddObject(light, TypeLight, TeamNeutral, 0);
    light->target = origin;
    light->elevation = 50.0f;
    light->azimuth = 120.0f;
    light->distance = 30.0f;
    light->Update();
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
