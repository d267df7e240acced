#include <gtest/gtest.h>

#include "core/errors.h"
#include "tools/mollier/mollierargs.h"

TEST(MollierArgs, ReadsTheTextAsOneArgumentOrAsSixWords)
{
    const std::vector<std::vector<std::string>> forms = {
        {"3 0.720 -5.000 40.250 7.50 5.00"},
        {"3", "0.720", "-5.000", "40.250", "7.50", "5.00"},
        {"  3\t0.720  -5.000", "40.250 7.50 5.00 "},
    };
    for (const auto& words : forms) {
        const TMollierArgs a = ParseMollierArgs(words);
        EXPECT_EQ(a.Position, 3);
        EXPECT_DOUBLE_EQ(a.Ie, 0.72);
        EXPECT_DOUBLE_EQ(a.SST, -5.0);
        EXPECT_DOUBLE_EQ(a.DewTHP, 40.25);
        EXPECT_DOUBLE_EQ(a.sh, 7.5);
        EXPECT_DOUBLE_EQ(a.sc, 5.0);
    }
}

TEST(MollierArgs, RefusesTextsThatDoNotConvertOrCountWrong)
{
    struct TCase {
        std::string text;
        std::string named; // the message names this
    };
    const TCase cases[] = {
        {"", "not 0"},
        {"0 0.72 5 45 7.5", "not 5"},
        {"0 0.72 5 45 7.5 5 1", "not 7"},
        {"0 0,72 5 45 7.5 5", "'0,72'"},
        {"1.5 0.72 5 45 7.5 5", "'1.5'"},
        {"0 0.72 5 45 nan 5", "'nan'"},
    };
    for (const auto& c : cases) {
        try {
            ParseMollierText(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ConversionError& e) {
            EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
        }
    }
}
