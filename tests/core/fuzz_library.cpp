// libFuzzer target over the refrigerant library file and the selection from it.
// Invariants, for any file:
// - building the index and every selection (by index, name, number, next, prior)
//   either works or raises a KelvoraError (a bad coefficient list); nothing else;
// - after any selection every property function at a spread of states returns a
//   finite number or raises KelvoraError: never NaN or an infinity;
// - the picker's data lines never show "inf" or "nan".
// Built and run by scripts/fuzz (see there for the options).
#include <cmath>
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "core/errors.h"
#include "tests/support/fuzzscratch.h"
#include "core/numtext.h"
#include "core/refriglib.h"
#include "core/refrigsummary.h"

namespace {

template <class F>
void Finite(F property)
{
    try {
        FUZZ_CHECK(std::isfinite(property()));
    } catch (const KelvoraError&) {
    }
}

void EveryProperty(TRefrigLib& lib)
{
    const double temperatures[] = {-40, 0, 5, 45, 120};
    for (const double t : temperatures) {
        Finite([&] { return lib.DewP(t); });
        Finite([&] { return lib.BubbleP(t); });
        Finite([&] { return lib.SatLiqVolume(t); });
        Finite([&] { return lib.SatLiqEnthalpy(t); });
        Finite([&] { return lib.SatVapEnthalpy(t); });
        Finite([&] { return lib.LatentHeat(t); });
        Finite([&] { return lib.SatVapVolume(t); });
        Finite([&] { return lib.SuperheatEnthalpy(t, t + 10); });
        Finite([&] { return lib.IsenExponent(t, 10, 40); });
        Finite([&] { return lib.IsenRise(t, t + 40, t + 10); });
    }
    for (const double p : {1e5, 5e5, 2e6}) {
        Finite([&] { return lib.DewT(p); });
        Finite([&] { return lib.BubbleT(p); });
        Finite([&] { return lib.Glide(p); });
        Finite([&] { return lib.SuperheatVolume(p, 30); });
        Finite([&] { return lib.SuperheatTemp(p, 430000); });
    }
    Finite([&] { return lib.GetPCrit(); });
    Finite([&] { return lib.GetTCrit(); });
    Finite([&] { return lib.GetTBoil(); });
    for (const auto& line : RefrigSummaryLines(lib, 0.0, 500.0)) {
        const std::size_t value = line.find(" = "); // the description before may hold any text
        if (value != std::string::npos)
            FUZZ_CHECK(line.find("inf", value) == std::string::npos && line.find("nan", value) == std::string::npos);
    }
}

// The records already swept in this run, by position and loaded name: selecting
// the same record again (by name, number, next or prior, or a failed selection that
// keeps it) gives the same properties, so each distinct record is swept once and
// the fuzzer spends its time on new inputs.
using TSwept = std::set<std::pair<int, std::string>>;

template <class F>
void Select(TRefrigLib& lib, TSwept& swept, F selection)
{
    try {
        selection();
    } catch (const KelvoraError&) {
    }
    if (swept.emplace(lib.GetIndex(), lib.LoadedName()).second)
        EveryProperty(lib);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TRefrigLib lib(FuzzFile("RefLib8.rdf", data, size));
    const auto& names = lib.RefrigNames();
    // The index: sorted without regard to case, each name once.
    for (std::size_t i = 1; i < names.size(); ++i)
        FUZZ_CHECK(LowerCase(names[i - 1]) < LowerCase(names[i]));
    TSwept swept;
    const int count = static_cast<int>(std::min<std::size_t>(names.size(), 4));
    for (int i = 0; i < count; ++i) {
        bool selected = false;
        Select(lib, swept, [&] {
            lib.SelectByIndex(i);
            selected = true;
        });
        FUZZ_CHECK(!selected || lib.GetIndex() == i);
    }
    Select(lib, swept, [&] { lib.SelectByName("R22"); });
    Select(lib, swept, [&] { lib.SelectByNumber(0); });
    if (!names.empty()) {
        Select(lib, swept, [&] { lib.SelectNext(); });
        Select(lib, swept, [&] { lib.SelectPrior(); });
    }
    return 0;
}
