#include "app/frame_loop.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/dev_options.h"
#include "app/frame_trace.h"
#include "app/input_script.h"
#include "app/keyboard.h"
#include "app/scene.h"
#include "app/state_hash.h"
#include "app/sound.h"
#include "platform/clock.h"
#include "platform/debug_sink.h"
#include "platform/gamepad.h"
#include "platform/window.h"
#include "render/model_slots.h"
#include "render/frame_profile.h"
#include "render/image_file.h"
#include "render/render_passes.h"
#include "render/shaders.h"
#include "render/sprite.h"
#include "render/texture.h"
#include "scenes/scene_factory.h"

FramePacer GamePacer;

namespace {

int framesRun = 0;
// An update waits for the previous frame to be drawn, so a window that is
// not mapped yet (or hidden) pauses the game instead of running it blind,
// and scripted runs see exactly one update per drawn frame.
bool frameDrawn = true;
std::vector<ScriptEvent> scriptEvents;
// Whether the skinned and static model programs wait for the first frame.
bool modelProgramsLater = false;

// --profile: the start-up steps so far, each as " name milliseconds" timed
// from the previous step (the first from the program's static set-up), and
// the end of the last frame's swap.
using Clock = std::chrono::steady_clock;
Clock::time_point lastStartUpStep = Clock::now();
std::string startUpSteps;
Clock::time_point lastSwapEnd;

double MillisecondsSince(Clock::time_point then, Clock::time_point now)
{
    return std::chrono::duration<double, std::milli>(now - then).count();
}

bool InitModelPrograms()
{
    return InitSkinModelShaders() && InitStaticModelShaders();
}

void DrawFrame()
{
    RenderPasses();
}

// Prints the frame's time from swap to swap and where it went; the first
// frame also prints the start-up steps.
void ReportFrameTime()
{
    const Clock::time_point now = Clock::now();
    std::printf("profile frame %d total %.3f", framesRun, framesRun == 0 ? 0.0 : MillisecondsSince(lastSwapEnd, now));
    lastSwapEnd = now;
    const StageMilliseconds spent = TakeFrameProfile();
    for (int stage = 0; stage < FrameStageCount; ++stage) {
        std::printf(" %s %.3f", FrameStageNames[stage], spent[stage]);
    }
    std::printf("\n");
    if (framesRun <= 1) {
        NoteStartUpStep(framesRun == 0 ? "first_clear" : "first_frame");
    }
    if (framesRun == 1) {
        std::printf("profile startup%s\n", startUpSteps.c_str());
    }
    // Whole lines only, so a reader that merges this with the debug output
    // on the error stream never sees one cut in two.
    std::fflush(stdout);
}

void SwapAndReport()
{
    {
        StageTimer timer(FrameStage::Swap);
        SwapWindowBuffers();
    }
    if (Dev.profile) {
        ReportFrameTime();
    }
}

void LoadScriptOrExit()
{
    if (Dev.scriptPath.empty()) {
        return;
    }
    std::ifstream file(Dev.scriptPath);
    if (!file) {
        std::fprintf(stderr, "kestrune: cannot read script '%s'\n", Dev.scriptPath.c_str());
        std::exit(2);
    }
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    if (!ParseInputScript(text.str(), scriptEvents, error)) {
        std::fprintf(stderr, "kestrune: %s: %s\n", Dev.scriptPath.c_str(), error.c_str());
        std::exit(2);
    }
}

// Appends this frame's record to the --state-hashes file, which the first
// record starts afresh.
void RecordStateHash()
{
    static bool started = false;
    std::FILE* file = std::fopen(Dev.stateHashPath.c_str(), started ? "a" : "w");
    if (file == nullptr) {
        std::fprintf(stderr, "kestrune: cannot write state hashes to '%s'\n", Dev.stateHashPath.c_str());
        return;
    }
    started = true;
    std::fputs(StateHashLine(framesRun).c_str(), file);
    std::fclose(file);
}

void OpenTraceOrExit()
{
    if (!Dev.tracePath.empty() && !OpenFrameTrace(Dev.tracePath)) {
        std::fprintf(stderr, "kestrune: cannot write trace '%s'\n", Dev.tracePath.c_str());
        std::exit(2);
    }
}

}  // namespace

int FramesRun()
{
    return framesRun;
}

void NoteStartUpStep(const char* name)
{
    if (!Dev.profile) {
        return;
    }
    const Clock::time_point now = Clock::now();
    char step[64];
    std::snprintf(step, sizeof step, " %s %.3f", name, MillisecondsSince(lastStartUpStep, now));
    startUpSteps += step;
    lastStartUpStep = now;
}

