// The formatted field's state without a window: value and units, commit with
// clamping, keystrokes, Backspace, Escape and the designed properties.
#include <gtest/gtest.h>

#include <string>

#include "units/fmtfield.h"

namespace {

TFmtField Field(const TFmtEditDesign& design)
{
    TFmtField f;
    f.Apply(design);
    return f;
}

// Types text as a user would after entering the field with all text selected.
void TypeOver(TFmtField& f, const std::string& typed)
{
    f.FocusEntered();
    f.SetSelection(0, 1000);
    for (char ch : typed)
        f.KeyChar(static_cast<unsigned char>(ch));
}

const TFmtEditDesign kTemperatureF {.kind = utTemperature, .unitsValue = 1, .formatType = ft_Fixed, .format = "%0.1f"};
const TFmtEditDesign kPressureAuto {
    .kind = utPressure, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = 100, .rangeHi = 100000};

} // namespace

TEST(FmtField, TemperatureShownInFahrenheit)
{
    TFmtField f = Field(kTemperatureF);
    EXPECT_EQ(f.UnitLabel(), "°F");
    f.SetValue(20);
    EXPECT_EQ(f.Text(), "68.0");
    TypeOver(f, "212");
    EXPECT_EQ(f.Text(), "212");
    EXPECT_TRUE(f.ApplyEdit());
    EXPECT_EQ(f.Text(), "212.0");
    EXPECT_TRUE(f.Modified());
    EXPECT_DOUBLE_EQ(f.Value(), 100);
    f.SetUnitsValue(0);
    EXPECT_EQ(f.Text(), "100.0");
    EXPECT_EQ(f.UnitLabel(), "°C");
    f.SetUnitsValue(2);
    EXPECT_EQ(f.Text(), "373.15");
}

TEST(FmtField, UnitSwitchKeepsTheWrittenNumber)
{
    TFmtField f = Field(kPressureAuto);
    f.SetValue(1731.516);
    EXPECT_EQ(f.Text(), "1731.5");
    EXPECT_DOUBLE_EQ(f.Value(), 1731.5);
    f.SetUnitsValue(2);
    EXPECT_EQ(f.Text(), "251.14");
    EXPECT_NEAR(f.Value(), 1731.516, 0.005 / 0.145);
    // Back and forth many times: no drift.
    for (int i = 0; i < 20; ++i) {
        f.SetUnitsValue(i % 2 ? 2 : 6);
    }
    f.SetUnitsValue(0);
    EXPECT_EQ(f.Text(), "1731.5");
    f.SetUnitsValue(1);
    EXPECT_EQ(f.Text(), "1731516");
}

TEST(FmtField, UnitSwitchConvertsTypedText)
{
    TFmtField f = Field(kTemperatureF);
    f.SetValue(20);
    TypeOver(f, "212");
    f.SetUnitsValue(0); // the typed number, not the written one, converts
    EXPECT_EQ(f.Text(), "100.0");
    EXPECT_TRUE(f.Modified());
    // Escape brings back the quantity at entry in the new unit.
    f.Revert();
    EXPECT_EQ(f.Text(), "20.0");
    EXPECT_FALSE(f.Modified());
}

TEST(FmtField, CommitClampsIntoTheRange)
{
    struct Case {
        TFmtEditDesign design;
        const char* typed;
        bool stays;
        const char* text;
    };
    const TFmtEditDesign thousand {.kind = utNone, .formatType = ft_Fixed, .format = "%0.1f", .rangeLo = 0, .rangeHi = 1000};
    const TFmtEditDesign noRange {.kind = utNone, .formatType = ft_Fixed, .format = "%0.1f"};
    const Case cases[] = {
        {kPressureAuto, "99.6", true, "99.600"},
        {kPressureAuto, "50", false, "100.00"},
        {kPressureAuto, "200000", false, "100000"},
        {thousand, "1003", true, "1003.0"},
        {thousand, "1010", false, "1000.0"},
        {thousand, "-1", false, "0.0"},
        {noRange, "-99999", true, "-99999.0"},
        {noRange, "1.2.3", true, "1.2"}, // 1.23 shown with one decimal
        {noRange, "--5", true, "-5.0"},
        {noRange, "-", true, "0.0"},
        {noRange, "", true, "0.0"},
        {noRange, ".", true, "."}, // no number: left as it is
    };
    for (const auto& c : cases) {
        TFmtField f = Field(c.design);
        f.SetValue(500);
        f.FocusEntered();
        f.SetText(c.typed); // as typed or pasted
        f.SetModified(true);
        EXPECT_EQ(f.ApplyEdit(), c.stays) << c.typed;
        EXPECT_EQ(f.Text(), c.text) << c.typed;
        EXPECT_TRUE(f.Modified()) << c.typed;
    }
    TFmtField f = Field(noRange);
    f.SetText("1.2.3");
    EXPECT_DOUBLE_EQ(f.Value(), 1.23);
}

