#pragma once

// A compact cycle drawing (condenser on top, evaporator below, compressor right,
// expansion valve left) that the measurement and fault pictures are built on, with
// the points where readings are taken and symptoms are marked.

#include <QColor>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace art {

struct TSmallCycle {
    QRectF area;
    QRectF condenser, evaporator;
    QPointF compressor;
    double radius = 0;
    QPointF valve;
    double valveSize = 0;
    double pipe = 0;
    QPolygonF discharge, liquid, mixture, suction;
    // Where the discharge line rises beside the compressor, the suction line drops
    // below it, and the liquid line runs down to the valve.
    QPointF dischargeRiser, suctionRiser, liquidRun;
};

TSmallCycle SmallCycleGeometry(const QRectF& area);

// Which parts to draw as the one at fault.
enum class TCulprit { None,
                      Compressor,
                      Condenser,
                      Evaporator,
                      Valve,
                      LiquidLine };

struct TCycleLook {
    TCulprit culprit = TCulprit::None;
    double labelPx = 11; // component names; 0 leaves them out
};

void DrawSmallCycle(QPainter& p, const TSmallCycle& c, const TCycleLook& look);

// How a quantity compares with its normal range, as a fault pattern states it.
enum class TLevel { None,
                    Low,
                    Normal,
                    High,
                    NotLow,
                    NotHigh };

// The symptoms of one fault: the four classified quantities and short notes on the
// liquid line and the air or water across the coils (empty: no note).
struct TSymptoms {
    TLevel hp = TLevel::None, lp = TLevel::None, sh = TLevel::None, sc = TLevel::None;
    const char* liquidNote = "";
    const char* condenserNote = "";
    const char* evaporatorNote = "";
};

// Marks the symptoms as coloured tags inside the cycle loop, each beside the pipe or
// coil it belongs to: sub-cooling at the liquid line, HP at the discharge line, LP and
// superheat at the suction line.
void DrawSymptoms(QPainter& p, const TSmallCycle& c, const TSymptoms& s, double px);

// "high", "low", "normal", "not low", "not high" with an arrow for high and low.
QString LevelText(TLevel level);

} // namespace art
