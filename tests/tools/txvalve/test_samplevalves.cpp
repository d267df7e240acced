// The sample valve ranges shipped in "Common Files": the files are the generator's
// output, and they are data the lookup can work on.
#include <gtest/gtest.h>

#include "core/numtext.h"
#include "tools/txvalve/samplevalves.h"
#include "tests/support/tempfolder.h"
#include "tools/txvalve/txvalvemodel.h"

namespace {

const std::string kCommonFiles = std::string(KELVORA_SOURCE_DIR) + "/assets/Common Files/";

TEST(SampleValves, ShippedFilesMatchTheGenerator)
{
    const auto files = SampleValveFiles();
    ASSERT_EQ(files.size(), 3u);
    for (const auto& f : files) {
        EXPECT_EQ(f.fileName.substr(0, 7), "Sample ") << f.fileName;
        EXPECT_EQ(TTempFolder::Read(kCommonFiles + f.fileName), f.text)
            << f.fileName << " differs from the generator: cmake --build build --target sample-valves";
    }
}

TEST(SampleValves, EveryRangeIsAFullTableOfGrowingModels)
{
    for (const auto& f : SampleValveFiles()) {
        const TIniFile ini = TIniFile::FromText(f.text);
        const auto models = ValveModelNames(ini);
        EXPECT_GE(models.size(), 6u) << f.fileName;
        EXPECT_EQ(ini.ReadString("Header", "Manufacturer", ""), "Sample data (not a maker's table)");
        const size_t columns = SplitCoefList(ini.ReadString("Header", "dPRange", "")).size();
        const size_t rows = SplitCoefList(ini.ReadString("Header", "teRange", "")).size();
        EXPECT_GE(columns, 6u);
        EXPECT_GE(rows, 5u);
        std::vector<double> previous(rows * columns, 0);
        for (const auto& m : models) {
            for (size_t r = 0; r < rows; ++r) {
                const auto row = SplitCoefList(ini.ReadString(m, "te" + std::to_string(r), ""));
                ASSERT_EQ(row.size(), columns) << f.fileName << " " << m;
                for (size_t c = 0; c < columns; ++c) {
                    const double q = *ParseReal(row[c]);
                    EXPECT_GT(q, previous[r * columns + c]) << f.fileName << " " << m << " te" << r;
                    if (c > 0) {
                        EXPECT_GT(q, *ParseReal(row[c - 1])) << "a larger drop passes more";
                    }
                    previous[r * columns + c] = q;
                }
            }
        }
    }
}

TEST(SampleValves, LookupsInEachRangeGiveKW)
{
    TTxValveModel model(kCommonFiles, [](const std::string& m) { FAIL() << m; });
    struct Case {
        const char* file;
        double dp, te, duty; // bar, degrees C, kW
        const char* model;
        double capacity; // kW
    };
    const Case cases[] = {
        // The selector's start values with R22: about 10.8 bar left for the valve;
        // 10 bar and +10 degC are the nearest table point.
        {"Sample R22 metric.txv", 10.8, 5.5, 21, "SV 24 kW", 27.17},
        {"Sample R22 metric.txv", 10.8, 5.5, 4, "SV 3.5 kW", 3.96},
        // 6.9 bar = 100 psi, 4.4 degC = 40 degF: the rating point; 1 ton = 3.516 kW.
        {"Sample R134a imperial.txv", 6.9, 4.4, 7, "SV 2 Ton", 2 * 3.516},
        {"Sample R404A kPa.txv", 10, -10, 2.4, "SV-L 2.5 kW", 2.5},
        {"Sample R404A kPa.txv", 10, -10, 40, "None", 0},
    };
    for (const auto& c : cases) {
        const auto found = model.SelectValve(c.file, c.dp, c.te, c.duty);
        EXPECT_EQ(found.model, c.model) << c.file << " " << c.duty;
        EXPECT_NEAR(found.capacity, c.capacity, 1e-9) << c.file << " " << c.duty;
        if (found.model != "None") {
            EXPECT_NEAR(model.ValveCapacity(c.file, c.model, c.te, c.dp), c.capacity, 1e-9);
        }
    }
}

} // namespace
