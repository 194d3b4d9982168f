// One frame's worth of contact work: every object's overlap list, and a
// character's wall step against a stage-sized wall mesh.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/scene.h"
#include "math/collision.h"
#include "render/static_model.h"

namespace {

// A stage's population: about sixty colliding objects spread over the field,
// bunched enough that lists are not empty.
void FillStage(int count)
{
    ClearObjectList();
    const int32_t teams[] = {TeamPlayer, TeamPlayerWeapon, TeamEnemy, TeamEnemyWeapon, TeamEnemyShot};
    for (int i = 0; i < count; ++i) {
        Object* object = new Object();
        AddObject(object, TypeSlimeGreen, teams[i % 5], 1);
        const float x = static_cast<float>((i * 37) % 40) - 20.0f;
        const float z = static_cast<float>((i * 53) % 40) - 20.0f;
        object->position = {x, 1.0f, z};
        object->collider->sphere->center = object->position;
        object->collider->sphere->radius = 1.5f;
    }
}

void BM_CollectHitsWholeStage(benchmark::State& state)
{
    FillStage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (Object* object : ObjectList) {
            CollectHits(object);
        }
        benchmark::ClobberMemory();
    }
    ClearObjectList();
}
BENCHMARK(BM_CollectHitsWholeStage)->Arg(60);

// Four inward-facing walls around a 200 by 200 field, each a grid of
// 25 by 15 quads: 3000 triangles, like the stage's wall model.
struct WallBox {
    std::vector<Vec3> vertices;
    std::vector<uint16_t> indices;

    WallBox()
    {
        constexpr int Across = 25;
        constexpr int Up = 15;
        constexpr float Half = 100.0f;
        constexpr float Height = 30.0f;
        // Each wall runs from `start` along `along`, so that (along x up)
        // points into the field.
        const Vec3 starts[4] = {{-Half, 0.0f, -Half}, {Half, 0.0f, -Half}, {Half, 0.0f, Half}, {-Half, 0.0f, Half}};
        const Vec3 alongs[4] = {{1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}};
        for (int wall = 0; wall < 4; ++wall) {
            const uint16_t base = static_cast<uint16_t>(vertices.size());
            for (int row = 0; row <= Up; ++row) {
                for (int column = 0; column <= Across; ++column) {
                    const float u = 2.0f * Half * static_cast<float>(column) / Across;
                    const float v = Height * static_cast<float>(row) / Up;
                    vertices.push_back(starts[wall] + alongs[wall] * u + Vec3{0.0f, v, 0.0f});
                }
            }
            for (int row = 0; row < Up; ++row) {
                for (int column = 0; column < Across; ++column) {
                    const int corner = base + row * (Across + 1) + column;
                    const int above = corner + Across + 1;
                    const int quad[6] = {corner, corner + 1, above + 1, corner, above + 1, above};
                    for (int index : quad) {
                        indices.push_back(static_cast<uint16_t>(index));
                    }
                }
            }
        }
    }

    MeshView View() const
    {
        return MakeMeshView(vertices.data(), static_cast<int>(vertices.size()), indices.data(),
                            static_cast<int>(indices.size() / 3));
    }
};

// Walking in the open: the whole mesh is searched and nothing is hit.
void BM_MoveWithWallsOpenField(benchmark::State& state)
{
    const WallBox walls;
    const MeshView view = walls.View();
    const Matrix4 world = MatIdentity();
    for (auto _ : state) {
        Vec3 position{10.0f, 1.0f, 5.0f};
        Vec3 velocity{0.3f, 0.0f, -0.4f};
        MoveWithWalls(position, velocity, 1.0f, 0.3f, view, world);
        benchmark::DoNotOptimize(position);
    }
    state.counters["triangles"] = static_cast<double>(view.faceCount);
}
BENCHMARK(BM_MoveWithWallsOpenField);

// Pressed into the last wall in face order, at an angle: slide and second test.
void BM_MoveWithWallsSliding(benchmark::State& state)
{
    const WallBox walls;
    const MeshView view = walls.View();
    const Matrix4 world = MatIdentity();
    for (auto _ : state) {
        Vec3 position{-98.95f, 10.0f, 3.0f};
        Vec3 velocity{-0.4f, 0.0f, 0.3f};
        MoveWithWalls(position, velocity, 1.0f, 0.3f, view, world);
        benchmark::DoNotOptimize(position);
    }
}
BENCHMARK(BM_MoveWithWallsSliding);

// The stage's own wall model, read from the data folder (run from build/bin).
void BM_MoveWithWallsStageModel(benchmark::State& state)
{
    std::ifstream file("model/Stage1Wall.x", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    StaticModel model;
    if (!file || !ParseStaticModel(text.str(), model) || model.faceCount == 0) {
        state.SkipWithError("model/Stage1Wall.x missing or unreadable; run from build/bin");
        return;
    }
    const int saved = ModelSlotCount - 1;
    StaticModel* held = StaticModelTable[saved];
    StaticModelTable[saved] = &model;
    const Matrix4 world = MatIdentity();
    for (auto _ : state) {
        Vec3 position{0.0f, 1.0f, 0.0f};
        Vec3 velocity{0.3f, 0.0f, -0.4f};
        MoveWithWalls(position, velocity, 1.0f, 0.3f, saved, world);
        benchmark::DoNotOptimize(position);
    }
    StaticModelTable[saved] = held;
    state.counters["triangles"] = static_cast<double>(model.faceCount);
}
BENCHMARK(BM_MoveWithWallsStageModel);

}  // namespace