TEST(FmtField, TextThatIsNoNumberKeepsTheLastGoodValue)
{
    TFmtField f = Field(kTemperatureF);
    f.SetValue(20);
    for (const char* pasted : {"abc", ".", "5E", "1,5"}) {
        f.SetText(pasted);
        EXPECT_DOUBLE_EQ(f.Value(), 20) << pasted;
        f.SetModified(true);
        EXPECT_TRUE(f.ApplyEdit()) << pasted;
        EXPECT_EQ(f.Text(), pasted);
    }
    f.SetText(""); // cleared to type anew: reads 0 °F ...
    EXPECT_DOUBLE_EQ(f.Value(), -32 / 1.8);
    f.SetText("."); // ... but a text that is no number falls back on 20
    EXPECT_DOUBLE_EQ(f.Value(), 20);
    f.SetText("212");
    f.SetText("oops");
    EXPECT_DOUBLE_EQ(f.Value(), 100);
    f.SetUnitsValue(0); // a unit change shows the last good number again
    EXPECT_EQ(f.Text(), "100.0");
}

TEST(FmtField, KeystrokesFollowTheFormat)
{
    struct Case {
        const char* format;
        const char* text;
        int selStart, selLength; // caret at selStart when no selection
        char32_t key;
        TKeyResult result;
        const char* after;
        int caret;
    };
    const Case cases[] = {
        {"%0.1f", "12345", 2, 2, U'9', krAccepted, "1295", 3},  // "34" replaced by "9"
        {"%0.1f", "12345", 2, 2, U'x', krRejected, "125", 2},   // two or more: deleted first
        {"%0.1f", "12345", 2, 1, U'x', krRejected, "12345", 3}, // one: left as it is
        {"%0.1f", "12345", 2, 1, U'9', krAccepted, "12945", 3},
        {"%0.1f", "12345", 5, 0, U'.', krAccepted, "12345.", 6},
        {"%0.1f", "12", 0, 0, U'-', krAccepted, "-12", 1},
        {"%0.1f", "12", 2, 0, U'e', krRejected, "12", 2},
        {"%0.6g", "12", 2, 0, U'e', krAccepted, "12e", 3},
        {"%0.6g", "12", 2, 0, U'E', krAccepted, "12E", 3},
        {"%d", "12", 2, 0, U'.', krRejected, "12", 2},
        {"%d", "12", 1, 0, U'7', krAccepted, "172", 2},
        {"%d", "12", 2, 0, U' ', krRejected, "12", 2},
        {"text %%", "ab", 2, 0, U'°', krAccepted, "ab°", 3},
        {"text %%", "a°b", 2, 0, U'c', krAccepted, "a°cb", 3},
    };
    for (const auto& c : cases) {
        TFmtField f;
        f.SetFormatStr(c.format);
        f.SetText(c.text);
        f.FocusEntered();
        if (c.selLength > 0)
            f.SetSelection(c.selStart, c.selLength);
        else
            f.SetCaret(c.selStart);
        EXPECT_EQ(f.KeyChar(c.key), c.result) << c.format << " " << c.text;
        EXPECT_EQ(f.Text(), c.after) << c.format << " " << c.text;
        EXPECT_EQ(f.Caret(), c.caret) << c.format << " " << c.text;
        EXPECT_TRUE(f.Modified()) << "every character marks the edit";
    }
}

TEST(FmtField, BackspaceRemovesTheCharacterBeforeTheCaretOrSelection)
{
    struct Case {
        const char* text;
        int selStart, selLength;
        const char* after;
        int caret;
    };
    const Case cases[] = {
        {"12345", 3, 0, "1245", 2},
        {"12345", 2, 2, "1345", 1},  // the character before "34"
        {"12345", 0, 5, "12345", 0}, // whole text selected: nothing deleted
        {"12345", 0, 0, "12345", 0},
        {"2°C", 2, 0, "2C", 1},
    };
    for (const auto& c : cases) {
        TFmtField f;
        f.SetText(c.text);
        f.FocusEntered();
        if (c.selLength > 0)
            f.SetSelection(c.selStart, c.selLength);
        else
            f.SetCaret(c.selStart);
        f.Backspace();
        EXPECT_EQ(f.Text(), c.after) << c.text;
        EXPECT_EQ(f.SelStart(), c.caret) << c.text;
        EXPECT_TRUE(f.Modified()) << c.text;
    }
}

