// libFuzzer target over TX valve data files and the lookups of the valve selector.
// Invariants, for any file:
// - listing the models, selecting a valve for a duty and the capacity of each model
//   either work or raise a KelvoraError (a short row, an entry that is no number,
//   one too large to convert); a unit word that is not allowed shows its message;
// - every capacity a lookup gives is a finite number, and a lookup that names no
//   valve gives none;
// - no valve file stays open after a lookup, also after an error.
// Built and run by scripts/fuzz (see there for the options).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/errors.h"
#include "tests/support/fuzzscratch.h"
#include "tools/txvalve/txvalvemodel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzFile("range.txv", data, size);
    TTxValveModel valves(FuzzScratchFolder().string() + "/", [](const std::string& message) {
        FUZZ_CHECK(message.rfind("Expansion valve file error: ", 0) == 0);
    });
    const struct {
        double dp, te, duty;
    } points[] = {{5, 5, 10}, {0.5, -30, 0.1}, {20, 15, 500}, {8, 0, 1e300}};
    for (const auto& p : points) {
        try {
            const TValveFound found = valves.SelectValve("range.txv", p.dp, p.te, p.duty);
            FUZZ_CHECK(std::isfinite(found.capacity));
            FUZZ_CHECK(found.model != kNoValve || found.capacity == 0);
        } catch (const KelvoraError&) {
        }
        FUZZ_CHECK(!valves.IsOpen());
    }
    const auto models = valves.ValveModels("range.txv");
    for (std::size_t i = 0; i < std::min<std::size_t>(models.size(), 6); ++i) {
        try {
            FUZZ_CHECK(std::isfinite(valves.ValveCapacity("range.txv", models[i], 5, 5)));
        } catch (const KelvoraError&) {
        }
        FUZZ_CHECK(!valves.IsOpen());
    }
    return 0;
}
