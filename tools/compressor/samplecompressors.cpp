#include "tools/compressor/samplecompressors.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/numtext.h"
#include "core/pathjoin.h"

namespace {

constexpr const char* kSampleNote = "Generated sample data - not any maker's published figures";

// Rating conventions: superheat 10 K and no sub-cooling (European practice), or a
// suction gas temperature of 18.3 °C with 8.3 K sub-cooling (65 °F and 15 °F, American practice).
const std::vector<TSampleRange> kRanges = {
    {"Sample-R22-Scroll.cmp", "Zandrovel compressor file v 1.03", vaUtf8String, vaDouble, false, 10.0, 18.3, 8.3, -20, 15, 25, 60, {
                                                                                                                                       {"Sample SZ-050", "scroll", 5.0, 0.015, 0.66, 0.92},
                                                                                                                                       {"Sample SZ-068", "scroll", 6.8, 0.015, 0.67, 0.92},
                                                                                                                                       {"Sample SZ-092", "scroll", 9.2, 0.015, 0.68, 0.92},
                                                                                                                                       {"Sample SZ-123", "scroll", 12.3, 0.015, 0.69, 0.92},
                                                                                                                                       {"Sample SZ-164", "scroll", 16.4, 0.015, 0.70, 0.92},
                                                                                                                                       {"Sample SZ-218", "scroll", 21.8, 0.015, 0.70, 0.92},
                                                                                                                                       {"Sample SZ-289", "scroll", 28.9, 0.015, 0.71, 0.92},
                                                                                                                                   }},
    {"Sample-R22-Reciprocating.cmp", "Zandrovel compressor file v 1.02", vaWString, vaExtended, true, 10.0, kNoSuctionGas, 0.0, -25, 10, 25, 60, {
                                                                                                                                                     {"Sample SR-081", "semi-hermetic reciprocating", 8.1, 0.045, 0.62, 0.85},
                                                                                                                                                     {"Sample SR-126", "semi-hermetic reciprocating", 12.6, 0.045, 0.63, 0.85},
                                                                                                                                                     {"Sample SR-192", "semi-hermetic reciprocating", 19.2, 0.042, 0.64, 0.85},
                                                                                                                                                     {"Sample SR-295", "semi-hermetic reciprocating", 29.5, 0.040, 0.65, 0.85},
                                                                                                                                                 }},
    {"Sample-R22-Legacy.cmp", "Zandrovel compressor file v 1.00", vaString, vaExtended, false, 11.1, kNoSuctionGas, 8.3, -25, 10, 25, 55, {
                                                                                                                                              {"Sample HR-062", "hermetic reciprocating", 6.2, 0.055, 0.55, 0.90},
                                                                                                                                              {"Sample HR-094", "hermetic reciprocating", 9.4, 0.055, 0.56, 0.90},
                                                                                                                                              {"Sample HR-138", "hermetic reciprocating", 13.8, 0.050, 0.57, 0.90},
                                                                                                                                          }},
};

TDoubleDynArray Steps(double lo, double hi, double step)
{
    TDoubleDynArray v;
    for (int k = 0; lo + k * step <= hi + 1e-9; ++k)
        v.push_back(lo + k * step);
    return v;
}

// W = (AᵀA)⁻¹Aᵀ for the rows [1, x, x²] of A: the least-squares weights of a quadratic.
std::array<std::vector<double>, 3> QuadraticWeights(const TDoubleDynArray& x)
{
    double m[3][6] = {};
    for (double xv : x) {
        const double p[3] = {1, xv, xv * xv};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                m[r][c] += p[r] * p[c];
    }
    for (int r = 0; r < 3; ++r)
        m[r][3 + r] = 1;
    // Gauss-Jordan with partial pivoting on [AᵀA | I].
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 3; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col]))
                pivot = r;
        std::swap(m[col], m[pivot]);
        const double d = m[col][col];
        for (double& v : m[col])
            v /= d;
        for (int r = 0; r < 3; ++r)
            if (r != col) {
                const double f = m[r][col];
                for (int c = 0; c < 6; ++c)
                    m[r][c] -= f * m[col][c];
            }
    }
    std::array<std::vector<double>, 3> w;
    for (int r = 0; r < 3; ++r)
        for (double xv : x)
            w[r].push_back(m[r][3] + m[r][4] * xv + m[r][5] * xv * xv);
    return w;
}

} // namespace

const std::vector<TSampleRange>& SampleRanges()
{
    return kRanges;
}

TSamplePoint SamplePerformance(TRefrigLib& lib, const TSampleCompressor& c, double te, double tc, double ts,
                               double sc)
{
    const double ps = lib.DewP(te);
    const double pd = lib.DewP(tc);
    const double ratio = pd / ps;
    // Re-expansion of the clearance gas and a little leakage that grows with the ratio.
    const double etaV = std::max(0.05, 0.97 - c.clearance * (std::pow(ratio, 1 / 1.15) - 1) - 0.005 * ratio);
    // Best near a pressure ratio of 3, falling off on both sides.
    const double off = std::log(ratio / 3);
    const double etaIs = std::max(0.2, c.peakEfficiency * (1 - 0.18 * off * off));
    const double mass = etaV * c.sweptVolume / 3600 / lib.SuperheatVolume(ps, ts);
    const double effect = lib.SuperheatEnthalpy(te, ts) - lib.SatLiqEnthalpy(tc - sc);
    return {mass * effect * 0.001, mass * lib.IsenRise(te, tc, ts) / etaIs * 0.001};
}

