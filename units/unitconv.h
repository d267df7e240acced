#pragma once

#include <cstdint>
#include <span>
#include <string>

// The units catalogue: every quantity kind a field can hold, with its ordered
// unit choices. Values live in the internal unit (choice 0 of each kind) and are
// shown as  shown = offset + factor * value  in the chosen display unit.
//
// The ordinals are fixed: fields, the unit dialogs and the unit-system tables
// index by them, so new kinds go at the end only.
enum TUnitsType : std::uint8_t {
    utNone,               //  0 plain number, no unit
    utAirFlowPrim,        //  1
    utAirFlowSec,         //  2
    utAirFlowSmall,       //  3
    utAirFlowRate,        //  4
    utAirPressDrop,       //  5
    utAltitude,           //  6
    utAngularSpeed,       //  7
    utArea,               //  8
    utCondensateRate,     //  9
    utConductance,        // 10
    utConductivity,       // 11
    utDensity,            // 12
    utDiameter,           // 13
    utDutyPrim,           // 14
    utDutySec,            // 15
    utDutyRate,           // 16
    utEnergy,             // 17
    utEnergyPerVol,       // 18
    utEnthalpy,           // 19
    utFinDensity,         // 20
    utHeatOfRespir,       // 21
    utHeatTransCoeff,     // 22
    utHumidity,           // 23
    utLengthBig,          // 24
    utLengthMeasure,      // 25
    utLengthPrim,         // 26
    utLengthSec,          // 27
    utLengthSmall,        // 28
    utMass,               // 29
    utMassSmall,          // 30
    utMassFlow,           // 31
    utMassFlowGas,        // 32
    utMassFlux,           // 33
    utMetRate,            // 34
    utPeopleDensity,      // 35
    utPower,              // 36
    utPressure,           // 37
    utPressureBar,        // 38
    utPressureSteam,      // 39
    utPressureRateGas,    // 40
    utPressureRateLiquid, // 41
    utProportion,         // 42
    utRate,               // 43
    utSpecificHeat,       // 44
    utSpecificVol,        // 45
    utTemperature,        // 46
    utTemperatureChange,  // 47
    utThermalCapacity,    // 48
    utThermalResist,      // 49
    utTime,               // 50
    utVelocity,           // 51
    utViscosity,          // 52
    utVolume,             // 53
    utVolumeFluid,        // 54
    utWaterFlow,          // 55
    utWaterPressDrop,     // 56
};

inline constexpr int UnitsTypeCount = 57;

// One display unit of a kind. factor: how many of this unit make one internal
// unit; offset: added after scaling (temperature only).
struct TUnitChoice {
    const char* label;  // UTF-8
    const char* format; // printf-style, formatted through FormatNumber
    double factor;
    double offset;
};

// The choices of a kind in index order; empty for utNone.
std::span<const TUnitChoice> UnitChoices(TUnitsType kind);
int UnitCount(TUnitsType kind);

// Label and format of a choice. utNone has the empty label and "%0.1f".
std::string GetUnitLabel(TUnitsType kind, int index);
std::string GetUnitFormat(TUnitsType kind, int index);

// Fills label and format; for every kind but utNone also factor = F[index] / F[base]
// and offset (the choice's own offset, which only utTemperature has). For utNone the
// caller's factor and offset stay as they are.
void GetUnitConversion(TUnitsType kind, int index, int base, std::string& format, double& offset, double& factor,
                       std::string& label);

// A valid choice of the kind: negative gives 0, past the end gives the last.
// utNone has no choices and passes the index through unchanged.
int ClampUnitIndex(TUnitsType kind, int index);

// The kind's default choice in the metric (SI) or imperial unit system;
// utNone returns current.
int MetricUnitIndex(TUnitsType kind, int current);
int ImperialUnitIndex(TUnitsType kind, int current);

double ToDisplayUnits(double offset, double factor, double value);
double FromDisplayUnits(double offset, double factor, double shown);

// Fixed conversions used by the TX valve data reader.
double DegCToDegF(double x);
double KPaToPsi(double x);
double TonsFactorMul(double x); // kW to tons of refrigeration
double TonsFactorDiv(double x); // tons of refrigeration to kW
