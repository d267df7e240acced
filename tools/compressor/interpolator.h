#pragma once

#include <string>

#include "tools/compressor/compdata.h"

// The two ways a maker states a compressor's performance over evaporating
// temperature te and condensing temperature tc: a two-dimensional polynomial, or
// a table over a te x tc grid interpolated between its nodes.

// C0 + C1 te + C2 te² + C3 tc + C4 tc² + C5 te tc + C6 te² tc + C7 te tc² + C8 te² tc².
double Poly2(const TPolyCoefs& c, double te, double tc);

// How far an interpolated table value can be trusted.
enum TInterpStatus : int {
    isNoError = 0,      // in a good part of the grid
    isInvalidData = 1,  // depends on a missing or flagged table value
    isRangeWarning = 2, // more than half a cell outside the grid on one axis
    isOutOfRange = 3,   // more than two cells before the grid or one beyond it
};
// "No error", "Invalid data", "Range warning", "Out of range"; empty for other values.
std::string StatusName(int status);

// The segment of an axis that holds x, and x's fraction along it; a point before
// the first value stays in the first segment (fraction < 0), one beyond the last
// takes the last segment (fraction > 1). Axes may run either way. An axis needs
// two values at least (ListIndexError otherwise).
struct TAxisFraction {
    int index = 0;
    double fraction = 0;
};
TAxisFraction AxisFraction(const TDoubleDynArray& axis, double x);

// Bilinear lookup in a table [tc][te]: Locate finds the cell of a point and judges
// it, Evaluate gives a table's value there.
class TInterpolator {
public:
    int i = 0;     // te segment
    int j = 0;     // tc segment
    double fe = 0; // te fraction, held within -3 ... 3
    double fc = 0; // tc fraction, held within -3 ... 3
    int Status = isNoError;

    // Missing values (-99) are judged on `table`; the tables and flags must have
    // at least as many rows and entries as the axes have values (ListIndexError).
    void Locate(const TDoubleDynArray& teAxis, const TDoubleDynArray& tcAxis, const TIntMat& cellFlags,
                const TFloatMat& table, double te, double tc);
    // The mean of the two orders of linear interpolation, so that neither direction
    // is favoured; missing values are not left out (Status says so).
    double Evaluate(const TFloatMat& table) const;

private:
    void CheckRange(double& t);
};
