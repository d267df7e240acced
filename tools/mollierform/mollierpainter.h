#pragma once

#include <QString>

#include "tools/mollier/molliermodel.h"

class QPainter;

// Draws the chart onto any paint device of width x height pixels: white ground,
// pressure and enthalpy grid with their labels, the dome, the quality lines, the
// isotherms, the cycle 1-2-3-4 with the isentropic end state 2s dashed, and the
// title. `shown` is the part of the p-h plane on the plot.
void PaintMollierChart(QPainter& painter, int width, int height, const TMollierChart& chart, const TChartRange& shown);

// Writes the chart as a PNG image or an SVG drawing, by the file name's ending
// (".png" or ".svg", any case) of width x height pixels. Raises FileError naming the
// file when it cannot be written and ConversionError for another ending.
void ExportMollierChart(const QString& file, int width, int height, const TMollierChart& chart,
                        const TChartRange& shown);
