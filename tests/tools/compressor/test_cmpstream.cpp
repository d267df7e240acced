// The tagged value stream: every tag, the 80-bit float, text conversion, and the
// checks that stop a damaged stream before it is trusted.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tools/compressor/cmpstream.h"
#include "core/errors.h"
#include "tests/support/tempfolder.h"

namespace {

class CmpStream : public ::testing::Test {
protected:
    TTempFolder dir;

    std::string Write(const std::string& bytes) { return dir.Write("stream.bin", bytes); }
    std::string Write(const TCmpWriter& w) { return Write(w.Bytes()); }
};

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

} // namespace

TEST_F(CmpStream, EveryTagReadsBackWhatWasWritten)
{
    TCmpWriter w;
    w.WriteListBegin();
    w.WriteInteger(-100);    // tag 2
    w.WriteInteger(-30000);  // tag 3
    w.WriteInteger(2000000); // tag 4
    w.WriteExtended(-1234.5678);
    w.WriteDouble(0.1);
    w.WriteInt64(-5000000000LL);
    w.WriteInteger(7); // an integer read as a float
    w.WriteStringAs(vaString, "short");
    w.WriteStringAs(vaLString, "long string");
    w.WriteStringAs(vaWString, "wide");
    w.WriteStringAs(vaUtf8String, "utf8");
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteListEnd();
    EXPECT_EQ(w.Bytes().substr(0, 4), Bytes({1, 2, 0x9C, 3}));

    TCmpReader r(Write(w));
    r.ReadListBegin();
    EXPECT_FALSE(r.EndOfList());
    EXPECT_EQ(r.ReadInteger(), -100);
    EXPECT_EQ(r.ReadInteger(), -30000);
    EXPECT_EQ(r.ReadInteger(), 2000000);
    EXPECT_DOUBLE_EQ(r.ReadFloat(), -1234.5678);
    EXPECT_EQ(r.ReadFloat(), 0.1);
    EXPECT_EQ(r.ReadFloat(), -5000000000.0);
    EXPECT_EQ(r.ReadFloat(), 7.0);
    EXPECT_EQ(r.ReadString(), "short");
    EXPECT_EQ(r.ReadString(), "long string");
    EXPECT_EQ(r.ReadString(), "wide");
    EXPECT_EQ(r.ReadString(), "utf8");
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_TRUE(r.EndOfList());
    r.ReadListEnd();
    EXPECT_EQ(r.Left(), 0u);
}

TEST_F(CmpStream, ExtendedFloatHasAnExplicitIntegerBitAndBias16383)
{
    struct Case {
        double value;
        std::array<unsigned char, 10> bytes;
    };
    const Case cases[] = {
        {1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        {-2.5, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}},
        {0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {100.0, {0, 0, 0, 0, 0, 0, 0, 0xC8, 0x05, 0x40}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DoubleToExtended(c.value), c.bytes) << c.value;
        EXPECT_EQ(ExtendedToDouble(c.bytes), c.value) << c.value;
    }
    // Exponent 0x7FFF is an infinity or a NaN, and 2^16000 has no double: neither is a number.
    EXPECT_FALSE(ExtendedToDouble({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}));
    EXPECT_FALSE(ExtendedToDouble({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xFF}));
    EXPECT_FALSE(ExtendedToDouble({0, 0, 0, 0, 0, 0, 0, 0x80, 0x7F, 0x7E}));
    // A significand without its integer bit still reads by the formula: 2^62 * 2^(16383 - 16383 - 63) = 0.5.
    EXPECT_EQ(ExtendedToDouble({0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F}), 0.5);
    for (double v : {3.14159265358979, -1e300, 1e-300, 4.9e-324, 65535.0})
        EXPECT_EQ(ExtendedToDouble(DoubleToExtended(v)), v) << v;

    TCmpWriter w;
    w.WriteTag(vaExtended);
    w.WriteRaw(Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}));
    TCmpReader r(Write(w));
    EXPECT_THROW(r.ReadFloat(), DataFormatError);
}

