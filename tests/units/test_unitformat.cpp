// Values with their unit as short texts: AutoFormat, FormatWithUnit, FormatFieldWithUnit.
#include <gtest/gtest.h>

#include <limits>

#include "core/errors.h"
#include "units/unitformat.h"

TEST(AutoFormat, DecimalsBySizeOfTheNumber)
{
    struct Case {
        TUnitsType kind;
        int extra;
        double x;
        const char* format;
    };
    const Case cases[] = {
        {utPressure, 0, 584.3, "%0.0f"},
        {utPressure, 0, 22.4, "%0.1f"},
        {utPressure, 0, -22.4, "%0.1f"},
        {utPressure, 0, 1.3, "%0.2f"},
        {utPressure, 0, 0.5, "%0.3f"},
        {utPressure, 0, 0.1, "%0.4f"},
        {utPressure, 0, 0.05, "%0.4f"},
        {utPressure, 0, 0.005, "%0.5f"},
        {utPressure, 0, 0.001, "%0.3g"},
        {utPressure, 0, 0.0005, "%0.3g"},
        {utPressure, 0, 0, "%0.0f"},
        {utPressure, 0, 1e-10, "%0.0f"}, // below 1e-9 counts as zero
        {utPressure, 0, 1234567890, "%0.0g"},
        {utPressure, 2, 22.4, "%0.3f"},
        {utPressure, -5, 22.4, "%0.0f"},
        {utPressureBar, 0, 22.4, "%0.4f"}, // barometric: three more
        {utPressureBar, 1, 22.4, "%0.2f"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutoFormat(c.kind, c.extra, c.x), c.format) << c.x << " extra " << c.extra;
}

TEST(FormatWithUnit, ValueInAChosenUnit)
{
    struct Case {
        TUnitsType kind;
        int choice;
        bool keep;
        const char* separator;
        bool append;
        double value;
        const char* text;
        const char* label;
    };
    const Case cases[] = {
        {utPressure, 3, false, " ", true, 130, "1.30 Bar", "Bar"},
        {utPressure, 0, false, " ", true, 130, "130 kPa", "kPa"},
        {utPressure, 0, false, "", true, 130, "130kPa", "kPa"},
        {utPressure, 0, true, " ", true, 130, "130.000 kPa", "kPa"},
        {utPressure, 3, false, " ", false, 130, "1.30", "Bar"},
        {utTemperature, 1, false, " ", true, 20, "68.0 °F", "°F"},
        {utDutyPrim, 2, false, " ", true, 10, "34121 Btu/hr", "Btu/hr"},
        {utNone, 0, true, " ", true, 5.55, "5.5 ", ""},
    };
    for (const auto& c : cases) {
        const TTextWithUnit t = FormatWithUnit(c.kind, c.choice, 0, c.keep, c.separator, c.append, c.value);
        EXPECT_EQ(t.text, c.text);
        EXPECT_EQ(t.label, c.label);
    }
    EXPECT_THROW(FormatWithUnit(utPressure, 0, 0, false, " ", true, std::numeric_limits<double>::infinity()),
                 ArithmeticError);
}

TEST(FormatFieldWithUnit, UsesTheFieldsCurrentUnit)
{
    TFmtField field;
    field.Apply({.kind = utTemperature, .unitsValue = 1});
    TTextWithUnit t = FormatFieldWithUnit(field, true, " ", 100);
    EXPECT_EQ(t.text, "212 °F");
    EXPECT_EQ(t.label, "°F");
    field.SetUnitsValue(2);
    t = FormatFieldWithUnit(field, false, " ", 0);
    EXPECT_EQ(t.text, "273");
    EXPECT_EQ(t.label, "K");
}
