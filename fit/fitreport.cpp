#include "fit/fitreport.h"

#include <cmath>

#include "core/cycle.h"
#include "core/numtext.h"
#include "fit/refcycle.h"

namespace {

const TQuantityInfo kQuantities[rqCount] = {
    {"dew pressure", "%"},
    {"bubble pressure", "%"},
    {"saturated liquid enthalpy", "kJ/kg"},
    {"saturated vapour enthalpy", "kJ/kg"},
    {"suction vapour enthalpy (up to 20 °C, superheat up to 30 K)", "kJ/kg"},
    {"discharge enthalpy, share of the rise h2 - h1", "%"},
    {"isentropic rise", "%"},
    {"cycle COP", "%"},
    {"cycle discharge temperature", "K"},
    {"cycle discharge temperature, discharge above 150 °C", "K"},
    {"saturated liquid volume", "%"},
    {"saturated vapour volume", "%"},
    {"suction vapour volume (up to 20 °C, superheat up to 30 K)", "%"},
    {"liquid temperature from its enthalpy (th)", "K"},
    {"liquid heat capacity (cl)", "%"},
    {"vapour heat capacity (cv)", "%"},
    {"liquid viscosity (ul)", "%"},
    {"vapour viscosity (uv)", "%"},
    {"liquid conductivity (kl)", "%"},
    {"vapour conductivity (kv)", "%"},
    {"surface tension (si)", "%"},
};

constexpr double kSuctionSuperheat = 30.0;
constexpr double kSuctionTSatTop = 20.0;

bool InRange(double t, const TFitRange& range)
{
    return t >= range.tMin - 1e-9 && t <= range.tMax + 1e-9;
}

double Percent(double fitted, double reference)
{
    return 100.0 * (fitted / reference - 1.0);
}

double Cubic(const std::array<double, 4>& c, double x)
{
    return c[0] + x * (c[1] + x * (c[2] + x * c[3]));
}

// The cycle model's solution of one reference cycle: saturation temperatures as
// evaporating and condensing temperatures, efficiency given.
TKelvora SolveCycle(TRefrigLib& lib, const TCycleCase& c, const TFitOptions& options)
{
    TKelvora cycle(lib);
    cycle.te = cycle.SST = c.te;
    cycle.tc = cycle.SDT = c.tc;
    cycle.sh = c.superheat;
    cycle.sc = options.subcooling;
    cycle.Ie = options.efficiency;
    cycle.DutyBasis = dbCoolingLoad;
    cycle.qe = 1.0;
    cycle.Solve(smIeGiven);
    return cycle;
}

} // namespace

const TQuantityInfo& QuantityInfo(TReportQuantity q)
{
    return kQuantities[q];
}

