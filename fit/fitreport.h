#pragma once

#include <string>
#include <vector>

#include "fit/fitrefrig.h"
#include "fit/lsq.h"
#include "fit/reftables.h"

// How far the fitted correlations of one refrigerant, read back through the
// library file text, lie from its reference tables over the fit range.

enum TReportQuantity {
    rqDewPressure,       // %
    rqBubblePressure,    // %
    rqLiquidEnthalpy,    // kJ/kg
    rqVapourEnthalpy,    // kJ/kg
    rqSuctionEnthalpy,   // kJ/kg, superheated up to 30 K
    rqDischargeRise,     // % of the rise h2 − h1 to the discharge state
    rqIsentropicRise,    // %
    rqCycleCOP,          // %
    rqDischargeTemp,     // K
    rqHotDischargeTemp,  // K, cycles discharging above the real discharge temperatures
    rqLiquidVolume,      // %
    rqVapourVolume,      // %
    rqSuperheatVolume,   // %, superheated up to 30 K
    rqLiquidTemperature, // K, th
    rqCpLiquid,          // % from here on
    rqCpVapour,
    rqViscosityLiquid,
    rqViscosityVapour,
    rqConductivityLiquid,
    rqConductivityVapour,
    rqSurfaceTension,
    rqCount
};

struct TQuantityInfo {
    const char* name;
    const char* unit;
};
const TQuantityInfo& QuantityInfo(TReportQuantity q);

struct TFluidReport {
    std::string name;
    TFitRange range;
    TDeviation deviation[rqCount];
    int cycles = 0;        // reference cycles compared
    int cyclesBeyond = 0;  // cycles whose discharge lies beyond the table's superheats
    std::string rangeNote; // why the range stops short of the general rule, when it does
};

// `fit` is read back through its section text before it is compared.
TFluidReport CompareWithTables(const TFitResult& fit, const TFluidTables& tables, const TFitOptions& options);

// Markdown tables of the reports: the fitted cycle quantities, the reasons of the
// ranges that stop short, then volumes and the held-only lists.
std::string ReportText(const std::vector<TFluidReport>& reports);
