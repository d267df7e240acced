// Units catalogue: kinds, choice lists, conversions and the unit-system columns.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/numtext.h"
#include "units/unitconv.h"

namespace {

bool IsValidUtf8(const std::string& s)
{
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int more = b < 0x80 ? 0 : (b >> 5) == 6 ? 1
            : (b >> 4) == 14                          ? 2
            : (b >> 3) == 30                          ? 3
                                                      : -1;
        if (more < 0 || i + more >= s.size())
            return false;
        for (int k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += more + 1;
    }
    return true;
}

double Shown(TUnitsType kind, int index, double value)
{
    std::string format, label;
    double offset = 0, factor = 1;
    GetUnitConversion(kind, index, 0, format, offset, factor, label);
    return ToDisplayUnits(offset, factor, value);
}

std::string ShownText(TUnitsType kind, int index, double value)
{
    return FormatNumber(GetUnitFormat(kind, index), Shown(kind, index, value));
}

} // namespace

TEST(UnitCatalogue, EveryKindHasAWellFormedChoiceList)
{
    EXPECT_EQ(UnitsTypeCount, 57);
    EXPECT_EQ(static_cast<int>(utWaterPressDrop), 56);
    EXPECT_EQ(sizeof(TUnitsType), 1u);
    EXPECT_EQ(UnitCount(utNone), 0);
    for (int k = 1; k < UnitsTypeCount; ++k) {
        const auto kind = static_cast<TUnitsType>(k);
        const auto choices = UnitChoices(kind);
        ASSERT_GE(choices.size(), 2u) << k;
        EXPECT_EQ(choices[0].factor, 1.0) << k;
        EXPECT_EQ(choices[0].offset, 0.0) << k;
        for (size_t i = 0; i < choices.size(); ++i) {
            const TUnitChoice& c = choices[i];
            const std::string where = std::to_string(k) + "/" + std::to_string(i);
            EXPECT_TRUE(std::isfinite(c.factor) && c.factor > 0) << where;
            EXPECT_TRUE(IsValidUtf8(c.label)) << where;
            EXPECT_TRUE(kind == utProportion || *c.label != '\0') << where;
            // "%0.<digit>f" or "%0.<digit>g" with 0 to 6 digits.
            const std::string f = c.format;
            ASSERT_EQ(f.size(), 5u) << where << " " << f;
            EXPECT_EQ(f.substr(0, 3), "%0.") << where;
            EXPECT_TRUE(f[3] >= '0' && f[3] <= '6') << where << " " << f;
            EXPECT_TRUE(f[4] == 'f' || (f[4] == 'g' && f[3] >= '1')) << where << " " << f;
            EXPECT_TRUE(IsNumberFormat(f)) << where;
            if (kind != utTemperature) {
                EXPECT_EQ(c.offset, 0.0) << where;
            }
        }
        EXPECT_EQ(ClampUnitIndex(kind, MetricUnitIndex(kind, 99)), MetricUnitIndex(kind, 99)) << k;
        EXPECT_EQ(ClampUnitIndex(kind, ImperialUnitIndex(kind, 99)), ImperialUnitIndex(kind, 99)) << k;
    }
}

