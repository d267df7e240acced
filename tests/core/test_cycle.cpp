// The cycle model: construction, the default cycle and the solver's modes,
// duty bases, counted failures and the faults that end a solve.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/cycle.h"
#include "core/errors.h"
#include "tests/support/tempfolder.h"

namespace {

using Field = double TKelvora::*;

struct TExpected {
    const char* name;
    Field field;
    double value;
    double tolerance; // half a unit of the last digit known
};

void ExpectFields(const TKelvora& k, std::initializer_list<TExpected> rows)
{
    for (const auto& row : rows)
        EXPECT_NEAR(k.*row.field, row.value, row.tolerance) << row.name;
}

// A model on its own library without a file: the built-in R22 record.
class Cycle : public ::testing::Test {
protected:
    TRefrigLib lib {""};
    TKelvora k {lib};
};

// The default cycle, solved with the isentropic efficiency given.
class DefaultCycle : public Cycle {
protected:
    void SetUp() override { k.SetDefaults(); }
};

} // namespace

TEST_F(Cycle, NewModel)
{
    EXPECT_EQ(k.ErrCount, 0);
    EXPECT_EQ(k.DutyBasis, dbCoolingLoad);
    EXPECT_EQ(k.HPClass | k.LPClass | k.SHClass | k.SCClass, 0);
    EXPECT_EQ(k.rnum, "");
    EXPECT_FALSE(k.LinkTeSST);
    EXPECT_FALSE(k.LinkTcSDT);
    EXPECT_EQ(k.hrf, 0.95);
    using K = TKelvora;
    const Field zeros[] = {
        &K::LP,
        &K::HP,
        &K::Pr,
        &K::SST,
        &K::SDT,
        &K::sh,
        &K::sc,
        &K::te,
        &K::tc,
        &K::ts,
        &K::td,
        &K::tl,
        &K::dte,
        &K::itde,
        &K::dtc,
        &K::itdc,
        &K::COPc,
        &K::COPh,
        &K::x4,
        &K::mr,
        &K::Ie,
        &K::pw,
        &K::qe,
        &K::qc,
        &K::h1,
        &K::h2,
        &K::h2i,
        &K::h3,
        &K::dhEvap,
        &K::dhCond,
        &K::dhComp,
        &K::dhIsen,
        &K::h4d,
        &K::h4b,
    };
    for (const Field& f : zeros)
        EXPECT_EQ(k.*f, 0.0) << "field " << (&f - zeros);
    EXPECT_EQ(&k.Lib(), &lib);
}

TEST(CycleModel, UsesTheSharedLibraryByDefault)
{
    TKelvora k;
    EXPECT_EQ(&k.Lib(), &SharedRefrigLib());
}

TEST(CycleModel, VersionText)
{
    EXPECT_EQ(TKelvora::VersionText(), "Kelvora 1.2.0.0");
}

TEST_F(DefaultCycle, InputsAndFlags)
{
    EXPECT_EQ(k.rnum, "R22");
    EXPECT_EQ(lib.GetName(), "R22");
    EXPECT_EQ(k.te, 5.0);
    EXPECT_EQ(k.tc, 45.0);
    EXPECT_EQ(k.SST, 5.0);
    EXPECT_EQ(k.SDT, 45.0);
    EXPECT_EQ(k.sh, 7.5);
    EXPECT_EQ(k.sc, 5.0);
    EXPECT_EQ(k.Ie, 0.72);
    EXPECT_EQ(k.dtc, 10.0);
    EXPECT_EQ(k.itdc, 10.0);
    EXPECT_EQ(k.dte, 6.0);
    EXPECT_EQ(k.itde, 18.0);
    EXPECT_EQ(k.DutyBasis, dbCoolingLoad);
    EXPECT_TRUE(k.LinkTeSST);
    EXPECT_TRUE(k.LinkTcSDT);
    EXPECT_EQ(k.hrf, 0.95);
}

