// The sample compressor files the build writes and an installation ships: what the
// selector will show of them, and the fit behind their polynomials.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/compressor/comp.h"
#include "core/numtext.h"
#include "tools/compressor/samplecompressors.h"

namespace {

const std::string kSampleFolder = KELVORA_SAMPLE_DIR "/";
const std::string kLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";

class Samples : public ::testing::Test {
protected:
    TRefrigLib lib {kLibrary};
    TComp comp {lib};
    std::vector<std::string> messages;

    void SetUp() override
    {
        lib.SelectByName("R22");
        comp.SetMessageHook([this](const std::string& m) { messages.push_back(m); });
        comp.SetDataFolder(kSampleFolder);
    }
    void TearDown() override { EXPECT_TRUE(messages.empty()) << messages.front(); }

    // Every compressor of a sample file, loaded one after the other.
    std::vector<TCompData> Records(const std::string& file)
    {
        const std::string path = kSampleFolder + file;
        comp.SetFileName(path);
        std::vector<TCompData> records;
        for (std::size_t k = 0; k < comp.CompressorNames().size(); ++k) {
            EXPECT_TRUE(comp.SelectCompressor(path, static_cast<int>(k)));
            records.push_back(comp.Data());
        }
        return records;
    }
};

} // namespace

TEST_F(Samples, ThreeLabelledFilesForR22)
{
    const auto files = comp.CompressorFiles("R22", "Sample compressors", 5, 45);
    ASSERT_EQ(files.size(), 3u);
    for (const auto& range : SampleRanges()) {
        EXPECT_NE(std::find(files.begin(), files.end(), kSampleFolder + range.fileName), files.end()) << range.fileName;
        for (const auto& d : Records(range.fileName)) {
            EXPECT_EQ(d.CompName.rfind("Sample ", 0), 0u) << d.CompName;
            EXPECT_NE(d.CompDescription.find("not any maker's published figures"), std::string::npos);
        }
        // A short header has no third text.
        const std::string& note = HasShortHeader(range.versionText) ? comp.Header().HeaderText2 : comp.Header().HeaderText3;
        EXPECT_NE(note.find("ample"), std::string::npos) << range.fileName;
    }
}

TEST_F(Samples, ScrollRangeRisesInCapacityWithFiguresOfSmallCommercialPlant)
{
    const auto records = Records("Sample-R22-Scroll.cmp");
    ASSERT_GE(records.size(), 5u);
    EXPECT_TRUE(RecordsHaveSuctionGas(comp.Header().VersionText));
    const TCapacityList list = comp.ListCapacities(2, -1, 5, 45);
    ASSERT_EQ(list.Names.size(), records.size());
    EXPECT_TRUE(std::is_sorted(list.Capacities.begin(), list.Capacities.end(), std::less_equal<double>()));
    EXPECT_GT(list.Capacities.front(), 3);
    EXPECT_LT(list.Capacities.back(), 40);
    for (std::size_t k = 0; k < records.size(); ++k) {
        EXPECT_TRUE(records[k].HasPoly);
        EXPECT_EQ(records[k].RefSuctionGas, 18.3);
        ASSERT_TRUE(comp.SelectCompressor(kSampleFolder + "Sample-R22-Scroll.cmp", static_cast<int>(k)));
        const double q = comp.Capacity(5, 45);
        const double cop = q / comp.Power(5, 45);
        EXPECT_GT(cop, 3.0) << records[k].CompName;
        EXPECT_LT(cop, 4.5) << records[k].CompName;
        EXPECT_GT(comp.HeatRejection(5, 45), q);
        // Colder evaporating and hotter condensing both cost capacity.
        EXPECT_LT(comp.Capacity(-10, 45), q);
        EXPECT_LT(comp.Capacity(5, 55), q);
    }
}

