// Cost of the property calls the solver makes most.
#include <benchmark/benchmark.h>

#include "core/refriglib.h"

static void BM_DewP(benchmark::State& state)
{
    TRefrigLib lib("");
    double t = 5.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lib.DewP(t));
        t = t < 45.0 ? t + 0.01 : 5.0;
    }
}
BENCHMARK(BM_DewP);

// A typical discharge state: R22 at 45 °C condensing, about 82 °C discharge.
static void BM_SuperheatTemp(benchmark::State& state)
{
    TRefrigLib lib("");
    const double p = lib.DewP(45.0);
    double h = 451549.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lib.SuperheatTemp(p, h));
        h = h < 452000.0 ? h + 1.0 : 451000.0;
    }
}
BENCHMARK(BM_SuperheatTemp);

static void BM_IsenRise(benchmark::State& state)
{
    TRefrigLib lib("");
    for (auto _ : state)
        benchmark::DoNotOptimize(lib.IsenRise(5.0, 45.0, 12.5));
}
BENCHMARK(BM_IsenRise);
