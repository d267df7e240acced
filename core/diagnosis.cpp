// The diagnosis: the solved cycle against the built-in limits, written as an HTML
// page of the values out of range with their possible causes, and a one-line
// verdict from the pattern of the high and low side, superheat and sub-cooling.
#include "core/diagnosis.h"

#include <initializer_list>
#include <iterator>

#include "core/cycle.h"
#include "core/numtext.h"
#include "core/pagefile.h"

namespace {

constexpr const TDiagnosisLimits& L = DiagnosisLimits;

const char* const kHead[] = {
    "<html>",
    "<head>",
    "<title>Kelvora Diagnostic</title>",
    "<style>",
    "html {margin:0px; padding:0px;}",
    "body {font-family: \"trebuchet ms\", helvetica, arial, sans-serif; margin-left:45px;}",
    "h1 {color:darkorange;}",
    "h3 {color:green;}",
    "table {font-size: 10pt; border-collapse: collapse; spacing: 0; padding: 0; border: none;}",
    ".caption {text-align: left; font-weight: bold;}",
    "th {text-align: left; spacing: 2px; padding: 2px; border: 1px solid #e3f0f7; background-color: #e8f1f5;}",
    "td {text-align: left; spacing: 2px; padding: 2px; border: 1px solid #e3f0f7; background-color: #f7fbfd;}",
    "li {font-size:10pt; color:gray; font-style:itallic; list-style-type:circle}",
    ".caption {color:red; font-size:10pt; font-style:itallic;}",
    ".hilite {background-color:#faffd8; border-bottom:1px solid #82d791;}",
    ".border {border:1px solid #069;}",
    ".warn {color:red;}",
    ".fault {font-weight:bold; color:red;}",
    "#byline {color:green; font-size:10pt;}",
    "#copyrite {color:green; font-size:10pt; text-align:center;}",
    "#logo {float:right;}",
    "</style>",
    "</head>",
    "<body>",
    "<h1>Refrigeration Cycle Diagnosis</h1>",
    "<hr>",
    "<p>&nbsp;</p>",
};

enum class TLimitTest {
    Above,   // value > limit
    AtLeast, // value >= limit
    Below,   // value < limit, and a value that is not a number
};

struct TRuleRow {
    double TKelvora::*value;
    double TKelvora::*minus; // a drop between two temperatures; nullptr for the value alone
    TLimitTest test;
    double limit;
    const char* title;
    std::initializer_list<const char*> items;
};

using enum TLimitTest;
using K = TKelvora;

// The rules of the page, in the order they are listed.
const TRuleRow kRules[] = {
    {&K::itde, nullptr, Above, L.itdeHigh, "<p>High evaporator temperature difference</p>", {"<li>lack of evaporator capacity</li>", "<li>low airflow (possibly dirty filter)</li>", "<li>high load</li>"}},
    {&K::itde, nullptr, Below, L.itdeLow, "<p>Low evaporator temperature difference</p>", {"<li>excess evaporator capacity</li>", "<li>high airflow</li>", "<li>low load</li>"}},
    {&K::itdc, nullptr, Above, L.itdcHigh, "<p>High condenser temperature difference</p>", {"<li>lack of condenser capacity</li>", "<li>low airflow (if air-cooled)</li>"}},
    {&K::itdc, nullptr, Below, L.itdcLow, "<p>Low condenser temperature difference</p>", {"<li>excess condenser capacity</li>", "<li>low load</li>"}},
    {&K::sc, nullptr, Below, L.scLow, "<p>Low sub-cooling</p>", {"<li>low refrigerant charge</li>", "<li>low condenser capacity</li>"}},
    {&K::sc, nullptr, Above, L.scHigh, "<p>High sub-cooling</p>", {"<li>excessive refrigerant charge</li>", "<li>undersized tx-valve</li>", "<li>pre-expansion in liquid line</li>", "<li>most likely also a high HP</li>"}},
    {&K::sh, nullptr, Above, L.shHigh, "<p>High superheating</p>", {"<li>low refrigerant flow</li>", "<li>undersized tx-valve</li>", "<li>pre-expansion in liquid line</li>"}},
    {&K::sh, nullptr, Below, L.shLow, "<p>Low superheating</p>", {"<li>high refrigerant flow</li>", "<li>low evaporator capacity</li>"}},
    {&K::te, &K::SST, Above, L.suctionLineDrop, "<p>High temperature drop in suction line</p>", {"<li>suction side pressure drop</li>", "<li>look for icing on suction port</li>"}},
    {&K::SDT, &K::tc, Above, L.dischargeLineDrop, "<p>High temperature drop in discharge line</p>", {"<li>discharge side pressure drop</li>", "<li>check for high discharge line temperature</li>"}},
    {&K::SDT, nullptr, Above, L.condensingHigh, "<p>High condensing temperature</p>", {"<li>undersized condenser</li>", "<li>excess load</li>", "<li>excess charge (see sub-cooling)</li>", "<li>oversized compressor</li>"}},
    {&K::SDT, nullptr, Below, L.condensingLow, "<p>Low condensing temperature</p>", {"<li>oversized condenser</li>", "<li>low load</li>", "<li>undersized compressor</li>"}},
    {&K::SST, nullptr, Above, L.suctionHigh, "<p>High suction temperature</p>", {"<li>undersized compressor</li>", "<li>overcharged</li>", "<li>high load</li>", "<li>undersized condenser</li>"}},
    {&K::SST, nullptr, Below, L.suctionLow, "<p>Low suction temperature</p>", {"<li>over sized compressor</li>", "<li>evaporator undersized for the load</li>", "<li>undersized tx-valve</li>", "<li>pre-expansion in liquid line</li>", "<li>undercharged</li>", "<li>low load</li>"}},
    {&K::COPc, nullptr, Below, L.COPLow, "<p>Low COPc</p>", {"<li>poor system performance</li>"}},
    {&K::COPh, nullptr, Below, L.COPLow, "<p>Low COPh</p>", {"<li>poor system performance</li>"}},
    {&K::Ie, nullptr, Below, L.IeLow, "<p>Low isentropic efficiency</p>", {"<li>damaged valves</li>"}},
    {&K::Ie, nullptr, Above, L.IeHigh, "<p>impossibly high isentropic efficiency</p>", {"<li>the discharge temperature may be too high</li>"}},
    {&K::td, nullptr, AtLeast, L.tdHigh, "<p>High discharge temperature</p>", {"<li>damage to refrigerant is likely</li>"}},
    {&K::Pr, nullptr, AtLeast, L.PrHigh, "<p>High pressure ratio</p>", {"<li>oversized compressor</li>"}},
    {&K::x4, nullptr, Above, L.x4High, "<p>High evaporator inlet vapor quality</p>", {"<li>unsuitable refrigerant</li>"}},
    {&K::x4, nullptr, Below, L.x4Low, "<p>Imposible inlet vapor quality</p>", {"<li>sub-cooled liquid entering evaporator!!</li>"}},
};
static_assert(std::size(kRules) == 22);

bool Fires(const TRuleRow& rule, const TKelvora& k)
{
    const double v = rule.minus ? k.*rule.value - k.*rule.minus : k.*rule.value;
    switch (rule.test) {
    case Above:
        return v > rule.limit;
    case AtLeast:
        return v >= rule.limit;
    case Below:
        return !(v >= rule.limit);
    }
    return false;
}

std::string CountLine(int warnings)
{
    if (warnings == 0)
        return "<p>There are no warnings.</p>";
    if (warnings == 1)
        return "<p class=\"warn\">There is 1 warning.</p>";
    return FormatNumber("<p class=\"warn\">There are %d warnings.</p>", warnings);
}

// The four classified quantities, each with the pieces a verdict names it by.
struct TClassRow {
    std::int32_t TKelvora::*cls;
    double TKelvora::*value;
    double low;
    double high;
    const char* highText;
    const char* lowText;
};

// The verdict classifies the condensing and evaporating temperatures, not the
// saturation temperatures: it judges the heat exchangers, not the line drops.
const TClassRow kClasses[] = {
    {&K::HPClass, &K::tc, L.condensingLow, L.condensingHigh, " high HP ", " low HP "},
    {&K::LPClass, &K::te, L.suctionLow, L.suctionHigh, " high LP ", " low LP "},
    {&K::SHClass, &K::sh, L.shLow, L.shHigh, " high SH ", " low SH "},
    {&K::SCClass, &K::sc, L.scLow, L.scHigh, " high SC ", " low SC "},
};

struct TPatternRow {
    std::int32_t hp, lp, sh, sc;
    std::int32_t fault;
    const char* verdict;
    // Where the fault depends on the air or water temperature change: `fault` above
    // the limit (too little flow), `otherFault` otherwise (fouled fins).
    double TKelvora::*airflow = nullptr;
    double airflowLimit = 0;
    std::int32_t otherFault = 0;
    const char* otherVerdict = nullptr;
};

// Tried in this order; the first full match decides.
const TPatternRow kPatterns[] = {
    {0, 0, 0, 0, 0, "HP, LP, SH and SC are within the acceptable range.."},
    {-1, -1, 1, 1, 1, "Restriction in liquid line (check txv size and test for pre-expansion)..."},
    {0, -1, 1, -1, 2, "Low refrigerant charge..."},
    {1, 1, 0, 1, 3, "High refrigerant charge (check also for non-condensibles)..."},
    {-1, 1, 0, 0, 4, "Under-sized compressor..."},
    {0, -1, -1, 0, 5, "Low evaporator airflow problem...", &K::dte, L.dteAirflow, 6, "Evaporator fins could be dirty..."},
    {1, 1, 0, -1, 7, "Low condenser airflow problem...", &K::dtc, L.dtcAirflow, 8, "Condenser fins could be dirty..."},
    {-1, -1, 1, 0, 9, "Over-sized compressor..."},
    {1, 1, 1, 0, 10, "High load (system undersized for the load)..."},
};

} // namespace