TEST(UnitCatalogue, MetricAndImperialDefaultsOfEveryKind)
{
    struct Case {
        TUnitsType kind;
        const char* metric;
        const char* imperial;
    };
    const Case cases[] = {
        {utAirFlowPrim, "m³/s", "cfm"},
        {utAirFlowSec, "l/s", "cfm"},
        {utAirFlowSmall, "l/s", "cfm"},
        {utAirFlowRate, "l/s/m²", "cfm/ft²"},
        {utAirPressDrop, "Pa", "InchWg"},
        {utAltitude, "m", "ft"},
        {utAngularSpeed, "rpm", "rpm"},
        {utArea, "m²", "ft²"},
        {utCondensateRate, "g/s", "lb/hr"},
        {utConductance, "kW/°C", "MBH/°F"},
        {utConductivity, "W/m·K", "Btu/hr·ft°F"},
        {utDensity, "kg/m³", "lb/ft³"},
        {utDiameter, "mm", "inch"},
        {utDutyPrim, "kW", "Btu/hr"},
        {utDutySec, "W", "Btu/hr"},
        {utDutyRate, "W/m²", "Btu/hr·ft²"},
        {utEnergy, "kW-hr", "Btu"},
        {utEnergyPerVol, "kW/cms", "Btu/ft³"},
        {utEnthalpy, "kJ/kg", "Btu/lb"},
        {utFinDensity, "fins/m", "fpi"},
        {utHeatOfRespir, "kJ/kg/day", "Btu/lb/day"},
        {utHeatTransCoeff, "W/m²°C", "Btu/hr·ft²°F"},
        {utHumidity, "g/kg", "gr/lb"},
        {utLengthBig, "m", "ft"},
        {utLengthMeasure, "mm", "inch"},
        {utLengthPrim, "m", "ft"},
        {utLengthSec, "mm", "inch"},
        {utLengthSmall, "mm", "thou"},
        {utMass, "kg", "lb"},
        {utMassSmall, "g", "oz"},
        {utMassFlow, "kg/s", "lb/s"},
        {utMassFlowGas, "kg/hr", "lb/hr"},
        {utMassFlux, "kg/m²s", "lb/ft²s"},
        {utMetRate, "W/P", "Btu/hr/P"},
        {utPeopleDensity, "m²/P", "ft²/P"},
        {utPower, "kW", "HP"},
        {utPressure, "kPa", "Psi"},
        {utPressureBar, "kPa", "InchHg"},
        {utPressureSteam, "Bar", "Psi"},
        {utPressureRateGas, "Pa/m", "inWg/100ft"},
        {utPressureRateLiquid, "kPa/m", "Psi/ft"},
        {utProportion, "", ""},
        {utRate, "/sec", "/min"},
        {utSpecificHeat, "kJ/kg·K", "Btu/lb°F"},
        {utSpecificVol, "m³/kg", "ft³/lb"},
        {utTemperature, "°C", "°F"},
        {utTemperatureChange, "°C", "°F"},
        {utThermalCapacity, "W-hr/m²°C", "Btu/ft²°F"},
        {utThermalResist, "m²°C/W", "ft²·hr·°F/Btu"},
        {utTime, "sec", "min"},
        {utVelocity, "m/s", "fpm"},
        {utViscosity, "kg/m·s", "lbm/ft·s"},
        {utVolume, "m³", "ft³"},
        {utVolumeFluid, "kl", "US Gal"},
        {utWaterFlow, "l/s", "usgpm"},
        {utWaterPressDrop, "kPa", "Psi"},
    };
    ASSERT_EQ(std::size(cases), 56u);
    for (const auto& c : cases) {
        EXPECT_EQ(GetUnitLabel(c.kind, MetricUnitIndex(c.kind, 3)), c.metric) << int(c.kind);
        EXPECT_EQ(GetUnitLabel(c.kind, ImperialUnitIndex(c.kind, 3)), c.imperial) << int(c.kind);
    }
    EXPECT_EQ(MetricUnitIndex(utDutySec, 4), 1);
    EXPECT_EQ(MetricUnitIndex(utNone, 3), 3);
    EXPECT_EQ(ImperialUnitIndex(utNone, 3), 3);
}

