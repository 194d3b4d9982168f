// Unpaced frame time through both render passes on the machine's GL (llvmpipe
// in CI): a ground plane and floating boxes casting shadows, plus a HUD line
// of numbers, which is about what a stage frame costs without characters.
#include <benchmark/benchmark.h>

#include "app/scene.h"
#include "render/render_passes.h"
#include "render/sprite.h"
#include "render/texture.h"
#include "tests/gl_test_window.h"
#include "tests/shadow_scene.h"

namespace {

bool ReadyToDraw(benchmark::State& state)
{
    if (!OpenTestWindow() || !BuildTestShaders()) {
        state.SkipWithError("needs a display and the Library/ folder in the working directory");
        return false;
    }
    if (ShadowDepthTexture == 0) {
        InitShadowDepthTexture();
    }
    return true;
}

void BM_FrameThroughBothPasses(benchmark::State& state)
{
    if (!ReadyToDraw(state)) {
        return;
    }
    shadow_scene::Build(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RenderPasses();
        glFinish();
    }
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
    ClearObjectList();
}
BENCHMARK(BM_FrameThroughBothPasses)->Arg(1)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

// The shadow map's cost on its own when the shadow pass drew all over the
// window: one full-window depth copy per frame.
void BM_CopyShadowDepth(benchmark::State& state)
{
    if (!ReadyToDraw(state)) {
        return;
    }
    for (auto _ : state) {
        NoteShadowDraw(WholeWindowRect());
        CopyShadowDepth();
        glFinish();
    }
}
BENCHMARK(BM_CopyShadowDepth)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HudNumbers(benchmark::State& state)
{
    if (!ReadyToDraw(state)) {
        return;
    }
    const NumberFont font{0, 0, 0, 16};
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    for (auto _ : state) {
        for (int line = 0; line < 20; ++line) {
            DrawNumber(font, white, 1000 + line, 10, 10 + 24 * line, 20);
        }
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * 20 * 4);
}
BENCHMARK(BM_HudNumbers)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
