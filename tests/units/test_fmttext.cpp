// Text rules of the formatted field: cleaning, parsing, significant digits,
// range clamping, formatting styles and the characters a format accepts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "core/errors.h"
#include "units/fmttext.h"
#include "core/numtext.h"
#include "units/unitconv.h"

TEST(NormaliseNumberText, CleansTypingSlips)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"", "0"},
        {"   ", "0"},
        {" 1 2 . 5 ", "12.5"},
        {"1e5", "1E5"},
        {"1e5E3", "1E53"},
        {"--5", "-5"},
        {"5-3", "53"},
        {"-", "0"},
        {" - ", "0"},
        {"-1.5", "-1.5"},
        {"1E-5", "1E-5"},
        {"1e--5", "1E-5"},
        {"1.2.3", "1.23"},
        {"1..2", "1.2"},
        {"E5", "1E5"},
        {"e-3", "1E-3"},
        {"1E300", "1E300"},
        {"1E999", "1E99"},
        {"1E-500", "1E-5"},
        {"1E+999", "1E+9"},
        {"1E123456789012345678901234567890", "1E12"},
        {"1E2.5", "1E25"},
        {"1.5E2.5", "1.5E25"},
        {"2E", "2E"},
        {".", "."},
        {"abc", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseNumberText(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ParseNumberText, ReadsCleanedTextOrNothing)
{
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1.2.3", 1.23},
        {"--5", -5.0},
        {"-", 0.0},
        {"", 0.0},
        {" 12 ", 12.0},
        {"E2", 100.0},
        {".5", 0.5},
        {"1E999", 1e99},
        {"1e-500", 1e-5},
        {"2.5e3", 2500.0},
        {".", std::nullopt},
        {"5E", std::nullopt},
        {"abc", std::nullopt},
        {"1,5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseNumberText(c.text), c.expected) << '"' << c.text << '"';
}

TEST(SigDigitsFormat, DecimalsBySizeOfTheNumber)
{
    struct Case {
        double x;
        const char* format;
        const char* shown;
    };
    const Case cases[] = {
        {1731.516, "%0.1f", "1731.5"},
        {584.253, "%0.2f", "584.25"},
        {12345.6, "%0.0f", "12346"},
        {123456789.0, "%0.0f", "123456789"},
        {0.7216, "%0.3f", "0.722"},
        {0.000123, "%0.6f", "0.000123"},
        {0.05, "%0.4f", "0.0500"},
        {5, "%0.3f", "5.000"},
        {0, "%0.3f", "0.000"},
        {-5.5, "%0.3f", "-5.500"},
        {99.6, "%0.3f", "99.600"},
    };
    for (const auto& c : cases) {
        const std::string format = SigDigitsFormat(5, 12, c.x);
        EXPECT_EQ(format, c.format) << c.x;
        EXPECT_EQ(FormatNumber(format, c.x), c.shown) << c.x;
    }
    EXPECT_EQ(SigDigitsFormat(5, 2, 0.000123), "%0.2f");
    EXPECT_EQ(SigDigitsFormat(3, 12, 12.5), "%0.1f");
}

TEST(FormatDecimals, PrecisionDigitOfTheFormat)
{
    EXPECT_EQ(FormatDecimals("%0.3f"), 3);
    EXPECT_EQ(FormatDecimals("%.5g"), 5);
    EXPECT_EQ(FormatDecimals("%0.12f"), 1); // one digit is read
    EXPECT_EQ(FormatDecimals("%d"), 0);
    EXPECT_EQ(FormatDecimals("%0.f"), 0);
    EXPECT_EQ(FormatDecimals(""), 0);
}

TEST(ClampToRange, HalfAPercentToleranceAndZeroLimits)
{
    struct Case {
        double offset, factor, lo, hi, x;
        bool stays;
        double after;
    };
    const Case cases[] = {
        {0, 1, 100, 100000, 99.6, true, 99.6},
        {0, 1, 100, 100000, 99.5, true, 99.5},
        {0, 1, 100, 100000, 99.4, false, 100},
        {0, 1, 100, 100000, 50, false, 100},
        {0, 1, 100, 100000, 100500, true, 100500},
        {0, 1, 100, 100000, 100501, false, 100000},
        {0, 1, 0, 1000, 1003, true, 1003},
        {0, 1, 0, 1000, 1010, false, 1000},
        {0, 1, 0, 1000, -1, false, 0},
        {0, 1, 0, 1000, -0.001, false, 0},
        {0, 1, -40, 10000, -40.1, true, -40.1},
        {0, 1, -40, 10000, -41, false, -40},
        {0, 1, 0, 0, -1e9, true, -1e9},
        {0, 1, 5, 5.000001, 1e9, true, 1e9},
        {32, 1.8, -1000, 1000, 1900, false, 1832}, // limits converted to °F
        {32, 1.8, -1000, 1000, 1800, true, 1800},
    };
    for (const auto& c : cases) {
        double x = c.x;
        EXPECT_EQ(ClampToRange(c.offset, c.factor, c.lo, c.hi, x), c.stays) << c.x << " in " << c.lo << ".." << c.hi;
        EXPECT_DOUBLE_EQ(x, c.after) << c.x;
    }
}

TEST(FormatShownNumber, TheFourStylesAndIntegerFormats)
{
    struct Case {
        double x;
        const char* format;
        TFormatType type;
        const char* shown;
    };
    const Case cases[] = {
        {1731.516, "%0.3f", ft_Auto, "1731.5"},
        {1731.516, "%0.3f", ft_Fixed, "1731.516"},
        {1731.516, "%0.3f", ft_Manual, "1731.516"},
        {7.25, "%0.1f", ft_AutoOverride, "7.250"},
        {12.26, "%0.1f", ft_AutoOverride, "12.3"},
        {-12.26, "%0.1f", ft_AutoOverride, "-12.26"}, // negative: always automatic
        {0.5, "%0.3f", ft_AutoOverride, "0.500"},     // threshold 10^-1
        {2.5, "%d", ft_Fixed, "2"},                   // halves to even
        {3.5, "%d", ft_Auto, "4"},
        {-2.5, "%d", ft_Fixed, "-2"},
        {7.6, "%D", ft_Fixed, "8"},
        {1234.5, "%0.6g", ft_Fixed, "1234.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatShownNumber(c.x, c.format, c.type, 5, FormatDecimals(c.format)), c.shown)
            << c.x << " " << c.format;
    EXPECT_THROW(FormatShownNumber(std::numeric_limits<double>::infinity(), "%0.1f", ft_Fixed, 5, 1), ConversionError);
    EXPECT_THROW(FormatShownNumber(1, "%s", ft_Fixed, 5, 0), ConversionError);
    EXPECT_THROW(FormatShownNumber(1e30, "%d", ft_Fixed, 5, 0), ConversionError);
}

TEST(NumberFormatKind, ByTheConversionLetter)
{
    EXPECT_EQ(NumberFormatKind("%0.1f"), nfFixed);
    EXPECT_EQ(NumberFormatKind("T=%0.1f deg"), nfFixed);
    EXPECT_EQ(NumberFormatKind("%d"), nfInteger);
    EXPECT_EQ(NumberFormatKind("100%% %3D"), nfInteger);
    EXPECT_EQ(NumberFormatKind("%5.2G"), nfGeneral);
    EXPECT_EQ(NumberFormatKind("%0.3e"), nfGeneral);
    EXPECT_EQ(NumberFormatKind("%%"), nfOther);
    EXPECT_EQ(NumberFormatKind(""), nfOther);
    EXPECT_EQ(NumberFormatKind("%s"), nfOther);
}

// The field's text rules and the core's number text read a format through the
// same scanner: a format is a number format to both or to neither ("%3D" is the
// designers' spelling of "%3d", which only the field takes).
TEST(NumberFormatKind, AgreesWithTheNumberText)
{
    struct Case {
        const char* format;
        TNumberFormatKind kind;
        bool numberText; // IsNumberFormat
    };
    const Case cases[] = {
        {"%0.3f", nfFixed, true},
        {"T=%5.1f K", nfFixed, true},
        {"%-+ 08.3e", nfGeneral, true},
        {"%5.2G", nfGeneral, true},
        {"%x", nfInteger, true},
        {"100%% %3D", nfInteger, false},
        {"%#.2f", nfOther, false},
        {"%d %d", nfOther, false},
        {"%0.1f%", nfOther, false},
        {"%1.2.3f", nfOther, false},
        {"%1000d", nfOther, false},
        {"%5", nfOther, false},
        {"%s", nfOther, false},
        {"%%", nfOther, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberFormatKind(c.format), c.kind) << c.format;
        EXPECT_EQ(IsNumberFormat(c.format), c.numberText) << c.format;
        if (c.kind == nfOther)
            EXPECT_THROW(FormatShownNumber(2.5, c.format, ft_Fixed, 5, 1), ConversionError) << c.format;
        else
            EXPECT_NO_THROW(FormatShownNumber(2.5, c.format, ft_Fixed, 5, 1)) << c.format;
    }
}

TEST(AcceptsCharacter, CharactersOfEachFormat)
{
    struct Case {
        const char* format;
        const char* accepted;
        const char* rejected;
    };
    const Case cases[] = {
        {"%d", "0123456789-", ".eE+ ,a"},
        {"%0.1f", "0123456789-.", "eE+ ,a"},
        {"%0.6g", "0123456789-.eE", "+ ,a"},
        {"%0.3e", "0123456789-.eE", "+ ,a"},
        {"text", "0-.eE+ ,a", ""},
    };
    for (const auto& c : cases) {
        for (const char* p = c.accepted; *p; ++p)
            EXPECT_TRUE(AcceptsCharacter(c.format, static_cast<char32_t>(*p))) << c.format << " '" << *p << "'";
        for (const char* p = c.rejected; *p; ++p)
            EXPECT_FALSE(AcceptsCharacter(c.format, static_cast<char32_t>(*p))) << c.format << " '" << *p << "'";
    }
    EXPECT_FALSE(AcceptsCharacter("%0.1f", U'°'));
    EXPECT_TRUE(AcceptsCharacter("text", U'°'));
}

TEST(FieldText, NoDecimalCommaUnderAGermanLocale)
{
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    for (int k = 1; k < UnitsTypeCount; ++k) {
        const auto kind = static_cast<TUnitsType>(k);
        for (int i = 0; i < UnitCount(kind); ++i) {
            const std::string f = GetUnitFormat(kind, i);
            const std::string shown = FormatShownNumber(1234.5678, f, ft_Fixed, 5, FormatDecimals(f));
            EXPECT_EQ(shown.find(','), std::string::npos) << f << " " << shown;
        }
    }
    EXPECT_EQ(FormatShownNumber(1731.516, "%0.3f", ft_Auto, 5, 3), "1731.5");
    EXPECT_EQ(ParseNumberText("1.5"), 1.5);
    EXPECT_EQ(ParseNumberText("1,5"), std::nullopt);
    std::setlocale(LC_ALL, old.c_str());
}
