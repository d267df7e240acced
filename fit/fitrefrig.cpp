#include "fit/fitrefrig.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "fit/fitparts.h"

namespace {

// Suction superheats go up to 30 K; the superheated volume is fitted a little
// beyond, the discharge enthalpies out to the largest discharge superheat of the
// reference cycles plus this margin.
constexpr double kSuctionSuperheat = 30.0;
constexpr double kSuctionTSatTop = 20.0; // evaporating temperatures end here
constexpr double kVolumeSuperheat = 40.0;
constexpr double kDischargeMargin = 10.0;
// The fit range, °C, unless the fluid or the caller says otherwise.
constexpr double kDefaultTMin = -45.0;
constexpr double kDefaultTMax = 60.0;
constexpr double kLeastTMax = 50.0;
constexpr double kLeastBelowCritical = 15.0;
// Tolerances of the vapour enthalpy fit: J/kg, or shares of the latent heat
// (suction) and of the rise h2 − h1 (cycle discharge states).
constexpr double kSaturatedTol = 400.0;
constexpr double kSuctionTol = 1200.0;
constexpr double kSuctionShare = 0.003;
constexpr double kDischargeTol = 3000.0;
constexpr double kRiseShare = 0.008;
// Fewer transport values than this in the fit range leave the key out.
constexpr size_t kMinTransportRows = 10;

bool InRange(double t, const TFitRange& range)
{
    return t >= range.tMin - 1e-9 && t <= range.tMax + 1e-9;
}

template <size_t N>
void Assign(std::array<double, N>& field, const std::vector<double>& c)
{
    std::copy(c.begin(), c.end(), field.begin());
}

void SetIdentity(const TFluidInfo& info, const TFitRange& range, TFitResult& fit)
{
    TRefrigData& r = fit.data;
    r.InternalNumber = info.InternalNumber;
    r.RNumber = info.RNumber;
    r.Formula = info.Formula;
    r.ChemicalName = info.ChemicalName;
    r.CASNumber = info.CASNumber;
    r.Components = info.Components;
    r.RefState = "IIR";
    r.SourceFile = info.table;
    r.FluidType = info.FluidType;
    const auto put = [&](const char* key, const std::optional<double>& value, double& field) {
        if (value)
            field = *value;
        else
            fit.omitted.insert(key);
    };
    put("TCrit", info.TCrit, r.TCrit);
    put("PCrit", info.PCrit, r.PCrit);
    put("DCrit", info.DCrit, r.DCrit);
    put("wm", info.wm, r.wm);
    put("TTrip", info.TTrip, r.TTrip);
    put("TBoil", info.TBoil, r.TBoil);
    if (info.CASNumber.empty())
        fit.omitted.insert("CASNumber");
    r.TMin = range.tMin;
    r.TMax = range.tMax;
}

void FitSaturation(const std::vector<TSatRow>& sat, TRefrigData& r)
{
    std::vector<double> t, pDew, pBubble, hLiq, vLiq;
    for (const auto& s : sat) {
        t.push_back(s.t);
        pDew.push_back(s.pDew);
        pBubble.push_back(s.pBubble);
        hLiq.push_back(s.hLiq);
        vLiq.push_back(s.vLiq);
    }
    r.dp = FitSaturationCurve(t, pDew);
    // A pure fluid's bubble curve is its dew curve, so that the glide is exactly 0.
    r.bp = pBubble == pDew ? r.dp : FitSaturationCurve(t, pBubble);
    Assign(r.lh, FitPolynomial(t, hLiq, 3, 100.0, false));
    Assign(r.lv, FitPolynomial(t, vLiq, 3, 100.0, true));
    // The liquid temperature as a cubic in its enthalpy.
    Assign(r.th, FitPolynomial(hLiq, t, 3, 1e5, false));
}

void FitTransport(const std::vector<TTransRow>& rows, const TFitRange& range, TFitResult& fit)
{
    for (const auto& list : kTransportLists) {
        std::vector<double> t, y;
        for (const auto& row : rows)
            if (InRange(row.t, range) && row.value[list.quantity]) {
                t.push_back(row.t);
                y.push_back(*row.value[list.quantity]);
            }
        if (t.size() < kMinTransportRows) {
            fit.omitted.insert(list.key);
            continue;
        }
        const auto c = FitPolynomial(t, y, list.degree, 100.0, true);
        std::copy(c.begin(), c.end(), TransportCoefficients(fit.data, list.quantity));
    }
}

TVapourFitData VapourFitData(const TFluidTables& tables, const TFitRange& range, const std::vector<TSatRow>& sat,
                             const TFitOptions& options, TRefrigLib& saturation)
{
    TVapourFitData data;
    // A suction enthalpy error counts against the refrigerating effect, so its
    // tolerance follows the latent heat.
    const auto suctionTol = [&](double tSat) {
        for (const auto& s : sat)
            if (s.t == tSat)
                return std::min(kSuctionTol, kSuctionShare * (s.hVap - s.hLiq));
        return kSuctionTol;
    };
    for (const auto& s : sat)
        data.states.push_back({s.t, s.t, s.hVap, kSaturatedTol});
    const auto cycles = ReferenceCycles(tables, range.tMin, range.tCondMax, options.efficiency, options.subcooling);
    double tcLow = range.tCondMax, dischargeSuperheat = 0.0;
    for (const auto& c : cycles) {
        if (!c.td || *c.td > options.realDischargeTemp)
            continue;
        // The cycle model's discharge pressure is the bubble pressure at tc; the
        // vapour there has the dew temperature of that pressure.
        const double tsd = saturation.DewT(saturation.BubbleP(c.tc));
        data.rises.push_back({c.te, c.te + c.superheat, tsd, *c.td, c.h2 - c.h1, kRiseShare * (c.h2 - c.h1)});
        tcLow = std::min(tcLow, c.tc);
        dischargeSuperheat = std::max(dischargeSuperheat, *c.td - tsd);
    }
    const double superheatLimit = dischargeSuperheat + kDischargeMargin;
    for (const auto& s : tables.sup) {
        if (s.superheat <= 0.0 || s.tSat < range.tMin)
            continue;
        if (s.superheat <= kSuctionSuperheat && s.tSat <= std::min(kSuctionTSatTop, range.tMax))
            data.states.push_back({s.tSat, s.t, s.h, suctionTol(s.tSat)});
        else if (s.tSat >= tcLow && s.tSat <= range.tCondMax && s.superheat <= superheatLimit)
            data.states.push_back({s.tSat, s.t, s.h, kDischargeTol});
    }
    return data;
}

} // namespace