TEST(FmtField, EscapeRevertsToTheTextAtEntry)
{
    TFmtField f = Field(kTemperatureF);
    f.SetValue(20);
    f.FocusEntered();
    EXPECT_EQ(f.EntryText(), "68.0");
    f.Revert(); // nothing pending: nothing happens
    EXPECT_EQ(f.Text(), "68.0");
    TypeOver(f, "7");
    f.Backspace();
    f.KeyChar(U'9');
    EXPECT_EQ(f.Text(), "9");
    f.Revert();
    EXPECT_EQ(f.Text(), "68.0");
    EXPECT_FALSE(f.Modified());
    EXPECT_DOUBLE_EQ(f.Value(), 20);
}

TEST(FmtField, ReadOnlyFieldTakesNoTyping)
{
    TFmtEditDesign design = kTemperatureF;
    design.readOnly = true;
    TFmtField f = Field(design);
    f.SetValue(20);
    f.FocusEntered();
    EXPECT_EQ(f.KeyChar(U'5'), krIgnored);
    f.Backspace();
    EXPECT_EQ(f.Text(), "68.0");
    EXPECT_FALSE(f.Modified());
    f.SetValue(30); // windows still write results into it
    EXPECT_EQ(f.Text(), "86.0");
}

TEST(FmtField, DesignedPropertiesInTheirOrder)
{
    // The main window's isentropic efficiency field: a fraction shown as "ratio".
    TFmtField f = Field({.kind = utProportion, .unitsValue = 2, .formatType = ft_Fixed, .format = "%0.3f", .rangeLo = 0.35, .rangeHi = 1, .text = "0.720"});
    EXPECT_EQ(f.Text(), "0.720"); // the design text stays until Value is written
    EXPECT_EQ(f.UnitLabel(), "ratio");
    EXPECT_EQ(f.UnitsValue(), 2);
    EXPECT_DOUBLE_EQ(f.Value(), 0.72);
    f.SetUnitsValue(1);
    EXPECT_EQ(f.Text(), "72.0");

    // ft_Fixed takes the catalogue format, ft_Manual keeps the designer's.
    TFmtField fixed = Field({.kind = utPressure, .formatType = ft_Fixed, .format = "%0.1f"});
    TFmtField manual = Field({.kind = utPressure, .formatType = ft_Manual, .format = "%0.1f"});
    EXPECT_EQ(fixed.FormatStr(), "%0.3f");
    EXPECT_EQ(fixed.Decimals(), 3);
    EXPECT_EQ(manual.FormatStr(), "%0.1f");
    fixed.SetValue(1800);
    manual.SetValue(1800);
    EXPECT_EQ(fixed.Text(), "1800.000");
    EXPECT_EQ(manual.Text(), "1800.0");

    // A kind change clamps the unit indexes into the new list.
    TFmtField g = Field({.kind = utPressure, .unitsValue = 7});
    g.SetUnitsType(utTemperature);
    EXPECT_EQ(g.UnitsValue(), 2);
    EXPECT_EQ(g.UnitLabel(), "K");
}

TEST(FmtField, IntegerFormatRoundsHalvesToEven)
{
    TFmtField f = Field({.kind = utNone, .formatType = ft_Manual, .format = "%d"});
    f.SetText("2.5");
    EXPECT_EQ(f.Value(), 2);
    f.SetText("3.5");
    EXPECT_EQ(f.Value(), 4);
    f.SetValue(6.5);
    EXPECT_EQ(f.Text(), "6");
    TypeOver(f, "7.5");
    EXPECT_EQ(f.Text(), "75"); // "." is no key of an integer field
}

TEST(FmtField, FormattingFailureEmptiesTheText)
{
    TFmtField f = Field({.kind = utNone, .formatType = ft_Manual, .format = "%s"});
    f.SetValue(5);
    EXPECT_EQ(f.Text(), "");
    f.SetText("12");
    f.SetModified(true);
    EXPECT_TRUE(f.ApplyEdit()); // commit leaves the text when it cannot format
    EXPECT_EQ(f.Text(), "12");
}
