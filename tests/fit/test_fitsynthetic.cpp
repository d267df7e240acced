// The fitting program on tables it can reproduce exactly: tables computed from
// the built-in R22 record recover that record's behaviour to near round-off.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/errors.h"
#include "fit/fitrefrig.h"
#include "fit/fitreport.h"
#include "core/numtext.h"
#include "core/refriglib.h"

namespace fs = std::filesystem;

namespace {

const char* const kFluidsHeader = "RNumber,InternalNumber,Formula,ChemicalName,CASNumber,Components,FluidType,TCrit_C,"
                                  "PCrit_kPa,DCrit_kg_m3,wm_g_mol,TTrip_C,TBoil_C,table\n";
const char* const kTableHeader =
    "kind,T_sat_C,T_C,p_dew_Pa,p_bubble_Pa,h_liq_sat_J_kg,h_vap_sat_J_kg,v_liq_sat_m3_kg,v_vap_sat_m3_kg,h_J_kg,"
    "v_m3_kg,s_J_kgK,superheat_K,s_liq_sat_J_kgK,s_vap_sat_J_kgK,t_cond_C,p_cond_Pa,h2s_J_kg,T2s_C,dh_isen_J_kg,q2s\n";
const char* const kTransHeader =
    "kind,T_sat_C,cp_liq_J_kgK,cp_vap_J_kgK,mu_liq_uPas,mu_vap_uPas,k_liq_mW_mK,k_vap_mW_mK,sigma_mN_m\n";

std::string Num(double x)
{
    return ShortestReal(x);
}

template <size_t N>
double Polynomial(const std::array<double, N>& c, double t)
{
    double sum = 0.0;
    for (size_t k = N; k-- > 0;)
        sum = sum * t + c[k];
    return sum;
}

// A folder of reference tables on the grid of the real ones, every figure
// computed from the built-in record.
class SyntheticTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("kelvora-fit-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name, std::ios::binary) << text; }

    void WriteDefaultRecordTables(bool withTransport = true)
    {
        Write("fluids.csv", std::string(kFluidsHeader) + "R22,0,CHClF2,chlorodifluoromethane,,1,Halocarbon-Methane Series,96.1,4990.0,"
                                                         "523.842,86.468,-157.42,-40.8,R22.csv\n");
        std::string t = "# computed from the built-in record\n" + std::string(kTableHeader);
        const auto sat = [&](double ts) {
            return Num(ts) + "," + Num(lib_.DewP(ts)) + "," + Num(lib_.BubbleP(ts)) + "," +
                Num(lib_.SatLiqEnthalpy(ts)) + "," + Num(lib_.SatVapEnthalpy(ts)) + "," +
                Num(lib_.SatLiqVolume(ts)) + "," + Num(lib_.SatVapVolume(ts));
        };
        for (int ts = -60; ts <= 70; ++ts)
            t += "sat," + Num(ts) + "," + sat(ts) + ",,,,,,,,,,,,\n";
        for (int ts = -60; ts <= 70; ts += 5)
            for (int d = 0; d <= 150; d += 5) {
                const double tv = ts + d;
                t += "sup," + Num(ts) + "," + Num(tv) + "," + sat(ts).substr(sat(ts).find(',') + 1) + "," +
                    Num(lib_.SuperheatEnthalpy(ts, tv)) + "," + Num(lib_.SuperheatVolume(lib_.DewP(ts), tv)) +
                    ",0," + Num(d) + ",0,0,,,,,,\n";
            }
        for (int te = -40; te <= 15; te += 5)
            for (int d = 0; d <= 30; d += 5)
                for (int tc = 20; tc <= 60; tc += 5) {
                    const double ts = te + d;
                    const double h1 = lib_.SuperheatEnthalpy(te, ts);
                    const double dh = lib_.IsenRise(te, tc, ts);
                    const double t2s = lib_.SuperheatTemp(lib_.DewP(tc), h1 + dh);
                    t += "isen," + Num(te) + "," + Num(ts) + "," + sat(te).substr(sat(te).find(',') + 1) + "," +
                        Num(h1) + "," + Num(lib_.SuperheatVolume(lib_.DewP(te), ts)) + ",0," + Num(d) + ",0,0," +
                        Num(tc) + "," + Num(lib_.DewP(tc)) + "," + Num(h1 + dh) + "," + Num(t2s) + "," + Num(dh) +
                        ",\n";
                }
        Write("R22.csv", t);
        if (!withTransport)
            return;
        const TRefrigData& r = lib_.Data();
        std::string tr = kTransHeader;
        for (int ts = -60; ts <= 70; ++ts)
            tr += "trans," + Num(ts) + "," + Num(Polynomial(r.cl, ts)) + "," + Num(Polynomial(r.cv, ts)) + "," +
                Num(Polynomial(r.ul, ts)) + "," + Num(Polynomial(r.uv, ts)) + "," + Num(Polynomial(r.kl, ts)) + "," +
                (ts < -20 ? std::string("inf") : Num(Polynomial(r.kv, ts))) + "," + Num(Polynomial(r.si, ts)) +
                "\n";
        Write("R22.trans.csv", tr);
    }

    TFluidTables Read()
    {
        const auto fluids = ReadFluidList(dir_.string());
        EXPECT_EQ(fluids.size(), 1u);
        return ReadFluidTables(dir_.string(), fluids.at(0));
    }

    fs::path dir_;
    TRefrigLib lib_ {""};
};

void ExpectRelative(double fitted, double original, double tol, const std::string& what)
{
    EXPECT_NEAR(fitted / original, 1.0, tol) << what << ": " << fitted << " against " << original;
}

} // namespace

