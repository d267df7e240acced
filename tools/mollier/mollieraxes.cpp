#include "tools/mollier/mollieraxes.h"

#include <algorithm>
#include <cmath>

#include "core/numtext.h"

namespace {

std::string TickText(double shown, double step)
{
    // As many decimals as the step needs.
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    const std::string format = "%0." + std::to_string(std::min(decimals, 6)) + "f";
    std::string text = FormatNumber(format, shown);
    if (text == "-0")
        text = "0";
    return text;
}

} // namespace

TChartAxes::TChartAxes(const TChartRange& shown, const TPlotRect& plot)
    : shown_(shown), plot_(plot), logMin_(std::log(shown.pMin)), logSpan_(std::log(shown.pMax) - std::log(shown.pMin))
{
}

double TChartAxes::X(double h) const
{
    return plot_.Left + (h - shown_.hMin) / (shown_.hMax - shown_.hMin) * plot_.Width;
}

double TChartAxes::Y(double p) const
{
    return plot_.Top + plot_.Height * (1.0 - (std::log(p) - logMin_) / logSpan_);
}

double TChartAxes::H(double x) const
{
    return shown_.hMin + (x - plot_.Left) / plot_.Width * (shown_.hMax - shown_.hMin);
}

double TChartAxes::P(double y) const
{
    return std::exp(logMin_ + (1.0 - (y - plot_.Top) / plot_.Height) * logSpan_);
}

std::vector<TTick> LinearTicks(double lo, double hi, const TDisplayUnit& unit, int wanted)
{
    std::vector<TTick> ticks;
    double a = unit.Show(lo);
    double b = unit.Show(hi);
    if (a > b)
        std::swap(a, b);
    if (!(b > a) || wanted < 1)
        return ticks;
    const double raw = (b - a) / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw) {
            step = m * power;
            break;
        }
    for (double k = std::ceil(a / step); k * step <= b + 1e-9 * step; k += 1)
        ticks.push_back({unit.Take(k * step), TickText(k * step, step)});
    return ticks;
}

std::vector<TTick> LogTicks(double lo, double hi, const TDisplayUnit& unit, int wanted)
{
    const double a = unit.Show(lo);
    const double b = unit.Show(hi);
    std::vector<TTick> ticks;
    if (!(a > 0) || !(b > a))
        return ticks;
    const std::vector<std::vector<double>> sets = {{1, 2, 5}, {1, 2}, {1}};
    for (const auto& mantissas : sets) {
        ticks.clear();
        for (int e = static_cast<int>(std::floor(std::log10(a))); e <= static_cast<int>(std::ceil(std::log10(b))); ++e) {
            const double power = std::pow(10.0, e);
            for (double m : mantissas) {
                const double v = m * power;
                if (v >= a * (1 - 1e-12) && v <= b * (1 + 1e-12))
                    ticks.push_back({unit.Take(v), TickText(v, std::min(power, 1.0))});
            }
        }
        if (static_cast<int>(ticks.size()) <= wanted)
            break;
    }
    return ticks;
}

TChartRange CycleRange(const TMollierCycle& cycle)
{
    double hLo = cycle.Isentropic.h, hHi = cycle.Isentropic.h;
    double pLo = cycle.Isentropic.p, pHi = cycle.Isentropic.p;
    for (const TStatePoint& s : cycle.Points) {
        hLo = std::min(hLo, s.h);
        hHi = std::max(hHi, s.h);
        pLo = std::min(pLo, s.p);
        pHi = std::max(pHi, s.p);
    }
    const double margin = std::max(0.15 * (hHi - hLo), 1.0);
    const double ratio = std::max(std::sqrt(pHi / pLo), 1.1);
    return {hLo - margin, hHi + margin, pLo / std::pow(ratio, 0.3), pHi * std::pow(ratio, 0.3)};
}

TChartRange ZoomRange(const TChartRange& shown, double h, double p, double factor)
{
    const double lp = std::log(p);
    return {h + (shown.hMin - h) * factor, h + (shown.hMax - h) * factor,
            std::exp(lp + (std::log(shown.pMin) - lp) * factor), std::exp(lp + (std::log(shown.pMax) - lp) * factor)};
}

TChartRange RangeBetween(const TChartAxes& axes, double x0, double y0, double x1, double y1)
{
    const double ha = axes.H(x0), hb = axes.H(x1);
    const double pa = axes.P(y0), pb = axes.P(y1);
    return {std::min(ha, hb), std::max(ha, hb), std::min(pa, pb), std::max(pa, pb)};
}
