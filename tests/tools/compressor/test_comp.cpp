// The compressor model on small data folders written by the test: corrections,
// the capacity cache, the folder scan, the file and compressor lookups, the
// capacity listing, and what damaged files do to each operation.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "tests/support/cmpfixture.h"
#include "tools/compressor/comp.h"
#include "core/errors.h"
#include "tests/support/tempfolder.h"

using namespace cmpfixture;
namespace fs = std::filesystem;

namespace {

class Comp : public ::testing::Test {
protected:
    TTempFolder dir;
    std::string library = dir.Write("RefLib8.rdf", kLibraryText);
    std::string data = dir.File("data") + "/";
    TRefrigLib lib {library};
    TComp comp {lib};
    std::vector<std::string> messages;

    void SetUp() override
    {
        fs::create_directories(data);
        lib.SelectByName("R22");
        comp.SetMessageHook([this](const std::string& m) { messages.push_back(m); });
    }

    std::string Cmp(const std::string& name, const TCompHeader& h, const std::vector<TCompData>& records)
    {
        const std::string path = data + name;
        fs::create_directories(fs::path(path).parent_path());
        WriteCompFile(path, h, records);
        return path;
    }

    // Scans the folder and makes `path` the current file.
    void Use(const std::string& path)
    {
        comp.SetDataFolder(data);
        comp.SetFileName(path);
        ASSERT_NE(comp.FileIndex(), -1) << path;
    }

    void Load(const TCompData& record, const TCompHeader& h = Header())
    {
        const std::string path = Cmp("one.cmp", h, {record});
        comp.SetDataFolder(data);
        ASSERT_TRUE(comp.SelectCompressor(path, 0));
    }

    // The paths of the folder list, in its order, that are among `wanted`.
    std::vector<std::string> InFolderOrder(const std::vector<std::string>& wanted) const
    {
        std::vector<std::string> paths;
        for (const auto& p : comp.FolderList())
            if (std::find(wanted.begin(), wanted.end(), p) != wanted.end())
                paths.push_back(p);
        return paths;
    }
};

TCompData Rated(TCompData d, double superheat, double suctionGas, double subcooling)
{
    d.RefSuperheat = superheat;
    d.RefSuctionGas = suctionGas;
    d.RefSubcooling = subcooling;
    return d;
}

TCompData Flagged(TCompData d, bool a, bool b)
{
    d.FlagA = a;
    d.FlagB = b;
    return d;
}

} // namespace

TEST_F(Comp, PolynomialDataAtTheRatingConditionsNeedNoCorrection)
{
    Load(PolyRecord("P-1", 10, 3));
    EXPECT_EQ(comp.CompName(), "P-1");
    EXPECT_EQ(comp.Capacity(5, 45), 10.0);
    EXPECT_EQ(comp.qcf(), 1.0);
    EXPECT_EQ(comp.Power(5, 45), 3.0);
    EXPECT_EQ(comp.pcf(), 1.0);
    EXPECT_DOUBLE_EQ(comp.HeatRejection(5, 45), 3 * 0.9 + 10);
    EXPECT_EQ(comp.LastStatus(), isNoError);
    EXPECT_EQ(comp.StatusText(), "");

    comp.SetDutyFactor(2);
    EXPECT_EQ(comp.Capacity(5, 45), 20.0);
    EXPECT_EQ(comp.Power(5, 45), 6.0);

    TCompData none = PolyRecord("nothing", 10);
    none.HasPoly = false;
    Load(none);
    EXPECT_EQ(comp.Capacity(0, 40), 0.0);
    EXPECT_EQ(comp.HeatRejection(0, 40), 0.0);
}

