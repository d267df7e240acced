#include "tools/mollier/molliercycle.h"

#include "core/checkedmath.h"
#include "core/datarange.h"
#include "core/errors.h"
#include "core/numtext.h"

namespace {

constexpr double kKilo = 1000.0;
constexpr double kMilli = 0.001;

} // namespace

TMollierCycle SolveMollierCycle(TRefrigLib& lib, const TMollierArgs& args)
{
    if (args.Position == -1)
        lib.OpenLibraryFile(lib.LibraryFile()); // back to the built-in record
    else
        lib.SelectByIndex(args.Position);

    TKelvora k(lib);
    k.rnum = lib.GetName();
    k.Ie = args.Ie;
    k.SST = args.SST;
    k.te = args.SST;
    k.sh = args.sh;
    k.sc = args.sc;
    k.HP = lib.DewP(args.DewTHP) * kMilli;
    k.SDT = lib.BubbleT(k.HP * kKilo);
    k.tc = k.SDT;
    k.LinkTeSST = true;
    k.LinkTcSDT = true;
    k.Solve(smIeGiven);

    TMollierCycle c;
    c.Refrigerant = lib.GetName();
    c.SST = k.SST;
    c.SDT = k.SDT;
    c.sh = k.sh;
    c.sc = k.sc;
    c.COP = k.COPc;
    c.ErrCount = k.ErrCount;
    c.DataRangeWarning = DataRangeWarning(k);
    c.Points[0] = {k.LP, k.h1, k.ts};
    c.Points[1] = {k.HP, k.h2, k.td};
    c.Points[2] = {k.HP, k.h3, k.tl};
    c.Points[3] = {k.LP, k.h3, TwoPhaseTemperature(lib, k.LP * kKilo, k.h3 * kKilo)};
    double t2s = k.td;
    try {
        t2s = lib.SuperheatTemp(k.HP * kKilo, k.h2i * kKilo);
    } catch (const ArithmeticError&) {
        ++c.ErrCount;
    }
    c.Isentropic = {k.HP, k.h2i, t2s};
    return c;
}

double TwoPhaseTemperature(const TRefrigLib& lib, double p, double h)
{
    const double tb = lib.BubbleT(p);
    const double td = lib.DewT(p);
    const double hl = lib.SatLiqEnthalpy(tb);
    const double hv = lib.SatVapEnthalpy(td);
    double x = CheckedDiv(h - hl, hv - hl);
    x = x < 0 ? 0 : (x > 1 ? 1 : x);
    return tb + x * (td - tb);
}

std::string PointLines(const TMollierCycle& cycle)
{
    std::string text;
    for (size_t i = 0; i < cycle.Points.size(); ++i) {
        const TStatePoint& s = cycle.Points[i];
        text += FormatNumber("%d", static_cast<long long>(i + 1)) + "\t" + FormatNumber("%0.3f", s.p) + "\t" +
            FormatNumber("%0.3f", s.h) + "\t" + FormatNumber("%0.3f", s.T) + "\n";
    }
    return text;
}

std::string MollierTextOf(const TKelvora& cycle)
{
    return FormatNumber("%d", static_cast<long long>(cycle.Lib().GetIndex())) + " " +
        FormatNumber("%0.3f", cycle.Ie) + " " + FormatNumber("%0.3f", cycle.SST) + " " +
        FormatNumber("%0.3f", cycle.Lib().DewT(kKilo * cycle.HP)) + " " + FormatNumber("%0.2f", cycle.sh) + " " +
        FormatNumber("%0.2f", cycle.sc);
}
