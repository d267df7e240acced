// SwitchUnits over a window's fields, and FormatFieldWithUnit of a field.
#include "units/fmteditlabel.h"
#include "units/switchunits.h"
#include "tests/units/fieldtest.h"

using SwitchUnitsTest = WidgetTest;

TEST_F(SwitchUnitsTest, ImperialAndBackToMetric)
{
    struct Row {
        TFmtEditDesign design;
        double value;
        const char* metricText;
        const char* metricLabel;
        const char* imperialText;
        const char* imperialLabel;
    };
    const Row rows[] = {
        {{.kind = utTemperature, .formatType = ft_Fixed}, 45, "45.0", "°C", "113.0", "°F"},
        {{.kind = utTemperatureChange, .formatType = ft_Fixed}, 10, "10.0", "°C", "18.0", "°F"},
        {{.kind = utPressure, .formatType = ft_Auto}, 1731.516, "1731.5", "kPa", "251.14", "Psi"},
        {{.kind = utPressureBar, .formatType = ft_Auto}, 100, "100.00", "kPa", "29.500", "InchHg"},
        {{.kind = utDutyPrim, .formatType = ft_Auto}, 10, "10.000", "kW", "34121", "Btu/hr"},
        {{.kind = utProportion, .unitsValue = 2, .formatType = ft_Fixed}, 0.72, "0.720", "ratio", "0.720", "ratio"},
    };
    std::vector<TFmtEdit*> fields;
    std::vector<TFmtEditLabel*> labels;
    int unitsEdited = 0;
    for (const Row& row : rows) {
        labels.push_back(new TFmtEditLabel(&window));
        fields.push_back(AddField(row.design, labels.back()));
        fields.back()->SetValue(row.value);
        QObject::connect(fields.back(), &TFmtEdit::OnUnitsEdited, [&] { ++unitsEdited; });
    }
    Show();

    SwitchUnits(&window, usImperial);
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i]->text(), rows[i].imperialText) << i;
        EXPECT_EQ(labels[i]->text(), rows[i].imperialLabel) << i;
    }
    SwitchUnits(&window, usMetric);
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i]->text(), rows[i].metricText) << i;
        EXPECT_EQ(labels[i]->text(), rows[i].metricLabel) << i;
    }
    EXPECT_EQ(unitsEdited, 0); // the window recomputes itself after a switch
}

TEST_F(SwitchUnitsTest, FormatFieldWithUnit)
{
    TFmtEdit* f = AddField({.kind = utPressure, .unitsValue = 3});
    const TTextWithUnit t = FormatFieldWithUnit(*f, true, " ", 130);
    EXPECT_EQ(t.text, "1.30 Bar");
    EXPECT_EQ(t.label, "Bar");
}
