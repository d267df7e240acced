#pragma once

#include <string>
#include <vector>

// One copper tube size: its name as the trade writes it, outside diameter and
// wall thickness in mm.
struct TTube {
    std::string name;
    double od = 0;
    double wall = 0;
};

enum TTubeSeries { tsMetric,
                   tsAcr };

// The drawn copper tube series for refrigeration, smallest first: EN 12735-1
// metric tube (6×1 … 108×2.5 mm) and ASTM B280 ACR tube (1/4″ … 4-1/8″, the
// straight-length walls; 1/4″ is made in coils only).
const std::vector<TTube>& TubeSeries(TTubeSeries series);
// "EN 12735-1" or "ASTM B280".
const char* TubeSeriesName(TTubeSeries series);
