// The valve data file reader and the capacity lookup: nearest table point, unit
// conversions and their messages, the 92 % rule in file order, failures.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/errors.h"
#include "tests/support/tempfolder.h"
#include "tools/txvalve/txvalvemodel.h"
#include "tests/tools/txvalve/valvefixture.h"

namespace {

TEST(NearestIndex, TakesTheEnclosingPairAndOtherwiseTheLastPosition)
{
    const std::vector<std::string> dp {"2", "4", "6", "8"};
    const std::vector<std::string> te {"10", "0", "-10", "-20"};
    struct Case {
        const std::vector<std::string>* list;
        double x;
        int expected;
    };
    const Case cases[] = {
        {&dp, 5, 2}, // half way goes to the later entry
        {&dp, 4.9, 1},
        {&dp, 3.1, 1},
        {&dp, 2, 0}, // equal to an entry
        {&dp, 6, 2},
        {&dp, 8, 3},
        {&dp, 1, 3}, // below the first entry: the last position, not the nearest end
        {&dp, 9, 3},
        {&dp, -3, 3},
        {&te, -4, 1}, // descending list
        {&te, -5, 2},
        {&te, 10, 0},
        {&te, 12, 3},
        {&te, -25, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestIndex(*c.list, c.x), c.expected) << "x = " << c.x << " in list of " << c.list->front();

    EXPECT_EQ(NearestIndex({"7"}, -40), 0);
    EXPECT_EQ(NearestIndex({"7"}, 7), 0);
    EXPECT_EQ(NearestIndex({}, 1), -1);
    EXPECT_THROW(NearestIndex({"2", "four", "6"}, 5), ConversionError);
    EXPECT_EQ(NearestIndex({"2", "4", "six"}, 3), 1) << "entries past the enclosing pair are not read";
}

class TxValve : public ::testing::Test {
protected:
    TTempFolder dir;
    std::vector<std::string> messages;
    TTxValveModel model {dir.File(""), [this](const std::string& m) { messages.push_back(m); }};

    std::string Write(const std::string& name, const std::vector<std::string>& header,
                      const std::vector<TValveFixtureModel>& models = {})
    {
        dir.Write(name, ValveFileText(header, models));
        return name;
    }

    // A file with one row and one column: every lookup meets these capacities.
    std::string Flat(const std::string& name, const std::vector<std::pair<std::string, std::string>>& capacities,
                     const std::string& qUnits = "kW")
    {
        std::vector<TValveFixtureModel> models;
        for (const auto& [m, c] : capacities)
            models.push_back({m, {"te0=" + c}});
        return Write(name, {"QUnits=" + qUnits, "dPRange=8", "teRange=0"}, models);
    }
};

TEST_F(TxValve, OpenConvertsTheOperatingPointIntoTheFileUnits)
{
    struct Case {
        std::vector<std::string> units;
        double dp, te, q; // after conversion from 5.5 bar, 5 degC, 35.16 kW
    };
    const Case cases[] = {
        {{}, 5.5, 5, 35.16}, // Bar, DegC and kW when the header names none
        {{"PUnits=Bar", "TUnits=DegC", "QUnits=kW"}, 5.5, 5, 35.16},
        {{"PUnits=kPa"}, 550, 5, 35.16},
        {{"PUnits=Psi"}, 550 / 6.89476, 5, 35.16},
        {{"TUnits=DegF"}, 5.5, 41, 35.16},
        {{"QUnits=Tons"}, 5.5, 5, 10},
        {{"PUnits=KPA", "TUnits=degf", "QUnits=TONS"}, 550, 41, 10}, // words compare without regard to case
    };
    for (const auto& c : cases) {
        auto header = c.units;
        header.push_back("dPRange=1");
        header.push_back("teRange=1");
        Write("units.txv", header);
        double dp = 5.5, te = 5, q = 35.16;
        ASSERT_TRUE(model.OpenValveFile("units.txv", dp, te, q)) << header.front();
        EXPECT_NEAR(dp, c.dp, 1e-9) << header.front();
        EXPECT_NEAR(te, c.te, 1e-9) << header.front();
        EXPECT_NEAR(q, c.q, 1e-9) << header.front();
        model.CloseValveFile();
        EXPECT_FALSE(model.IsOpen());
    }
    EXPECT_TRUE(messages.empty());
    model.CloseValveFile(); // closing again is harmless
}

TEST_F(TxValve, OpenFixesTheColumnAndTheRowKey)
{
    struct Case {
        std::vector<std::string> header;
        double dp, te;
        int column;
        const char* rowKey;
    };
    const Case cases[] = {
        {{"dPRange=2,4,6,8", "teRange=10,0,-10,-20"}, 5, -4, 2, "te1"},
        {{"dPRange=2, 4, 6, 8", "teRange=10 0 -10 -20"}, 9, -5, 3, "te2"}, // blanks separate too
        {{"dPRange=2,4,6,8", "teRange=-5"}, 1, 30, 3, "te0"},              // single-entry range
        {{"PUnits=kPa", "dPRange=200,400,600,800", "teRange=0,10"}, 5.5, 10, 2, "te1"},
        {{"PUnits=Psi", "TUnits=DegF", "dPRange=50,100,150", "teRange=20,30,40"}, 6.9, -1, 1, "te1"},
    };
    for (const auto& c : cases) {
        Write("range.txv", c.header);
        double dp = c.dp, te = c.te, q = 1;
        ASSERT_TRUE(model.OpenValveFile("range.txv", dp, te, q));
        EXPECT_EQ(model.ColumnIndex(), c.column) << c.header[0];
        EXPECT_EQ(model.RowKey(), c.rowKey) << c.header[0];
        model.CloseValveFile();
    }
}

TEST_F(TxValve, UnitWordsThatAreNotAllowedShowTheirMessage)
{
    const std::vector<TValveFixtureModel> models {{"V1", {"te0=50"}}};
    struct Case {
        std::vector<std::string> units;
        const char* message;
    };
    const Case cases[] = {
        {{"PUnits=mmHg"}, "Expansion valve file error: Pressure drop units \"mmHg\" not allowed..."},
        {{"TUnits=K"}, "Expansion valve file error: Temperature units \"K\" not allowed..."},
        {{"QUnits=BTU/h"}, "Expansion valve file error: Capacity units \"BTU/h\" not allowed..."},
        {{"QUnits=", "PUnits=Bar"}, "Expansion valve file error: Capacity units \"\" not allowed..."},
        // The pressure drop is checked first, and reading stops at the first bad word.
        {{"TUnits=K", "PUnits=atm", "QUnits=W"}, "Expansion valve file error: Pressure drop units \"atm\" not allowed..."},
    };
    for (const auto& c : cases) {
        auto header = c.units;
        header.push_back("dPRange=8");
        header.push_back("teRange=0");
        Write("bad.txv", header, models);
        messages.clear();
        const auto found = model.SelectValve("bad.txv", 8, 0, 10);
        EXPECT_EQ(found.model, "None");
        EXPECT_EQ(found.capacity, 0);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], c.message);
        EXPECT_FALSE(model.IsOpen());

        messages.clear();
        EXPECT_EQ(model.ValveCapacity("bad.txv", "V1", 0, 8), 0);
        EXPECT_EQ(messages, std::vector<std::string> {c.message});
    }
}