TEST(UnitCatalogue, SharedListsAndTheBarometricSubset)
{
    const TUnitsType pressureKinds[] = {utAirPressDrop, utPressure, utPressureSteam, utWaterPressDrop};
    const char* pressureLabels[] = {"kPa", "Pa", "Psi", "Bar", "Atm", "InchWg", "InchHg", "mHead"};
    for (TUnitsType kind : pressureKinds) {
        ASSERT_EQ(UnitCount(kind), 8);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(GetUnitLabel(kind, i), pressureLabels[i]);
    }
    // The barometric list is the pressure list without "Pa" and "InchWg".
    const int barRows[] = {0, 2, 3, 4, 6, 7};
    ASSERT_EQ(UnitCount(utPressureBar), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(GetUnitLabel(utPressureBar, i), GetUnitLabel(utPressure, barRows[i]));
        EXPECT_EQ(GetUnitFormat(utPressureBar, i), GetUnitFormat(utPressure, barRows[i]));
        EXPECT_EQ(Shown(utPressureBar, i, 1), Shown(utPressure, barRows[i], 1));
    }
    const char* lengthLabels[] = {"m", "cm", "mm", "inch", "ft"};
    for (TUnitsType kind : {utLengthMeasure, utLengthPrim, utLengthSec})
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(GetUnitLabel(kind, i), lengthLabels[i]);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GetUnitLabel(utTemperatureChange, i), GetUnitLabel(utTemperature, i));
        EXPECT_EQ(GetUnitFormat(utTemperatureChange, i), GetUnitFormat(utTemperature, i));
    }
}