void StartUp()
{
    if (!InitGlExtensions()) {
        ExitGame();
    }
    NoteStartUpStep("extensions");
    // A broken shader source has already told the player in a message box.
    // The title draws only sprites, so a run that starts there builds the
    // model programs with the models, once its first frame is shown.
    modelProgramsLater = StartsOnTitle(Dev.startScreen);
    if (!Init2DShaders() || (!modelProgramsLater && !InitModelPrograms())) {
        ExitGame();
    }
    NoteStartUpStep("shaders");
    InitShadowDepthTexture();
    InitDrawState();
    InitScreenProjection();
    EnableVerticalSync();
    SetSilentAudio(Dev.silentAudio);
    InitSound();
    NoteStartUpStep("sound");
    // A scripted run feels only the pads its script plugs in.
    if (InitGamepads(!Dev.scriptPath.empty())) {
        AddKeySource(PollGamepads);
    }
    NoteStartUpStep("gamepads");
    LoadScriptOrExit();
    OpenTraceOrExit();
    RequestScene(MakeStartScene(Dev.startScreen));
}

void FrameUpdate()
{
    {
        StageTimer timer(FrameStage::SceneLoad);
        SwitchSceneIfRequested();
    }
    StageTimer timer(FrameStage::Logic);
    UpdateObjects();
    if (CurrentScene != nullptr) {
        CurrentScene->Update();
    }
}

void OnIdle()
{
    if (!frameDrawn) {
        SleepMs(1);
        return;
    }
    ++framesRun;
    if (!scriptEvents.empty() || !Dev.scriptPath.empty()) {
        ApplyScriptFrame(scriptEvents, framesRun);
    }
    // The screen this frame's update runs (a pending switch comes first).
    const Scene* showing = NextScene != nullptr ? NextScene : CurrentScene;
    SetPadMenuMode(showing == nullptr || showing->IsMenu());
    PlatformBeginFrameKeys();
    TraceKeys(framesRun);
    if (KeyHeld(VkEscape)) {
        ExitGame();
    }
    FrameUpdate();
    if (!Dev.stateHashPath.empty() && framesRun % StateHashPeriod == 0) {
        RecordStateHash();
    }
    TraceScreen(framesRun, CurrentScene);
    frameDrawn = false;
    RequestRedisplay();
}

void OnDisplay()
{
    if (framesRun == 0) {
        ClearFrame();
        SwapAndReport();
        return;
    }
    DrawFrame();
    for (const ScreenshotRequest& shot : Dev.screenshots) {
        if (shot.frame == framesRun && !SaveBackBufferPng(shot.path)) {
            std::fprintf(stderr, "kestrune: cannot write screenshot '%s'\n", shot.path.c_str());
        }
    }
    SwapAndReport();
    frameDrawn = true;
    // The seven skinned and nine static models live for the whole run. The
    // title needs none of them, so they load once its first frame is on the
    // screen, in the time that frame waits anyway; the stage starts at the
    // third frame at the earliest.
    if (framesRun == 1) {
        StageTimer timer(FrameStage::SceneLoad);
        DropPrefetchedImages();
        if (modelProgramsLater && !InitModelPrograms()) {
            ExitGame();
        }
        LoadStartUpModels();
    }
    float framesPerSecond = GamePacer.framesPerSecond;
    if (!Dev.unpaced) {
        framesPerSecond = PaceFrame(GamePacer, NowMs, SleepMs);
    }
    char line[512];
    std::snprintf(line, sizeof line, "%f\n", framesPerSecond);
    DebugOutput(line);
    if (Dev.frameLimit > 0 && framesRun >= Dev.frameLimit) {
        ExitGame();
    }
}

void OnReshape(int width, int height)
{
    if (width != WindowWidth || height != WindowHeight) {
        SnapWindowSize(WindowWidth, WindowHeight);
    }
}

void ExitGame()
{
    // Sounds, textures, scenes, objects, static models, skinned models: each
    // subsystem's release runs here in this order.
    ShutdownSound();
    ShutdownGamepads();
    DropPrefetchedImages();
    DeleteAllTextures();
    char report[128];
    std::snprintf(report, sizeof report, "objects: %zu peak: %zu\n", ObjectList.size(),
                  PeakObjectCount());
    DebugOutput(report);
    delete CurrentScene;
    CurrentScene = nullptr;
    delete NextScene;
    NextScene = nullptr;
    ClearObjectList();
    FreeAllModels();
    DeleteShaderPrograms();
    DestroyGameWindow();
    std::exit(0);
}
