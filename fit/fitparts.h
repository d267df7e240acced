#pragma once

#include <array>
#include <vector>

#include "fit/refcycle.h"
#include "core/refrigdata.h"
#include "core/refriglib.h"
#include "fit/reftables.h"

// The fits of the single correlations, in the order they build on each other.

// Polynomial c[0] + c[1]·x + … of the given degree by least squares, fitted in
// x / scale so that the terms stay of one size. `relative` minimises the relative
// error (for quantities spanning a wide range), otherwise the absolute error.
std::vector<double> FitPolynomial(const std::vector<double>& xs, const std::vector<double>& ys, int degree,
                                  double scale, bool relative);

// p = exp(c[0] + c[1] / (t + c[2])) minimising the relative error in p: c[2] is
// searched, c[0] and c[1] solved linearly for each trial, then all three polished.
std::array<double, 3> FitSaturationCurve(const std::vector<double>& ts, const std::vector<double>& ps);

// The states the vapour enthalpy fit must reproduce, each with the tolerance it
// is weighted by (J/kg).
struct TVapourFitData {
    // Vapour at the dew pressure of tSat; t = tSat for the saturated vapour.
    struct TState {
        double tSat, t, h, tol;
    };
    // The rise from suction (te, ts) to discharge (tsd, td) of a reference cycle,
    // tsd being the saturation temperature of the discharge pressure as the
    // fitted dew and bubble curves give it.
    struct TRise {
        double te, ts, tsd, td, dh, tol;
    };
    std::vector<TState> states;
    std::vector<TRise> rises;
};

// vh (cubic and offset) with sh: the offset searched, the ten others fitted
// together for each trial.
void FitVapourEnthalpy(const TVapourFitData& data, TRefrigData& r);

// vv from the saturated vapour volumes, then sv from superheated rows.
void FitVapourVolume(const std::vector<TSatRow>& sat, const std::vector<TSupRow>& sup, TRefrigData& r);

// ic and sc from the isentropic rows; `lib` holds the record with dp, vv and sv
// fitted, whose suction volumes the exponents are found for. effectRatio[i] is
// the fitted over the tabulated refrigerating effect of row i's cycle: the fit
// keeps both the rise and the cycle's COP (effect over rise) within bounds.
void FitIsentropicExponent(const std::vector<TIsenRow>& rows, const std::vector<double>& effectRatio,
                           TRefrigLib& lib, TRefrigData& r);