TEST_F(SyntheticTables, FitRecoversTheRecordsBehaviour)
{
    WriteDefaultRecordTables();
    const TFluidTables tables = Read();
    const TFitResult fit = FitRefrigerant(tables);
    EXPECT_EQ(fit.data.TMin, -45.0);
    EXPECT_EQ(fit.data.TMax, 60.0);
    EXPECT_EQ(fit.data.dp, fit.data.bp); // a pure fluid has no glide

    TRecordLibrary record(fit.data);
    TRefrigLib& fitted = record.Lib();
    const double tol = 1e-6;
    for (double t = -45; t <= 60; t += 1) {
        const std::string at = " at " + Num(t);
        ExpectRelative(fitted.DewP(t), lib_.DewP(t), tol, "DewP" + at);
        ExpectRelative(fitted.BubbleP(t), lib_.BubbleP(t), tol, "BubbleP" + at);
        ExpectRelative(fitted.SatLiqEnthalpy(t), lib_.SatLiqEnthalpy(t), tol, "SatLiqEnthalpy" + at);
        ExpectRelative(fitted.SatVapEnthalpy(t), lib_.SatVapEnthalpy(t), tol, "SatVapEnthalpy" + at);
        ExpectRelative(fitted.SatLiqVolume(t), lib_.SatLiqVolume(t), tol, "SatLiqVolume" + at);
        ExpectRelative(fitted.SatVapVolume(t), lib_.SatVapVolume(t), tol, "SatVapVolume" + at);
    }
    for (double ts = -45; ts <= 60; ts += 5)
        for (double d = 5; d <= 150; d += 5) {
            const std::string at = " at " + Num(ts) + "/" + Num(d);
            ExpectRelative(fitted.SuperheatEnthalpy(ts, ts + d), lib_.SuperheatEnthalpy(ts, ts + d), tol,
                           "SuperheatEnthalpy" + at);
            if (d <= 40)
                ExpectRelative(fitted.SuperheatVolume(lib_.DewP(ts), ts + d),
                               lib_.SuperheatVolume(lib_.DewP(ts), ts + d), tol, "SuperheatVolume" + at);
        }
    for (const auto& row : tables.isen)
        ExpectRelative(fitted.IsenRise(row.te, row.tc, row.te + row.superheat),
                       lib_.IsenRise(row.te, row.tc, row.te + row.superheat), tol,
                       "IsenRise at " + Num(row.te) + "/" + Num(row.tc) + "/" + Num(row.superheat));
    for (const auto& list : kTransportLists) {
        for (double t = -45; t <= 60; t += 10)
            ExpectRelative(TransportValue(fit.data, list, t), TransportValue(lib_.Data(), list, t), tol,
                           std::string(list.key) + " at " + Num(t));
    }
}

TEST_F(SyntheticTables, SectionHoldsTheIdentityAndLeavesOutWhatTheTablesLack)
{
    WriteDefaultRecordTables();
    const TFitResult fit = FitRefrigerant(Read());
    const std::string text = SectionText(fit);
    EXPECT_EQ(text.rfind("[R22]\nInternalNumber=0\nRNumber=R22\nFormula=CHClF2\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nRefState=IIR\nSourceFile=R22.csv\n"), std::string::npos);
    EXPECT_NE(text.find("\nTMax=60\nTMin=-45\n"), std::string::npos);
    // No CAS number in the list; vapour conductivity only from -20 °C: too few
    // values below, but enough over the range, so it is fitted.
    EXPECT_EQ(text.find("CASNumber="), std::string::npos);
    EXPECT_NE(text.find("\nkv="), std::string::npos);
    EXPECT_NE(text.find("\nsi="), std::string::npos);
}

TEST_F(SyntheticTables, WithoutTransportTableTheHeldOnlyListsAreLeftOut)
{
    WriteDefaultRecordTables(false);
    const TFitResult fit = FitRefrigerant(Read());
    const std::string text = SectionText(fit);
    for (const char* key : {"\ncl=", "\ncv=", "\nul=", "\nuv=", "\nkl=", "\nkv=", "\nsi="})
        EXPECT_EQ(text.find(key), std::string::npos) << key;
    EXPECT_NE(text.find("\nth="), std::string::npos);
}

