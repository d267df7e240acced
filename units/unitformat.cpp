#include "units/unitformat.h"

#include <cmath>

#include "core/checkedmath.h"
#include "core/numtext.h"

namespace {

TTextWithUnit Compose(double shown, const std::string& format, const std::string& label, bool appendLabel,
                      const std::string& separator)
{
    std::string text = FormatNumber(format, CheckFinite(shown));
    if (appendLabel)
        text += separator + label;
    return {text, label};
}

} // namespace

std::string AutoFormat(TUnitsType kind, int extra, double x)
{
    double a = std::fabs(x);
    if (a < 1e-9)
        a = 0;
    const double n = std::floor(a);
    const bool general = a != 0 && (n >= 1e9 || a <= 0.001);
    int d;
    if (n >= 100 || a == 0)
        d = 0;
    else if (n >= 10)
        d = 1;
    else if (n >= 1)
        d = 2;
    else if (a > 0.1)
        d = 3;
    else if (a > 0.01)
        d = 4;
    else if (a > 0.001)
        d = 5;
    else
        d = 3;
    // Barometric pressures are read to three more decimals than their size suggests.
    if (kind == utPressureBar && extra == 0)
        extra = 3;
    d += extra;
    if (d < 0)
        d = 0;
    return "%0." + std::to_string(d) + (general ? "g" : "f");
}

TTextWithUnit FormatWithUnit(TUnitsType kind, int choice, int base, bool keepFormat, const std::string& separator,
                             bool appendLabel, double value)
{
    std::string format, label;
    double offset = 0, factor = 1;
    GetUnitConversion(kind, choice, base, format, offset, factor, label);
    const double shown = ToDisplayUnits(offset, factor, value);
    return Compose(shown, keepFormat ? format : AutoFormat(kind, 0, shown), label, appendLabel, separator);
}

TTextWithUnit FormatFieldWithUnit(const TFmtField& field, bool appendLabel, const std::string& separator, double value)
{
    const double shown = ToDisplayUnits(field.Offset(), field.Factor(), value);
    return Compose(shown, AutoFormat(field.UnitsType(), 0, shown), GetUnitLabel(field.UnitsType(), field.UnitsValue()),
                   appendLabel, separator);
}