TSamplePoint RatedPerformance(TRefrigLib& lib, const TSampleRange& range, const TSampleCompressor& c, double te,
                              double tc)
{
    const double ts = range.refSuctionGas > -100 ? range.refSuctionGas : te + range.refSuperheat;
    return SamplePerformance(lib, c, te, tc, ts, range.refSubcooling);
}

TPolyCoefs FitPoly2(const TDoubleDynArray& teAxis, const TDoubleDynArray& tcAxis, const TFloatMat& z)
{
    // The nine terms are the products of {1, te, te²} and {1, tc, tc²}, so on a full
    // grid the fit separates: C = Wte · Zᵀ · Wtcᵀ.
    const auto we = QuadraticWeights(teAxis);
    const auto wc = QuadraticWeights(tcAxis);
    double cpq[3][3] = {};
    for (int p = 0; p < 3; ++p)
        for (int q = 0; q < 3; ++q)
            for (std::size_t b = 0; b < tcAxis.size(); ++b)
                for (std::size_t a = 0; a < teAxis.size(); ++a)
                    cpq[p][q] += we[p][a] * z[b][a] * wc[q][b];
    // Poly2's order: 1, te, te², tc, tc², te tc, te² tc, te tc², te² tc².
    return {cpq[0][0], cpq[1][0], cpq[2][0], cpq[0][1], cpq[0][2], cpq[1][1], cpq[2][1], cpq[1][2], cpq[2][2]};
}

TCompData SampleRecord(TRefrigLib& lib, const TSampleRange& range, std::size_t position)
{
    const TSampleCompressor& c = range.compressors.at(position);
    TCompData d;
    d.CompName = c.name;
    d.CompDescription = std::string("Sample ") + c.kind + ", " + FormatNumber("%0.1f", c.sweptVolume) +
        " m³/h swept volume. " + kSampleNote;
    d.WholeNumber = static_cast<std::int32_t>(position + 1);
    d.HeatRejectionFactor = c.heatRejectionFactor;
    d.RefSuperheat = range.refSuperheat;
    d.RefSuctionGas = range.refSuctionGas;
    d.RefSubcooling = range.refSubcooling;

    const double step = range.tables ? 5.0 : 2.5;
    const TDoubleDynArray te = Steps(range.suctionLo, range.suctionHi, step);
    const TDoubleDynArray tc = Steps(range.dischargeLo, range.dischargeHi, 5.0);
    TFloatMat cap(tc.size(), TDoubleDynArray(te.size()));
    TFloatMat power = cap;
    for (std::size_t j = 0; j < tc.size(); ++j)
        for (std::size_t i = 0; i < te.size(); ++i) {
            const TSamplePoint p = RatedPerformance(lib, range, c, te[i], tc[j]);
            cap[j][i] = p.capacity;
            power[j][i] = p.power;
        }

    if (!range.tables) {
        d.HasPoly = true;
        d.CapPoly = FitPoly2(te, tc, cap);
        d.PowerPoly = FitPoly2(te, tc, power);
        return d;
    }
    d.HasTable = true;
    d.TeAxis = te;
    d.TcAxis = tc;
    d.CellFlags.assign(tc.size(), std::vector<std::int32_t>(te.size(), 0));
    d.CapTable = cap;
    d.PowerTable = power;
    for (std::size_t j = 0; j < tc.size(); ++j)
        for (std::size_t i = 0; i < te.size(); ++i) {
            d.CapTable[j][i] = std::round(cap[j][i] * 1000); // W
            d.PowerTable[j][i] = std::round(power[j][i] * 1000) / 1000;
        }
    if (position == 1) {
        // The hot corner of the envelope: no data where the motor would be
        // overloaded, and a flagged value where the discharge gas runs too hot.
        const std::size_t top = tc.size() - 1;
        d.CapTable[top][te.size() - 1] = kMissingValue;
        d.PowerTable[top][te.size() - 1] = kMissingValue;
        d.CellFlags[top][0] = 1;
    }
    return d;
}

std::vector<std::string> WriteSampleFiles(TRefrigLib& lib, const std::string& folder)
{
    std::vector<std::string> paths;
    for (const auto& range : kRanges) {
        lib.SelectByName("R22");
        TCompHeader h;
        h.VersionText = range.versionText;
        h.HeaderText2 = "Sample compressors";
        h.HeaderText3 = kSampleNote;
        h.RefrigNumber = lib.NumberOf("R22");
        h.SuctionLo = range.suctionLo;
        h.SuctionHi = range.suctionHi;
        h.DischargeLo = range.dischargeLo;
        h.DischargeHi = range.dischargeHi;
        std::vector<TCompData> records;
        for (std::size_t k = 0; k < range.compressors.size(); ++k)
            records.push_back(SampleRecord(lib, range, k));
        paths.push_back(PathJoin(folder, range.fileName));
        WriteCompFile(paths.back(), h, records, range.stringTag, range.floatTag);
    }
    return paths;
}
