// Cost of one solve of the default cycle with the isentropic efficiency given,
// the solve the main window runs on every F9.
#include <benchmark/benchmark.h>

#include "core/cycle.h"

static void BM_SolveDefaultCycle(benchmark::State& state)
{
    TRefrigLib lib("");
    TKelvora k(lib);
    k.SetDefaults();
    for (auto _ : state) {
        k.Solve(smIeGiven);
        benchmark::DoNotOptimize(k.td);
    }
}
BENCHMARK(BM_SolveDefaultCycle);
