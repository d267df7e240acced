#include "fit/refcycle.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "fit/lsq.h"

double InterpolateCubic(const std::vector<double>& xs, const std::vector<double>& ys, double x)
{
    const size_t n = xs.size();
    if (n == 0)
        throw DataFormatError("interpolation in an empty table");
    if (n == 1)
        return ys[0];
    const size_t upper = static_cast<size_t>(std::lower_bound(xs.begin(), xs.end(), x) - xs.begin());
    const size_t width = std::min<size_t>(4, n);
    size_t first = upper >= 2 ? upper - 2 : 0;
    first = std::min(first, n - width);
    double sum = 0.0;
    for (size_t i = first; i < first + width; ++i) {
        double term = ys[i];
        for (size_t j = first; j < first + width; ++j)
            if (j != i)
                term *= (x - xs[j]) / (xs[i] - xs[j]);
        sum += term;
    }
    return sum;
}

TTableLookup::TTableLookup(const TFluidTables& tables)
{
    for (const auto& r : tables.sat) {
        satT_.push_back(r.t);
        lnPDew_.push_back(std::log(r.pDew));
        pBubble_.push_back(r.pBubble);
        hLiq_.push_back(r.hLiq);
    }
    std::vector<TSupRow> sup = tables.sup;
    std::sort(sup.begin(), sup.end(), [](const TSupRow& a, const TSupRow& b) {
        return a.tSat < b.tSat || (a.tSat == b.tSat && a.t < b.t);
    });
    for (const auto& r : sup) {
        if (columnTSat_.empty() || columnTSat_.back() != r.tSat) {
            columnTSat_.push_back(r.tSat);
            columnT_.emplace_back();
            columnH_.emplace_back();
        }
        columnT_.back().push_back(r.t);
        columnH_.back().push_back(r.h);
    }
}

double TTableLookup::BubblePressure(double t) const
{
    return InterpolateCubic(satT_, pBubble_, t);
}

double TTableLookup::LiquidEnthalpy(double t) const
{
    return InterpolateCubic(satT_, hLiq_, t);
}

double TTableLookup::DewTemperature(double p) const
{
    const double lnp = std::log(p);
    // The node itself where p is a tabulated dew pressure, so that pure fluids get
    // their grid temperatures exactly.
    for (size_t i = 0; i < satT_.size(); ++i)
        if (lnPDew_[i] == lnp)
            return satT_[i];
    return FindRoot([&](double t) { return InterpolateCubic(satT_, lnPDew_, t) - lnp; }, satT_.front(),
                    satT_.back());
}

std::optional<double> TTableLookup::ColumnTemperature(size_t column, double h) const
{
    const auto& ts = columnT_[column];
    const auto& hs = columnH_[column];
    if (ts.size() < 2 || h < hs.front() || h > hs.back())
        return std::nullopt;
    const size_t upper = static_cast<size_t>(std::lower_bound(hs.begin(), hs.end(), h) - hs.begin());
    if (hs[upper] == h)
        return ts[upper];
    return FindRoot([&](double t) { return InterpolateCubic(ts, hs, t) - h; }, ts[upper - 1], ts[upper]);
}

std::optional<double> TTableLookup::VapourTemperature(double tSat, double h) const
{
    const auto exact = std::find(columnTSat_.begin(), columnTSat_.end(), tSat);
    if (exact != columnTSat_.end())
        return ColumnTemperature(static_cast<size_t>(exact - columnTSat_.begin()), h);
    // Between grid saturation temperatures: the temperatures of the four columns
    // around tSat, interpolated across.
    const size_t n = columnTSat_.size();
    if (n < 4 || tSat < columnTSat_.front() || tSat > columnTSat_.back())
        return std::nullopt;
    const size_t upper = static_cast<size_t>(std::lower_bound(columnTSat_.begin(), columnTSat_.end(), tSat) -
                                             columnTSat_.begin());
    const size_t first = std::min(upper >= 2 ? upper - 2 : 0, n - 4);
    std::vector<double> xs, ys;
    for (size_t i = first; i < first + 4; ++i) {
        const auto t = ColumnTemperature(i, h);
        if (!t)
            return std::nullopt;
        xs.push_back(columnTSat_[i]);
        ys.push_back(*t);
    }
    return InterpolateCubic(xs, ys, tSat);
}

std::vector<TCycleCase> ReferenceCycles(const TFluidTables& tables, double tMin, double tMax, double efficiency,
                                        double subcooling)
{
    const TTableLookup lookup(tables);
    std::vector<TCycleCase> cases;
    for (const auto& r : tables.isen) {
        if (r.te < tMin || r.tc > tMax || r.tc - subcooling < tMin)
            continue;
        TCycleCase c;
        c.te = r.te;
        c.tc = r.tc;
        c.superheat = r.superheat;
        c.h1 = r.h1;
        c.dh = r.dh;
        c.h2 = r.h1 + r.dh / efficiency;
        c.h3 = lookup.LiquidEnthalpy(r.tc - subcooling);
        c.cop = (c.h1 - c.h3) / (c.h2 - c.h1);
        const double tsd = lookup.DewTemperature(lookup.BubblePressure(r.tc));
        c.td = lookup.VapourTemperature(tsd, c.h2);
        cases.push_back(c);
    }
    return cases;
}