TEST_F(DefaultCycle, StatePoints)
{
    EXPECT_EQ(k.ErrCount, 0);
    ExpectFields(k, {
                        {"HP", &TKelvora::HP, 1735.966, 5e-4},
                        {"LP", &TKelvora::LP, 586.201, 5e-4},
                        {"Pr", &TKelvora::Pr, 2.96138, 5e-6},
                        {"ts", &TKelvora::ts, 12.5, 1e-12},
                        {"tl", &TKelvora::tl, 40.0, 1e-12},
                        {"h1", &TKelvora::h1, 412.382, 5e-4},
                        {"dhIsen", &TKelvora::dhIsen, 28.200, 5e-4},
                        {"h2i", &TKelvora::h2i, 440.582, 5e-4},
                        {"dhComp", &TKelvora::dhComp, 39.166, 5e-4},
                        {"h2", &TKelvora::h2, 451.549, 5e-4},
                        {"td", &TKelvora::td, 82.326, 5e-4},
                        {"h3", &TKelvora::h3, 249.676, 5e-4},
                        {"COPc", &TKelvora::COPc, 4.15422, 5e-6},
                        {"COPh", &TKelvora::COPh, 5.15422, 5e-6},
                        {"h4b", &TKelvora::h4b, 205.888, 5e-4},
                        {"h4d", &TKelvora::h4d, 406.866, 5e-4},
                        {"x4", &TKelvora::x4, 0.217875, 5e-7},
                        {"mr", &TKelvora::mr, 0, 0},
                        {"qc", &TKelvora::qc, 0, 0},
                        {"pw", &TKelvora::pw, 0, 0},
                    });
    EXPECT_EQ(lib.Root().Iter, 4);
    EXPECT_EQ(k.dhEvap, k.h1 - k.h3);
    EXPECT_EQ(k.dhCond, k.h2 - k.h3);
    EXPECT_NEAR(k.COPh, k.COPc + 1.0, 1e-12);
}

TEST_F(DefaultCycle, DischargeTemperatureGivenGivesBackTheEfficiency)
{
    k.Ie = 0.5; // must be recomputed, not kept
    k.Solve(smTdGiven);
    EXPECT_NEAR(k.Ie, 0.72, 1e-9);
    EXPECT_EQ(k.ErrCount, 0);
}

