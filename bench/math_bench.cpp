// The matrix and quaternion work behind posing every character twice a frame.
#include <benchmark/benchmark.h>

#include "math/vector_math.h"

namespace {

Matrix4 SampleMatrix()
{
    return MatMultiply(MatTranslation(1.0f, 2.0f, 3.0f), MatRotationY(0.7f));
}

void BM_MatMultiply(benchmark::State& state)
{
    Matrix4 a = SampleMatrix();
    const Matrix4 b = MatRotationY(0.3f);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        Matrix4 product = MatMultiply(a, b);
        benchmark::DoNotOptimize(product);
    }
}
BENCHMARK(BM_MatMultiply);

void BM_MatInverse(benchmark::State& state)
{
    Matrix4 m = SampleMatrix();
    for (auto _ : state) {
        benchmark::DoNotOptimize(m);
        Matrix4 inverse = MatInverse(m);
        benchmark::DoNotOptimize(inverse);
    }
}
BENCHMARK(BM_MatInverse);

void BM_QuatSlerp(benchmark::State& state)
{
    Quaternion a = QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, 0.2f);
    const Quaternion b = QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, 1.3f);
    float t = 0.2f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(t);
        Quaternion q = QuatSlerp(a, b, t);
        benchmark::DoNotOptimize(q);
    }
}
BENCHMARK(BM_QuatSlerp);

void BM_MatLookAt(benchmark::State& state)
{
    Vec3 eye{3.0f, 4.0f, 12.0f};
    const Vec3 target{0.0f, 1.0f, 0.0f};
    const Vec3 up{0.0f, 1.0f, 0.0f};
    for (auto _ : state) {
        benchmark::DoNotOptimize(eye);
        Matrix4 view = MatLookAt(eye, target, up);
        benchmark::DoNotOptimize(view);
    }
}
BENCHMARK(BM_MatLookAt);

}  // namespace