TEST_F(Comp, RatingSuperheatComesFromTheRatingSuctionGasTemperatureWhenGiven)
{
    TComp hot(lib, "", 30, 5);
    const std::string path = Cmp("gas.cmp", Header(), {Rated(PolyRecord("G", 10), 7.5, 20, 5)});
    hot.SetDataFolder(data);
    ASSERT_TRUE(hot.SelectCompressor(path, 0));
    EXPECT_EQ(hot.RatingSuperheat(-10), 30); // 20 °C suction gas at -10 °C
    EXPECT_EQ(hot.qcf(-10, 40), 1.0);        // and the model runs at 30 K
    EXPECT_EQ(hot.pcf(-10, 40), 1.0);
    EXPECT_EQ(hot.Capacity(-10, 40), 10.0);

    for (double notGiven : {kNoSuctionGas, -100.0}) {
        Load(Rated(PolyRecord("S", 10), 7.5, notGiven, 5));
        EXPECT_EQ(comp.RatingSuperheat(-10), 7.5) << notGiven;
    }
}

TEST_F(Comp, CorrectionsFollowTheOperatingConditions)
{
    // Rated at 10 K superheat and no sub-cooling; the plant runs 7.5 K and 5 K. The
    // sub-cooling adds about 6 kJ/kg to some 160 kJ/kg of refrigerating effect.
    Load(Rated(PolyRecord("EN", 10, 3), 10, kNoSuctionGas, 0));
    const double q = comp.Capacity(5, 45);
    EXPECT_GT(comp.qcf(), 1.02);
    EXPECT_LT(comp.qcf(), 1.05);
    EXPECT_DOUBLE_EQ(q, 10 * comp.qcf());
    comp.Power(5, 45);
    EXPECT_GT(comp.pcf(), 0.97);
    EXPECT_LT(comp.pcf(), 1.03);
    EXPECT_NE(comp.pcf(), 1.0);
}

TEST_F(Comp, CapacityIsKeptForItsPointUntilTheCompressorOrDutyFactorChanges)
{
    // The factors depend on the refrigerant; a changed selection shows whether the
    // capacity was evaluated again.
    Load(Rated(PolyRecord("EN", 10), 10, kNoSuctionGas, 0));
    const double r22 = comp.Capacity(5, 45);
    lib.SelectByName("R2");
    EXPECT_EQ(comp.Capacity(5, 45), r22);
    comp.SetDutyFactor(1.0);
    const double r2 = comp.Capacity(5, 45);
    EXPECT_NE(r2, r22);
    lib.SelectByName("R22");
    EXPECT_EQ(comp.Capacity(5, 45), r2);
    comp.Capacity(5, 46);
    EXPECT_EQ(comp.Capacity(5, 45), r22);
    // Loading a compressor marks the model changed too; this one selects R2.
    const std::string path = Cmp("r2.cmp", Header("Zandrovel compressor file v 1.03", 4),
                                 {Rated(PolyRecord("EN", 10), 10, kNoSuctionGas, 0)});
    ASSERT_TRUE(comp.SelectCompressor(path, 0));
    ASSERT_EQ(lib.GetName(), "R2");
    EXPECT_EQ(comp.Capacity(5, 45), r2);
}

TEST_F(Comp, ScanFolderListsDataFilesDepthFirstWithHiddenOnes)
{
    for (const char* name : {"a.cmp", ".hidden.cmp", "B.CMP", "sub/c.cmp", "sub/deeper/d.cmp", "sub/e.Cmp"})
        Cmp(name, Header(), {PolyRecord("x", 1)});
    dir.Write("data/notes.txt", "no data");
    dir.Write("data/cmp", "not a data file either");
    fs::create_directory_symlink(data, data + "sub/loop"); // a link back up must not repeat or hang

    comp.SetDataFolder(dir.File("data")); // the separator is added
    EXPECT_EQ(comp.DataFolder(), data);
    const auto& list = comp.FolderList();
    ASSERT_EQ(list.size(), 6u);
    // The folder's own files first, then each subfolder's, depth first.
    using Set = std::set<std::string>;
    EXPECT_EQ(Set(list.begin(), list.begin() + 3), (Set {data + "a.cmp", data + ".hidden.cmp", data + "B.CMP"}));
    EXPECT_EQ(Set(list.begin() + 3, list.begin() + 5), (Set {data + "sub/c.cmp", data + "sub/e.Cmp"}));
    EXPECT_EQ(list[5], data + "sub/deeper/d.cmp");
    const auto at = [&](const std::string& name) {
        return std::find(list.begin(), list.end(), data + name) - list.begin();
    };

    comp.SetFileName(data + "SUB/C.CMP");
    EXPECT_EQ(comp.FileIndex(), at("sub/c.cmp"));
    EXPECT_EQ(comp.FileName(), data + "sub/c.cmp");
    comp.SetFileName(data + "missing.cmp");
    EXPECT_EQ(comp.FileIndex(), -1);
    EXPECT_EQ(comp.FileName(), "");

    comp.SetDataFolder(dir.File("nowhere"));
    EXPECT_TRUE(comp.FolderList().empty());
}