TEST_F(TxValve, EmptyRangesAndMissingFilesFindNoValveSilently)
{
    const std::vector<TValveFixtureModel> models {{"V1", {"te0=50"}}};
    Write("nodp.txv", {"teRange=0"}, models);
    Write("note.txv", {"dPRange=8", "teRange="}, models);
    for (const char* file : {"nodp.txv", "note.txv", "missing.txv", ""}) {
        const auto found = model.SelectValve(file, 8, 0, 10);
        EXPECT_EQ(found.model, "None") << file;
        EXPECT_EQ(found.capacity, 0) << file;
        EXPECT_EQ(model.ValveCapacity(file, "V1", 0, 8), 0) << file;
    }
    double dp = 8, te = 0, q = 10;
    EXPECT_FALSE(model.OpenValveFile("nodp.txv", dp, te, q));
    EXPECT_FALSE(model.IsOpen());
    EXPECT_TRUE(model.ValveModels("missing.txv").empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(TxValve, TheFirstModelInFileOrderWithNinetyTwoPercentWins)
{
    struct Case {
        std::vector<std::pair<std::string, std::string>> capacities;
        double duty;
        const char* model;
        double capacity;
    };
    const Case cases[] = {
        {{{"A", "9.1"}, {"B", "9.3"}, {"C", "10"}}, 10, "B", 9.3}, // 9.1 kW is below 92 % of 10 kW, 9.3 is not
        {{{"A", "12"}, {"B", "9.5"}}, 10, "A", 12},                // not the closest, the first
        {{{"Big", "30"}, {"Small", "10"}}, 10, "Big", 30},         // file order, not size order
        // No model reaches the duty: no capacity either, not the last model's.
        {{{"A", "5"}, {"B", "9.1"}}, 10, "None", 0},
    };
    for (const auto& c : cases) {
        Flat("flat.txv", c.capacities);
        const auto found = model.SelectValve("flat.txv", 8, 0, c.duty);
        EXPECT_EQ(found.model, c.model) << c.capacities.front().first << " for " << c.duty;
        EXPECT_DOUBLE_EQ(found.capacity, c.capacity) << c.model;
    }

    // FindValve itself names no model when none qualifies.
    double dp = 8, te = 0, q = 10;
    ASSERT_TRUE(model.OpenValveFile("flat.txv", dp, te, q));
    const auto none = model.FindValve(q);
    EXPECT_EQ(none.model, "");
    EXPECT_EQ(none.capacity, 0);
    EXPECT_EQ(model.FindValve(5).model, "A");
}

TEST_F(TxValve, CapacitiesInTonsAreComparedInTonsAndReportedInKW)
{
    Flat("tons.txv", {{"T9", "9.1"}, {"T12", "12"}}, "Tons");
    const auto found = model.SelectValve("tons.txv", 8, 0, 35.16); // 10 tons
    EXPECT_EQ(found.model, "T12");
    EXPECT_NEAR(found.capacity, 42.192, 1e-9);
    EXPECT_NEAR(model.SelectValve("tons.txv", 8, 0, 33).capacity, 31.9956, 1e-9); // 9.39 tons: T9 does
    EXPECT_NEAR(model.ValveCapacity("tons.txv", "t9", 0, 8), 31.9956, 1e-9);      // model names without case
}

TEST_F(TxValve, CapacitiesTooLargeInKWAreAnErrorOfTheFileNeverInf)
{
    // 5.2e307 tons is a number; in kW (x 3.516) it is beyond the largest double.
    Flat("huge.txv", {{"Small", "1"}, {"Huge", "5.2e307"}}, "Tons");
    const std::string message = "Expansion valve file error: Capacity 5.2e+307 Tons of \"Huge\" not allowed...";
    for (const auto& lookup : std::vector<std::function<void()>> {
             [&] { model.SelectValve("huge.txv", 8, 0, 10); },
             [&] { model.ValveCapacity("huge.txv", "Huge", 0, 8); },
         }) {
        try {
            lookup();
            ADD_FAILURE() << "the entry must be refused";
        } catch (const DataFormatError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_FALSE(model.IsOpen());
    }
    EXPECT_NEAR(model.ValveCapacity("huge.txv", "Small", 0, 8), 3.516, 1e-12);
    // An operating point beyond the numbers once converted is refused as well.
    Write("kpa.txv", {"PUnits=kPa", "dPRange=8", "teRange=0"}, {{"A", {"te0=5"}}});
    EXPECT_THROW(model.SelectValve("kpa.txv", 1e307, 0, 1), ArithmeticError);
}

TEST_F(TxValve, LookupsTakeTheTableEntryNearestToTheOperatingPoint)
{
    // kPa columns and a descending te range; each entry tells its row and column.
    Write("grid.txv", {"PUnits=kPa", "dPRange=200,400,600,800", "teRange=10,0,-10"},
          {{"V1", {"te0=1.1,1.2,1.3,1.4", "te1=2.1,2.2,2.3,2.4", "te2=3.1,3.2,3.3,3.4"}},
           {"V2", {"te0=11.1,11.2,11.3,11.4", "te1=12.1,12.2,12.3,12.4", "te2=13.1,13.2,13.3,13.4"}}});
    struct Case {
        const char* model;
        double te, dp; // degrees C, bar
        double capacity;
    };
    const Case cases[] = {
        {"V1", 5, 5.5, 2.3}, // 550 kPa: column 2; 5 degC half way: the later row te1
        {"V1", 6, 3, 1.2},   // 6 degC: te0; 300 kPa half way: the later column 1
        {"V1", 6, 2.9, 1.1},
        {"V2", -4, 8, 12.4},
        {"V2", -20, 1, 13.4}, // outside both ranges: the last row and column
        {"V2", 20, 9, 13.4},
        {"V3", 0, 4, 0}, // no such model
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(model.ValveCapacity("grid.txv", c.model, c.te, c.dp), c.capacity)
            << c.model << " at " << c.te << " degC, " << c.dp << " bar";
    EXPECT_FALSE(model.IsOpen());

    const auto found = model.SelectValve("grid.txv", 5.5, 5, 10);
    EXPECT_EQ(found.model, "V2");
    EXPECT_DOUBLE_EQ(found.capacity, 12.3);
}

TEST_F(TxValve, BadRowsEndTheSearchWithAnErrorButGiveZeroForOneModel)
{
    Write("bad.txv", {"dPRange=2,4,6", "teRange=0,10"},
          {{"Short", {"te0=1,2,3", "te1=1,2"}}, {"Word", {"te0=1,2,3", "te1=1,2,many"}}, {"Good", {"te0=1,2,3", "te1=40,50,60"}}});
    EXPECT_THROW(model.SelectValve("bad.txv", 6, 10, 10), ListIndexError);
    EXPECT_FALSE(model.IsOpen()) << "the file is closed after the error too";
    EXPECT_EQ(model.ValveCapacity("bad.txv", "Short", 10, 6), 0);
    EXPECT_EQ(model.ValveCapacity("bad.txv", "Word", 10, 6), 0);
    EXPECT_EQ(model.ValveCapacity("bad.txv", "Good", 10, 6), 60);
    // The short row is not reached at the first column; the word is reached at the last.
    EXPECT_EQ(model.SelectValve("bad.txv", 2, 10, 40).model, "Good");
    Write("word.txv", {"dPRange=2,4,6", "teRange=0,10"}, {{"Word", {"te1=1,2,many"}}, {"Good", {"te1=40,50,60"}}});
    EXPECT_THROW(model.SelectValve("word.txv", 6, 10, 10), ConversionError);
    // A model without the row at all is a short row as well.
    Write("norow.txv", {"dPRange=2", "teRange=0,10"}, {{"Partial", {"te0=5"}}, {"Good", {"te0=5", "te1=50"}}});
    EXPECT_THROW(model.SelectValve("norow.txv", 2, 10, 10), ListIndexError);
    EXPECT_EQ(model.SelectValve("norow.txv", 2, 0, 5).model, "Partial");
    // A range entry that is not a number is a conversion error of the lookup.
    Write("range.txv", {"dPRange=2,x", "teRange=0"}, {{"Good", {"te0=5,6"}}});
    EXPECT_THROW(model.SelectValve("range.txv", 3, 0, 5), ConversionError);
    EXPECT_THROW(model.ValveCapacity("range.txv", "Good", 0, 3), ConversionError);
}

TEST_F(TxValve, EveryLookupReadsTheFileAfresh)
{
    Flat("live.txv", {{"A", "5"}});
    EXPECT_EQ(model.SelectValve("live.txv", 8, 0, 10).model, "None");
    Flat("live.txv", {{"A", "5"}, {"B", "11"}});
    EXPECT_EQ(model.SelectValve("live.txv", 8, 0, 10).model, "B");
    EXPECT_EQ(model.ValveCapacity("live.txv", "B", 0, 8), 11);
    Flat("live.txv", {{"B", "12"}});
    EXPECT_EQ(model.ValveCapacity("live.txv", "B", 0, 8), 12);
}

TEST_F(TxValve, ModelsAreTheSectionsInFileOrderWithoutTheHeader)
{
    dir.Write("order.txv", "[Zeta]\r\nte0=1\r\n[header]\r\ndPRange=8\r\nteRange=0\r\n[Alpha]\r\nte0=2\r\n"
                           "[Empty]\r\n[Mid 3.5]\r\nte0=3\r\n");
    EXPECT_EQ(model.ValveModels("order.txv"), (std::vector<std::string> {"Zeta", "Alpha", "Empty", "Mid 3.5"}));
    // "Empty" has no row, which ends a search that reaches it.
    EXPECT_EQ(model.SelectValve("order.txv", 8, 0, 2).model, "Alpha");
    EXPECT_THROW(model.SelectValve("order.txv", 8, 0, 3), ListIndexError);
}

} // namespace
