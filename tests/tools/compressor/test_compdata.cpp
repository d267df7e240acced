// Headers and records of every version of the compressor data files, and damaged
// files: each is a read error, never a crash, a hang or a huge allocation.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/cmpfixture.h"
#include "tools/compressor/compdata.h"
#include "core/errors.h"
#include "tests/support/tempfolder.h"

using namespace cmpfixture;

namespace {

class CompData : public ::testing::Test {
protected:
    TTempFolder dir;

    // Reads a whole file as the model does: header, then every record.
    std::vector<TCompData> ReadAll(const std::string& bytes, TCompHeader* header = nullptr,
                                   std::uint64_t* headerEnd = nullptr)
    {
        TCmpReader r(dir.Write("file.cmp", bytes));
        const TCompHeader h = ReadCompHeader(r);
        if (header)
            *header = h;
        if (headerEnd)
            *headerEnd = r.Position();
        std::vector<TCompData> records;
        EXPECT_TRUE(ReadRecordList(r, h.VersionText, [&](const TCompData& d) {
            records.push_back(d);
            return true;
        }));
        return records;
    }
};

TCompData FlaggedRecord()
{
    TCompData d = PolyRecord("A-1", 10);
    d.RefSuctionGas = 20;
    d.FlagA = false;
    d.FlagB = true;
    return d;
}

} // namespace

TEST_F(CompData, EachVersionHasItsHeaderAndRecordLayout)
{
    const struct {
        const char* version;
        std::uint64_t headerSize;
        bool suctionGas;
        bool flags;
    } cases[] = {
        {"Zandrovel compressor file v 1.00", 552, false, false},
        {"Zandrovel compressor file v 1.01", 552, false, true},
        {"Zandrovel compressor file v 1.02", 808, false, true},
        {"Zandrovel compressor file v 1.03", 808, true, true},
        {"Something else entirely", 808, true, true},
        // The header's kind is told case-sensitively, the suction gas case-insensitively,
        // the flags again exactly.
        {"zandrovel compressor file v 1.00", 808, false, true},
        {"ZANDROVEL COMPRESSOR FILE V 1.01", 808, false, true},
        {"Zandrovel Compressor File V 1.02", 808, false, true},
    };
    for (const auto& c : cases) {
        TCompHeader h = Header(c.version, 7, "second");
        h.HeaderText3 = "third text";
        TCompHeader read;
        std::uint64_t headerEnd = 0;
        const auto records = ReadAll(CompFileBytes(h, {FlaggedRecord(), PolyRecord("A-2", 12)}), &read, &headerEnd);
        EXPECT_EQ(headerEnd, c.headerSize) << c.version;
        EXPECT_EQ(read.VersionText, c.version);
        EXPECT_EQ(read.HeaderText2, "second");
        // A short header has no third text: the second serves for both.
        EXPECT_EQ(read.HeaderText3, c.headerSize == 552 ? "second" : "third text") << c.version;
        EXPECT_EQ(read.RefrigNumber, 7);
        EXPECT_EQ(read.SuctionLo, -20);
        EXPECT_EQ(read.SuctionHi, 10);
        EXPECT_EQ(read.DischargeLo, 30);
        EXPECT_EQ(read.DischargeHi, 50);
        ASSERT_EQ(records.size(), 2u) << c.version;
        EXPECT_EQ(records[0].CompName, "A-1");
        EXPECT_EQ(records[0].RefSuctionGas, c.suctionGas ? 20 : kNoSuctionGas) << c.version;
        EXPECT_EQ(records[0].FlagA, !c.flags) << c.version; // written false; absent means true
        EXPECT_TRUE(records[0].FlagB);
        EXPECT_EQ(records[1].CompName, "A-2");
        EXPECT_EQ(records[1].CapPoly[0], 12);
    }
}

TEST_F(CompData, HeaderKindComesFromTheTextUpToItsZeroByteAndRecordsFromTheLengthByte)
{
    // The length byte says "Zandr", the bytes up to the first zero say version 1.00:
    // a short header, and records that carry suction gas temperature and flags.
    TCompHeader h = Header("Zandrovel compressor file v 1.00");
    TCmpWriter w;
    WriteCompHeader(w, h);
    std::string bytes = w.Bytes();
    ASSERT_EQ(bytes.size(), 552u);
    bytes[0] = 5;
    TCmpWriter records;
    records.WriteListBegin();
    FlaggedRecord().WriteData(records, "Zandr");
    records.WriteListEnd();
    TCompHeader read;
    auto list = ReadAll(bytes + records.Bytes(), &read);
    EXPECT_EQ(read.VersionText, "Zandr");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].RefSuctionGas, 20);
    EXPECT_FALSE(list[0].FlagA);

    // Version 1.01 by its length byte, but more text before the first zero: a long
    // header, with records of version 1.01.
    h = Header("Zandrovel compressor file v 1.01");
    TCmpWriter longHeader;
    WriteCompHeader(longHeader, Header("Zandrovel compressor file v 1.01 (edited)"));
    bytes = longHeader.Bytes();
    bytes[0] = 32;
    records = TCmpWriter();
    records.WriteListBegin();
    FlaggedRecord().WriteData(records, h.VersionText);
    records.WriteListEnd();
    std::uint64_t headerEnd = 0;
    list = ReadAll(bytes + records.Bytes(), &read, &headerEnd);
    EXPECT_EQ(headerEnd, 808u);
    EXPECT_EQ(read.VersionText, h.VersionText);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].RefSuctionGas, kNoSuctionGas);
    EXPECT_FALSE(list[0].FlagA);
}

