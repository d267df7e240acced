#include "art/faultpictures.h"

#include "art/draw.h"
#include "art/layout.h"
#include "art/smallcycle.h"

#include <QFontMetricsF>
#include <QPainterPath>

namespace art {

namespace {

using L = TLevel;

// The verdicts of the short diagnosis, by fault number. The classes follow the
// diagnosis limits: HP from the condensing temperature (35 to 50 degC), LP from the
// evaporating temperature (-20 to 15 degC), superheat and sub-cooling 0 to 20 K.
struct TReportFault {
    int number;
    const char* title;
    TSymptoms symptoms;
    TCulprit culprit;
    const char* check;
};

const TReportFault kReportFaults[] = {
    {1, "Restriction in the liquid line", {L::Low, L::Low, L::High, L::High}, TCulprit::LiquidLine, "Check the TX valve size and setting. Test for pre-expansion: a temperature drop "
                                                                                                    "along the liquid line, bubbles in the sight glass, a blocked filter drier."},
    {2, "Low refrigerant charge", {L::Normal, L::Low, L::High, L::Low, "Bubbles in sight glass"}, TCulprit::None, "Look for bubbles in the sight glass. Find and repair the leak, then charge "
                                                                                                                  "to the correct sub-cooling."},
    {3, "High refrigerant charge", {L::High, L::High, L::Normal, L::High}, TCulprit::None, "Test for non-condensable gas first. Otherwise recover refrigerant until the "
                                                                                           "sub-cooling is normal."},
    {4, "Under-sized compressor", {L::Low, L::High, L::Normal, L::Normal}, TCulprit::Compressor, "Check the compressor: worn or leaking valves, unloaders, speed, current draw. "
                                                                                                 "Compare its capacity with the load."},
    {5, "Low evaporator airflow", {L::Normal, L::Low, L::Low, L::Normal, "", "", "Air dt > 10 K"}, TCulprit::Evaporator, "Check the evaporator fan, belts, filters, dampers and ducts: too little air "
                                                                                                                         "crosses the coil."},
    {6, "Dirty evaporator fins", {L::Normal, L::Low, L::Low, L::Normal, "", "", "Air dt \u2264 10 K"}, TCulprit::Evaporator, "Airflow is adequate but the coil does not transfer heat: clean the fins, check "
                                                                                                                             "for ice or oil logging."},
    {7, "Low condenser airflow", {L::High, L::High, L::Normal, L::Low, "", "Air dt > 10 K"}, TCulprit::Condenser, "Check the condenser fan and motor, blocked inlets, hot air recirculating back "
                                                                                                                  "into the coil."},
    {8, "Dirty condenser fins", {L::High, L::High, L::Normal, L::Low, "", "Air dt \u2264 10 K"}, TCulprit::Condenser, "Airflow is adequate but the coil does not reject heat: clean the fins and the "
                                                                                                                      "coil face."},
    {9, "Over-sized compressor", {L::Low, L::Low, L::High, L::Normal}, TCulprit::Compressor, "The compressor pumps more than the evaporator and valve can supply: check the "
                                                                                             "selection, capacity control and the load."},
    {10, "High load, undersized system", {L::High, L::High, L::High, L::Normal, "", "", "Heavy load"}, TCulprit::Evaporator, "The load exceeds what the plant was selected for: check the room or water "
                                                                                                                             "load, door openings, warm product, fresh air."},
};

// The fault-finding chart's illustrated conclusions and the answers that lead there.
struct TChartFault {
    int picture;
    const char* conclusion;
    TSymptoms symptoms;
    TCulprit culprit;
    const char* answers;     // the path through the chart
    const char* symptomText; // one symptom a line
    const char* check;
};

const TChartFault kChartFaults[] = {
    {1, "Lack of expansion valve capacity!", {L::None, L::Low, L::High, L::High, "No liquid line dt"}, TCulprit::Valve, "LP low? Yes \u2022 Superheat high? Yes \u2022 High sub-cooling? Yes \u2022 "
                                                                                                                        "dt in the liquid line? No",
     "Low suction pressure\nHigh superheat\nHigh sub-cooling\nNo temperature drop along "
     "the liquid line",
     "The valve passes too little refrigerant. Check its size against the duty, the "
     "superheat setting, the bulb and its charge, the inlet strainer."},
    {2, "Lack of refrigerant charge!", {L::None, L::Low, L::High, L::NotHigh, "Bubbles in sight glass"}, TCulprit::None, "LP low? Yes \u2022 Superheat high? Yes \u2022 High sub-cooling? No", "Low suction pressure\nHigh superheat\nSub-cooling not high\nBubbles in the sight glass", "Find and repair the leak, then charge to the correct sub-cooling."},
    {3, "Excess refrigerant charge!", {L::High, L::NotLow, L::None, L::High}, TCulprit::Condenser, "LP low? No \u2022 HP high? Yes \u2022 High sub-cooling? Yes \u2022 "
                                                                                                   "Non-condensibles? No",
     "High head pressure\nSuction pressure not low\nHigh sub-cooling: liquid backs up "
     "in the condenser",
     "Recover refrigerant until the sub-cooling is normal."},
    {4, "Lack of compressor capacity!", {L::NotHigh, L::NotLow}, TCulprit::Compressor, "LP low? No \u2022 HP high? No", "Suction pressure not low\nHead pressure not high\nSmall difference between them", "Check the compressor: worn or leaking valves, unloaders, speed, current draw."},
    {5, "Lack of evaporator capacity!", {L::None, L::Low, L::NotHigh, L::None, "", "", "Check fluid dt"}, TCulprit::Evaporator, "LP low? Yes \u2022 Superheat high? No", "Low suction pressure\nSuperheat not high\nNext: is the fluid dt across the evaporator "
                                                                                                                                                                         "low?",
     "Low fluid dt: the coil is fouled, clean it. Otherwise too little air or water "
     "flows across it: check fans, filters, pumps."},
    {6, "Lack of condenser capacity!", {L::High, L::NotLow, L::None, L::NotHigh, "", "Check fluid dt"}, TCulprit::Condenser, "LP low? No \u2022 HP high? Yes \u2022 High sub-cooling? No", "High head pressure\nSuction pressure not low\nSub-cooling not high\nNext: is the fluid "
                                                                                                                                                                                           "dt across the condenser low?",
     "Low fluid dt: the coil is fouled, clean it. Otherwise too little air or water "
     "flows across it: check fans, inlets, recirculation, pumps."},
};

// The chart's decision tree. A conclusion with a follow-up question is one node that
// holds both; final conclusions have no answers.
struct TTreeNode {
    const char* conclusion; // empty for a plain question
    const char* question;   // empty for a final conclusion
    int yes = -1, no = -1;
};

const TTreeNode kTree[] = {
    /* 0 */ {"", "Is the LP low?", 1, 10},
    /* 1 */ {"", "Is the superheat high?", 2, 7},
    /* 2 */ {"", "Is there high sub-cooling?", 3, 6},
    /* 3 */ {"", "Is there a dt in the liquid line?", 4, 5},
    /* 4 */ {"Pre-expansion in the liquid line!", ""},
    /* 5 */ {"Lack of expansion valve capacity!", ""},
    /* 6 */ {"Lack of refrigerant charge!", ""},
    /* 7 */ {"Lack of evaporator capacity!", "Low fluid DT across evaporator?", 8, 9},
    /* 8 */ {"Fouled evaporator!", ""},
    /* 9 */ {"Lack of evaporator fluid flow!", ""},
    /* 10 */ {"", "Is the HP high?", 11, 18},
    /* 11 */ {"", "Is there high sub-cooling?", 12, 15},
    /* 12 */ {"", "Positive test for non-condensibles?", 13, 14},
    /* 13 */ {"Non-condensibles present!", ""},
    /* 14 */ {"Excess refrigerant charge!", ""},
    /* 15 */ {"Lack of condenser capacity!", "Low fluid dT across condenser?", 16, 17},
    /* 16 */ {"Fouled condenser!", ""},
    /* 17 */ {"Lack of condenser fluid flow!", ""},
    /* 18 */ {"Lack of compressor capacity!", ""},
};

struct TTreePlace {
    int depth = 0;
    double y = 0;
};

// Final conclusions take one row each, in yes-before-no order; a question sits level
// with the middle of its two answers.
double PlaceNode(int node, int depth, int& row, double rowHeight, double top,
                 std::vector<TTreePlace>& place)
{
    const TTreeNode& n = kTree[node];
    place[node].depth = depth;
    if (n.yes < 0) {
        place[node].y = top + (row++ + 0.5) * rowHeight;
    } else {
        const double a = PlaceNode(n.yes, depth + 1, row, rowHeight, top, place);
        const double b = PlaceNode(n.no, depth + 1, row, rowHeight, top, place);
        place[node].y = (a + b) / 2;
    }
    return place[node].y;
}

double WrappedHeight(const QFont& font, double width, const char* text)
{
    const QFontMetricsF fm(font);
    return fm.boundingRect(QRectF(0, 0, width, 1000), Qt::TextWordWrap, QString::fromUtf8(text))
        .height();
}

QImage ChartOverview()
{
    const TPalette& pal = Palette();
    const QColor maroon(0x80, 0, 0);
    QImage image = BlankImage(kChartPictureSize, Qt::white);
    QPainter p(&image);
    Prepare(p);
    const double w = image.width(), h = image.height();
    DrawText(p, QRectF(8, 2, w - 16, 20), "Fault-finding chart", DrawFont(14, true), pal.text,
             Qt::AlignLeft | Qt::AlignVCenter);
    DrawText(p, QRectF(8, 2, w - 16, 20), "Press Start, then answer with Y (yes) or N (no)",
             DrawFont(10), pal.muted, Qt::AlignRight | Qt::AlignVCenter);

    constexpr int kFinalConclusions = 10;
    const double top = 26, rowHeight = (h - top - 2) / kFinalConclusions;
    std::vector<TTreePlace> place(std::size(kTree));
    int row = 0;
    PlaceNode(0, 0, row, rowHeight, top, place);

    // A narrow first column for the first question, three of questions, then all final
    // conclusions in one column on the right.
    const double rootW = 70, colW = 90, gap = 14;
    const double leafX = 4 + rootW + gap + 3 * (colW + gap), leafW = w - leafX - 4;
    const QFont font = DrawFont(10), small = DrawFont(9, true);
    auto boxOf = [&](int i) {
        const TTreeNode& n = kTree[i];
        const bool leaf = n.yes < 0;
        const int d = place[i].depth;
        const double x = leaf ? leafX : d == 0 ? 4
                                               : 4 + rootW + gap + (d - 1) * (colW + gap);
        const double bw = leaf ? leafW : d == 0 ? rootW
                                                : colW;
        double bh = 6;
        for (const char* t : {n.conclusion, n.question})
            if (*t)
                bh += WrappedHeight(font, bw - 8, t) + 2;
        return QRectF(x, place[i].y - bh / 2, bw, bh);
    };

    for (size_t i = 0; i < std::size(kTree); ++i) {
        const TTreeNode& n = kTree[i];
        if (n.yes < 0)
            continue;
        const QRectF from = boxOf(int(i));
        for (const int child : {n.yes, n.no}) {
            const QRectF to = boxOf(child);
            const double bus = from.right() + 5;
            const bool yes = child == n.yes;
            // Answer lines in the colours of the keys' meaning, lettered like the keys.
            const QColor colour = yes ? pal.normal : pal.high;
            p.setPen(QPen(colour, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF {{from.right(), from.center().y()}, {bus, from.center().y()}, {bus, to.center().y()}, {to.left(), to.center().y()}});
            DrawArrowHead(p, QPointF(to.left(), to.center().y()),
                          QPointF(to.left() - 5, to.center().y()), colour, 5);
            DrawText(p, QRectF(bus + 1, to.center().y() - 11, to.left() - bus, 10),
                     yes ? "Y" : "N", small, colour, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    for (size_t i = 0; i < std::size(kTree); ++i) {
        const TTreeNode& n = kTree[i];
        const QRectF box = boxOf(int(i));
        const bool question = *n.question;
        p.setPen(QPen(question ? pal.low : maroon, 1.2));
        p.setBrush(question ? QColor(0xe8, 0xf1, 0xfb) : QColor(0xfd, 0xec, 0xea));
        p.drawRoundedRect(box, 5, 5);
        QRectF text = box.adjusted(4, 3, -4, -3);
        if (*n.conclusion && question) {
            // The conclusion on a red band, its follow-up question below.
            const double ch = WrappedHeight(font, text.width(), n.conclusion) + 4;
            QPainterPath band;
            band.addRoundedRect(QRectF(box.left(), box.top(), box.width(), ch + 3), 5, 5);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xfd, 0xec, 0xea));
            p.drawPath(band);
            DrawText(p, QRectF(text.left(), box.top() + 2, text.width(), ch), n.conclusion, font,
                     maroon, Qt::AlignCenter | Qt::TextWordWrap);
            text.setTop(box.top() + ch + 3);
        }
        DrawText(p, text, QString::fromUtf8(question ? n.question : n.conclusion), font,
                 question ? pal.text : maroon, Qt::AlignCenter | Qt::TextWordWrap);
    }
    p.end();
    return image;
}

// The title line and the cycle with the fault's symptoms, which both kinds of fault
// picture begin with.
void DrawFaultCycle(QPainter& p, const QString& title, const QFont& font, const QColor& colour,
                    const QRectF& cycleArea, TCulprit culprit, const TSymptoms& symptoms)
{
    Prepare(p);
    const double w = p.device()->width();
    DrawText(p, QRectF(10, 4, w - 20, 24), title, font, colour, Qt::AlignLeft | Qt::AlignVCenter);
    const TSmallCycle c = SmallCycleGeometry(cycleArea);
    DrawSmallCycle(p, c, TCycleLook {culprit, 11});
    DrawSymptoms(p, c, symptoms, 11);
}

QImage ReportPicture(const TReportFault& f)
{
    const TPalette& pal = Palette();
    QImage image = BlankImage(kReportPictureSize, Qt::white);
    QPainter p(&image);
    const double w = image.width();
    DrawFaultCycle(p, QString("Fault %1: %2").arg(f.number).arg(f.title), DrawFont(14, true),
                   pal.text, QRectF(10, 30, w - 20, 186), f.culprit, f.symptoms);
    DrawText(p, QRectF(10, 222, w - 20, 44), QString::fromUtf8(f.check), DrawFont(11), pal.text,
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    DrawText(p, QRectF(10, 268, w - 20, 30),
             QString::fromUtf8("Normal ranges: condensing 35 to 50 \u00b0C, evaporating "
                               "\u221220 to 15 \u00b0C, superheat and sub-cooling 0 to 20 K."),
             DrawFont(10), pal.muted, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap);
    p.end();
    return image;
}

QImage ChartPicture(const TChartFault& f)
{
    const TPalette& pal = Palette();
    QImage image = BlankImage(kChartPictureSize, Qt::white);
    QPainter p(&image);
    Prepare(p);
    const double w = image.width();
    DrawText(p, QRectF(10, 4, w - 20, 24), QString::fromUtf8(f.conclusion), DrawFont(16, true),
             QColor(0x80, 0, 0), Qt::AlignLeft | Qt::AlignVCenter);
    const TSmallCycle c = SmallCycleGeometry(QRectF(8, 34, 322, 226));
    DrawSmallCycle(p, c, TCycleLook {f.culprit, 11});
    DrawSymptoms(p, c, f.symptoms, 11);

    const double x = 346, colW = w - x - 8;
    DrawText(p, QRectF(x, 36, colW, 16), "Symptoms", DrawFont(12, true), pal.text,
             Qt::AlignLeft | Qt::AlignVCenter);
    QString bullets;
    for (const QString& line : QString::fromUtf8(f.symptomText).split('\n'))
        bullets += QString::fromUtf8("\u2022 ") + line + "\n";
    DrawText(p, QRectF(x, 54, colW, 120), bullets.trimmed(), DrawFont(11), pal.text,
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    DrawText(p, QRectF(x, 176, colW, 16), "What to check", DrawFont(12, true), pal.text,
             Qt::AlignLeft | Qt::AlignVCenter);
    DrawText(p, QRectF(x, 194, colW, 80), QString::fromUtf8(f.check), DrawFont(11), pal.text,
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    DrawText(p, QRectF(10, 272, w - 20, 56),
             QString::fromUtf8("Your answers: ") + QString::fromUtf8(f.answers), DrawFont(11),
             pal.muted, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    p.end();
    return image;
}

} // namespace

std::vector<TNamedImage> ReportFaultPictures()
{
    std::vector<TNamedImage> out;
    for (const TReportFault& f : kReportFaults)
        out.push_back({QString("fault%1.png").arg(f.number), ReportPicture(f)});
    return out;
}

std::vector<TNamedImage> ChartFaultPictures()
{
    std::vector<TNamedImage> out {{"fault0.png", ChartOverview()}};
    for (const TChartFault& f : kChartFaults)
        out.push_back({QString("fault%1.png").arg(f.picture), ChartPicture(f)});
    return out;
}

} // namespace art
