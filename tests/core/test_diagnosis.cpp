// The diagnosis: whole pages against expected pages, each rule at its limit, and
// the short verdict for every pattern and for the named out-of-range pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <vector>

#include "core/cycle.h"
#include "core/diagnosis.h"
#include "core/errors.h"
#include "tests/support/tempfolder.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string ExpectedPage(const std::string& name)
{
    const std::string path = KELVORA_SOURCE_DIR "/tests/data/diagnosis/" + name + ".htm";
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
    return TTempFolder::Read(path);
}

std::vector<std::string> Lines(const std::string& page)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = page.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(page.substr(start, end - start));
    EXPECT_EQ(start, page.size()) << "the last line ends with CR LF";
    return lines;
}

// The title lines of the rules that fired: each stands just before its list.
std::vector<std::string> FiredTitles(const std::string& page)
{
    const auto lines = Lines(page);
    std::vector<std::string> titles;
    for (size_t i = 1; i < lines.size(); ++i)
        if (lines[i] == "<ul>")
            titles.push_back(lines[i - 1]);
    return titles;
}

// The solved default cycle, inside every limit.
class Diagnosis : public ::testing::Test {
protected:
    void SetUp() override { k.SetDefaults(); }

    std::string Page(const std::string& byline = "")
    {
        const std::string file = folder.File("diagnosis.htm");
        k.WriteDiagnosisPage(file, byline);
        return TTempFolder::Read(file);
    }

    TRefrigLib lib {""};
    TKelvora k {lib};
    TTempFolder folder;
};

} // namespace

TEST(DiagnosisLimits, BuiltInTable)
{
    const auto& l = DiagnosisLimits;
    const double table[] = {
        l.itdeHigh,
        l.itdeLow,
        l.itdcHigh,
        l.itdcLow,
        l.dtcAirflow,
        l.dteAirflow,
        l.scLow,
        l.scHigh,
        l.shHigh,
        l.shLow,
        l.suctionLineDrop,
        l.dischargeLineDrop,
        l.condensingLow,
        l.condensingHigh,
        l.suctionLow,
        l.suctionHigh,
        l.tdHigh,
        l.IeLow,
        l.IeHigh,
        l.COPLow,
        l.PrHigh,
        l.x4Low,
        l.x4High,
    };
    const double expected[] = {20, 16, 20, 10, 10, 10, 0, 20, 20, 0, 1, 1, 35, 50, -20, 15, 200, 0.25, 1, 1.5, 10, 0, 0.5};
    ASSERT_EQ(std::size(table), std::size(expected));
    for (size_t i = 0; i < std::size(table); ++i)
        EXPECT_EQ(table[i], expected[i]) << "entry " << i;
}

