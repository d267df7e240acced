#include "units/unitconv.h"

#include <algorithm>
#include <array>
#include <numbers>

namespace {

// Unit definitions the derived factors are built from. The Btu is the one the
// duty list uses (3412.141156488376 Btu/hr per kW), so every Btu-based unit of
// the catalogue agrees with that row.
constexpr double kFoot = 0.3048;                // m
constexpr double kInch = 0.0254;                // m
constexpr double kFt2 = kFoot * kFoot;          // m²
constexpr double kFt3 = kFt2 * kFoot;           // m³
constexpr double kPound = 0.45359237;           // kg
constexpr double kPoundForce = 4.4482216152605; // N
constexpr double kOunce = 28.349523125;         // g
constexpr double kUSGallon = 3.785411784;       // litre
constexpr double kBtu = 1.055056;               // kJ
constexpr double kBtuHrPerKW = 3412.141156488376;
constexpr double kPsiPerKPa = 0.1450376807894691;
constexpr double kInchWgPerKPa = 4.014630759755623;

using Row = TUnitChoice;

// Each list holds its internal unit first: factor 1, offset 0.

constexpr Row kAirFlow[] = {
    {"m³/s", "%0.4f", 1, 0},
    {"m³/min", "%0.3f", 60, 0},
    {"m³/hr", "%0.1f", 3600, 0},
    {"l/s", "%0.1f", 1000, 0},
    {"cfm", "%0.0f", 60 / kFt3, 0},
};

constexpr Row kAirFlowSmall[] = {
    {"l/s", "%0.2f", 1, 0},
    {"m³/min", "%0.4f", 0.06, 0},
    {"cfm", "%0.2f", 0.06 / kFt3, 0},
};

constexpr Row kAirFlowRate[] = {
    {"m³/s/m²", "%0.4f", 1, 0},
    {"m³/min/m²", "%0.3f", 60, 0},
    {"m³/hr/m²", "%0.1f", 3600, 0},
    {"l/s/m²", "%0.2f", 1000, 0},
    {"cfm/ft²", "%0.2f", 60 / kFoot, 0},
};

constexpr Row kPressure[] = {
    {"kPa", "%0.3f", 1, 0},
    {"Pa", "%0.0f", 1000, 0},
    {"Psi", "%0.4f", kPsiPerKPa, 0},
    {"Bar", "%0.5f", 0.01, 0},
    {"Atm", "%0.5f", 0.00986923, 0},
    {"InchWg", "%0.4f", kInchWgPerKPa, 0},
    {"InchHg", "%0.4f", 0.295, 0},
    {"mHead", "%0.4f", 0.10197162129779283, 0},
};

// The barometric list leaves out "Pa" and "InchWg".
constexpr Row kPressureBar[] = {
    kPressure[0],
    kPressure[2],
    kPressure[3],
    kPressure[4],
    kPressure[6],
    kPressure[7],
};

constexpr Row kAltitude[] = {
    {"m", "%0.0f", 1, 0},
    {"ft", "%0.0f", 1 / kFoot, 0},
};

constexpr Row kAngularSpeed[] = {
    {"rpm", "%0.0f", 1, 0},
    {"Rad/s", "%0.3f", 2 * std::numbers::pi / 60, 0},
    {"Rev/s", "%0.3f", 1.0 / 60, 0},
};

constexpr Row kArea[] = {
    {"m²", "%0.4f", 1, 0},
    {"cm²", "%0.2f", 1e4, 0},
    {"mm²", "%0.0f", 1e6, 0},
    {"inch²", "%0.2f", 1 / (kInch * kInch), 0},
    {"ft²", "%0.3f", 1 / kFt2, 0},
};

constexpr Row kCondensateRate[] = {
    {"g/s", "%0.2f", 1, 0},
    {"kg/s", "%0.5f", 0.001, 0},
    {"kg/min", "%0.4f", 0.06, 0},
    {"lb/hr", "%0.2f", 3.6 / kPound, 0},
};

constexpr Row kConductance[] = {
    {"kW/°C", "%0.3f", 1, 0},
    {"W/°C", "%0.1f", 1000, 0},
    {"MBH/°F", "%0.3f", kBtuHrPerKW / 1000 / 1.8, 0},
    {"Btu/h°F", "%0.1f", kBtuHrPerKW / 1.8, 0},
};

constexpr Row kConductivity[] = {
    {"kW/m·K", "%0.4g", 1, 0},
    {"W/m·K", "%0.4g", 1000, 0},
    {"mW/m·K", "%0.4g", 1e6, 0},
    {"Btu/hr·ft°F", "%0.4g", kBtuHrPerKW* kFoot / 1.8, 0},
};

constexpr Row kDensity[] = {
    {"kg/m³", "%0.5g", 1, 0},
    {"mg/L", "%0.5g", 1000, 0},
    {"lb/ft³", "%0.5g", kFt3 / kPound, 0},
};

constexpr Row kDiameter[] = {
    {"m", "%0.4f", 1, 0},
    {"mm", "%0.1f", 1000, 0},
    {"inch", "%0.3f", 1 / kInch, 0},
    {"1/8 inch", "%0.1f", 314.96062992125985, 0},
    {"ft", "%0.4f", 1 / kFoot, 0},
};

constexpr Row kDuty[] = {
    {"kW", "%0.3f", 1, 0},
    {"W", "%0.0f", 1000, 0},
    {"Btu/hr", "%0.0f", kBtuHrPerKW, 0},
    {"MBh", "%0.3f", 3.412141156488376, 0},
    {"kcal/hr", "%0.1f", 859.184, 0},
};

constexpr Row kDutyRate[] = {
    {"W/m²", "%0.1f", 1, 0},
    {"kW/m²", "%0.4f", 0.001, 0},
    {"Btu/hr·ft²", "%0.2f", kBtuHrPerKW / 1000 * kFt2, 0},
    {"MBh/ft²", "%0.5f", kBtuHrPerKW / 1e6 * kFt2, 0},
    {"kcal/hr·ft²", "%0.3f", 859.184 / 1000 * kFt2, 0},
};

constexpr Row kEnergy[] = {
    {"kJ", "%0.2f", 1, 0},
    {"J", "%0.0f", 1000, 0},
    {"kW-hr", "%0.6g", 1.0 / 3600, 0},
    {"W-hr", "%0.5g", 1 / 3.6, 0},
    {"Btu", "%0.2f", 1 / kBtu, 0},
};

constexpr Row kEnergyPerVol[] = {
    {"kW/cms", "%0.2f", 1, 0},
    {"kJ/m³", "%0.2f", 1, 0},
    {"Btu/ft³", "%0.4f", kFt3 / kBtu, 0},
};

constexpr Row kEnthalpy[] = {
    {"kJ/kg", "%0.2f", 1, 0},
    {"Btu/lb", "%0.2f", kPound / kBtu, 0},
};

constexpr Row kFinDensity[] = {
    {"fpi", "%0.1f", 1, 0},
    {"fin/mm", "%0.3f", 1 / (kInch * 1000), 0},
    {"fins/m", "%0.0f", 1 / kInch, 0},
    {"fins/ft", "%0.1f", 12, 0},
};

constexpr Row kHeatOfRespir[] = {
    {"kJ/kg/day", "%0.2f", 1, 0},
    {"mW/kg", "%0.2f", 1e6 / 86400, 0},
    {"Btu/lb/day", "%0.3f", kPound / kBtu, 0},
};

constexpr Row kHeatTransCoeff[] = {
    {"W/m²°C", "%0.5g", 1, 0},
    {"Btu/hr·ft²°F", "%0.5g", kBtuHrPerKW / 1000 * kFt2 / 1.8, 0},
};

constexpr Row kHumidity[] = {
    {"kg/kg", "%0.5f", 1, 0},
    {"g/kg", "%0.2f", 1000, 0},
    {"gr/lb", "%0.1f", 7000, 0},
};

constexpr Row kLengthBig[] = {
    {"m", "%0.1f", 1, 0},
    {"ft", "%0.1f", 1 / kFoot, 0},
};

constexpr Row kLength[] = {
    {"m", "%0.3f", 1, 0},
    {"cm", "%0.1f", 100, 0},
    {"mm", "%0.0f", 1000, 0},
    {"inch", "%0.2f", 1 / kInch, 0},
    {"ft", "%0.3f", 1 / kFoot, 0},
};

constexpr Row kLengthSmall[] = {
    {"mm", "%0.3f", 1, 0},
    {"um", "%0.0f", 1000, 0},
    {"thou", "%0.2f", 39.37007874015748, 0},
};

constexpr Row kMass[] = {
    {"kg", "%0.2f", 1, 0},
    {"ton SI", "%0.4f", 0.001, 0},
    {"lb", "%0.2f", 1 / kPound, 0},
};

constexpr Row kMassSmall[] = {
    {"g", "%0.1f", 1, 0},
    {"oz", "%0.2f", 1 / kOunce, 0},
};

constexpr Row kMassFlow[] = {
    {"kg/s", "%0.4f", 1, 0},
    {"g/s", "%0.1f", 1000, 0},
    {"kg/hr", "%0.2f", 3600, 0},
    {"lb/s", "%0.5f", 2.2046226218487757, 0},
    {"lb/min", "%0.3f", 132.27735731092656, 0},
    {"lb/hr", "%0.1f", 7936.6414386555925, 0},
};

constexpr Row kMassFlux[] = {
    {"kg/m²s", "%0.3f", 1, 0},
    {"g/m²s", "%0.1f", 1000, 0},
    {"kg/m²hr", "%0.1f", 3600, 0},
    {"lb/ft²s", "%0.4f", kFt2 / kPound, 0},
    {"lb/ft²min", "%0.3f", 60 * kFt2 / kPound, 0},
    {"lb/ft²hr", "%0.1f", 3600 * kFt2 / kPound, 0},
};

constexpr Row kMetRate[] = {
    {"W/P", "%0.0f", 1, 0},
    {"Btu/hr/P", "%0.0f", kBtuHrPerKW / 1000, 0},
};

constexpr Row kPeopleDensity[] = {
    {"m²/P", "%0.1f", 1, 0},
    {"ft²/P", "%0.0f", 1 / kFt2, 0},
};

constexpr Row kPower[] = {
    {"kW", "%0.3f", 1, 0},
    {"W", "%0.0f", 1000, 0},
    {"HP", "%0.2f", 1.341021858656296, 0},
};

constexpr Row kPressureRate[] = {
    {"Pa/m", "%0.1f", 1, 0},
    {"kPa/m", "%0.4f", 0.001, 0},
    {"inWg/100ft", "%0.3f", kInchWgPerKPa / 1000 * 100 * kFoot, 0},
    {"Psi/ft", "%0.6f", kPsiPerKPa / 1000 * kFoot, 0},
};

constexpr Row kProportion[] = {
    {"", "%0.3f", 1, 0},
    {"%", "%0.1f", 100, 0},
    {"ratio", "%0.3f", 1, 0},
};

constexpr Row kRate[] = {
    {"/sec", "%0.4f", 1, 0},
    {"/min", "%0.3f", 60, 0},
    {"/hr", "%0.1f", 3600, 0},
};

constexpr Row kSpecificHeat[] = {
    {"kJ/kg·K", "%0.4g", 1, 0},
    {"Btu/lb°F", "%0.4g", kPound / kBtu / 1.8, 0},
};

constexpr Row kSpecificVol[] = {
    {"m³/kg", "%0.5f", 1, 0},
    {"ft³/lb", "%0.4f", kPound / kFt3, 0},
};

constexpr Row kTemperature[] = {
    {"°C", "%0.1f", 1, 0},
    {"°F", "%0.1f", 1.8, 32},
    {"K", "%0.2f", 1, 273.15},
};

// A temperature difference: the same labels, formats and factors, no offsets.
constexpr Row kTemperatureChange[] = {
    {kTemperature[0].label, kTemperature[0].format, kTemperature[0].factor, 0},
    {kTemperature[1].label, kTemperature[1].format, kTemperature[1].factor, 0},
    {kTemperature[2].label, kTemperature[2].format, kTemperature[2].factor, 0},
};

constexpr Row kThermalCapacity[] = {
    {"W-hr/m²°C", "%0.2f", 1, 0},
    {"Btu/ft²°F", "%0.3f", kBtuHrPerKW / 1000 * kFt2 / 1.8, 0},
};

constexpr Row kThermalResist[] = {
    {"m²°C/W", "%0.3f", 1, 0},
    {"ft²·hr·°F/Btu", "%0.3f", 1.8 / (kBtuHrPerKW / 1000 * kFt2), 0},
};

constexpr Row kTime[] = {
    {"sec", "%0.0f", 1, 0},
    {"min", "%0.2f", 1.0 / 60, 0},
    {"hr", "%0.4f", 1.0 / 3600, 0},
};

constexpr Row kVelocity[] = {
    {"m/s", "%0.2f", 1, 0},
    {"fpm", "%0.0f", 60 / kFoot, 0},
};

constexpr Row kViscosity[] = {
    {"kg/m·s", "%0.4g", 1, 0},
    {"N·s/m²", "%0.4g", 1, 0},
    {"µPa·s", "%0.5g", 1e6, 0},
    {"cP", "%0.4g", 1000, 0},
    {"lbm/ft·s", "%0.4g", kFoot / kPound, 0},
    {"lbf·s/ft²", "%0.4g", kFt2 / kPoundForce, 0},
    {"lbf·hr/ft²", "%0.4g", kFt2 / kPoundForce / 3600, 0},
};

constexpr Row kVolume[] = {
    {"m³", "%0.4f", 1, 0},
    {"litre", "%0.2f", 1000, 0},
    {"cc", "%0.0f", 1e6, 0},
    {"ft³", "%0.3f", 35.32, 0},
    {"inch³", "%0.1f", 61023, 0},
};

constexpr Row kVolumeFluid[] = {
    {"kl", "%0.4f", 1, 0},
    {"litre", "%0.1f", 1000, 0},
    {"IP Gal", "%0.5g", 220, 0},
    {"US Gal", "%0.5g", 1000 / kUSGallon, 0},
};

constexpr Row kWaterFlow[] = {
    {"l/s", "%0.3f", 1, 0},
    {"l/min", "%0.2f", 60, 0},
    {"dm³/hr", "%0.0f", 3600, 0},
    {"m³/hr", "%0.3f", 3.6, 0},
    {"m³/s", "%0.6f", 0.001, 0},
    {"usgpm", "%0.2f", 60 / kUSGallon, 0},
};

struct KindRow {
    TUnitsType kind;
    std::span<const Row> choices;
    int metric;
    int imperial;
};

// One row per kind in ordinal order: its choice list and its SI and imperial defaults.
constexpr KindRow kKinds[] = {
    {utNone, {}, 0, 0},
    {utAirFlowPrim, kAirFlow, 0, 4},
    {utAirFlowSec, kAirFlow, 3, 4},
    {utAirFlowSmall, kAirFlowSmall, 0, 2},
    {utAirFlowRate, kAirFlowRate, 3, 4},
    {utAirPressDrop, kPressure, 1, 5},
    {utAltitude, kAltitude, 0, 1},
    {utAngularSpeed, kAngularSpeed, 0, 0},
    {utArea, kArea, 0, 4},
    {utCondensateRate, kCondensateRate, 0, 3},
    {utConductance, kConductance, 0, 2},
    {utConductivity, kConductivity, 1, 3},
    {utDensity, kDensity, 0, 2},
    {utDiameter, kDiameter, 1, 2},
    {utDutyPrim, kDuty, 0, 2},
    {utDutySec, kDuty, 1, 2},
    {utDutyRate, kDutyRate, 0, 2},
    {utEnergy, kEnergy, 2, 4},
    {utEnergyPerVol, kEnergyPerVol, 0, 2},
    {utEnthalpy, kEnthalpy, 0, 1},
    {utFinDensity, kFinDensity, 2, 0},
    {utHeatOfRespir, kHeatOfRespir, 0, 2},
    {utHeatTransCoeff, kHeatTransCoeff, 0, 1},
    {utHumidity, kHumidity, 1, 2},
    {utLengthBig, kLengthBig, 0, 1},
    {utLengthMeasure, kLength, 2, 3},
    {utLengthPrim, kLength, 0, 4},
    {utLengthSec, kLength, 2, 3},
    {utLengthSmall, kLengthSmall, 0, 2},
    {utMass, kMass, 0, 2},
    {utMassSmall, kMassSmall, 0, 1},
    {utMassFlow, kMassFlow, 0, 3},
    {utMassFlowGas, kMassFlow, 2, 5},
    {utMassFlux, kMassFlux, 0, 3},
    {utMetRate, kMetRate, 0, 1},
    {utPeopleDensity, kPeopleDensity, 0, 1},
    {utPower, kPower, 0, 2},
    {utPressure, kPressure, 0, 2},
    {utPressureBar, kPressureBar, 0, 4},
    {utPressureSteam, kPressure, 3, 2},
    {utPressureRateGas, kPressureRate, 0, 2},
    {utPressureRateLiquid, kPressureRate, 1, 3},
    {utProportion, kProportion, 0, 0},
    {utRate, kRate, 0, 1},
    {utSpecificHeat, kSpecificHeat, 0, 1},
    {utSpecificVol, kSpecificVol, 0, 1},
    {utTemperature, kTemperature, 0, 1},
    {utTemperatureChange, kTemperatureChange, 0, 1},
    {utThermalCapacity, kThermalCapacity, 0, 1},
    {utThermalResist, kThermalResist, 0, 1},
    {utTime, kTime, 0, 1},
    {utVelocity, kVelocity, 0, 1},
    {utViscosity, kViscosity, 0, 4},
    {utVolume, kVolume, 0, 3},
    {utVolumeFluid, kVolumeFluid, 0, 3},
    {utWaterFlow, kWaterFlow, 0, 5},
    {utWaterPressDrop, kPressure, 0, 2},
};

constexpr bool KindsInOrdinalOrder()
{
    for (size_t i = 0; i < std::size(kKinds); ++i)
        if (kKinds[i].kind != i)
            return false;
    return std::size(kKinds) == UnitsTypeCount;
}
static_assert(KindsInOrdinalOrder(), "one row per kind, in ordinal order");

const KindRow& Kind(TUnitsType kind)
{
    return kind < UnitsTypeCount ? kKinds[kind] : kKinds[utNone];
}

// Lookups never leave the list, whatever index a caller passes.
const Row* Choice(TUnitsType kind, int index)
{
    const auto choices = Kind(kind).choices;
    if (choices.empty())
        return nullptr;
    return &choices[std::clamp(index, 0, static_cast<int>(choices.size()) - 1)];
}

constexpr const char* kPlainFormat = "%0.1f";

} // namespace

