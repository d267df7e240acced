#include "core/reportpage.h"

#include <array>

#include "core/cliptext.h"
#include "core/cycle.h"
#include "core/errors.h"
#include "core/numtext.h"
#include "core/pagefile.h"
#include "core/wholefile.h"

namespace {

struct TReportRow {
    const char* caption;
    double TKelvora::*value;
    const char* format;
    const char* units;
};

// Temperature differences carry "&deg;C" like the temperatures, as the printed
// reports always have.
constexpr std::array<TReportRow, 29> kReportRows {{
    {"High Pressure", &TKelvora::HP, "%0.0f", "kPa"},
    {"Low Pressure", &TKelvora::LP, "%0.0f", "kPa"},
    {"HP Bubble point", &TKelvora::SDT, "%0.1f", "&deg;C"},
    {"LP Dew point", &TKelvora::SST, "%0.1f", "&deg;C"},
    {"Evaporating temperature", &TKelvora::te, "%0.1f", "&deg;C"},
    {"Condensing temperature", &TKelvora::tc, "%0.1f", "&deg;C"},
    {"Superheat", &TKelvora::sh, "%0.1f", "&deg;C"},
    {"Sub-cooling", &TKelvora::sc, "%0.1f", "&deg;C"},
    {"Suction line temperature", &TKelvora::ts, "%0.1f", "&deg;C"},
    {"Discharge line temperature", &TKelvora::td, "%0.1f", "&deg;C"},
    {"Liquid line temperature", &TKelvora::tl, "%0.1f", "&deg;C"},
    {"Evap fluid temp difference", &TKelvora::dte, "%0.1f", "&deg;C"},
    {"Cond fluid temp difference", &TKelvora::dtc, "%0.1f", "&deg;C"},
    {"Evaporator total temperature drop", &TKelvora::itde, "%0.1f", "&deg;C"},
    {"Condenser total temperature drop", &TKelvora::itdc, "%0.1f", "&deg;C"},
    {"Isentropic efficiency", &TKelvora::Ie, "%0.3f", ""},
    {"Refrigerant massflow", &TKelvora::mr, "%0.3f", "kg/s"},
    {"Condenser heat rejection", &TKelvora::qc, "%0.3f", "kW"},
    {"Evaporator cooling", &TKelvora::qe, "%0.3f", "kW"},
    {"Compressor power", &TKelvora::pw, "%0.3f", "kW"},
    {"Compressor inlet enthalpy", &TKelvora::h1, "%0.2f", "kJ/kg"},
    {"Compressor outlet enthalpy", &TKelvora::h2, "%0.2f", "kJ/kg"},
    {"Compressor outlet isentropic enthalpy", &TKelvora::h2i, "%0.2f", "kJ/kg"},
    {"Liquid line enthalpy", &TKelvora::h3, "%0.2f", "kJ/kg"},
    {"Evaporator bubble point enthalpy", &TKelvora::h4b, "%0.2f", "kJ/kg"},
    {"Evaporator inlet quality", &TKelvora::x4, "%0.3f", ""},
    {"Cooling COP", &TKelvora::COPc, "%0.3f", ""},
    {"Heating COP", &TKelvora::COPh, "%0.3f", ""},
    {"Heat rejection factor", &TKelvora::hrf, "%0.3f", ""},
}};

constexpr const char* kStyleLines[] = {
    "html {margin:0px; padding:0px;}",
    "body {font-family: \"trebuchet ms\", helvetica, arial, sans-serif; margin-left:45px;}",
    "h1 {color:darkorange;}",
    "h3 {color:green;}",
    "h4 {color:maroon;}",
    "table {font-size: 10pt; border-collapse: collapse; spacing: 0; padding: 0; border: none;}",
    ".caption {text-align: left; font-weight: bold;}",
    "th {text-align: left; spacing: 2px; padding: 2px; border: 1px solid #e3f0f7; background-color: #e8f1f5;}",
    "td {text-align: left; spacing: 2px; padding: 2px; border: 1px solid #e3f0f7; background-color: #f7fbfd;}",
    ".caption {color:red; font-size:10pt; font-style:itallic;}",
    ".hilite {background-color:#faffd8; border-bottom:1px solid #82d791;}",
    ".border {border:1px solid #daeada;}",
    "#byline {color:green; font-size:10pt;}",
    "#copyrite {color:green; font-size:10pt; text-align:center;}",
    "#logo {float:right;}",
};

std::vector<std::string> LetterheadLines(const std::string& path)
{
    return SplitTextLines(ReadWholeFile(path));
}

} // namespace

std::string HtmlEscape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

void WriteReportPage(const std::string& fileName, const TKelvora& cycle, const TReportPage& page)
{
    TPageFile out(fileName);
    for (const char* line : {"<html>", "<head>", "<title>Kelvora Report</title>", "<style>"})
        out.Line(line);
    for (const char* line : kStyleLines)
        out.Line(line);
    for (const char* line : {"</style>", "</head>", "<body>", "<h1>Kelvora Report</h1>", "<div>",
                             "<img id=\"logo\" src=\"ReportLogo.gif\">", "<p>"})
        out.Line(line);
    for (const auto& line : LetterheadLines(page.letterheadFile))
        out.Line(line + "<br>");
    for (const char* line : {"</p>", "</div>", "<hr>", "<p>&nbsp;</p>"})
        out.Line(line);
    if (!page.solved) {
        out.Line("<h4>NOT SOLVED!</h4>");
        out.Line("<h4>Click [Solve] before creating a reporting.</h4>");
    }
    if (page.snapshotTaken) {
        out.Line("<img class=\"border\" src=\"dump.gif\">");
        out.Line("<p>&nbsp;</p>");
        out.Line("<p style=\"page-break-before: always\">");
    } else {
        out.Line("<p>Windows DC error: image not created...</p>");
        out.Line("<p>&nbsp;</p>");
    }
    out.Line("<table>");
    out.Line("<tr><th width=\"300\">Description</th><th width=\"100\">value</th><th width=\"60\">Units</th></tr>");
    // The name comes from the library file: escaped, it can neither break nor inject into the page.
    out.Line("<tr><td>Refrigerant</td><td>" + HtmlEscape(page.refrigerant) + "</td><td></td></tr>");
    for (const auto& row : kReportRows)
        out.Line(std::string("<tr><td>") + row.caption + "</td><td>" + FormatNumber(row.format, cycle.*row.value) +
                 "</td><td>" + row.units + "</td></tr>");
    out.Line("</table>");
    out.Line(std::string("<p>Solved: ") + (page.solved ? "True" : "False") + "</p>");
    out.Line("<p>&nbsp;</p>");
    out.Line("<hr>");
    out.Line("<p id=\"copyrite\">" + page.byline + "</p>");
    out.Line("<p id=\"copyrite\">generated by Zandrovel Software</p>");
    out.Line("</body>");
    out.Line("</html>");
    out.Close();
}
