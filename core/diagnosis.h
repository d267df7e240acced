#pragma once

// The built-in limits of the diagnosis. They are part of the program, not of the
// settings document: pages stay comparable between installations. The diagnosis
// operations themselves are TKelvora's (cycle.h), written in diagnosis.cpp.

struct TDiagnosisLimits {
    double itdeHigh;          // K
    double itdeLow;           // K
    double itdcHigh;          // K
    double itdcLow;           // K
    double dtcAirflow;        // K, above it a condenser fault is an airflow problem
    double dteAirflow;        // K, likewise for the evaporator
    double scLow;             // K
    double scHigh;            // K
    double shHigh;            // K
    double shLow;             // K
    double suctionLineDrop;   // K, te - SST
    double dischargeLineDrop; // K, SDT - tc
    double condensingLow;     // °C
    double condensingHigh;    // °C
    double suctionLow;        // °C
    double suctionHigh;       // °C
    double tdHigh;            // °C
    double IeLow;
    double IeHigh;
    double COPLow;
    double PrHigh;
    double x4Low;
    double x4High;
};

inline constexpr TDiagnosisLimits DiagnosisLimits = {
    .itdeHigh = 20,
    .itdeLow = 16,
    .itdcHigh = 20,
    .itdcLow = 10,
    .dtcAirflow = 10,
    .dteAirflow = 10,
    .scLow = 0,
    .scHigh = 20,
    .shHigh = 20,
    .shLow = 0,
    .suctionLineDrop = 1,
    .dischargeLineDrop = 1,
    .condensingLow = 35,
    .condensingHigh = 50,
    .suctionLow = -20,
    .suctionHigh = 15,
    .tdHigh = 200,
    .IeLow = 0.25,
    .IeHigh = 1,
    .COPLow = 1.5,
    .PrHigh = 10,
    .x4Low = 0,
    .x4High = 0.5,
};
static_assert(sizeof(TDiagnosisLimits) == 23 * sizeof(double), "23 limits, nothing else");
