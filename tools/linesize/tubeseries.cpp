#include "tools/linesize/tubeseries.h"

namespace {

constexpr double kInch = 25.4;

TTube Acr(const char* name, double odInch, double wallInch)
{
    return {name, odInch * kInch, wallInch * kInch};
}

} // namespace

const std::vector<TTube>& TubeSeries(TTubeSeries series)
{
    static const std::vector<TTube> metric = {
        {"6x1", 6, 1},
        {"8x1", 8, 1},
        {"10x1", 10, 1},
        {"12x1", 12, 1},
        {"15x1", 15, 1},
        {"16x1", 16, 1},
        {"18x1", 18, 1},
        {"22x1", 22, 1},
        {"28x1", 28, 1},
        {"35x1.5", 35, 1.5},
        {"42x1.5", 42, 1.5},
        {"54x2", 54, 2},
        {"64x2", 64, 2},
        {"76.1x2", 76.1, 2},
        {"88.9x2.5", 88.9, 2.5},
        {"108x2.5", 108, 2.5},
    };
    static const std::vector<TTube> acr = {
        Acr("1/4", 0.250, 0.030),
        Acr("3/8", 0.375, 0.030),
        Acr("1/2", 0.500, 0.035),
        Acr("5/8", 0.625, 0.040),
        Acr("3/4", 0.750, 0.042),
        Acr("7/8", 0.875, 0.045),
        Acr("1-1/8", 1.125, 0.050),
        Acr("1-3/8", 1.375, 0.055),
        Acr("1-5/8", 1.625, 0.060),
        Acr("2-1/8", 2.125, 0.070),
        Acr("2-5/8", 2.625, 0.080),
        Acr("3-1/8", 3.125, 0.090),
        Acr("3-5/8", 3.625, 0.100),
        Acr("4-1/8", 4.125, 0.110),
    };
    return series == tsMetric ? metric : acr;
}

const char* TubeSeriesName(TTubeSeries series)
{
    return series == tsMetric ? "EN 12735-1" : "ASTM B280";
}
