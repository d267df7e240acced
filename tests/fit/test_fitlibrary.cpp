// The shipped refrigerant library: made by the fitting program from the
// reference tables, it loads, names every fluid and is what the program makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

#include "fit/fitrefrig.h"
#include "core/numtext.h"
#include "core/refriglib.h"

namespace {

const std::string kSource = KELVORA_SOURCE_DIR;
const std::string kTables = kSource + "/data/reference";
const std::string kShipped = kSource + "/assets/Common Files/RefLib8.rdf";

std::vector<std::string> CommandLines(const std::string& command)
{
    std::vector<std::string> lines;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return lines;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe.get())) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST(ShippedLibraryFit, EveryFluidLoadsUnderItsNumber)
{
    const auto fluids = ReadFluidList(kTables);
    ASSERT_EQ(fluids.size(), 23u);
    TRefrigLib lib(kShipped);
    EXPECT_EQ(lib.RefrigNames().size(), fluids.size());
    for (const auto& f : fluids) {
        lib.LastWarning = rwNone;
        ASSERT_NO_THROW(lib.SelectByName(f.RNumber)) << f.RNumber;
        EXPECT_EQ(lib.LastWarning, rwNone) << f.RNumber;
        EXPECT_EQ(lib.GetName(), f.RNumber);
        EXPECT_EQ(lib.GetNumber(), f.InternalNumber) << f.RNumber;
        EXPECT_EQ(lib.Data().SourceFile, f.table);
        EXPECT_EQ(lib.Data().RefState, "IIR");
        EXPECT_LE(lib.Data().TMin, -40.0) << f.RNumber;
        EXPECT_GT(lib.Data().TMax, lib.Data().TMin + 50.0) << f.RNumber;
        if (f.Components == 1) {
            EXPECT_EQ(lib.Glide(lib.DewP(0)), 0.0) << f.RNumber;
        }
    }
    lib.SelectByName("R22");
    EXPECT_EQ(lib.GetNumber(), 0);
}

TEST(ShippedLibraryFit, CommandLineListsEveryFluid)
{
    const auto names = CommandLines("\"" + std::string(KELVORA_CLI) + "\" list --library \"" + kShipped + "\"");
    std::vector<std::string> expected;
    for (const auto& f : ReadFluidList(kTables))
        expected.push_back(f.RNumber);
    std::sort(expected.begin(), expected.end(),
              [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
    EXPECT_EQ(names, expected);
}

// The committed file is what kelvora-fit makes of the tables: every section's
// correlations agree with a fresh fit. The fits iterate, so another processor or
// math library moves their last digits (up to 2e-7 relative has been seen); a real
// change of a weight, a range or a form moves values by 1e-4 or more. 1e-5 keeps a
// wide margin on both sides.
constexpr double kRefitTolerance = 1e-5;
TEST(ShippedLibraryFit, IsWhatTheFittingProgramMakes)
{
    std::ifstream in(kShipped);
    std::string first;
    std::getline(in, first);
    EXPECT_NE(first.find("; "), std::string::npos);
    EXPECT_NE(first.find("kelvora-fit --output \"assets/Common Files/RefLib8.rdf\" data/reference"), std::string::npos)
        << first;

    TRefrigLib shipped(kShipped);
    for (const auto& info : ReadFluidList(kTables)) {
        const TFitResult fit = FitRefrigerant(ReadFluidTables(kTables, info));
        shipped.SelectByName(info.RNumber);
        TRecordLibrary fresh(fit.data);
        TRefrigLib& lib = fresh.Lib();
        const TRefrigData& a = shipped.Data();
        const TRefrigData& b = lib.Data();
        EXPECT_EQ(a.RNumber, b.RNumber);
        EXPECT_EQ(a.ChemicalName, b.ChemicalName);
        EXPECT_EQ(a.CASNumber, b.CASNumber);
        EXPECT_EQ(a.FluidType, b.FluidType);
        EXPECT_EQ(a.TCrit, b.TCrit);
        EXPECT_EQ(a.TBoil, b.TBoil);
        EXPECT_EQ(a.TMin, b.TMin);
        EXPECT_EQ(a.TMax, b.TMax);
        const auto same = [&](double x, double y, const char* what, double t) {
            EXPECT_NEAR(x / y, 1.0, kRefitTolerance) << info.RNumber << " " << what << " at " << t;
        };
        for (double t = a.TMin; t <= a.TMax; t += 10) {
            same(shipped.DewP(t), lib.DewP(t), "DewP", t);
            same(shipped.BubbleP(t), lib.BubbleP(t), "BubbleP", t);
            same(shipped.SatLiqEnthalpy(t), lib.SatLiqEnthalpy(t), "SatLiqEnthalpy", t);
            same(shipped.SuperheatEnthalpy(t, t + 40), lib.SuperheatEnthalpy(t, t + 40), "SuperheatEnthalpy", t);
            same(shipped.SatVapVolume(t), lib.SatVapVolume(t), "SatVapVolume", t);
            same(shipped.SuperheatVolume(shipped.DewP(t), t + 20), lib.SuperheatVolume(lib.DewP(t), t + 20),
                 "SuperheatVolume", t);
            same(shipped.SatLiqVolume(t), lib.SatLiqVolume(t), "SatLiqVolume", t);
            if (t + 30 <= a.TMax)
                same(shipped.IsenRise(t, t + 30, t + 10), lib.IsenRise(t, t + 30, t + 10), "IsenRise", t);
            for (const auto& list : kTransportLists)
                same(TransportValue(a, list, t), TransportValue(b, list, t), list.key, t);
        }
    }
}
