#include "tools/compressor/compdata.h"

#include <algorithm>
#include <cstring>

#include "core/numtext.h"

namespace {

constexpr std::size_t kHeaderTextSize = 256; // one length byte and 255 characters
constexpr std::size_t kMaxText = 255;
// Three full tables take at least two bytes a cell each (tag and one byte).
constexpr std::uint64_t kLeastBytesPerCell = 6;

std::string ReadHeaderText(TCmpReader& reader)
{
    unsigned char field[kHeaderTextSize];
    reader.ReadRaw(field, sizeof field);
    return Latin1ToUtf8(std::string(reinterpret_cast<const char*>(field + 1), field[0]));
}

void WriteHeaderText(TCmpWriter& writer, const std::string& text)
{
    std::string chars = Utf8ToLatin1(text);
    if (chars.size() > kMaxText)
        chars.resize(kMaxText);
    writer.WriteByte(static_cast<std::uint8_t>(chars.size()));
    writer.WriteRaw(chars);
    writer.WriteRaw(std::string(kHeaderTextSize - 1 - chars.size(), '\0'));
}

void ReadAxis(TCmpReader& reader, TDoubleDynArray& axis, const char* which)
{
    reader.ReadListBegin();
    while (!reader.EndOfList())
        axis.push_back(reader.ReadFloat());
    reader.ReadListEnd();
    if (axis.size() < 2)
        reader.Fail(std::string("a ") + which + " temperature axis with fewer than two values");
}

// A list of rows, each a list of values, into a matrix already sized from the axes.
template <class T, class ReadValue>
void ReadMatrix(TCmpReader& reader, std::vector<std::vector<T>>& m, std::size_t rows, std::size_t cols,
                ReadValue readValue)
{
    m.assign(rows, std::vector<T>(cols, T {}));
    reader.ReadListBegin();
    for (std::size_t j = 0; !reader.EndOfList(); ++j) {
        if (j >= rows)
            reader.Fail("a table with more rows than the condensing temperature axis has values");
        reader.ReadListBegin();
        for (std::size_t i = 0; !reader.EndOfList(); ++i) {
            if (i >= cols)
                reader.Fail("a table row with more entries than the evaporating temperature axis has values");
            m[j][i] = readValue();
        }
        reader.ReadListEnd();
    }
    reader.ReadListEnd();
}

template <class T, class WriteValue>
void WriteMatrix(TCmpWriter& writer, const std::vector<std::vector<T>>& m, WriteValue writeValue)
{
    writer.WriteListBegin();
    for (const auto& row : m) {
        writer.WriteListBegin();
        for (const T& v : row)
            writeValue(v);
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void WriteAxis(TCmpWriter& writer, const TDoubleDynArray& axis)
{
    writer.WriteListBegin();
    for (double v : axis)
        writer.WriteFloat(v);
    writer.WriteListEnd();
}

} // namespace

bool HasShortHeader(std::string_view recognisedText)
{
    return recognisedText == kCmpVersion100 || recognisedText == kCmpVersion101;
}

bool RecordsHaveSuctionGas(std::string_view versionText)
{
    return !SameText(versionText, kCmpVersion100) && !SameText(versionText, kCmpVersion101) &&
        !SameText(versionText, kCmpVersion102);
}

bool RecordsHaveFlags(std::string_view versionText)
{
    return versionText != kCmpVersion100;
}

TCompHeader ReadCompHeader(TCmpReader& reader)
{
    // The header's kind is told by the 256 bytes after the first, up to the first
    // zero byte; the length byte is not consulted for that.
    reader.Seek(0);
    unsigned char probe[1 + kHeaderTextSize];
    reader.ReadRaw(probe, sizeof probe);
    const char* text = reinterpret_cast<const char*>(probe + 1);
    const std::string recognised(text, strnlen(text, kHeaderTextSize));
    reader.Seek(0);

    TCompHeader h;
    h.VersionText = ReadHeaderText(reader);
    h.HeaderText2 = ReadHeaderText(reader);
    h.HeaderText3 = HasShortHeader(recognised) ? h.HeaderText2 : ReadHeaderText(reader);
    h.RefrigNumber = reader.ReadRawInt32();
    reader.ReadRawInt32(); // padding
    h.SuctionLo = reader.ReadRawDouble();
    h.SuctionHi = reader.ReadRawDouble();
    h.DischargeLo = reader.ReadRawDouble();
    h.DischargeHi = reader.ReadRawDouble();
    return h;
}

void WriteCompHeader(TCmpWriter& writer, const TCompHeader& header)
{
    std::string recognised = Utf8ToLatin1(header.VersionText);
    recognised.resize(std::min(strnlen(recognised.c_str(), kMaxText), kMaxText));
    WriteHeaderText(writer, header.VersionText);
    WriteHeaderText(writer, header.HeaderText2);
    if (!HasShortHeader(recognised))
        WriteHeaderText(writer, header.HeaderText3);
    writer.WriteRawInt32(header.RefrigNumber);
    writer.WriteRawInt32(0);
    writer.WriteRawDouble(header.SuctionLo);
    writer.WriteRawDouble(header.SuctionHi);
    writer.WriteRawDouble(header.DischargeLo);
    writer.WriteRawDouble(header.DischargeHi);
}

void TCompData::ReadData(TCmpReader& reader, const std::string& versionText)
{
    TeAxis.clear();
    TcAxis.clear();
    CellFlags.clear();
    CapTable.clear();
    PowerTable.clear();

    CompName = reader.ReadString(kMaxText);
    CompDescription = reader.ReadString(kMaxText);
    WholeNumber = reader.ReadInteger();
    HeatRejectionFactor = reader.ReadFloat();
    RefSuperheat = reader.ReadFloat();
    RefSuctionGas = kNoSuctionGas;
    if (RecordsHaveSuctionGas(versionText))
        RefSuctionGas = reader.ReadFloat();
    RefSubcooling = reader.ReadFloat();
    FlagA = true;
    FlagB = true;
    if (RecordsHaveFlags(versionText)) {
        FlagA = reader.ReadBoolean();
        FlagB = reader.ReadBoolean();
    }
    HasPoly = reader.ReadByte() != 0;
    HasTable = reader.ReadByte() != 0;
    if (HasPoly) {
        for (double& c : CapPoly)
            c = reader.ReadRawDouble();
        for (double& c : PowerPoly)
            c = reader.ReadRawDouble();
    }
    if (HasTable) {
        ReadAxis(reader, TeAxis, "evaporating");
        ReadAxis(reader, TcAxis, "condensing");
        const std::size_t nte = TeAxis.size();
        const std::size_t ntc = TcAxis.size();
        if (nte > reader.Left() / kLeastBytesPerCell / ntc)
            reader.Fail("temperature axes too long for the tables the rest of the file could hold");
        ReadMatrix(reader, CellFlags, ntc, nte, [&] { return reader.ReadInteger(); });
        ReadMatrix(reader, CapTable, ntc, nte, [&] { return reader.ReadFloat(); });
        ReadMatrix(reader, PowerTable, ntc, nte, [&] { return reader.ReadFloat(); });
    }
}

void TCompData::WriteData(TCmpWriter& writer, const std::string& versionText) const
{
    writer.WriteString(CompName);
    writer.WriteString(CompDescription);
    writer.WriteInteger(WholeNumber);
    writer.WriteFloat(HeatRejectionFactor);
    writer.WriteFloat(RefSuperheat);
    if (RecordsHaveSuctionGas(versionText))
        writer.WriteFloat(RefSuctionGas);
    writer.WriteFloat(RefSubcooling);
    if (RecordsHaveFlags(versionText)) {
        writer.WriteBoolean(FlagA);
        writer.WriteBoolean(FlagB);
    }
    writer.WriteByte(HasPoly ? 1 : 0);
    writer.WriteByte(HasTable ? 1 : 0);
    if (HasPoly) {
        for (double c : CapPoly)
            writer.WriteRawDouble(c);
        for (double c : PowerPoly)
            writer.WriteRawDouble(c);
    }
    if (HasTable) {
        WriteAxis(writer, TeAxis);
        WriteAxis(writer, TcAxis);
        WriteMatrix(writer, CellFlags, [&](std::int32_t v) { writer.WriteInteger(v); });
        WriteMatrix(writer, CapTable, [&](double v) { writer.WriteFloat(v); });
        WriteMatrix(writer, PowerTable, [&](double v) { writer.WriteFloat(v); });
    }
}

bool ReadRecordList(TCmpReader& reader, const std::string& versionText,
                    const std::function<bool(const TCompData&)>& visit)
{
    reader.ReadListBegin();
    TCompData record;
    while (!reader.EndOfList()) {
        record.ReadData(reader, versionText);
        if (!visit(record))
            return false;
    }
    reader.ReadListEnd();
    return true;
}

namespace {

TCmpWriter FileWriter(const TCompHeader& header, const std::vector<TCompData>& records, std::uint8_t stringTag,
                      std::uint8_t floatTag)
{
    TCmpWriter writer;
    writer.StringTag = stringTag;
    writer.FloatTag = floatTag;
    WriteCompHeader(writer, header);
    writer.WriteListBegin();
    for (const auto& record : records)
        record.WriteData(writer, header.VersionText);
    writer.WriteListEnd();
    return writer;
}

} // namespace

std::string CompFileBytes(const TCompHeader& header, const std::vector<TCompData>& records,
                          std::uint8_t stringTag, std::uint8_t floatTag)
{
    return FileWriter(header, records, stringTag, floatTag).Bytes();
}

void WriteCompFile(const std::string& path, const TCompHeader& header, const std::vector<TCompData>& records,
                   std::uint8_t stringTag, std::uint8_t floatTag)
{
    FileWriter(header, records, stringTag, floatTag).SaveToFile(path);
}
