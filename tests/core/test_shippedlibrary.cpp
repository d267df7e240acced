// The library file an installation ships: every section loads and computes.
#include <gtest/gtest.h>

#include <cmath>

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
