// libFuzzer target over the exchange text as kelvora-cli pastes it from a file.
// Invariants, for any text:
// - a paste either takes the text or raises a KelvoraError (a short text, a bad
//   refrigerant line); a refused text changes no value;
// - every value taken is a finite number;
// - the pasted cycle saved as a project loads again with every value to 15
//   significant digits and the same refrigerant.
// Built and run by scripts/fuzz (see there for the options).
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/cliptext.h"
#include "core/cycle.h"
#include "core/cyclefields.h"
#include "core/errors.h"
#include "tests/support/fuzzlibrary.h"
#include "core/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TRefrigLib& lib = FuzzLibrary();
    lib.SelectByName("R22");
    TKelvora k(lib);
    k.SetDefaults();
    const TKelvora before = k;
    const auto lines = SplitTextLines(FileTextToUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    try {
        k.PutClipText(lines);
    } catch (const KelvoraError&) {
        for (const auto& n : kCycleNumbers)
            FUZZ_CHECK(k.*n.field == before.*n.field);
        return 0;
    }
    for (const auto& n : kCycleNumbers)
        FUZZ_CHECK(std::isfinite(k.*n.field));

    const std::string saved = (FuzzScratchFolder() / "pasted.rdf").string();
    k.SaveToFile(saved);
    const std::string name = lib.GetName();
    lib.SelectByName("R134a");
    TKelvora again(lib);
    again.LoadFromFile(saved);
    FUZZ_CHECK(lib.GetName() == name);
    for (const auto& n : kCycleNumbers)
        FUZZ_CHECK(std::fabs(k.*n.field - again.*n.field) <= 5e-15 * std::fabs(k.*n.field));
    FUZZ_CHECK(again.DutyBasis == k.DutyBasis);
    return 0;
}