TFluidReport CompareWithTables(const TFitResult& fit, const TFluidTables& tables, const TFitOptions& options)
{
    TFluidReport report;
    report.name = fit.data.RNumber;
    report.range = FitRange(tables, options);
    if (!options.tMax && tables.info.TMax)
        report.rangeNote = tables.info.rangeNote;
    const TFitRange& range = report.range;
    TRecordLibrary record(fit.data);
    TRefrigLib& lib = record.Lib();
    const TRefrigData& r = lib.Data();
    auto& dev = report.deviation;

    for (const auto& s : tables.sat) {
        if (!InRange(s.t, range))
            continue;
        dev[rqDewPressure].Add(Percent(lib.DewP(s.t), s.pDew));
        dev[rqBubblePressure].Add(Percent(lib.BubbleP(s.t), s.pBubble));
        dev[rqLiquidEnthalpy].Add(0.001 * (lib.SatLiqEnthalpy(s.t) - s.hLiq));
        dev[rqVapourEnthalpy].Add(0.001 * (lib.SatVapEnthalpy(s.t) - s.hVap));
        dev[rqLiquidVolume].Add(Percent(lib.SatLiqVolume(s.t), s.vLiq));
        dev[rqVapourVolume].Add(Percent(lib.SatVapVolume(s.t), s.vVap));
        dev[rqLiquidTemperature].Add(Cubic(r.th, s.hLiq) - s.t);
    }
    for (const auto& s : tables.sup) {
        if (!InRange(s.tSat, range) || s.tSat > kSuctionTSatTop || s.superheat <= 0.0 ||
            s.superheat > kSuctionSuperheat)
            continue;
        dev[rqSuctionEnthalpy].Add(0.001 * (lib.SuperheatEnthalpy(s.tSat, s.t) - s.h));
        dev[rqSuperheatVolume].Add(Percent(lib.SuperheatVolume(lib.DewP(s.tSat), s.t), s.v));
    }
    for (const auto& row : tables.isen)
        if (InRange(row.te, range) && row.tc <= range.tCondMax)
            dev[rqIsentropicRise].Add(Percent(lib.IsenRise(row.te, row.tc, row.te + row.superheat), row.dh));

    for (const auto& c : ReferenceCycles(tables, range.tMin, range.tCondMax, options.efficiency, options.subcooling)) {
        ++report.cycles;
        const TKelvora model = SolveCycle(lib, c, options);
        dev[rqCycleCOP].Add(Percent(model.COPc, c.cop));
        if (!c.td) {
            ++report.cyclesBeyond;
            continue;
        }
        if (*c.td > options.realDischargeTemp) {
            dev[rqHotDischargeTemp].Add(model.td - *c.td);
            continue;
        }
        dev[rqDischargeTemp].Add(model.td - *c.td);
        const double ts = c.te + c.superheat;
        const double tsd = lib.DewT(lib.BubbleP(c.tc));
        const double rise = lib.SuperheatEnthalpy(tsd, *c.td) - lib.SuperheatEnthalpy(c.te, ts);
        dev[rqDischargeRise].Add(Percent(rise, c.h2 - c.h1));
    }

    // The transport lists in the order of their report quantities.
    for (const auto& row : tables.trans) {
        if (!InRange(row.t, range))
            continue;
        for (int i = 0; i < tqCount; ++i) {
            const TTransportList& list = kTransportLists[i];
            if (row.value[list.quantity])
                dev[rqCpLiquid + i].Add(Percent(TransportValue(r, list, row.t), *row.value[list.quantity]));
        }
    }
    return report;
}

std::string ReportText(const std::vector<TFluidReport>& reports)
{
    std::string text;
    const auto table = [&](int first, int last) {
        text += first == 0 ? "| fluid | range °C | cycles (beyond the tables) |" : "| fluid | range °C |";
        for (int q = first; q < last; ++q)
            text += std::string(" ") + kQuantities[q].name + " (" + kQuantities[q].unit + ") |";
        text += first == 0 ? "\n|---|---|---|" : "\n|---|---|";
        for (int q = first; q < last; ++q)
            text += "---|";
        text += "\n";
        for (const auto& rep : reports) {
            text += "| " + rep.name + " | " + FormatNumber("%.0f", rep.range.tMin) + " … " +
                FormatNumber("%.0f", rep.range.tMax);
            if (rep.range.tCondMax != rep.range.tMax)
                text += FormatNumber(", cycles to %.0f", rep.range.tCondMax);
            text += " |";
            if (first == 0)
                text += " " + std::to_string(rep.cycles) + " (" + std::to_string(rep.cyclesBeyond) + ") |";
            for (int q = first; q < last; ++q) {
                const TDeviation& d = rep.deviation[q];
                text += d.count == 0 ? std::string(" – |")
                                     : " " + FormatNumber("%.3g", d.max) + " / " + FormatNumber("%.2g", d.Rms()) + " |";
            }
            text += "\n";
        }
        text += "\n";
    };
    table(rqDewPressure, rqLiquidVolume);
    bool noted = false;
    for (const auto& rep : reports)
        if (!rep.rangeNote.empty()) {
            text += "- " + rep.name + FormatNumber(" to %.0f °C: ", rep.range.tMax) + rep.rangeNote + "\n";
            noted = true;
        }
    if (noted)
        text += "\n";
    table(rqLiquidVolume, rqCount);
    return text;
}
