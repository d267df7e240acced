// libFuzzer target over project files: load, solve, save, load again.
// Invariants, for any file:
// - a load either takes the file or raises a KelvoraError (foreign or other-version
//   file, a bad library section); a refused file changes no value;
// - every cycle value is a finite number after the load and after each solve,
//   which either works or raises a KelvoraError;
// - what was saved loads again, with every value to 15 significant digits, and
//   the exchange text of the model pastes back to three decimals.
// Built and run by scripts/fuzz (see there for the options).
#include <cmath>
#include <cstdint>
#include <string>

#include "core/cycle.h"
#include "core/cyclefields.h"
#include "core/errors.h"
#include "tests/support/fuzzlibrary.h"

namespace {

void AllFinite(const TKelvora& k)
{
    for (const auto& n : kCycleNumbers)
        FUZZ_CHECK(std::isfinite(k.*n.field));
}

bool Near(double a, double b, double relative, double absolute)
{
    return std::fabs(a - b) <= absolute + relative * std::fabs(a);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TRefrigLib& lib = FuzzLibrary();
    lib.SelectByName("R22");
    TKelvora k(lib);
    k.SetDefaults();
    const TKelvora before = k;
    try {
        k.LoadFromFile(FuzzFile("plant.rdf", data, size));
    } catch (const KelvoraError&) {
        for (const auto& n : kCycleNumbers)
            FUZZ_CHECK(k.*n.field == before.*n.field);
        return 0;
    }
    AllFinite(k);
    for (const int mode : {smIeGiven, smTdGiven}) {
        TKelvora solved = k;
        try {
            solved.Solve(mode);
        } catch (const KelvoraError&) {
        }
        AllFinite(solved);
    }

    const std::string saved = (FuzzScratchFolder() / "saved.rdf").string();
    k.SaveToFile(saved);
    TKelvora again(lib);
    again.LoadFromFile(saved);
    for (const auto& n : kCycleNumbers)
        FUZZ_CHECK(Near(k.*n.field, again.*n.field, 5e-15, 0));
    FUZZ_CHECK(again.DutyBasis == k.DutyBasis && again.LinkTeSST == k.LinkTeSST && again.LinkTcSDT == k.LinkTcSDT);

    TKelvora pasted(lib);
    pasted.PutClipText(k.GetClipText());
    for (const auto& n : kCycleNumbers)
        FUZZ_CHECK(Near(k.*n.field, pasted.*n.field, 1e-15, 0.0005));
    return 0;
}