TEST_F(Comp, CompressorFilesSelectByRefrigerantHeaderTextAndRanges)
{
    TCompHeader cold = Header("Zandrovel compressor file v 1.02", 0, "Other");
    cold.SuctionLo = -40;
    cold.SuctionHi = 0;
    cold.DischargeLo = 20;
    cold.DischargeHi = 40;
    const std::string a = Cmp("r22a.cmp", Header(), {PolyRecord("x", 1)});
    const std::string b = Cmp("r22b.cmp", cold, {PolyRecord("x", 1)});
    const std::string r2 = Cmp("r2.cmp", Header("Zandrovel compressor file v 1.00", 4), {PolyRecord("x", 1)});
    const std::string broken = dir.Write("data/broken.cmp", std::string(100, '\x07'));
    comp.SetDataFolder(data);

    const struct {
        const char* refrigerant;
        const char* filter;
        double te, tc;
        std::vector<std::string> files;
    } cases[] = {
        {"R22", "", -99, -99, {a, b}},
        {"r22", "MAKER", -99, -99, {a}},
        {"R22", "", 10, 30, {a}}, // range ends included
        {"R22", "", -99, 20, {b}},
        {"R22", "", -30, -99, {b}},
        {"R22", "", -10, 45, {a}},
        {"R22", "", 11, -99, {}},
        {"R2", "", -99, -99, {r2}},
        {"R404A", "", -99, -99, {}}, // not in the library
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_EQ(comp.CompressorFiles(c.refrigerant, c.filter, c.te, c.tc), InFolderOrder(c.files))
            << c.refrigerant << " " << c.filter << " " << c.te << " " << c.tc;
        EXPECT_EQ(messages, std::vector<std::string> {"Error reading compressor file " + broken});
    }
}

TEST_F(Comp, NamesAndLoadingByPosition)
{
    EXPECT_TRUE(comp.CompressorNames().empty()); // no current file
    const std::string path =
        Cmp("r2.cmp", Header("Zandrovel compressor file v 1.01", 4),
            {PolyRecord("A", 1), PolyRecord("B", 2), PolyRecord("C", 3)});
    Use(path);
    EXPECT_EQ(comp.CompressorNames(), (std::vector<std::string> {"A", "B", "C"}));
    ASSERT_EQ(lib.GetName(), "R22");
    ASSERT_TRUE(comp.SelectCompressor(path, 1));
    EXPECT_EQ(comp.CompName(), "B");
    EXPECT_EQ(comp.Data().CapPoly[0], 2);
    EXPECT_EQ(comp.Header().RefrigNumber, 4);
    EXPECT_EQ(lib.GetName(), "R2"); // the file's refrigerant is selected
    EXPECT_FALSE(comp.SelectCompressor(path, 3));
    EXPECT_FALSE(comp.SelectCompressor(path, -1));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(comp.SelectCompressor(data + "gone.cmp", 0));
    EXPECT_EQ(messages, std::vector<std::string> {"Error reading compressor file " + data + "gone.cmp"});
    EXPECT_EQ(comp.CompName(), "B"); // a failed load keeps the compressor
}