TEST_F(CompData, RecordsRoundTripWithTablesAndEveryStringAndFloatKind)
{
    TCompData table = TableRecord("T-1");
    table.CapTable[1][2] = kMissingValue;
    table.CellFlags[2][0] = 3;
    table.CompDescription = "Sample, 5 m³/h";
    for (std::uint8_t stringTag : {vaString, vaLString, vaWString, vaUtf8String})
        for (std::uint8_t floatTag : {vaExtended, vaDouble}) {
            const auto list = ReadAll(CompFileBytes(Header(), {table, PolyRecord("P-1", 5)}, stringTag, floatTag));
            ASSERT_EQ(list.size(), 2u);
            const TCompData& d = list[0];
            EXPECT_EQ(d.CompName, "T-1");
            EXPECT_EQ(d.CompDescription, "Sample, 5 m³/h");
            EXPECT_TRUE(d.HasTable);
            EXPECT_FALSE(d.HasPoly);
            EXPECT_EQ(d.TeAxis, table.TeAxis);
            EXPECT_EQ(d.TcAxis, table.TcAxis);
            EXPECT_EQ(d.CellFlags, table.CellFlags);
            EXPECT_EQ(d.CapTable, table.CapTable);
            EXPECT_EQ(d.PowerTable, table.PowerTable);
            EXPECT_TRUE(list[1].HasPoly);
            EXPECT_TRUE(list[1].TeAxis.empty()); // emptied by every read
            EXPECT_EQ(list[1].PowerPoly[0], 3);
        }
}

TEST_F(CompData, TablesShorterThanTheirAxesLeaveZeros)
{
    TCompData d = TableRecord("T-1");
    d.CapTable.pop_back();
    d.PowerTable[0].pop_back();
    TCmpWriter w;
    WriteCompHeader(w, Header());
    w.WriteListBegin();
    d.WriteData(w, Header().VersionText);
    w.WriteListEnd();
    w.WriteRaw(std::string(100, '\0')); // room for full tables
    const auto list = ReadAll(w.Bytes());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].CapTable.size(), 3u);
    EXPECT_EQ(list[0].CapTable[2], std::vector<double>(3, 0.0));
    EXPECT_EQ(list[0].PowerTable[0][2], 0.0);
}

TEST_F(CompData, DamagedFilesAreReadErrors)
{
    const TCompHeader h = Header();
    const auto damaged = [&](const std::function<void(TCompData&)>& change) {
        TCompData d = TableRecord("T-1");
        change(d);
        return CompFileBytes(h, {d});
    };
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a table with a row more than the tc axis",
         damaged([](TCompData& d) { d.CapTable.push_back({1, 2, 3}); })},
        {"a flags row with an entry more than the te axis", damaged([](TCompData& d) { d.CellFlags[1].push_back(0); })},
        {"a power row with an entry more than the te axis", damaged([](TCompData& d) { d.PowerTable[2].push_back(0); })},
        {"a te axis of one value", damaged([](TCompData& d) {
             d.TeAxis = {5};
             for (auto* m : {&d.CapTable, &d.PowerTable})
                 for (auto& row : *m)
                     row.resize(1);
             for (auto& row : d.CellFlags)
                 row.resize(1);
         })},
        {"an empty tc axis", damaged([](TCompData& d) {
             d.TcAxis.clear();
             d.CapTable.clear();
             d.PowerTable.clear();
             d.CellFlags.clear();
         })},
        {"axes far longer than the rest of the file could fill", damaged([](TCompData& d) {
             d.TeAxis.assign(200, 1.0);
             d.TcAxis.assign(200, 1.0);
         })},
        {"a NaN polynomial coefficient", CompFileBytes(h, {[] {
                                                           TCompData d = PolyRecord("P", 1);
                                                           d.CapPoly[4] = std::nan("");
                                                           return d;
                                                       }()})},
        {"no list end", CompFileBytes(h, {PolyRecord("P", 1)}).substr(0, CompFileBytes(h, {PolyRecord("P", 1)}).size() - 1)},
        {"a header only half there", CompFileBytes(h, {}).substr(0, 300)},
        {"an empty file", ""},
    };
    for (const auto& c : cases)
        EXPECT_THROW(ReadAll(c.bytes), DataFormatError) << c.what;

    // Every truncation of a good file is an error, whatever the cut.
    const std::string good = CompFileBytes(h, {TableRecord("T-1"), PolyRecord("P-1", 5)});
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_THROW(ReadAll(good.substr(0, n)), DataFormatError) << "cut at " << n;
    EXPECT_EQ(ReadAll(good).size(), 2u);
}

// Random damage: every file either reads or is a read error; nothing else may happen.
TEST_F(CompData, RandomlyCorruptedFilesNeverEscapeAsAnythingButReadErrors)
{
    const std::string good = CompFileBytes(Header("Zandrovel compressor file v 1.03"),
                                           {TableRecord("T-1"), PolyRecord("P-1", 5), TableRecord("T-2")}, vaWString);
    std::mt19937 random(20240611);
    int readErrors = 0;
    for (int round = 0; round < 400; ++round) {
        std::string bytes = good;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int k = 0; k < changes; ++k) {
            const std::size_t at = 808 + random() % (bytes.size() - 808); // past the header
            bytes[at] = static_cast<char>(k % 2 ? 0xFF : random() % 256);
        }
        if (round % 5 == 0)
            bytes.resize(808 + random() % (bytes.size() - 808));
        try {
            ReadAll(bytes);
        } catch (const DataFormatError&) {
            ++readErrors;
        }
    }
    EXPECT_GT(readErrors, 100);
}
