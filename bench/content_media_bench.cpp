// How long the generator spends on its pictures and sounds: the build runs
// it every time the generator changes, so it has to stay at a few seconds.
#include "tools/canvas.h"
#include "tools/effects.h"
#include "tools/image_painters.h"
#include "tools/music.h"
#include "tools/png_writer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// The longest piece of music.
void BM_SynthesizeStageMusic(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(FieldTheme());
    }
}
BENCHMARK(BM_SynthesizeStageMusic)->Unit(benchmark::kMillisecond);

void BM_SynthesizeAllEffects(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConfirmChime());
        benchmark::DoNotOptimize(SlashRising());
        benchmark::DoNotOptimize(SlashFalling());
        benchmark::DoNotOptimize(SlashFinisher());
        benchmark::DoNotOptimize(PoisonMagic());
        benchmark::DoNotOptimize(ShotPew());
        benchmark::DoNotOptimize(HitThud());
        benchmark::DoNotOptimize(BeamCharge());
        benchmark::DoNotOptimize(HeavySlash());
        benchmark::DoNotOptimize(QuickThrust());
        benchmark::DoNotOptimize(Ricochet());
        benchmark::DoNotOptimize(AttackSurge());
        benchmark::DoNotOptimize(LockOnBlip());
    }
}
BENCHMARK(BM_SynthesizeAllEffects)->Unit(benchmark::kMillisecond);

// The biggest picture: six portraits, text and the frame on 1024 by 1000.
void BM_PaintAndWriteCharacterSelect(benchmark::State& state)
{
    const std::string path = "kestrune_bench_select.png";
    for (auto _ : state) {
        Canvas canvas(1024, 1000);
        PaintCharacterSelect(canvas);
        benchmark::DoNotOptimize(WritePng(path, canvas.Width(), canvas.Height(), canvas.Rgba()));
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_PaintAndWriteCharacterSelect)->Unit(benchmark::kMillisecond);

} // namespace