const TTransportList kTransportLists[tqCount] = {
    {tqCpLiq, "cl", 4},
    {tqCpVap, "cv", 4},
    {tqMuLiq, "ul", 3},
    {tqMuVap, "uv", 3},
    {tqKLiq, "kl", 3},
    {tqKVap, "kv", 3},
    {tqSigma, "si", 3},
};

double TransportValue(const TRefrigData& r, const TTransportList& list, double t)
{
    const double* c = TransportCoefficients(r, list.quantity);
    double sum = 0.0;
    for (int k = list.degree; k >= 0; --k)
        sum = sum * t + c[k];
    return sum;
}

TFitRange FitRange(const TFluidTables& tables, const TFitOptions& options)
{
    const double lowest = tables.sat.front().t, highest = tables.sat.back().t;
    const auto grid = [](double t) { return std::floor(t / 5.0 + 1e-9) * 5.0; };
    TFitRange range;
    range.tMin = options.tMin ? *options.tMin : -grid(-std::max(kDefaultTMin, lowest));
    // The cubics in t bend too little for the last 30 K below the critical point:
    // the range stops there, but not below 50 °C, and never within 15 K of it.
    double top = std::min(kDefaultTMax, highest);
    if (tables.info.TCrit)
        top = std::min(std::max(*tables.info.TCrit - 30.0, kLeastTMax), std::min(top, *tables.info.TCrit - kLeastBelowCritical));
    // A fluid's own top, where the tables give one, stands for the rule: the forms
    // miss the goals above it.
    range.tMax = options.tMax ? *options.tMax : tables.info.TMax ? *tables.info.TMax
                                                                 : grid(top);
    if (range.tMin < lowest || range.tMax > highest || range.tMin >= range.tMax)
        throw DataFormatError(tables.info.RNumber + ": the fit range lies outside the table");
    range.tCondMax = range.tMax;
    double lowestAbove = INFINITY;
    bool within = false;
    for (const auto& row : tables.isen) {
        within = within || row.tc <= range.tMax;
        if (row.tc > range.tMax)
            lowestAbove = std::min(lowestAbove, row.tc);
    }
    if (!within && std::isfinite(lowestAbove))
        range.tCondMax = lowestAbove;
    return range;
}

TFitResult FitRefrigerant(const TFluidTables& tables, const TFitOptions& options)
{
    const TFitRange range = FitRange(tables, options);
    TFitResult fit;
    fit.data = DefaultRefrigData();
    SetIdentity(tables.info, range, fit);
    TRefrigData& r = fit.data;

    std::vector<TSatRow> sat;
    for (const auto& s : tables.sat)
        if (InRange(s.t, range))
            sat.push_back(s);
    FitSaturation(sat, r);

    {
        TRecordLibrary saturation(r);
        FitVapourEnthalpy(VapourFitData(tables, range, sat, options, saturation.Lib()), r);
    }

    std::vector<TSupRow> volumeRows;
    for (const auto& s : tables.sup)
        if (InRange(s.tSat, range) && s.superheat > 0.0 && s.superheat <= kVolumeSuperheat)
            volumeRows.push_back(s);
    FitVapourVolume(sat, volumeRows, r);

    std::vector<TIsenRow> isen;
    for (const auto& row : tables.isen)
        if (InRange(row.te, range) && row.tc <= range.tCondMax)
            isen.push_back(row);
    if (!isen.empty()) {
        TRecordLibrary fitted(r);
        TRefrigLib& lib = fitted.Lib();
        // How far the fitted refrigerating effect h1 − h3 of each row's cycle lies
        // from the tables', so that the exponent fit can keep the COP in view.
        std::vector<double> effectRatio(isen.size(), 1.0);
        const auto cycles = ReferenceCycles(tables, range.tMin, range.tCondMax, options.efficiency, options.subcooling);
        for (size_t i = 0; i < isen.size(); ++i)
            for (const auto& c : cycles)
                if (c.te == isen[i].te && c.tc == isen[i].tc && c.superheat == isen[i].superheat) {
                    const double h1 = lib.SuperheatEnthalpy(c.te, c.te + c.superheat);
                    const double h3 = lib.SatLiqEnthalpy(c.tc - options.subcooling);
                    effectRatio[i] = (h1 - h3) / (c.h1 - c.h3);
                }
        FitIsentropicExponent(isen, effectRatio, lib, r);
    }

    FitTransport(tables.trans, range, fit);
    return fit;
}
