// The cycle model and its solver.
#include "core/cycle.h"

#include "core/checkedmath.h"
#include "core/errors.h"
#include "core/numeric.h"
#include "core/productinfo.h"

namespace {

// The model holds kPa and kJ/kg; the property library takes and gives Pa and J/kg.
constexpr double kKilo = 1000.0;
constexpr double kMilli = 0.001;

} // namespace

TKelvora::TKelvora(TRefrigLib& lib) : lib_(&lib) { }

void TKelvora::SetDefaults()
{
    rnum = "R22";
    lib_->SelectByName(rnum);
    te = 5.0;
    tc = 45.0;
    sh = 7.5;
    sc = 5.0;
    Ie = 0.72;
    dtc = 10.0;
    itdc = 10.0;
    dte = 6.0;
    itde = 18.0;
    SST = te;
    SDT = tc;
    ts = SST + sh;
    tl = SDT - sc;
    DutyBasis = dbCoolingLoad;
    LinkTeSST = true;
    LinkTcSDT = true;
    Solve(smIeGiven);
}

void TKelvora::Solve(std::int32_t mode)
{
    TRefrigLib& lib = *lib_;
    ErrCount = 0;
    // The saturation temperatures are the inputs; the pressures follow from them.
    HP = lib.BubbleP(SDT) * kMilli;
    LP = lib.DewP(SST) * kMilli;
    Pr = CheckedDiv(HP, LP);
    ts = CheckFinite(te + sh);
    tl = CheckFinite(tc - sc);
    h1 = lib.SuperheatEnthalpy(te, ts) * kMilli;
    // The compressor works between the saturation pressures; its suction state is ts.
    dhIsen = lib.IsenRise(SST, SDT, ts) * kMilli;
    h2i = CheckFinite(h1 + dhIsen);

    if (mode == smTdGiven) {
        h2 = lib.SuperheatEnthalpy(lib.DewT(HP * kKilo), td) * kMilli;
        dhComp = CheckFinite(h2 - h1);
        Ie = SafeDiv(h2i - h1, dhComp, 1.0);
        if (Ie >= 1.0)
            ++ErrCount;
    } else if (mode == smIeGiven) {
        dhComp = SafeDiv(dhIsen, Ie, dhIsen);
        // SafeDiv hands back dhIsen itself for Ie = 1 and its magnitude for Ie = 0.
        if (dhComp == dhIsen)
            ++ErrCount;
        h2 = CheckFinite(h1 + dhComp);
        try {
            td = lib.SuperheatTemp(HP * kKilo, h2 * kKilo);
        } catch (const ArithmeticError&) {
            td = 1000.0;
            ++ErrCount;
        }
    }

    h3 = lib.SatLiqEnthalpy(tl) * kMilli;
    dhEvap = CheckFinite(h1 - h3);
    dhCond = CheckFinite(h2 - h3);
    COPc = SafeDiv(dhEvap, dhComp, 0.0);
    COPh = SafeDiv(dhCond, dhComp, 0.0);

    // Plain divisions: a zero divisor ends the solve.
    switch (DutyBasis) {
    case dbCompressorPower:
        mr = CheckedDiv(pw, dhComp);
        qe = CheckFinite(mr * dhEvap);
        qc = CheckFinite(mr * dhCond);
        break;
    case dbHeatRejection:
        mr = CheckedDiv(qc, dhCond);
        qe = CheckFinite(mr * dhEvap);
        pw = CheckFinite(mr * dhComp);
        break;
    default:
        mr = CheckedDiv(qe, dhEvap);
        qc = CheckFinite(mr * dhCond);
        pw = CheckFinite(mr * dhComp);
        break;
    }

    h4b = lib.SatLiqEnthalpy(te) * kMilli;
    h4d = lib.SatVapEnthalpy(te) * kMilli;
    x4 = SafeDiv(h3 - h4b, h4d - h4b, 0.0);
    if (x4 < 0.0) {
        x4 = 0.0;
        ++ErrCount;
    }
}

std::string TKelvora::VersionText()
{
    return KELVORA_PRODUCT_NAME " " KELVORA_VERSION;
}

std::int32_t TKelvora::Classify(double value, double low, double high)
{
    if (!(value >= low)) // a value that is not a number counts as low
        return -1;
    if (value > high)
        return 1;
    return 0;
}

bool TKelvora::ClassesAre(std::int32_t hpClass, std::int32_t lpClass, std::int32_t shClass, std::int32_t scClass) const
{
    return HPClass == hpClass && LPClass == lpClass && SHClass == shClass && SCClass == scClass;
}