TEST_F(CmpStream, TextIsBroughtDownToEightBitCharactersAndHeldAsUtf8)
{
    TCmpWriter w;
    w.WriteStringAs(vaWString, "Ω 5 °C \xF0\x9F\x98\x80!"); // a Greek letter and a character beyond U+FFFF
    w.WriteStringAs(vaUtf8String, "€ é");
    w.WriteStringAs(vaString, "m³/h");
    w.WriteStringAs(vaUtf8String, std::string("bad \xC3 \xE2\x82 end"));
    w.WriteStringAs(vaLString, std::string(300, 'x'));
    w.WriteStringAs(vaWString, std::string(300, 'y'));
    w.WriteInteger(42);
    EXPECT_EQ(w.Bytes().substr(0, 5), Bytes({vaWString, 10, 0, 0, 0})); // 10 UTF-16 code units

    TCmpReader r(Write(w));
    EXPECT_EQ(r.ReadString(), "? 5 °C ?!");
    EXPECT_EQ(r.ReadString(), "? é");
    EXPECT_EQ(r.ReadString(), "m³/h");
    EXPECT_EQ(r.ReadString(), "bad ? ?? end"); // a cut sequence, then a stray continuation byte
    // Only the first 255 characters are kept; the rest of the value is passed over.
    EXPECT_EQ(r.ReadString(), std::string(255, 'x'));
    EXPECT_EQ(r.ReadString(), std::string(255, 'y'));
    EXPECT_EQ(r.ReadInteger(), 42);

    // The short string as stored: one byte a character.
    TCmpReader raw(Write(Bytes({vaString, 3, 'a', 0xB0, 'C'})));
    EXPECT_EQ(raw.ReadString(), "a°C");
}

TEST_F(CmpStream, WrongTagsAreReadErrorsButAnyByteIsABoolean)
{
    using Read = std::function<void(TCmpReader&)>;
    const struct {
        const char* what;
        std::string bytes;
        Read read;
    } cases[] = {
        {"string from an integer", Bytes({vaInt8, 1}), [](TCmpReader& r) { r.ReadString(); }},
        {"integer from a 64-bit integer", Bytes({vaInt64, 1, 0, 0, 0, 0, 0, 0, 0}),
         [](TCmpReader& r) { r.ReadInteger(); }},
        {"integer from an extended", Bytes({vaExtended, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}),
         [](TCmpReader& r) { r.ReadInteger(); }},
        {"float from a string", Bytes({vaString, 1, '1'}), [](TCmpReader& r) { r.ReadFloat(); }},
        {"float from true", Bytes({vaTrue}), [](TCmpReader& r) { r.ReadFloat(); }},
        {"list begin from a list end", Bytes({vaNull}), [](TCmpReader& r) { r.ReadListBegin(); }},
        {"list end from a list begin", Bytes({vaList}), [](TCmpReader& r) { r.ReadListEnd(); }},
        {"double that is infinite", Bytes({vaDouble, 0, 0, 0, 0, 0, 0, 0xF0, 0x7F}),
         [](TCmpReader& r) { r.ReadFloat(); }},
        {"double that is NaN", Bytes({vaDouble, 1, 0, 0, 0, 0, 0, 0xF8, 0x7F}),
         [](TCmpReader& r) { r.ReadFloat(); }},
        {"nothing at all", "", [](TCmpReader& r) { r.EndOfList(); }},
        {"boolean at the end", "", [](TCmpReader& r) { r.ReadBoolean(); }},
    };
    for (const auto& c : cases) {
        TCmpReader r(Write(c.bytes));
        EXPECT_THROW(c.read(r), DataFormatError) << c.what;
    }

    TCmpReader r(Write(Bytes({vaTrue, vaFalse, vaInt8, 0xFF})));
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
}

TEST_F(CmpStream, LengthsBeyondTheFileAreRefusedBeforeAnythingIsAllocated)
{
    const auto readString = [](TCmpReader& r) { r.ReadString(); };
    const struct {
        std::string bytes;
        std::function<void(TCmpReader&)> read;
    } cases[] = {
        {Bytes({vaLString, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}), readString},
        {Bytes({vaWString, 0x00, 0x00, 0x00, 0x80, 'a', 0}), readString},
        {Bytes({vaWString, 0x02, 0x00, 0x00, 0x00, 'a', 0, 'b'}), readString}, // half a character short
        {Bytes({vaUtf8String, 0xFF, 0xFF, 0xFF, 0x7F}), readString},
        {Bytes({vaString, 10, 'a', 'b'}), readString},
        {Bytes({vaLString, 1, 0}), readString},
        {Bytes({vaInt32, 1, 2}), [](TCmpReader& r) { r.ReadInteger(); }},
        {Bytes({vaExtended, 0, 0, 0, 0}), [](TCmpReader& r) { r.ReadFloat(); }},
        {Bytes({vaDouble, 0, 0}), [](TCmpReader& r) { r.ReadFloat(); }},
    };
    for (const auto& c : cases) {
        TCmpReader r(Write(c.bytes));
        EXPECT_THROW(c.read(r), DataFormatError) << testing::PrintToString(c.bytes);
    }
}

TEST_F(CmpStream, MissingFileIsAFileError)
{
    EXPECT_THROW(TCmpReader(dir.File("none.cmp")), FileError);
}
