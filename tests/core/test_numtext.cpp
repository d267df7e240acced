// Number text: printf-style formats held as data, and locale-free parsing.
#include <gtest/gtest.h>

#include <clocale>

#include "core/errors.h"
#include "core/numtext.h"

namespace {

// Runs the body under the German locale (decimal comma) when the machine has it.
class GermanLocale {
public:
    GermanLocale() : old_(std::setlocale(LC_ALL, nullptr)) { active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr; }
    ~GermanLocale() { std::setlocale(LC_ALL, old_.c_str()); }
    bool Active() const { return active_; }

private:
    std::string old_;
    bool active_ = false;
};

} // namespace

TEST(FormatNumber, FormatsRealsLikePrintfInTheCLocale)
{
    struct Case {
        const char* format;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"%0.3f", 1735.9656, "1735.966"},
        {"%0.3f", -0.0004, "-0.000"},
        {"HP=%0.3f", 586.2, "HP=586.200"},
        {"%0.2f", 2.675, "2.67"}, // the double below 2.675
        {"%0.0f", 2.5, "2"},
        {"%8.2f", 3.14159, "    3.14"},
        {"%-8.2f|", 3.14159, "3.14    |"},
        {"%08.2f", -3.14159, "-0003.14"},
        {"%+.1f", 2, "+2.0"},
        {"%0.6g", 0.0471018123, "0.0471018"},
        {"%0.6g", 1234567.0, "1.23457e+06"},
        {"%g", 100000, "100000"},
        {"%0.3e", 12345.678, "1.235e+04"},
        {"%0.3E", 12345.678, "1.235E+04"},
        {"100%% = %0.1f", 1, "100% = 1.0"},
        {"%f", 1.5, "1.500000"},
    };
    GermanLocale german;
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.format, c.value), c.expected) << c.format;
}

TEST(FormatNumber, FormatsIntegers)
{
    EXPECT_EQ(FormatNumber("DutyBasis=%d", 2), "DutyBasis=2");
    EXPECT_EQ(FormatNumber("%d", -17), "-17");
    EXPECT_EQ(FormatNumber("%5d|", 42), "   42|");
    EXPECT_EQ(FormatNumber("%x", 255), "ff");
    EXPECT_EQ(FormatNumber("%X", -1), "FFFFFFFF");
}

TEST(FormatNumber, RefusesFormatsWithoutExactlyOneMatchingConversion)
{
    for (const char* bad : {"", "no conversion", "%0.3f %0.3f", "%s", "%0.3", "%n", "%%"})
        EXPECT_THROW(FormatNumber(bad, 1.0), ConversionError) << bad;
    EXPECT_THROW(FormatNumber("%d", 1.0), ConversionError);
    EXPECT_THROW(FormatNumber("%0.3f", 1), ConversionError);
    EXPECT_TRUE(IsNumberFormat("%0.3f kPa"));
    EXPECT_FALSE(IsNumberFormat("%0.3f%d"));
}

TEST(ParseReal, TakesPlainDecimalsOnly)
{
    GermanLocale german;
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"21.39916", true, 21.39916},
        {"-2103.23", true, -2103.23},
        {"+5", true, 5},
        {"6.958993e-07", true, 6.958993e-07},
        {"1E3", true, 1000},
        {".5", true, 0.5},
        {"5.", true, 5},
        {"0", true, 0},
        {"", false, 0},
        {"1,5", false, 0},
        {"1.2.3", false, 0},
        {"abc", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"0x10", false, 0},
        {"1e400", false, 0},
        {"-", false, 0},
        {"e5", false, 0},
    };
    for (const auto& c : cases) {
        const auto v = ParseReal(c.text);
        EXPECT_EQ(v.has_value(), c.ok) << c.text;
        if (c.ok && v) {
            EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
        }
    }
}

TEST(ParseInteger, TakesDecimalAndHexadecimal)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"12", true, 12},
        {"-7", true, -7},
        {"0x1F", true, 31},
        {"0X1f", true, 31},
        {"$10", true, 16},
        {"$FFFFFFFF", true, -1},
        {"-2147483648", true, -2147483648},
        {"2147483648", false, 0},
        {"1.5", false, 0},
        {"", false, 0},
        {"0x", false, 0},
        {"$", false, 0},
        {"12a", false, 0},
        {"0x1G", false, 0},
    };
    for (const auto& c : cases) {
        const auto v = ParseInteger(c.text);
        EXPECT_EQ(v.has_value(), c.ok) << c.text;
        if (c.ok && v) {
            EXPECT_EQ(*v, c.value) << c.text;
        }
    }
}

TEST(RealToText, GivesUpTo15SignificantDigitsWithAPoint)
{
    GermanLocale german;
    EXPECT_EQ(RealToText(1735.96566056123), "1735.96566056123");
    EXPECT_EQ(RealToText(0.1), "0.1");
    EXPECT_EQ(RealToText(0.72), "0.72");
    EXPECT_EQ(ShortestReal(412.38245), "412.38245");
}
