// The program run as a real process: its state points against kelvora-cli's
// solve of the same cycle, and its refusals.
#include <gtest/gtest.h>

#include <map>

#include "core/cliptext.h"
#include "core/cycle.h"
#include "core/numtext.h"
#include "tests/support/tempfolder.h"
#include "tests/support/runprogram.h"
#include "tools/mollier/molliercycle.h"
#include "ui/companions.h"

namespace {

const std::string kLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";

struct TPointLine {
    int n = 0;
    double p = 0, h = 0, T = 0;
};

std::vector<TPointLine> ReadPoints(const std::string& out)
{
    std::vector<TPointLine> points;
    for (const auto& line : SplitTextLines(out)) {
        std::vector<std::string> f;
        size_t at = 0;
        for (size_t tab; (tab = line.find('\t', at)) != std::string::npos; at = tab + 1)
            f.push_back(line.substr(at, tab - at));
        f.push_back(line.substr(at));
        EXPECT_EQ(f.size(), 4u) << line;
        if (f.size() != 4)
            continue;
        points.push_back({*ParseInteger(f[0]), *ParseReal(f[1]), *ParseReal(f[2]), *ParseReal(f[3])});
    }
    return points;
}

std::map<std::string, double> ReadClipValues(const std::string& out)
{
    std::map<std::string, double> values;
    for (const auto& line : SplitTextLines(out)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos)
            if (const auto v = ParseReal(line.substr(eq + 1)))
                values[line.substr(0, eq)] = *v;
    }
    return values;
}

class MollierProgram : public ::testing::TestWithParam<const char*> {
protected:
    TTempFolder dir;
    TRefrigLib lib {kLibrary};

    // A plant of the given refrigerant, solved as the main window solves it, saved
    // as a project; `text` gets the main window's argument text for it.
    std::string Plant(const std::string& name, std::string& text)
    {
        TKelvora k(lib);
        k.SetDefaults();
        lib.SelectByName(name);
        k.rnum = name;
        k.SST = k.te = -4;
        k.SDT = k.tc = 42;
        k.sh = 6.5;
        k.sc = 3.5;
        k.Ie = 0.68;
        k.Solve(smIeGiven);
        text = MollierArgumentText(k);
        const std::string path = dir.File("plant.rdf");
        k.SaveToFile(path);
        return path;
    }
};

} // namespace

