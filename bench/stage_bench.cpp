// Frame cost of the stage: the logic of one frame in process (objects then
// the scene, no drawing), and whole unpaced frames of the real game on the
// display the benchmark runs under (both render passes included).
#include <benchmark/benchmark.h>


#include <chrono>
#include <cstdio>
#include <cstdlib>
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

fs::path GameBinary()
{
    return GameDirectory() / "kestrune";
}

// Seconds for an unpaced run that enters the stage at frame 3 and stops at
// frame `frames`.
double RunStageSeconds(int frames)
{
    const fs::path bin = GameBinary();
    const fs::path script = fs::temp_directory_path() / "kestrune_stage_bench_keys.txt";
    const std::string keys = "2 down Enter\n3 up Enter\n4 down W\n10 down Left\n";
    FILE* file = std::fopen(script.c_str(), "w");
    if (file != nullptr) {
        std::fputs(keys.c_str(), file);
        std::fclose(file);
    }
    const std::string command = "cd '" + bin.parent_path().string() + "' && '" + bin.string() +
                                "' --silent --unpaced --seed 5 --frames " + std::to_string(frames) +
                                " --script '" + script.string() + "' >/dev/null 2>&1";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const auto stop = std::chrono::steady_clock::now();
    if (status != 0) {
        return -1.0;
    }
    return std::chrono::duration<double>(stop - start).count();
}

// The frame time is the difference between a run that stops early in the
// stage and one that stops later, divided by the frames between them, which
// cancels start-up and the title's confirm pause.
void BM_StageFrameUnpacedProcess(benchmark::State& state)
{
    if (std::getenv("DISPLAY") == nullptr || !fs::exists(GameBinary())) {
        state.SkipWithError("needs the game binary and a display (run under xvfb-run)");
        return;
    }
    constexpr int EarlyFrame = 6;
    constexpr int LateFrame = 32;
    for (auto _ : state) {
        const double early = RunStageSeconds(EarlyFrame);
        const double late = RunStageSeconds(LateFrame);
        if (early < 0.0 || late < 0.0) {
            state.SkipWithError("the game did not run to the requested frame");
            return;
        }
        state.SetIterationTime((late - early) / (LateFrame - EarlyFrame));
    }
}
BENCHMARK(BM_StageFrameUnpacedProcess)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
