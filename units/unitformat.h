#pragma once

#include <string>

#include "units/fmtfield.h"
#include "units/unitconv.h"

// Short texts of a value with its unit ("1.30 Bar"), for status lines and
// result texts outside the formatted fields.

// "%0.<d>f" with decimals by the size of x (more for small numbers, none from
// 100 up), or "%0.<d>g" for very large or very small numbers; extra decimals are
// added (3 for utPressureBar when none are asked for).
std::string AutoFormat(TUnitsType kind, int extra, double x);

struct TTextWithUnit {
    std::string text;  // the number, then separator and label when asked for
    std::string label; // the unit's label
};

// value (internal units) shown in choice `choice` of the kind, with the
// catalogue format when keepFormat is set, else with AutoFormat.
TTextWithUnit FormatWithUnit(TUnitsType kind, int choice, int base, bool keepFormat, const std::string& separator,
                             bool appendLabel, double value);

// value (internal units) shown in the field's current unit, with AutoFormat.
TTextWithUnit FormatFieldWithUnit(const TFmtField& field, bool appendLabel, const std::string& separator, double value);