TEST_F(Comp, FindCompressorTriesTheCurrentFileThenTheRefrigerantThenEveryFile)
{
    const std::string one = Cmp("one.cmp", Header(), {PolyRecord("Y", 9), PolyRecord("X", 1)});
    const std::string two = Cmp("two.cmp", Header(), {PolyRecord("X", 2)});
    const std::string three = Cmp("three.cmp", Header("Zandrovel compressor file v 1.03", 4),
                                  {PolyRecord("X", 3), PolyRecord("Z", 4)});
    comp.SetDataFolder(data);

    comp.SetFileName(two);
    ASSERT_TRUE(comp.FindCompressor("X"));
    EXPECT_EQ(comp.Data().CapPoly[0], 2);
    EXPECT_EQ(comp.FileName(), two);

    // The current file is for another refrigerant: the first file for R22 that holds it.
    comp.SetFileName(three);
    ASSERT_TRUE(comp.FindCompressor("X"));
    const std::string firstR22 = InFolderOrder({one, two}).front();
    EXPECT_EQ(comp.FileName(), firstR22);
    EXPECT_EQ(comp.Data().CapPoly[0], firstR22 == one ? 1 : 2);
    EXPECT_EQ(lib.GetName(), "R22");

    // Only a file for another refrigerant holds it: found there, and that refrigerant selected.
    ASSERT_TRUE(comp.FindCompressor("Z"));
    EXPECT_EQ(comp.FileName(), three);
    EXPECT_EQ(lib.GetName(), "R2");

    EXPECT_FALSE(comp.FindCompressor("z")); // model names are case-sensitive
    EXPECT_TRUE(messages.empty());
    comp.SetCompName("Nope");
    EXPECT_EQ(messages, std::vector<std::string> {"Compressor (Nope) not found"});
    comp.SetCompName("  ");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(comp.CompName(), "Z");
}

TEST_F(Comp, CapacityListingFiltersByKindLimitAndStatusAndKeepsTheLoadedCompressor)
{
    const std::string path = Cmp("list.cmp", Header(),
                                 {Flagged(PolyRecord("A", 5), true, false), Flagged(PolyRecord("B", 8), false, true),
                                  TableRecord("C"), PolyRecord("D", 12)});
    Use(path);
    ASSERT_TRUE(comp.SelectCompressor(path, 1));
    const double loaded = comp.Capacity(5, 35);

    using Names = std::vector<std::string>;
    const struct {
        int kind;
        double maxCapacity;
        double te;
        Names names;
    } cases[] = {
        {0, -1, 5, {"A", "C", "D"}},
        {1, -1, 5, {"B", "C", "D"}},
        {2, -1, 5, {"A", "B", "C", "D"}},
        {7, -1, 5, {"A", "B", "C", "D"}},
        {2, 10, 5, {"A", "B"}},
        {2, 12, 5, {"A", "B", "D"}},
        {2, -1, -8, {"A", "B", "D"}}, // the table is more than half a cell off its grid there
    };
    for (const auto& c : cases) {
        const TCapacityList list = comp.ListCapacities(c.kind, c.maxCapacity, c.te, 35);
        EXPECT_EQ(list.Names, c.names) << c.kind << " " << c.maxCapacity << " " << c.te;
        ASSERT_EQ(list.Capacities.size(), list.Names.size());
        EXPECT_EQ(comp.CompName(), "B");
        EXPECT_EQ(comp.Capacity(5, 35), loaded);
    }
    const TCapacityList all = comp.ListCapacities(2, -1, 5, 35);
    EXPECT_EQ(all.Capacities[0], 5);
    EXPECT_NEAR(all.Capacities[2], 16.5, 1e-12);
    EXPECT_EQ(all.Capacities[3], 12);

    comp.SetFileName(data + "none.cmp");
    EXPECT_TRUE(comp.ListCapacities(2, -1, 5, 35).Names.empty());
}