void TKelvora::ShortDiagnosis(std::int32_t& fault, std::string& verdict)
{
    fault = 0;
    for (const auto& c : kClasses)
        this->*c.cls = Classify(this->*c.value, c.low, c.high);

    for (const auto& p : kPatterns) {
        if (!ClassesAre(p.hp, p.lp, p.sh, p.sc))
            continue;
        const bool other = p.airflow && !(this->*p.airflow > p.airflowLimit);
        fault = other ? p.otherFault : p.fault;
        verdict = other ? p.otherVerdict : p.verdict;
        return;
    }

    // No recognised fault: name what is out of range. The pieces carry their own
    // blanks and are joined as they are; peers parse the verdict with its blanks.
    std::string text;
    for (const auto& c : kClasses) {
        if (this->*c.cls > 0)
            text += c.highText;
        else if (this->*c.cls < 0)
            text += c.lowText;
    }
    if (td > L.tdHigh)
        text += " High TD  ";
    if (Ie < L.IeLow)
        text += " Compressor Fault ";
    else if (Ie > L.IeHigh)
        text += " Impossible compressor performance ";
    if (text.empty())
        text = "no specific diagnosis";
    verdict = "Warning: " + text;
}

void TKelvora::WriteDiagnosisPage(const std::string& fileName, const std::string& byline)
{
    TPageFile page(fileName);
    for (const char* line : kHead)
        page.Line(line);

    int warnings = 0;
    for (const auto& rule : kRules) {
        if (!Fires(rule, *this))
            continue;
        page.Line(rule.title);
        page.Line("<ul>");
        for (const char* item : rule.items)
            page.Line(item);
        page.Line("</ul>");
        page.Line("<p>&nbsp;</p>");
        ++warnings;
    }
    page.Line(CountLine(warnings));

    if (warnings > 0) {
        page.Line("<p>The above items do not tell you exactly what is wrong but merely suggest potential problems that "
                  "may have caused the parameter to go out of range...</p>");
        page.Line("<p>&nbsp;</p>");
        std::int32_t fault = 0;
        std::string verdict;
        ShortDiagnosis(fault, verdict);
        page.Line("<p class=\"fault\">" + verdict + "</p>");
        if (fault > 0) {
            page.Line("<p>Check if the plant has all of these symptoms...</p>");
            // A literal backslash: the pictures sit in help/ beside the page.
            page.Line(FormatNumber("<img src=\"help\\fault%d.png\">", fault));
        }
    }

    page.Line("<p>&nbsp;</p>");
    page.Line("<hr>");
    if (!byline.empty())
        page.Line("<p id=\"copyrite\">" + byline + "</p>");
    page.Line("<p id=\"copyrite\">generated by Kelvora</p>");
    page.Line("</body>");
    page.Line("</html>");
    page.Close();
}