TEST_F(SyntheticTables, FitRangeFollowsTheCriticalPointAndTheCaller)
{
    WriteDefaultRecordTables(false);
    TFluidTables tables = Read();
    EXPECT_EQ(FitRange(tables, {}).tCondMax, 60.0);
    struct {
        double tCrit;
        double tMin, tMax;
    } const cases[] = {
        {96.1, -45, 60}, // far from critical: the full range
        {86.2, -45, 55}, // 30 K below critical would be 56.2: down to the grid
        {72.1, -45, 50}, // not below 50 °C ...
        {60.0, -45, 45}, // ... unless that comes within 15 K of critical
    };
    for (const auto& c : cases) {
        tables.info.TCrit = c.tCrit;
        const TFitRange range = FitRange(tables, {});
        EXPECT_EQ(range.tMin, c.tMin) << c.tCrit;
        EXPECT_EQ(range.tMax, c.tMax) << c.tCrit;
    }
    // The fluid's own top stands for the rule; the caller's stands for both.
    tables.info.TCrit = 96.1;
    tables.info.TMax = 45;
    EXPECT_EQ(FitRange(tables, {}).tMax, 45);
    EXPECT_EQ(FitRange(tables, {}).tCondMax, 45);
    TFitOptions options;
    options.tMin = -40;
    options.tMax = 55;
    const TFitRange chosen = FitRange(tables, options);
    EXPECT_EQ(chosen.tMin, -40);
    EXPECT_EQ(chosen.tMax, 55);
    // No isentropic row condenses within the range: the cycles go to the lowest
    // condensing temperature there is.
    options.tMax = 15;
    EXPECT_EQ(FitRange(tables, options).tCondMax, 20.0);
    options.tMax = 80; // beyond the table
    EXPECT_THROW(FitRange(tables, options), DataFormatError);
}

TEST_F(SyntheticTables, ReaderRefusesBrokenTables)
{
    Write("fluids.csv", std::string(kFluidsHeader) + "R22,0,CHClF2,\"a, b\",,1,x,96.1,4990,1,1,,,R22.csv\n");
    auto fluids = ReadFluidList(dir_.string());
    ASSERT_EQ(fluids.size(), 1u);
    EXPECT_EQ(fluids[0].ChemicalName, "a, b");
    EXPECT_FALSE(fluids[0].TTrip);
    EXPECT_THROW(ReadFluidTables(dir_.string(), fluids[0]), FileError);
    Write("R22.csv", "kind,T_sat_C\nsat,-60\n");
    EXPECT_THROW(ReadFluidTables(dir_.string(), fluids[0]), DataFormatError);
    Write("R22.csv", std::string(kTableHeader) + "sat,x,,,,,,,,,,,,,,,,,,,\n");
    EXPECT_THROW(ReadFluidTables(dir_.string(), fluids[0]), DataFormatError);
    Write("fluids.csv", "RNumber,table\nR22,R22.csv\n");
    EXPECT_THROW(ReadFluidList(dir_.string()), DataFormatError);
}

TEST_F(SyntheticTables, SupplementFillsTheBoilingPointAndNarrowsTheRange)
{
    WriteDefaultRecordTables(false);
    Write("fluids.csv", std::string(kFluidsHeader) + "R22,0,CHClF2,x,,1,x,96.1,4990,1,1,,-40.8,R22.csv\n"
                                                     "R744,14,CO2,x,,1,x,31,7377,1,1,,,R22.csv\n");
    Write("supplement.csv", "RNumber,TBoil_C,TMax_C,note\n"
                            "R744,-78.46,,\"sublimation, at 1 atm\"\n"
                            "R22,-99,45,\"goals missed above 45 °C\"\n");
    auto fluids = ReadFluidList(dir_.string());
    ASSERT_EQ(fluids.size(), 2u);
    EXPECT_EQ(fluids[0].TBoil, -40.8); // the main list's figure stays
    EXPECT_EQ(fluids[0].TMax, 45.0);
    EXPECT_EQ(fluids[0].rangeNote, "goals missed above 45 °C");
    EXPECT_EQ(fluids[1].TBoil, -78.46);
    EXPECT_FALSE(fluids[1].TMax);
    EXPECT_EQ(fluids[1].rangeNote, "");

    const TFluidTables tables = ReadFluidTables(dir_.string(), fluids[0]);
    const TFitResult fit = FitRefrigerant(tables);
    EXPECT_EQ(fit.data.TMax, 45.0);
    const std::string report = ReportText({CompareWithTables(fit, tables, {})});
    EXPECT_NE(report.find("\n- R22 to 45 °C: goals missed above 45 °C\n"), std::string::npos) << report;
    TFitOptions chosen;
    chosen.tMax = 50;
    EXPECT_EQ(ReportText({CompareWithTables(fit, tables, chosen)}).find("goals missed"), std::string::npos);

    Write("supplement.csv", "RNumber,TBoil_C,TMax_C,note\nR22,,high,\n");
    EXPECT_THROW(ReadFluidList(dir_.string()), DataFormatError);
}

TEST(SplitCsvLine, QuotedFieldsKeepTheirCommas)
{
    EXPECT_EQ(SplitCsvLine("a,\"1,1,1,2-x\",,\"say \"\"hi\"\"\""),
              (std::vector<std::string> {"a", "1,1,1,2-x", "", "say \"hi\""}));
}
