// Cost of one refrigerant line: the flow through a tube with its friction factor,
// drop, saturation drop and rules (goal: under 2 µs), the same with the cycle
// solved first, and the selection from a tube series.
#include <benchmark/benchmark.h>

#include "tools/linesize/linesize.h"

namespace {

TRefrigLib& Lib()
{
    static TRefrigLib lib(KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf");
    lib.SelectByName("R134a");
    return lib;
}

const TLineCycle kCycle {10, -10, 40, 7.5, 5, 0.7};

} // namespace

static void BM_LineFlow(benchmark::State& state)
{
    TRefrigLib& lib = Lib();
    const TLineState s = LineState(lib, static_cast<TLineKind>(state.range(0)), kCycle);
    for (auto _ : state) {
        const TLineResult r = LineFlow(lib, s, {22, 1, 20, 3});
        benchmark::DoNotOptimize(r.saturationDrop);
    }
}
BENCHMARK(BM_LineFlow)->Arg(lkSuction)->Arg(lkDischarge)->Arg(lkLiquid);

static void BM_ComputeLineWithCycle(benchmark::State& state)
{
    TRefrigLib& lib = Lib();
    for (auto _ : state) {
        const TLineResult r = ComputeLine(lib, static_cast<TLineKind>(state.range(0)), kCycle, {22, 1, 20, 3});
        benchmark::DoNotOptimize(r.saturationDrop);
    }
}
BENCHMARK(BM_ComputeLineWithCycle)->Arg(lkSuction)->Arg(lkDischarge)->Arg(lkLiquid);

static void BM_SelectTube(benchmark::State& state)
{
    TRefrigLib& lib = Lib();
    const TLineState s = LineState(lib, lkSuction, kCycle);
    for (auto _ : state) {
        const auto choice = SelectTube(lib, s, tsMetric, 20, 3);
        benchmark::DoNotOptimize(choice);
    }
}
BENCHMARK(BM_SelectTube);
