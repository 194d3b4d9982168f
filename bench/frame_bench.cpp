// Whole frames and start-up of the real game, each next to the reference
// frame of floor_frame.h measured in the same run, so that a figure taken on
// a busy machine can still be compared with one taken on a quiet one:
// compare the x_floor ratios, not the milliseconds.
//
// The title and stage frames run the game inside this process: its own
// start-up, and each frame through the idle and display callbacks the
// toolkit would call. Reference frames and game frames take turns, one
// each, so whatever else the machine does slows both alike; each figure is
// the median over the measured frames. A second pass with the frame profile
// on splits the game's frame into its stages; it waits for the GL at every
// change of stage, so its stages add up to a little more than the frame.
//
// Start-up needs a fresh process: the game binary is launched and timed to
// the end of its first title frame, with the reference measured around it.
#include <benchmark/benchmark.h>

#include <unistd.h>  // Required for: chdir

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dev_options.h"
#include "app/frame_loop.h"
#include "app/scene.h"
#include "bench/floor_frame.h"
#include "bench/game_process.h"
#include "platform/key_input.h"
#include "render/frame_profile.h"
#include "scenes/scene_factory.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Frames early..late-1 of a scene are measured: late enough that every
// shader variant has been compiled.
constexpr int EarlyFrame = 50;
constexpr int LateFrame = 350;
constexpr int FloorFrames = 200;
constexpr int VkW = 'W';