// Modes and inputs that the solver counts as not computed properly.
TEST_F(DefaultCycle, CountedFailures)
{
    struct TCase {
        const char* name;
        std::int32_t mode;
        double td, Ie, sc, SDT;
        bool workIsIsentropic; // dhComp handed back as dhIsen
        std::initializer_list<TExpected> expected;
    };
    const TCase cases[] = {
        // A discharge enthalpy below the isentropic one.
        {"td 60", smTdGiven, 60, 0.72, 5, 45, false, {{"Ie", &TKelvora::Ie, 1.507, 5e-4}}},
        {"Ie 1", smIeGiven, 0, 1, 5, 45, true, {{"td", &TKelvora::td, 70.244, 5e-4}}},
        {"Ie 0", smIeGiven, 0, 0, 5, 45, true, {{"td", &TKelvora::td, 70.244, 5e-4}}},
        // Liquid colder than the evaporator: the inlet quality would be negative.
        {"sc 45", smIeGiven, 0, 0.72, 45, 45, false, {{"tl", &TKelvora::tl, 0, 0}, {"x4", &TKelvora::x4, 0, 0}}},
        // A discharge pressure that underflows to 0 Pa: no discharge temperature.
        {"HP 0", smIeGiven, 0, 0.72, 5, -253.99, false, {{"HP", &TKelvora::HP, 0, 0}, {"td", &TKelvora::td, 1000.0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        k.SetDefaults();
        k.td = c.td;
        k.Ie = c.Ie;
        k.sc = c.sc;
        k.SDT = c.SDT;
        k.Solve(c.mode);
        EXPECT_EQ(k.ErrCount, 1);
        ExpectFields(k, c.expected);
        EXPECT_EQ(k.dhComp == k.dhIsen, c.workIsIsentropic);
    }
}

TEST_F(DefaultCycle, DutyBases)
{
    struct TCase {
        std::int32_t basis;
        Field given;
        double value;
        std::initializer_list<TExpected> expected;
    };
    const TCase cases[] = {
        {dbCoolingLoad,
         &TKelvora::qe,
         10,
         {{"mr", &TKelvora::mr, 0.0614605, 5e-8}, {"qc", &TKelvora::qc, 12.4072, 5e-5}, {"pw", &TKelvora::pw, 2.4072, 5e-5}}},
        {dbCompressorPower,
         &TKelvora::pw,
         3,
         {{"mr", &TKelvora::mr, 0.0765961, 5e-8}, {"qe", &TKelvora::qe, 12.4627, 5e-5}, {"qc", &TKelvora::qc, 15.4627, 5e-5}}},
        {dbHeatRejection,
         &TKelvora::qc,
         12,
         {{"mr", &TKelvora::mr, 0.0594434, 5e-8}, {"qe", &TKelvora::qe, 9.6718, 5e-5}, {"pw", &TKelvora::pw, 2.3282, 5e-5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.basis);
        k.qe = k.qc = k.pw = 0;
        k.DutyBasis = c.basis;
        k.*c.given = c.value;
        k.Solve(smIeGiven);
        EXPECT_EQ(k.ErrCount, 0);
        EXPECT_EQ(k.*c.given, c.value); // the given duty stays as given
        ExpectFields(k, c.expected);
    }
}

// Any other mode recomputes the cycle around the compressor state it already has.
TEST_F(DefaultCycle, OtherModeKeepsTheCompressorState)
{
    const double h2 = k.h2, dhComp = k.dhComp, td = k.td;
    const double h1 = k.h1;
    k.Ie = 0.5;
    k.td = td + 1; // neither input is used
    k.sh = 10;
    k.Solve(2);
    EXPECT_EQ(k.h2, h2);
    EXPECT_EQ(k.dhComp, dhComp);
    EXPECT_EQ(k.Ie, 0.5);
    EXPECT_EQ(k.td, td + 1);
    EXPECT_EQ(k.ts, 15.0);
    EXPECT_GT(k.h1, h1);
    EXPECT_EQ(k.dhCond, h2 - k.h3);
    EXPECT_EQ(k.ErrCount, 0);
}

// A fault that is not counted ends the solve; what it assigned before stays.
TEST_F(DefaultCycle, ZeroSuctionPressureEndsTheSolve)
{
    const double ts = k.ts, h1 = k.h1;
    k.SST = -253.99; // the dew curve underflows to 0 Pa
    k.sh = 20;
    EXPECT_THROW(k.Solve(smIeGiven), ArithmeticError);
    EXPECT_EQ(k.LP, 0.0);
    EXPECT_NEAR(k.HP, 1735.966, 5e-4); // assigned before the fault
    EXPECT_EQ(k.ts, ts);               // assigned after it: untouched
    EXPECT_EQ(k.h1, h1);
}

TEST_F(Cycle, ZeroCompressionWorkEndsTheSolve)
{
    TKelvora solved {lib};
    solved.SetDefaults();
    // A new model has dhComp = 0, and mode 2 keeps it: no power without work per kg.
    k.SST = k.te = 5;
    k.SDT = k.tc = 45;
    k.sh = 7.5;
    k.sc = 5;
    k.DutyBasis = dbCompressorPower;
    k.pw = 3;
    k.x4 = 0.5;
    EXPECT_THROW(k.Solve(2), ArithmeticError);
    EXPECT_EQ(k.h1, solved.h1);
    EXPECT_EQ(k.h3, solved.h3);
    EXPECT_EQ(k.COPc, 0.0); // SafeDiv's fallback, before the fault
    EXPECT_EQ(k.mr, 0.0);
    EXPECT_EQ(k.x4, 0.5);
    EXPECT_EQ(k.h4b, 0.0);
}

// A refrigerant whose vapour and liquid enthalpies are the same constant makes
// h1 = h3: no refrigerating effect, so a cooling load gives no mass flow.
TEST(CycleModel, ZeroRefrigeratingEffectEndsTheSolve)
{
    TTempFolder folder;
    const std::string file = folder.Write("RefLib8.rdf",
                                          "[R404A]\r\nRNumber=R404A\r\n"
                                          "[R22]\r\nRNumber=R22\r\n"
                                          "lh=400000,0,0,0\r\n"
                                          "vh=0,0,0,0,400000\r\n");
    TRefrigLib lib(file);
    lib.SelectByName("R404A");
    TKelvora k(lib);
    k.mr = 7;
    k.x4 = 0.5;
    EXPECT_THROW(k.SetDefaults(), ArithmeticError);
    EXPECT_EQ(lib.GetName(), "R22");
    EXPECT_EQ(k.h1, 400.0);
    EXPECT_EQ(k.h3, 400.0);
    EXPECT_EQ(k.dhEvap, 0.0);
    EXPECT_EQ(k.mr, 7.0);
    EXPECT_EQ(k.x4, 0.5);
    EXPECT_EQ(k.h4b, 0.0);
}

TEST(CycleModel, Classify)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct TCase {
        double value, low, high;
        std::int32_t cls;
    };
    const TCase cases[] = {
        {35, 35, 50, 0},
        {34.9, 35, 50, -1},
        {50.1, 35, 50, 1},
        {50, 35, 50, 0},
        {nan, 35, 50, -1},
        {40, 50, 35, -1}, // low first when the bounds are crossed
        {60, 50, 35, 1},
        {-1e300, -20, 15, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TKelvora::Classify(c.value, c.low, c.high), c.cls) << c.value << " in " << c.low << ".." << c.high;
}

TEST_F(Cycle, ClassesAre)
{
    k.HPClass = 1;
    k.LPClass = -1;
    k.SHClass = 0;
    k.SCClass = -1;
    EXPECT_TRUE(k.ClassesAre(1, -1, 0, -1));
    EXPECT_FALSE(k.ClassesAre(-1, -1, 0, -1));
    EXPECT_FALSE(k.ClassesAre(1, 1, 0, -1));
    EXPECT_FALSE(k.ClassesAre(1, -1, 1, -1));
    EXPECT_FALSE(k.ClassesAre(1, -1, 0, 0));
}
