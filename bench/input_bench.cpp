// What reading the input costs every frame: the physical keyboard's poll
// (key map, focus and press events, each a request to the X server) and the
// pads' poll through SDL, without a pad and with a software pad whose stick
// is pushed.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/gamepad.h"
#include "platform/virtual_pad.h"
#include "platform/x_keyboard.h"
#include "tests/gl_test_window.h"

namespace {

void BM_KeyboardPoll(benchmark::State& state)
{
    static const bool ready = OpenTestWindow() && OpenPhysicalKeyboard();
    if (!ready) {
        state.SkipWithError("needs a display");
        return;
    }
    for (auto _ : state) {
        uint8_t table[256] = {};
        PollPhysicalKeyboard(table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_KeyboardPoll)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_PadPoll(benchmark::State& state)
{
    if (!InitGamepads(true)) {
        state.SkipWithError("SDL's game controller subsystem did not start");
        return;
    }
    if (state.range(0) > 0) {
        PlugVirtualPad();
        SetVirtualPadAxis(PadAxisFromName("lefty"), -32768);
    }
    for (auto _ : state) {
        uint8_t table[256] = {};
        PollGamepads(table);
        benchmark::DoNotOptimize(table);
    }
    UnplugVirtualPad();
    ShutdownGamepads();
}
BENCHMARK(BM_PadPoll)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
