#include "core/datarange.h"

#include <cmath>

#include "core/numtext.h"

namespace {

const char* const kOutside = "outside the data range of ";

// Whole degrees as "−45", anything finer with one decimal; the minus sign is
// the typographic one, as in the rest of the window's text.
std::string Degrees(double t)
{
    std::string text = FormatNumber(t == std::floor(t) ? "%0.0f" : "%0.1f", t);
    if (!text.empty() && text[0] == '-')
        text.replace(0, 1, "\u2212");
    return text;
}

} // namespace

bool OutsideDataRange(const TRefrigData& r, double te, double tc)
{
    const auto outside = [&](double t) { return !(t >= r.TMin && t <= r.TMax); };
    return outside(te) || outside(tc);
}

std::string DataRangeText(const TRefrigData& r)
{
    return r.RNumber + " (" + Degrees(r.TMin) + "\u2026" + Degrees(r.TMax) + " \u00B0C)";
}

std::string DataRangeNote(const TKelvora& cycle)
{
    const TRefrigData& r = cycle.Lib().Data();
    if (!OutsideDataRange(r, cycle.te, cycle.tc))
        return "";
    return " \u2014 " + std::string(kOutside) + DataRangeText(r);
}

std::string DataRangeWarning(const TKelvora& cycle)
{
    const TRefrigData& r = cycle.Lib().Data();
    if (!OutsideDataRange(r, cycle.te, cycle.tc))
        return "";
    return "Warning: " + std::string(kOutside) + DataRangeText(r);
}