TEST(UnitConversion, ExamplesOfTheWindowsKinds)
{
    struct Case {
        TUnitsType kind;
        int index;
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {utTemperature, 1, 100, "212.0"},
        {utTemperature, 1, 20, "68.0"},
        {utTemperature, 2, 20, "293.15"},
        {utTemperatureChange, 1, 10, "18.0"},
        {utTemperatureChange, 2, 10, "10.00"},
        {utPressure, 2, 689.476, "100.0000"},
        {utPressure, 1, 1.5, "1500"},
        {utPressureBar, 4, 100, "29.5000"},
        {utDutyPrim, 2, 1, "3412"},
        {utDutyPrim, 3, 10, "34.121"},
        {utPower, 2, 0.745699872, "1.00"},
        {utMassFlow, 5, 1, "7936.6"},
        {utProportion, 1, 0.72, "72.0"},
        {utProportion, 0, 0.72, "0.720"},
        {utProportion, 2, 0.72, "0.720"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownText(c.kind, c.index, c.value), c.shown) << int(c.kind) << "/" << c.index;

    std::string format, label;
    double offset = 0, factor = 1;
    GetUnitConversion(utTemperature, 1, 0, format, offset, factor, label);
    EXPECT_EQ(label, "°F");
    EXPECT_DOUBLE_EQ(FromDisplayUnits(offset, factor, 212.0), 100.0);
    GetUnitConversion(utTemperatureChange, 1, 0, format, offset, factor, label);
    EXPECT_EQ(offset, 0.0);
}

TEST(UnitConversion, FactorsFollowTheStandardDefinitions)
{
    // One unit of the display choice, written in the internal unit, shows as `shown`.
    struct Case {
        TUnitsType kind;
        const char* label;
        double internal;
        double shown;
    };
    const Case cases[] = {
        {utAirFlowPrim, "cfm", 0.00047194745, 1},
        {utAirFlowSmall, "cfm", 0.47194745, 1},
        {utAirFlowRate, "cfm/ft²", 0.00508, 1},
        {utAltitude, "ft", 0.3048, 1},
        {utAngularSpeed, "Rad/s", 60, 2 * 3.14159265358979},
        {utArea, "inch²", 0.00064516, 1},
        {utArea, "ft²", 0.09290304, 1},
        {utCondensateRate, "lb/hr", 0.45359237 / 3.6, 1},
        {utConductance, "Btu/h°F", 1.055056 * 1.8 / 3600, 1},
        {utConductivity, "Btu/hr·ft°F", 0.001730735, 1},
        {utDensity, "lb/ft³", 16.018463, 1},
        {utDensity, "mg/L", 0.001, 1},
        {utDiameter, "1/8 inch", 0.003175, 1},
        {utDutyRate, "Btu/hr·ft²", 3.154591, 1},
        {utEnergy, "kW-hr", 3600, 1},
        {utEnthalpy, "Btu/lb", 2.326, 1},
        {utFinDensity, "fins/m", 1, 39.370079},
        {utHeatOfRespir, "mW/kg", 1, 11.574074},
        {utHeatTransCoeff, "Btu/hr·ft²°F", 5.678263, 1},
        {utHumidity, "gr/lb", 1.0 / 7000, 1},
        {utLengthSmall, "thou", 0.0254, 1},
        {utMassSmall, "oz", 28.349523125, 1},
        {utMassFlux, "lb/ft²hr", 0.45359237 / 0.09290304 / 3600, 1},
        {utPressureRateGas, "inWg/100ft", 0.249088908 * 1000 / 30.48, 1},
        {utPressureRateLiquid, "Psi/ft", 6894.757 / 0.3048, 1},
        {utSpecificHeat, "Btu/lb°F", 4.1868, 1},
        {utSpecificVol, "ft³/lb", 0.062427961, 1},
        {utThermalResist, "ft²·hr·°F/Btu", 0.17611, 1},
        {utTime, "hr", 3600, 1},
        {utVelocity, "fpm", 0.00508, 1},
        {utViscosity, "cP", 0.001, 1},
        {utViscosity, "lbf·s/ft²", 47.880259, 1},
        {utVolumeFluid, "US Gal", 0.003785411784, 1},
        {utWaterFlow, "usgpm", 0.0630901964, 1},
    };
    for (const auto& c : cases) {
        int index = -1;
        for (int i = 0; i < UnitCount(c.kind); ++i)
            if (GetUnitLabel(c.kind, i) == c.label)
                index = i;
        ASSERT_GE(index, 0) << c.label;
        EXPECT_NEAR(Shown(c.kind, index, c.internal) / c.shown, 1.0, 2e-5) << c.label;
    }
}

TEST(UnitConversion, FactorIsRelativeToTheBaseChoice)
{
    std::string format, label;
    double offset = 0, factor = 0;
    GetUnitConversion(utPressure, 2, 1, format, offset, factor, label); // Psi from Pa
    EXPECT_DOUBLE_EQ(factor, 0.1450376807894691 / 1000);
    EXPECT_EQ(format, "%0.4f");
    EXPECT_EQ(label, "Psi");
    // The temperature offset belongs to the shown choice whatever the base.
    GetUnitConversion(utTemperature, 1, 2, format, offset, factor, label);
    EXPECT_EQ(offset, 32.0);
    EXPECT_DOUBLE_EQ(factor, 1.8);
}

TEST(UnitConversion, PlainNumberKeepsTheCallersConversion)
{
    std::string format = "x", label = "y";
    double offset = 3, factor = 7;
    GetUnitConversion(utNone, 2, 0, format, offset, factor, label);
    EXPECT_EQ(format, "%0.1f");
    EXPECT_EQ(label, "");
    EXPECT_EQ(offset, 3.0);
    EXPECT_EQ(factor, 7.0);
    EXPECT_EQ(GetUnitLabel(utNone, 0), "");
    EXPECT_EQ(GetUnitFormat(utNone, 4), "%0.1f");
}

TEST(UnitConversion, ClampUnitIndex)
{
    EXPECT_EQ(ClampUnitIndex(utPressure, 9), 7);
    EXPECT_EQ(ClampUnitIndex(utPower, -1), 0);
    EXPECT_EQ(ClampUnitIndex(utNone, 5), 5);
    EXPECT_EQ(ClampUnitIndex(utTemperature, 2), 2);
    // Lookups past the end stay inside the list.
    EXPECT_EQ(GetUnitLabel(utTemperature, 9), "K");
    EXPECT_EQ(GetUnitLabel(utTemperature, -4), "°C");
}

TEST(UnitConversion, FixedConversionsOfTheValveData)
{
    EXPECT_DOUBLE_EQ(DegCToDegF(100), 212);
    EXPECT_DOUBLE_EQ(DegCToDegF(-40), -40);
    EXPECT_DOUBLE_EQ(KPaToPsi(689.476), 100);
    EXPECT_DOUBLE_EQ(TonsFactorMul(35.16), 10);
    EXPECT_DOUBLE_EQ(TonsFactorDiv(10), 35.16);
    EXPECT_DOUBLE_EQ(ToDisplayUnits(32, 1.8, 100), 212);
    EXPECT_DOUBLE_EQ(FromDisplayUnits(32, 1.8, 212), 100);
}
