// The logic of one stage frame in process (objects then the scene, no
// drawing). Whole frames of the real game are in frame_bench.cpp.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/dev_options.h"
#include "app/keyboard.h"
#include "app/scene.h"
#include "objects/obj_character.h"
#include "render/static_model.h"
#include "render/x_reader.h"
#include "scenes/scene_stage1.h"

namespace {

namespace fs = std::filesystem;

fs::path GameDirectory()
{
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// The stage with the player walking forward along the generated wall model
// (read without a window) and the clear held off, so every iteration is an
// ordinary playing frame.
void BM_StageLogicFrame(benchmark::State& state)
{
    constexpr int WallSlot = 7;
    std::string text;
    auto* wall = new StaticModel();
    if (StaticModelTable[WallSlot] == nullptr &&
        ReadWholeFile((GameDirectory() / "model" / "Stage1Wall.x").c_str(), text) && ParseStaticModel(text, *wall)) {
        StaticModelTable[WallSlot] = wall;
    }
    Dev.hasSeed = true;
    Dev.seed = 11;
    auto* stage = new SceneStage1();
    stage->BuildWorld();
    PlatformKeyDown('W');
    PlatformBeginFrameKeys();
    for (auto _ : state) {
        EnemiesAlive = 1;
        UpdateObjects();
        stage->Update();
    }
    PlatformReleaseAllKeys();
    PlatformBeginFrameKeys();
    delete stage;
    ClearObjectList();
    delete NextScene;
    NextScene = nullptr;
    Dev.hasSeed = false;
    if (StaticModelTable[WallSlot] == wall) {
        StaticModelTable[WallSlot] = nullptr;
    }
    delete wall;
}
BENCHMARK(BM_StageLogicFrame);

}  // namespace
