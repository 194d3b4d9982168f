// Posing characters on the processor every draw, and reading model files.
// Run from build/bin so the character files are found under model/.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/posing.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "tests/x_samples.h"

namespace {

// A humanoid of 20 frames with five keys per bone, like our characters.
SampleSkin Humanoid()
{
    SampleSkin skin;
    skin.mesh.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    skin.mesh.faces = {{0, 1, 2}};
    skin.frames = {{"Root", -1},     {"Hips", 0},      {"Spine", 1},  {"Chest", 2},  {"Neck", 3},
                   {"Head", 4},      {"LShoulder", 3}, {"LArm", 6},   {"LForearm", 7}, {"LHand", 8},
                   {"RShoulder", 3}, {"RArm", 10},     {"RForearm", 11}, {"RHand", 12}, {"LThigh", 1},
                   {"LShin", 14},    {"LFoot", 15},    {"RThigh", 1}, {"RShin", 17},  {"RFoot", 18}};
    std::vector<SampleAnimation> set;
    for (size_t i = 0; i < skin.frames.size(); ++i) {
        Matrix4 offset;
        offset.m[13] = -0.1f * static_cast<float>(i);
        skin.weights.push_back({skin.frames[i].name, {0}, {0.05f}, offset});
        SampleAnimation animation{skin.frames[i].name, {}};
        for (int k = 0; k < 5; ++k) {
            SampleKey key;
            key.time = 15.0f * static_cast<float>(k);
            const float angle = 0.2f * static_cast<float>(k) + 0.01f * static_cast<float>(i);
            key.rotation = Quaternion{std::cos(angle), std::sin(angle), 0.0f, 0.0f};
            key.position = Vec3{0.0f, 0.3f, 0.01f * static_cast<float>(k)};
            animation.keys.push_back(key);
        }
        set.push_back(animation);
    }
    skin.sets = {set};
    return skin;
}

void BM_PoseOneCharacter(benchmark::State& state)
{
    SkinModel model;
    ParseSkinModel(WriteSkinText(Humanoid()), model);
    float time = 22.5f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(time);
        PoseSkinModel(model, 0, time);
        benchmark::DoNotOptimize(model.boneMatrices.data());
    }
}
BENCHMARK(BM_PoseOneCharacter);

// A stage frame: 21 characters, each posed in the shadow pass and the main pass.
void BM_PoseStageFrame(benchmark::State& state)
{
    constexpr int Characters = 21;
    const std::string text = WriteSkinText(Humanoid());
    std::vector<SkinModel> models(Characters);
    for (SkinModel& model : models) {
        ParseSkinModel(text, model);
    }
    for (auto _ : state) {
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < Characters; ++i) {
                PoseSkinModel(models[static_cast<size_t>(i)], 0, static_cast<float>(i) * 2.7f + 0.5f);
            }
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PoseStageFrame)->Unit(benchmark::kMicrosecond);

// About 50,000 triangles on a 159 by 159 vertex grid.
void BM_ParseLargeStaticModel(benchmark::State& state)
{
    constexpr int Side = 159;
    SampleMesh mesh;
    for (int z = 0; z < Side; ++z) {
        for (int x = 0; x < Side; ++x) {
            mesh.positions.push_back(Vec3{static_cast<float>(x) * 0.5f, 0.0f, static_cast<float>(z) * -0.5f});
        }
    }
    for (int z = 0; z + 1 < Side; ++z) {
        for (int x = 0; x + 1 < Side; ++x) {
            const int corner = z * Side + x;
            mesh.faces.push_back({corner, corner + 1, corner + Side + 1});
            mesh.faces.push_back({corner, corner + Side + 1, corner + Side});
        }
    }
    const std::string text = WriteStaticText(mesh);
    for (auto _ : state) {
        StaticModel model;
        benchmark::DoNotOptimize(ParseStaticModel(text, model));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["triangles"] = static_cast<double>(mesh.faces.size());
}
BENCHMARK(BM_ParseLargeStaticModel)->Unit(benchmark::kMillisecond);

// Reading and parsing the seven character files StartUp loads (GL upload excluded).
void BM_ReadCharacterFiles(benchmark::State& state)
{
    const char* const files[] = {"model/Player.x",      "model/wivern001.x",  "model/lizaldy.x", "model/jelly_green.x",
                                 "model/jelly_blue.x", "model/jelly_red.x", "model/wizard.x"};
    for (auto _ : state) {
        for (const char* file : files) {
            std::string text;
            SkinModel model;
            if (!ReadWholeFile(file, text) || !ParseSkinModel(text, model)) {
                state.SkipWithError("character files missing or unreadable; run from build/bin");
                return;
            }
        }
    }
}
BENCHMARK(BM_ReadCharacterFiles)->Unit(benchmark::kMillisecond);

}  // namespace