TEST_P(MollierProgram, PointsAgreeWithTheCommandLineSolveOfTheSameCycle)
{
    std::string text;
    const std::string project = Plant(GetParam(), text);
    const TRun cli = RunProgram(dir, KELVORA_CLI, {"solve", project, "--library", kLibrary, "--mode", "1"});
    ASSERT_EQ(cli.code, 0) << cli.err;
    auto v = ReadClipValues(cli.out);
    // One argument, as the launcher's hand-over gives it, and six words, as a start does.
    for (const std::vector<std::string>& words : {std::vector<std::string> {text}, std::vector<std::string> {}}) {
        std::vector<std::string> args = {"--library", kLibrary, "--points"};
        if (words.empty()) {
            for (size_t at = 0, blank; at != std::string::npos; at = blank == std::string::npos ? blank : blank + 1) {
                blank = text.find(' ', at);
                args.push_back(text.substr(at, blank == std::string::npos ? blank : blank - at));
            }
        } else {
            args.push_back(words[0]);
        }
        const TRun r = RunProgram(dir, MOLLIERCHART, args, "LC_ALL=de_DE.UTF-8");
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const auto points = ReadPoints(r.out);
        ASSERT_EQ(points.size(), 4u) << r.out;
        // The text carries the dew temperature to 0.001 K: the pressures agree to
        // well within 0.1 kPa, enthalpies and temperatures to the printed digits.
        const struct {
            double p, h, T;
        } expected[] = {
            {v["LP"], v["h1"], v["ts"]},
            {v["HP"], v["h2"], v["td"]},
            {v["HP"], v["h3"], v["tl"]},
            {v["LP"], v["h3"], v["SST"]},
        };
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_EQ(points[i].n, i + 1);
            EXPECT_NEAR(points[i].p, expected[i].p, 0.1);
            EXPECT_NEAR(points[i].h, expected[i].h, 0.02);
            if (i < 3) {
                EXPECT_NEAR(points[i].T, expected[i].T, 0.02);
            }
        }
        // The evaporator inlet lies between the bubble and the dew temperature at
        // LP, the more towards the bubble the less flash gas.
        const double tBubble = lib.BubbleT(v["LP"] * 1000);
        const double tDew = lib.DewT(v["LP"] * 1000);
        EXPECT_NEAR(points[3].T, tBubble + v["x4"] * (tDew - tBubble), 0.05 + 0.05 * (tDew - tBubble));
        if (std::string(GetParam()) == "R22") {
            EXPECT_NEAR(points[3].T, v["SST"], 0.01);
        } else {
            EXPECT_LT(points[3].T, v["SST"] - 1.0); // a blend's glide
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PureAndBlend, MollierProgram, ::testing::Values("R22", "R407C"));

TEST(MollierProgramRefusals, ExitTwoWithAMessageForABadTextOrPosition)
{
    TTempFolder dir;
    const std::vector<std::vector<std::string>> cases = {
        {"--points", "0 0.72 5 45 7.5"},
        {"--points", "0", "0.72", "5", "45", "7.5", "5", "9"},
        {"--points", "zero 0.72 5 45 7.5 5"},
        {"--points", "23 0.72 5 45 7.5 5"},
        {"--points", "-2 0.72 5 45 7.5 5"},
        {"--export", "x.png", "--size", "12x", "0 0.72 5 45 7.5 5"},
        {"--export"},
        {"--frobnicate", "0 0.72 5 45 7.5 5"},
    };
    for (auto args : cases) {
        args.insert(args.begin(), {"--library", kLibrary});
        const TRun r = RunProgram(dir, MOLLIERCHART, args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_NE(r.err, "") << args.back();
    }
}

TEST(MollierProgramRefusals, ACycleWithCountedFailuresIsPrintedWithAWarning)
{
    TTempFolder dir;
    // An isentropic efficiency of 1: the solver counts it and takes the isentropic work.
    const TRun r = RunProgram(dir, MOLLIERCHART, {"--library", kLibrary, "--points", "-1 1.0 5 45 7.5 5"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(SplitTextLines(r.out).size(), 4u);
    EXPECT_NE(r.err.find("Warning: 1 value(s)"), std::string::npos) << r.err;
}

TEST(MollierProgramRefusals, ACycleBeyondTheDataRangeIsPrintedWithTheNote)
{
    TTempFolder dir;
    // Condensing at 65 °C, beyond the built-in R22 record's −60…60 °C.
    const TRun r = RunProgram(dir, MOLLIERCHART, {"--library", kLibrary, "--points", "-1 0.72 5 65 7.5 5"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(SplitTextLines(r.out).size(), 4u);
    EXPECT_NE(r.err.find("Warning: outside the data range of R22 (\u221260\u202660 \u00B0C)"), std::string::npos) << r.err;
}

TEST(MollierProgramLibrary, UsesTheBuiltInR22WithoutALibraryFile)
{
    TTempFolder dir;
    const std::string noLibrary = dir.File("none/RefLib8.rdf");
    const TRun builtIn = RunProgram(dir, MOLLIERCHART, {"--library", noLibrary, "--points", "-1 0.72 5 45 7.5 5"});
    const TRun shipped = RunProgram(dir, MOLLIERCHART, {"--library", kLibrary, "--points", "0 0.72 5 45 7.5 5"});
    ASSERT_EQ(builtIn.code, 0) << builtIn.err;
    ASSERT_EQ(shipped.code, 0) << shipped.err;
    EXPECT_EQ(ReadPoints(builtIn.out).size(), 4u);
    // Position 0 of an empty list is outside it.
    EXPECT_EQ(RunProgram(dir, MOLLIERCHART, {"--library", noLibrary, "--points", "0 0.72 5 45 7.5 5"}).code, 2);
}

TEST(MollierText, IsTheMainWindowsArgumentText)
{
    for (const char* name : {"R22", "R448A"}) {
        TRefrigLib lib(kLibrary);
        TKelvora k(lib);
        k.SetDefaults();
        lib.SelectByName(name);
        k.SST = k.te = -12.3456;
        k.Solve(smIeGiven);
        EXPECT_EQ(MollierTextOf(k), MollierArgumentText(k));
    }
}