std::span<const TUnitChoice> UnitChoices(TUnitsType kind)
{
    return Kind(kind).choices;
}

int UnitCount(TUnitsType kind)
{
    return static_cast<int>(Kind(kind).choices.size());
}

std::string GetUnitLabel(TUnitsType kind, int index)
{
    const Row* c = Choice(kind, index);
    return c ? c->label : "";
}

std::string GetUnitFormat(TUnitsType kind, int index)
{
    const Row* c = Choice(kind, index);
    return c ? c->format : kPlainFormat;
}

void GetUnitConversion(TUnitsType kind, int index, int base, std::string& format, double& offset, double& factor,
                       std::string& label)
{
    label = GetUnitLabel(kind, index);
    format = GetUnitFormat(kind, index);
    const Row* shown = Choice(kind, index);
    if (!shown)
        return;
    factor = shown->factor / Choice(kind, base)->factor;
    // The offset belongs to the shown choice; every field holds its value in choice 0.
    // Only the temperature rows carry one.
    offset = shown->offset;
}

int ClampUnitIndex(TUnitsType kind, int index)
{
    const int count = UnitCount(kind);
    if (count == 0)
        return index;
    return std::clamp(index, 0, count - 1);
}

int MetricUnitIndex(TUnitsType kind, int current)
{
    return UnitCount(kind) == 0 ? current : Kind(kind).metric;
}

int ImperialUnitIndex(TUnitsType kind, int current)
{
    return UnitCount(kind) == 0 ? current : Kind(kind).imperial;
}

double ToDisplayUnits(double offset, double factor, double value)
{
    return offset + factor * value;
}

double FromDisplayUnits(double offset, double factor, double shown)
{
    return (shown - offset) / factor;
}

double DegCToDegF(double x)
{
    return 1.8 * x + 32;
}

double KPaToPsi(double x)
{
    return x / 6.89476;
}

double TonsFactorMul(double x)
{
    return x / 3.516;
}

double TonsFactorDiv(double x)
{
    return x * 3.516;
}
