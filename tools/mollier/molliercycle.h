#pragma once

#include <array>
#include <string>

#include "core/cycle.h"
#include "tools/mollier/mollierargs.h"

// One state on the chart: pressure (kPa absolute), enthalpy (kJ/kg), temperature (°C).
struct TStatePoint {
    double p = 0;
    double h = 0;
    double T = 0;
};

// The cycle as the chart shows it: 1 suction, 2 discharge, 3 liquid, 4 evaporator
// inlet, and 2s the discharge after isentropic compression.
struct TMollierCycle {
    std::string Refrigerant;
    double SST = 0;
    double SDT = 0;
    double sh = 0;
    double sc = 0;
    double COP = 0;
    std::array<TStatePoint, 4> Points {}; // points 1..4 at [0]..[3]
    TStatePoint Isentropic;               // 2s
    int ErrCount = 0;                     // values the solve could not compute properly
    std::string DataRangeWarning;         // te or tc beyond the record's TMin…TMax, else empty
};

// Selects the refrigerant at the text's position in lib's name list (-1: the
// built-in record, as the main window reports it when the library lacks the
// selection) and solves the cycle as the main window does with Ie given: te =
// SST, HP from the dew temperature, SDT = tc = BubbleT(HP). A position outside
// the list raises ListIndexError; the solver's own faults raise as it raises them.
TMollierCycle SolveMollierCycle(TRefrigLib& lib, const TMollierArgs& args);

// Temperature of a two-phase state at pressure p (Pa) and enthalpy h (J/kg):
// between the bubble and the dew temperature in proportion to the quality (the
// saturation temperature itself for a pure fluid).
double TwoPhaseTemperature(const TRefrigLib& lib, double p, double h);

// "N\tp_kPa\th_kJ_kg\tT_C" for points 1..4, each line ending in "\n".
std::string PointLines(const TMollierCycle& cycle);

// The argument text of a solved model, as the main window's Tools command builds
// it: for a start of the chart without a text of its own.
std::string MollierTextOf(const TKelvora& cycle);
