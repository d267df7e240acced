#pragma once

#include <optional>
#include <string>

#include "core/errors.h"
#include "core/refriglib.h"
#include "tools/linesize/tubeseries.h"

// Sizing of the refrigerant lines of a single-stage plant: the flow through a
// suction, discharge or liquid line of given tube, its pressure drop and the
// saturation temperature that drop costs, judged by the rules of thumb.
// Units: kW, °C, K, mm for tube sizes, m for lengths, SI for the results.

enum TLineKind { lkSuction,
                 lkDischarge,
                 lkLiquid };

// "suction", "discharge", "liquid".
const char* LineKindName(TLineKind line);
std::optional<TLineKind> LineKindFromName(const std::string& name);

// Inputs that cannot give a line: no viscosity data, a tube without bore, a cycle
// that does not solve, a drop beyond the line's pressure. The message says which.
class LineSizeError : public KelvoraError {
public:
    using KelvoraError::KelvoraError;
};

// The plant the line belongs to.
struct TLineCycle {
    double capacity = 10; // cooling capacity, kW
    double te = -10;      // saturated suction temperature, °C
    double tc = 40;       // saturated discharge temperature, °C
    double sh = 7.5;      // superheat at the compressor inlet, K
    double sc = 5;        // sub-cooling at the condenser outlet, K
    double ie = 0.7;      // isentropic efficiency of the compressor
};

// The refrigerant in a line: flow, state and the saturation temperature at the
// line's pressure (Pa).
struct TLineState {
    TLineKind line = lkSuction;
    double massFlow = 0;  // kg/s
    double density = 0;   // kg/m³
    double viscosity = 0; // Pa·s
    double pressure = 0;  // Pa
    double sc = 0;        // sub-cooling of the liquid, K
    // "Warning: outside the data range of …" when te or tc lies beyond the
    // refrigerant's fitted range (the figures are then extrapolated), else empty.
    std::string rangeWarning;
};

// The tube of a line.
struct TLineTube {
    double od = 0;     // outside diameter, mm
    double wall = 0;   // mm
    double length = 0; // equivalent length, tube plus fittings, m
    double rise = 0;   // height gained in the flow direction, m (downward negative)
};

// Drawn copper.
constexpr double kCopperRoughness = 0.0015e-3; // m
constexpr double kGravity = 9.80665;           // m/s²

// The limits of the rules of thumb.
constexpr double kVapourDropLimit = 1.0;      // K, suction and discharge
constexpr double kLiquidDropLimit = 0.5;      // K
constexpr double kSuctionRiserMin = 5.0;      // m/s, oil return up a suction riser
constexpr double kSuctionHorizontalMin = 2.5; // m/s, oil return in other suction lines
constexpr double kDischargeRiserMin = 7.5;    // m/s
constexpr double kLiquidMax = 1.5;            // m/s, liquid hammer
constexpr double kVapourMax = 20.0;           // m/s, noise

struct TLineJudgement {
    bool dropOk = true;
    double dropLimit = 0;              // K
    std::optional<double> velocityMin; // m/s, where oil must be carried
    double velocityMax = 0;            // m/s
    bool velocityMinOk = true;
    bool velocityMaxOk = true;
    std::optional<bool> subcooled; // liquid line: liquid still sub-cooled at the valve

    // The drop and velocity rules, those the selection goes by.
    bool SizeOk() const { return dropOk && velocityMinOk && velocityMaxOk; }
};

struct TLineResult {
    TLineState state;
    double diameter = 0; // inside diameter, m
    double velocity = 0; // m/s
    double reynolds = 0;
    double frictionFactor = 0; // Darcy
    double pressureDrop = 0;   // Pa, friction plus rise
    double saturationDrop = 0; // K
    TLineJudgement judgement;
};

// The Darcy friction factor by Churchill (1977), one expression from laminar flow
// through the transition to fully rough turbulence; relativeRoughness = ε/d.
double ChurchillFriction(double reynolds, double relativeRoughness);

// Solves the plant's cycle for the library's selected refrigerant and takes the
// line's state from it. Raises LineSizeError for a refrigerant without its own
// viscosity data or a cycle that does not solve.
TLineState LineState(TRefrigLib& lib, TLineKind line, const TLineCycle& cycle);

// The flow of a state through one tube, judged.
TLineResult LineFlow(TRefrigLib& lib, const TLineState& state, const TLineTube& tube);

TLineJudgement JudgeLine(const TLineState& state, const TLineTube& tube, double velocity, double saturationDrop);

// Both steps at once.
TLineResult ComputeLine(TRefrigLib& lib, TLineKind line, const TLineCycle& cycle, const TLineTube& tube);

// The smallest tube of a series that meets the drop and velocity rules for the
// state over length and rise; none when no tube of the series does.
struct TTubeChoice {
    TTube tube;
    TLineResult result;
};
std::optional<TTubeChoice> SelectTube(TRefrigLib& lib, const TLineState& state, TTubeSeries series, double length,
                                      double rise);
