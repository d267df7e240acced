// The library file an installation ships: every section loads and computes, and
// the figures the help pages and the README quote are the ones it gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "core/cliptext.h"
#include "core/cycle.h"
#include "core/errors.h"
#include "core/refriglib.h"
#include "core/refrigsummary.h"
#include "tests/support/tempfolder.h"

namespace {
const std::string kShippedLibrary = std::string(KELVORA_SOURCE_DIR) + "/assets/Common Files/RefLib8.rdf";
}

TEST(ShippedLibrary, EverySectionLoadsAndComputes)
{
    TRefrigLib lib(kShippedLibrary);
    ASSERT_FALSE(lib.RefrigNames().empty());
    for (const auto& name : lib.RefrigNames()) {
        lib.LastWarning = rwNone;
        ASSERT_NO_THROW(lib.SelectByName(name)) << name;
        EXPECT_EQ(lib.LastWarning, rwNone) << name;
        const double p = lib.DewP(0);
        EXPECT_NEAR(lib.DewT(p), 0.0, 1e-9) << name;
        EXPECT_GT(lib.LatentHeat(0), 0.0) << name;
    }
}

TEST(ShippedLibrary, R22AgreesWithPublishedSaturationPressure)
{
    TRefrigLib lib(kShippedLibrary);
    lib.SelectByName("R22");
    EXPECT_EQ(lib.LastWarning, rwNone);
    EXPECT_EQ(lib.GetNumber(), 0);
    EXPECT_NEAR(lib.DewP(0) / 497990.0, 1.0, 0.005); // 497.99 kPa at 0 °C
}

namespace {

// The key=value lines of the exchange text quoted in `text` between the line that
// starts with `from` and the next line that starts with `to`.
std::vector<std::string> QuotedValueLines(const std::string& text, const std::string& from, const std::string& to)
{
    std::vector<std::string> quoted;
    std::istringstream in(text);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = line.substr(std::min(line.find_first_not_of(' '), line.size()));
        if (!inside) {
            inside = trimmed.rfind(from, 0) == 0;
            continue;
        }
        if (trimmed.rfind(to, 0) == 0 && !to.empty())
            break;
        if (trimmed.find('=') != std::string::npos)
            quoted.push_back(trimmed);
    }
    return quoted;
}

} // namespace

// The start-up project as the window shows it after loading it: solved with the
// isentropic efficiency given, with the shipped library.
TEST(ShippedLibrary, HelpAndReadmeQuoteTheStartUpProjectAsItSolves)
{
    TRefrigLib lib(kShippedLibrary);
    TKelvora k(lib);
    k.LoadFromFile(std::string(KELVORA_SOURCE_DIR) + "/assets/Projects/Default.rdf");
    k.Solve(smIeGiven);
    ASSERT_EQ(k.ErrCount, 0);
    const std::vector<std::string> clip = k.GetClipText();
    struct Quote {
        const char* file;
        const char* from;
        const char* to;
    };
    const Quote quotes[] = {
        {"/assets/Help/files.htm", "<pre>Kelvora 1.2.0.0", "...</pre>"},
        {"/README.md", "Kelvora 1.2.0.0", "Exit codes"},
    };
    for (const Quote& q : quotes) {
        SCOPED_TRACE(q.file);
        const std::string text = TTempFolder::Read(std::string(KELVORA_SOURCE_DIR) + q.file);
        const auto lines = QuotedValueLines(text, q.from, q.to);
        EXPECT_GE(lines.size(), 3u) << "the quoted example was not found";
        for (const auto& line : lines)
            EXPECT_NE(std::find(clip.begin(), clip.end(), line), clip.end()) << line;
    }
}

TEST(RefrigSummaryLines, ShowsThePickersNineLines)
{
    TRefrigLib lib("");
    const auto lines = RefrigSummaryLines(lib, 0.0, lib.DewP(0) * 0.001);
    const std::vector<std::string> expected {
        "R22 (chlorodifluoromethane, CHClF2)",
        "",
        "Critical Temperature = 96.1 °C",
        "Critical Pressure = 4990 kPa",
        "Boiling Point (at 1atm) = -40.8 °C",
        "Temperature Glide = 0.0 °C",
        "Vapor Specific Volume = 0.0471 m³/kg",
        "Liquid Density = 1281.4 kg/m³",
        "Latent Heat = 205.0 kJ/kgK",
    };
    EXPECT_EQ(lines, expected);
}

TEST(RefrigSummaryLines, StopsAtAFailingCorrelation)
{
    TRefrigLib lib("");
    const auto lines = RefrigSummaryLines(lib, -273.15, 500.0); // vapour volume divides by zero
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5], "Temperature Glide = 0.0 °C");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "Error reading this refrigerant...");
}

TEST(RefrigSummaryLines, CriticalPressureBeyondTheNumbersIsAnErrorNotInf)
{
    TTempFolder dir;
    // 1e308 kPa is a number; in Pa it is not.
    TRefrigLib lib(dir.Write("RefLib8.rdf", "[Huge]\r\nRNumber=Huge\r\nPCrit=1e308\r\n"));
    lib.SelectByName("Huge");
    EXPECT_THROW(lib.GetPCrit(), ArithmeticError);
    std::string failure;
    const auto lines = RefrigSummaryLines(lib, 0.0, 500.0, &failure);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "Critical Temperature = 96.1 °C");
    EXPECT_EQ(lines[4], "Error reading this refrigerant...");
    EXPECT_EQ(failure, "Floating point overflow");
    for (const auto& line : lines)
        EXPECT_EQ(line.find("inf"), std::string::npos) << line;
}