TEST_F(Comp, TableDataGiveTheirStatusWithTheFileRanges)
{
    TCompData missing = TableRecord("M");
    missing.CapTable[0][1] = kMissingValue;
    const std::string path = Cmp("tables.cmp", Header(), {TableRecord("T"), missing, PolyRecord("P", 4)});
    Use(path);
    ASSERT_TRUE(comp.SelectCompressor(path, 0));
    EXPECT_NEAR(comp.Capacity(5, 35), 16.5, 1e-12);
    EXPECT_NEAR(comp.Power(5, 35), 2.35, 1e-12);
    EXPECT_EQ(comp.StatusText(), "");
    EXPECT_NEAR(comp.Power(15, 45), 2.45, 1e-12); // a point of its own gets its own lookup

    EXPECT_NEAR(comp.Capacity(-8, 35), 3.5, 1e-12); // extrapolated
    EXPECT_EQ(comp.LastStatus(), isRangeWarning);
    EXPECT_EQ(comp.StatusText(), "Range warning... [Suction -20 to 10°C Discharge 30 to 50°C]");
    EXPECT_NEAR(comp.HeatRejection(-8, 35), 2.35 * 0.9 + 3.5, 1e-12);

    ASSERT_TRUE(comp.SelectCompressor(path, 1));
    comp.Capacity(5, 35);
    EXPECT_EQ(comp.LastStatus(), isInvalidData);
    EXPECT_EQ(comp.StatusText(), "Invalid data... [Suction -20 to 10°C Discharge 30 to 50°C]");

    ASSERT_TRUE(comp.SelectCompressor(path, 2));
    comp.Capacity(-80, 35);
    EXPECT_EQ(comp.StatusText(), ""); // polynomial data have no status
}

TEST_F(Comp, DamagedFileEndsEachOperationWithTheMessage)
{
    const std::string bytes = CompFileBytes(Header(), {PolyRecord("A", 1), PolyRecord("B", 2), PolyRecord("C", 3)});
    const std::string path = dir.Write("data/cut.cmp", bytes.substr(0, bytes.size() - 40));
    const std::string error = "Error reading compressor file " + path;
    Use(path);

    EXPECT_EQ(comp.CompressorNames(), (std::vector<std::string> {"A", "B"}));
    EXPECT_EQ(messages, std::vector<std::string> {error});
    ASSERT_TRUE(comp.SelectCompressor(path, 1)); // before the damage
    EXPECT_FALSE(comp.SelectCompressor(path, 2));
    EXPECT_EQ(comp.CompName(), "B");
    const TCapacityList list = comp.ListCapacities(2, -1, 5, 45);
    EXPECT_EQ(list.Names, (std::vector<std::string> {"A", "B"}));
    EXPECT_EQ(comp.CompName(), "B");
    messages.clear();
    comp.SetCompName("C");
    EXPECT_EQ(messages, (std::vector<std::string> {error, error, error, "Compressor (C) not found"}));
    EXPECT_EQ(comp.CompName(), "B");
}

TEST(SelectByCapacity, TakesTheSmallestThatCoversTheWantedCapacity)
{
    using List = std::vector<double>;
    const struct {
        List capacities;
        double wanted;
        int position;
    } cases[] = {
        {{4, 6, 9}, 5, 1},
        {{4, 6, 9}, 6, 1},
        {{4, 6, 9}, 0, 0},
        {{4, 6, 9}, 9.5, -1},
        {{9, 6, 4}, 5, 1}, // falling: scanned from the last backwards
        {{9, 6, 4}, 3, 2},
        {{9, 6, 4}, 10, -1},
        {{5, 5}, 5, 1},    // not rising: from the back
        {{3, 9, 5}, 4, 1}, // rising first to last: the first that covers it
        {{}, 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectByCapacity(c.capacities, c.wanted), c.position) << testing::PrintToString(c.capacities)
                                                                        << " " << c.wanted;
}

TEST(SharedComp, IsTheProgramsOneModelWithTheStartValues)
{
    TComp& comp = SharedComp();
    EXPECT_EQ(&comp, &SharedComp());
    EXPECT_EQ(&comp.Lib(), &SharedRefrigLib());
    EXPECT_EQ(comp.CompName(), "");
    EXPECT_EQ(comp.Superheat(), 7.5);
    EXPECT_EQ(comp.Subcooling(), 5.0);
    EXPECT_EQ(comp.DutyFactor(), 1.0);
    EXPECT_EQ(comp.FileIndex(), -1);
}
