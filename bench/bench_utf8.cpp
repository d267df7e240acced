// Cost of reading text of the Windows era as UTF-8: one byte a character
// (ISO 8859-1) turned into UTF-8, for text that is all ASCII, a library file's
// mix (a degree sign or an umlaut now and then) and text of high bytes only.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/utf8.h"

namespace {

constexpr std::size_t kSize = 64 * 1024;

// `every`: one high byte (°, ä, µ in turn) after every that many ASCII bytes; 0 = none.
std::string Text(std::size_t every)
{
    const std::string line = "[R134a]\r\ndp=21.2,-2030.0,250.0\r\nbp=21.4,-2030.0,250.0\r\nDescription=Tetrafluoroethane\r\n";
    const char high[] = {'\xB0', '\xE4', '\xB5'};
    std::string text;
    std::size_t k = 0;
    while (text.size() < kSize) {
        for (char c : line) {
            text += c;
            if (every != 0 && ++k % every == 0)
                text += high[(k / every) % 3];
        }
    }
    text.resize(kSize);
    return text;
}

} // namespace

static void BM_Latin1ToUtf8(benchmark::State& state)
{
    const std::size_t every = static_cast<std::size_t>(state.range(0));
    const std::string text = every == 1 ? std::string(kSize, '\xE4') : Text(every);
    for (auto _ : state) {
        std::string out = Latin1ToUtf8(text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
// 0: ASCII only; 40: a library file's mix; 4: much accented text; 1: high bytes only.
BENCHMARK(BM_Latin1ToUtf8)->Arg(0)->Arg(40)->Arg(4)->Arg(1);

BENCHMARK_MAIN();