TEST_F(Samples, ReciprocatingTablesHaveAMissingAndAFlaggedCell)
{
    const auto records = Records("Sample-R22-Reciprocating.cmp");
    ASSERT_GE(records.size(), 2u);
    EXPECT_FALSE(RecordsHaveSuctionGas(comp.Header().VersionText));
    int missing = 0, flagged = 0;
    for (const auto& d : records) {
        EXPECT_TRUE(d.HasTable);
        EXPECT_FALSE(d.HasPoly);
        EXPECT_EQ(d.RefSuctionGas, kNoSuctionGas);
        for (const auto& row : d.CapTable)
            missing += static_cast<int>(std::count(row.begin(), row.end(), kMissingValue));
        for (const auto& row : d.CellFlags)
            flagged += static_cast<int>(std::count_if(row.begin(), row.end(), [](int f) { return f != 0; }));
    }
    EXPECT_EQ(missing, 1);
    EXPECT_EQ(flagged, 1);

    // All of them cover 5 °C / 45 °C; the damaged corner shows in the status.
    EXPECT_EQ(comp.ListCapacities(2, -1, 5, 45).Names.size(), records.size());
    ASSERT_TRUE(comp.SelectCompressor(kSampleFolder + "Sample-R22-Reciprocating.cmp", 1));
    comp.Capacity(8, 58);
    EXPECT_EQ(comp.StatusText(), "Invalid data... [Suction -25 to 10°C Discharge 25 to 60°C]");
    comp.Capacity(5, 45);
    EXPECT_EQ(comp.StatusText(), "");
}

TEST_F(Samples, LegacyFileIsOfTheFirstVersion)
{
    const auto records = Records("Sample-R22-Legacy.cmp");
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(comp.Header().VersionText, kCmpVersion100);
    TCmpReader reader(kSampleFolder + "Sample-R22-Legacy.cmp");
    ReadCompHeader(reader);
    EXPECT_EQ(reader.Position(), static_cast<std::uint64_t>(kShortHeaderSize));
    for (const auto& d : records) {
        EXPECT_EQ(d.RefSuctionGas, kNoSuctionGas);
        EXPECT_TRUE(d.FlagA && d.FlagB);
    }
}

TEST(SampleFit, RecoversAKnownPolynomialAndFollowsTheCompressorModel)
{
    const TPolyCoefs known = {12.5, 0.41, 0.0052, -0.13, -0.0011, -0.0021, 0.00003, 0.000012, -0.0000004};
    const TDoubleDynArray te = {-20, -15, -10, -5, 0, 5, 10};
    const TDoubleDynArray tc = {25, 35, 45, 55};
    TFloatMat z(tc.size(), TDoubleDynArray(te.size()));
    for (std::size_t j = 0; j < tc.size(); ++j)
        for (std::size_t i = 0; i < te.size(); ++i)
            z[j][i] = Poly2(known, te[i], tc[j]);
    const TPolyCoefs fitted = FitPoly2(te, tc, z);
    for (std::size_t k = 0; k < known.size(); ++k)
        EXPECT_NEAR(fitted[k], known[k], 1e-9 * std::max(1.0, std::fabs(known[k]) * 1e3)) << k;

    TRefrigLib lib(kLibrary);
    lib.SelectByName("R22");
    for (const auto& range : SampleRanges()) {
        if (range.tables)
            continue;
        for (std::size_t k = 0; k < range.compressors.size(); ++k) {
            const TCompData d = SampleRecord(lib, range, k);
            for (double t : {range.suctionLo, 0.0, range.suctionHi})
                for (double c : {range.dischargeLo, 45.0, range.dischargeHi}) {
                    // Nine terms follow the model closely in the middle of the range, less so at its corners.
                    const double margin = t == 0 && c == 45 ? 0.01 : 0.06;
                    const TSamplePoint p = RatedPerformance(lib, range, range.compressors[k], t, c);
                    EXPECT_NEAR(Poly2(d.CapPoly, t, c), p.capacity, margin * p.capacity) << d.CompName << " " << t;
                    EXPECT_NEAR(Poly2(d.PowerPoly, t, c), p.power, margin * p.power) << d.CompName << " " << c;
                }
        }
    }
}