double Median(std::vector<double> values)
{
    if (values.empty()) {
        return 0.0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

template <typename Work>
double MillisecondsOf(Work work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The game's start-up, once per process, in a scratch directory with this
// build's data and no save file. Unpaced, silent and with the seed the
// process-level runs use.
bool GameStarted(benchmark::State& state)
{
    static int started = 0;  // 0 untried, 1 running, -1 unavailable
    if (started == 0) {
        started = -1;
        static std::string directory;
        const std::string here = fs::read_symlink("/proc/self/exe").parent_path().string();
        directory = MakeGameDirectory("inprocess", here);
        std::atexit([] { fs::remove_all(directory); });
        if (PrepareFloorFrame() && fs::exists(fs::path(here) / "Library") && chdir(directory.c_str()) == 0) {
            Dev.unpaced = true;
            Dev.silentAudio = true;
            Dev.hasSeed = true;
            Dev.seed = 5;
            StartUp();
            started = 1;
        }
    }
    if (started != 1) {
        state.SkipWithError("needs a display (run under xvfb-run) and the game's data beside the benchmark");
    }
    return started == 1;
}

// Keys for scene frame `frame` (the scene's Init runs in frame 1).
using KeysForFrame = void (*)(int frame);

void NoKeys(int) {}

// The sword fighter walks forward from the second frame and the camera
// turns left from the eighth, so the frames show the field, the walls, the
// sky and the enemies from changing angles.
void StageKeys(int frame)
{
    if (frame == 2) {
        PlatformKeyDown(VkW);
    } else if (frame == 8) {
        PlatformKeyDown(VkLeft);
    }
}

struct SceneFrames {
    std::vector<double> game;   // ms per game frame, early..late-1
    std::vector<double> floor;  // ms per reference frame drawn between them
    StageMilliseconds stages = {};  // sum over the frames, with the profile on
};

// A fresh scene from its first frame to `LateFrame`, the way the game's main
// loop runs it; from `EarlyFrame` on, every game frame follows a reference
// frame (or, with the profile on, the stages are added up instead).
SceneFrames RunScene(Scene* (*makeScene)(), KeysForFrame keys, bool profile)
{
    SceneFrames result;
    RequestScene(makeScene());
    for (int frame = 1; frame < LateFrame; ++frame) {
        keys(frame);
        const bool measured = frame >= EarlyFrame;
        if (measured && !profile) {
            result.floor.push_back(MillisecondsOf(DrawFloorFrame));
        }
        SetFrameProfile(measured && profile);
        const double ms = MillisecondsOf([] {
            OnIdle();
            OnDisplay();
        });
        if (measured) {
            result.game.push_back(ms);
        }
        if (measured && profile) {
            const StageMilliseconds spent = TakeFrameProfile();
            for (int stage = 0; stage < FrameStageCount; ++stage) {
                result.stages[static_cast<size_t>(stage)] += spent[static_cast<size_t>(stage)];
            }
        }
    }
    SetFrameProfile(false);
    PlatformReleaseAllKeys();
    return result;
}

void MeasureScene(benchmark::State& state, Scene* (*makeScene)(), KeysForFrame keys)
{
    if (!GameStarted(state)) {
        return;
    }
    for (auto _ : state) {
        const SceneFrames timed = RunScene(makeScene, keys, false);
        const double frameMs = Median(timed.game);
        const double floorMs = Median(timed.floor);
        state.SetIterationTime(frameMs / 1000.0);
        state.counters["floor_ms"] = floorMs;
        state.counters["x_floor"] = frameMs / floorMs;

        const SceneFrames profiled = RunScene(makeScene, keys, true);
        const auto frames = static_cast<double>(profiled.game.size());
        for (int stage = 0; stage < FrameStageCount; ++stage) {
            state.counters[std::string(FrameStageNames[stage]) + "_ms"] =
                profiled.stages[static_cast<size_t>(stage)] / frames;
        }
        state.counters["profiled_frame_ms"] = Median(profiled.game);
    }
    // Leave no scene behind for the benchmarks that draw scenes of their own.
    delete CurrentScene;
    CurrentScene = nullptr;
    ClearObjectList();
}

Scene* TitleScene()
{
    return MakeTitleScene();
}

Scene* StageScene()
{
    return MakeStageScene(DefaultCharacter);
}

// The reference frame alone, for the record.
void BM_FloorFrame(benchmark::State& state)
{
    if (!PrepareFloorFrame()) {
        state.SkipWithError("cannot open a GL window");
        return;
    }
    for (auto _ : state) {
        state.SetIterationTime(Median(MeasureFloorFramesMs(FloorFrames)) / 1000.0);
    }
}
BENCHMARK(BM_FloorFrame)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

// Launch to the end of the first title frame's swap, for the game binary
// GameBinaryPath names: the fastest of a few launches, since another process
// can only ever slow a launch down, with the reference measured between
// them. The split comes from a run with --profile; its clock starts at the
// game's static set-up, so "before_main" is what comes before (loading the
// program and its libraries).
void BM_StartUp(benchmark::State& state)
{
    if (!fs::exists(GameBinaryPath()) || !PrepareFloorFrame()) {
        state.SkipWithError("needs the game binary and a display (run under xvfb-run)");
        return;
    }
    constexpr int Launches = 5;
    for (auto _ : state) {
        std::vector<double> floorTimes = MeasureFloorFramesMs(FloorFrames);
        double fastest = 0.0;
        for (int launch = 0; launch < Launches; ++launch) {
            const GameRun run = RunGame(2, false);
            if (!run.ok || run.firstFrameSeconds < 0.0) {
                state.SkipWithError("the game did not draw its first frame");
                return;
            }
            fastest = launch == 0 ? run.firstFrameSeconds : std::min(fastest, run.firstFrameSeconds);
            const std::vector<double> between = MeasureFloorFramesMs(FloorFrames / Launches);
            floorTimes.insert(floorTimes.end(), between.begin(), between.end());
        }
        const double floorMs = Median(floorTimes);
        state.SetIterationTime(fastest);
        state.counters["floor_ms"] = floorMs;
        state.counters["x_floor"] = fastest * 1000.0 / floorMs;

        const GameRun profiled = RunGame(2, true);
        double inGame = 0.0;
        for (const auto& [step, ms] : profiled.startUp) {
            state.counters[step + "_ms"] = ms;
            inGame += ms;
        }
        if (!profiled.startUp.empty()) {
            state.counters["before_main_ms"] = profiled.firstFrameSeconds * 1000.0 - inGame;
        }
        if (const auto first = profiled.frames.find(1); first != profiled.frames.end()) {
            for (const auto& [stage, ms] : first->second) {
                state.counters["first_frame_" + stage + "_ms"] = ms;
            }
        }
    }
}
BENCHMARK(BM_StartUp)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

void BM_TitleFrame(benchmark::State& state)
{
    MeasureScene(state, TitleScene, NoKeys);
}
BENCHMARK(BM_TitleFrame)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

void BM_StageFrame(benchmark::State& state)
{
    MeasureScene(state, StageScene, StageKeys);
}
BENCHMARK(BM_StageFrame)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

}  // namespace
