// libFuzzer target over the compressor file reader and the table lookup, built and
// run by scripts/fuzz, never by the test run.
// Any input must read as a file or end in a read error; no crash, hang or leak.
#include <cstdint>
#include <cstdio>

#include "tools/compressor/compdata.h"
#include "core/errors.h"
#include "tools/compressor/interpolator.h"

namespace {

void LookUp(const TCompData& d)
{
    if (d.HasPoly)
        Poly2(d.CapPoly, 5, 45);
    if (!d.HasTable)
        return;
    const double points[][2] = {{-40, 20}, {5, 45}, {15, 70}, {d.TeAxis.front(), d.TcAxis.back()}};
    for (const auto& p : points) {
        TInterpolator t;
        t.Locate(d.TeAxis, d.TcAxis, d.CellFlags, d.CapTable, p[0], p[1]);
        t.Evaluate(d.CapTable);
        t.Evaluate(d.PowerTable);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* stream = size ? fmemopen(const_cast<std::uint8_t*>(data), size, "rb") : std::tmpfile();
    if (!stream)
        return 0;
    try {
        TCmpReader reader(stream, size, "fuzz.cmp");
        const TCompHeader h = ReadCompHeader(reader);
        ReadRecordList(reader, h.VersionText, [](const TCompData& d) {
            LookUp(d);
            return true;
        });
    } catch (const DataFormatError&) {
    }
    return 0;
}