// Whole pages, byte for byte: the head, the fired rules with their causes, the
// count, the verdict with or without a picture, and the footer with the byline.
TEST_F(Diagnosis, Pages)
{
    struct TCase {
        const char* expected;
        const char* byline;
        void (*change)(TKelvora&);
    };
    const TCase cases[] = {
        {"default_cycle", "Kelvora - Default.rdf", [](TKelvora&) {}},
        {"one_warning", "", [](TKelvora& m) { m.COPc = 1.0; }},
        {"high_side", "Kelvora - Caf\xC3\xA9 K\xC3\xBChlhaus.rdf",
         [](TKelvora& m) {
             m.itde = 25, m.itdc = 25, m.sc = -1, m.sh = 25;
             m.SST = 16, m.te = 18, m.SDT = 55, m.tc = 52;
             m.COPc = 1, m.COPh = 1.2, m.Ie = 0.2, m.td = 250, m.Pr = 12, m.x4 = 0.6;
         }},
        {"low_side", "Kelvora - Plant 7",
         [](TKelvora& m) {
             m.itde = 10, m.itdc = 5, m.sc = 25, m.sh = -1;
             m.SDT = m.tc = 30, m.SST = m.te = -25;
             m.Ie = 1.2, m.x4 = -0.1;
         }},
        {"liquid_line_restriction", "Kelvora",
         [](TKelvora& m) { m.SDT = m.tc = 30, m.SST = m.te = -25, m.sh = 25, m.sc = 25; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        k.SetDefaults();
        c.change(k);
        // A longer page from before must not leave its tail behind.
        folder.Write("diagnosis.htm", std::string(10000, 'x'));
        EXPECT_EQ(Page(c.byline), ExpectedPage(c.expected));
    }
}

// The verdict is worked out only when something is out of range.
TEST_F(Diagnosis, ClassesAreSetOnlyWithWarnings)
{
    k.HPClass = k.LPClass = k.SHClass = k.SCClass = 7;
    Page();
    EXPECT_TRUE(k.ClassesAre(7, 7, 7, 7));
    k.itde = 25;
    Page();
    EXPECT_TRUE(k.ClassesAre(0, 0, 0, 0));
}

// Each rule at and just past its limit: strict tests except the discharge
// temperature and the pressure ratio; less-than tests also fire on NaN.
TEST_F(Diagnosis, RuleLimits)
{
    struct TCase {
        const char* name;
        void (*change)(TKelvora&);
        std::vector<std::string> fired;
    };
    const std::string highItde = "<p>High evaporator temperature difference</p>";
    const std::string lowItde = "<p>Low evaporator temperature difference</p>";
    const std::string highItdc = "<p>High condenser temperature difference</p>";
    const std::string lowItdc = "<p>Low condenser temperature difference</p>";
    const std::string lowSc = "<p>Low sub-cooling</p>", highSc = "<p>High sub-cooling</p>";
    const std::string highSh = "<p>High superheating</p>", lowSh = "<p>Low superheating</p>";
    const std::string suctionDrop = "<p>High temperature drop in suction line</p>";
    const std::string dischargeDrop = "<p>High temperature drop in discharge line</p>";
    const std::string highCond = "<p>High condensing temperature</p>", lowCond = "<p>Low condensing temperature</p>";
    const std::string highSuct = "<p>High suction temperature</p>", lowSuct = "<p>Low suction temperature</p>";
    const std::string lowCOPc = "<p>Low COPc</p>", lowCOPh = "<p>Low COPh</p>";
    const std::string lowIe = "<p>Low isentropic efficiency</p>";
    const std::string highIe = "<p>impossibly high isentropic efficiency</p>";
    const std::string highTd = "<p>High discharge temperature</p>", highPr = "<p>High pressure ratio</p>";
    const std::string highX4 = "<p>High evaporator inlet vapor quality</p>";
    const std::string lowX4 = "<p>Imposible inlet vapor quality</p>";
    const TCase cases[] = {
        {"itde 20", [](TKelvora& m) { m.itde = 20; }, {}},
        {"itde 20.001", [](TKelvora& m) { m.itde = 20.001; }, {highItde}},
        {"itde 16", [](TKelvora& m) { m.itde = 16; }, {}},
        {"itde 15.999", [](TKelvora& m) { m.itde = 15.999; }, {lowItde}},
        {"itde NaN", [](TKelvora& m) { m.itde = kNaN; }, {lowItde}},
        {"itdc 20", [](TKelvora& m) { m.itdc = 20; }, {}},
        {"itdc 20.001", [](TKelvora& m) { m.itdc = 20.001; }, {highItdc}},
        {"itdc 9.999", [](TKelvora& m) { m.itdc = 9.999; }, {lowItdc}},
        {"sc 0", [](TKelvora& m) { m.sc = 0; }, {}},
        {"sc -0.001", [](TKelvora& m) { m.sc = -0.001; }, {lowSc}},
        {"sc 20", [](TKelvora& m) { m.sc = 20; }, {}},
        {"sc 20.001", [](TKelvora& m) { m.sc = 20.001; }, {highSc}},
        {"sc NaN", [](TKelvora& m) { m.sc = kNaN; }, {lowSc}},
        {"sh 20", [](TKelvora& m) { m.sh = 20; }, {}},
        {"sh 20.001", [](TKelvora& m) { m.sh = 20.001; }, {highSh}},
        {"sh 0", [](TKelvora& m) { m.sh = 0; }, {}},
        {"sh -0.001", [](TKelvora& m) { m.sh = -0.001; }, {lowSh}},
        {"te - SST 1", [](TKelvora& m) { m.te = m.SST + 1; }, {}},
        {"te - SST 1.001", [](TKelvora& m) { m.te = m.SST + 1.001; }, {suctionDrop}},
        {"te NaN", [](TKelvora& m) { m.te = kNaN; }, {}},
        {"SDT - tc 1", [](TKelvora& m) { m.tc = m.SDT - 1; }, {}},
        {"SDT - tc 1.001", [](TKelvora& m) { m.tc = m.SDT - 1.001; }, {dischargeDrop}},
        {"SDT 50", [](TKelvora& m) { m.SDT = m.tc = 50; }, {}},
        {"SDT 50.001", [](TKelvora& m) { m.SDT = m.tc = 50.001; }, {highCond}},
        {"SDT 35", [](TKelvora& m) { m.SDT = m.tc = 35; }, {}},
        {"SDT 34.999", [](TKelvora& m) { m.SDT = m.tc = 34.999; }, {lowCond}},
        {"SDT NaN", [](TKelvora& m) { m.SDT = kNaN; }, {lowCond}},
        {"SST 15", [](TKelvora& m) { m.SST = m.te = 15; }, {}},
        {"SST 15.001", [](TKelvora& m) { m.SST = m.te = 15.001; }, {highSuct}},
        {"SST -20", [](TKelvora& m) { m.SST = m.te = -20; }, {}},
        {"SST -20.001", [](TKelvora& m) { m.SST = m.te = -20.001; }, {lowSuct}},
        {"COPc 1.5", [](TKelvora& m) { m.COPc = 1.5; }, {}},
        {"COPc 1.499", [](TKelvora& m) { m.COPc = 1.499; }, {lowCOPc}},
        {"COPh 1.499", [](TKelvora& m) { m.COPh = 1.499; }, {lowCOPh}},
        {"COP NaN", [](TKelvora& m) { m.COPc = m.COPh = kNaN; }, {lowCOPc, lowCOPh}},
        {"Ie 0.25", [](TKelvora& m) { m.Ie = 0.25; }, {}},
        {"Ie 0.2499", [](TKelvora& m) { m.Ie = 0.2499; }, {lowIe}},
        {"Ie 1", [](TKelvora& m) { m.Ie = 1; }, {}},
        {"Ie 1.0001", [](TKelvora& m) { m.Ie = 1.0001; }, {highIe}},
        {"Ie NaN", [](TKelvora& m) { m.Ie = kNaN; }, {lowIe}},
        {"td 199.999", [](TKelvora& m) { m.td = 199.999; }, {}},
        {"td 200", [](TKelvora& m) { m.td = 200; }, {highTd}},
        {"td NaN", [](TKelvora& m) { m.td = kNaN; }, {}},
        {"Pr 9.999", [](TKelvora& m) { m.Pr = 9.999; }, {}},
        {"Pr 10", [](TKelvora& m) { m.Pr = 10; }, {highPr}},
        {"Pr NaN", [](TKelvora& m) { m.Pr = kNaN; }, {}},
        {"x4 0.5", [](TKelvora& m) { m.x4 = 0.5; }, {}},
        {"x4 0.501", [](TKelvora& m) { m.x4 = 0.501; }, {highX4}},
        {"x4 0", [](TKelvora& m) { m.x4 = 0; }, {}},
        {"x4 -0.001", [](TKelvora& m) { m.x4 = -0.001; }, {lowX4}},
        {"x4 NaN", [](TKelvora& m) { m.x4 = kNaN; }, {lowX4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        k.SetDefaults();
        c.change(k);
        EXPECT_EQ(FiredTitles(Page()), c.fired);
    }
}

TEST_F(Diagnosis, DischargeTemperatureOfTheLimitOnThePageOnly)
{
    k.td = 200;
    k.tc = 55; // high HP alone matches no pattern
    const auto lines = Lines(Page());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<p>High discharge temperature</p>"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<p class=\"fault\">Warning:  high HP </p>"), lines.end());
}

TEST_F(Diagnosis, ShortDiagnosis)
{
    struct TCase {
        double tc, te, sh, sc, dte, dtc, td, Ie;
        std::int32_t hp, lp, shc, scc;
        std::int32_t fault;
        std::string verdict;
    };
    const TCase cases[] = {
        {40, 5, 7.5, 5, 6, 10, 80, 0.7, 0, 0, 0, 0, 0, "HP, LP, SH and SC are within the acceptable range.."},
        {30, -25, 25, 25, 6, 10, 80, 0.7, -1, -1, 1, 1, 1,
         "Restriction in liquid line (check txv size and test for pre-expansion)..."},
        {40, -25, 25, -1, 6, 10, 80, 0.7, 0, -1, 1, -1, 2, "Low refrigerant charge..."},
        {55, 20, 7.5, 25, 6, 10, 80, 0.7, 1, 1, 0, 1, 3, "High refrigerant charge (check also for non-condensibles)..."},
        {30, 20, 7.5, 5, 6, 10, 80, 0.7, -1, 1, 0, 0, 4, "Under-sized compressor..."},
        {40, -25, -1, 5, 12, 10, 80, 0.7, 0, -1, -1, 0, 5, "Low evaporator airflow problem..."},
        {40, -25, -1, 5, 10, 10, 80, 0.7, 0, -1, -1, 0, 6, "Evaporator fins could be dirty..."},
        {55, 20, 7.5, -1, 6, 12, 80, 0.7, 1, 1, 0, -1, 7, "Low condenser airflow problem..."},
        {55, 20, 7.5, -1, 6, 10, 80, 0.7, 1, 1, 0, -1, 8, "Condenser fins could be dirty..."},
        {30, -25, 25, 5, 6, 10, 80, 0.7, -1, -1, 1, 0, 9, "Over-sized compressor..."},
        {55, 20, 25, 5, 6, 10, 80, 0.7, 1, 1, 1, 0, 10, "High load (system undersized for the load)..."},
        // A pattern depends on the classes alone, not on td or Ie.
        {30, -25, 25, 5, 6, 10, 250, 0.1, -1, -1, 1, 0, 9, "Over-sized compressor..."},
        // No pattern: the out-of-range pieces, joined with their own blanks.
        {55, 5, 7.5, 5, 6, 10, 90, 0.7, 1, 0, 0, 0, 0, "Warning:  high HP "},
        {55, 5, 7.5, 5, 6, 10, 90, 0.2, 1, 0, 0, 0, 0, "Warning:  high HP  Compressor Fault "},
        {55, -25, 7.5, 5, 6, 10, 90, 0.7, 1, -1, 0, 0, 0, "Warning:  high HP  low LP "},
        {30, 20, 25, 25, 6, 10, 90, 0.7, -1, 1, 1, 1, 0, "Warning:  low HP  high LP  high SH  high SC "},
        {40, 5, -1, 25, 6, 10, 200, 0.7, 0, 0, -1, 1, 0, "Warning:  low SH  high SC "},
        {40, 5, -1, 25, 6, 10, 200.001, 0.7, 0, 0, -1, 1, 0, "Warning:  low SH  high SC  High TD  "},
        {40, 5, 7.5, -1, 6, 10, 90, 1.01, 0, 0, 0, -1, 0, "Warning:  low SC  Impossible compressor performance "},
        {40, 5, 7.5, -1, 6, 10, 90, 1, 0, 0, 0, -1, 0, "Warning:  low SC "},
        {40, 5, 7.5, -1, 6, 10, 90, 0.25, 0, 0, 0, -1, 0, "Warning:  low SC "},
        // A quantity that is not a number counts as low.
        {kNaN, 5, 7.5, 5, 6, 10, 90, 0.7, -1, 0, 0, 0, 0, "Warning:  low HP "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.verdict);
        k.tc = c.tc, k.te = c.te, k.sh = c.sh, k.sc = c.sc;
        k.dte = c.dte, k.dtc = c.dtc, k.td = c.td, k.Ie = c.Ie;
        std::int32_t fault = -1;
        std::string verdict = "stale";
        k.ShortDiagnosis(fault, verdict);
        EXPECT_EQ(fault, c.fault);
        EXPECT_EQ(verdict, c.verdict);
        EXPECT_TRUE(k.ClassesAre(c.hp, c.lp, c.shc, c.scc))
            << k.HPClass << " " << k.LPClass << " " << k.SHClass << " " << k.SCClass;
    }
}

// The verdict classifies the condensing and evaporating temperatures, the page
// the saturation temperatures.
TEST_F(Diagnosis, VerdictJudgesTheHeatExchangerTemperatures)
{
    k.SDT = 55;
    k.SST = 20;
    std::int32_t fault = -1;
    std::string verdict;
    k.ShortDiagnosis(fault, verdict);
    EXPECT_EQ(fault, 0);
    EXPECT_TRUE(k.ClassesAre(0, 0, 0, 0));
}

TEST_F(Diagnosis, PageThatCannotBeCreated)
{
    const std::string file = folder.File("no such folder/diagnosis.htm");
    try {
        k.WriteDiagnosisPage(file, "");
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("create"), std::string::npos) << e.what();
    }
}

TEST_F(Diagnosis, PageThatCannotBeWritten)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    try {
        k.WriteDiagnosisPage("/dev/full", "");
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("\"/dev/full\""), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("write"), std::string::npos) << e.what();
    }
}
