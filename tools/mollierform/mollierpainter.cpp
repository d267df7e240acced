#include "tools/mollierform/mollierpainter.h"

#include <cmath>
#include <optional>

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include "core/errors.h"
#include "core/numtext.h"

namespace {

const QColor kDomeColour(20, 40, 140);
const QColor kQualityColour(120, 120, 160);
const QColor kIsothermColour(200, 90, 40);
const QColor kGridColour(225, 225, 225);
const QColor kCycleColour(0, 130, 60);
const QColor kTextColour(30, 30, 30);

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPointF At(const TChartAxes& axes, double h, double p)
{
    return {axes.X(h), axes.Y(p)};
}

QPainterPath PathOf(const TChartAxes& axes, const TCurve& curve)
{
    QPainterPath path;
    for (size_t i = 0; i < curve.size(); ++i) {
        const QPointF pt = At(axes, curve[i].h, curve[i].p);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

QRectF PlotOf(const TChartAxes& axes)
{
    const TPlotRect& r = axes.Plot();
    return {r.Left, r.Top, r.Width, r.Height};
}

void DrawGrid(QPainter& painter, const TChartAxes& axes, const TMollierChart& chart)
{
    const QRectF plot = PlotOf(axes);
    const TChartRange& s = axes.Shown();
    const TDisplayUnit pu = PressureUnit(chart.Units);
    const TDisplayUnit hu = EnthalpyUnit(chart.Units);
    const QFontMetricsF metrics(painter.font());
    painter.setPen(QPen(kGridColour, 1));
    const auto pTicks = LogTicks(s.pMin, s.pMax, pu, std::max(2, static_cast<int>(plot.height() / 22)));
    const auto hTicks = LinearTicks(s.hMin, s.hMax, hu, std::max(2, static_cast<int>(plot.width() / 80)));
    for (const TTick& t : pTicks)
        painter.drawLine(QPointF(plot.left(), axes.Y(t.Value)), QPointF(plot.right(), axes.Y(t.Value)));
    for (const TTick& t : hTicks)
        painter.drawLine(QPointF(axes.X(t.Value), plot.top()), QPointF(axes.X(t.Value), plot.bottom()));

    painter.setPen(kTextColour);
    for (const TTick& t : pTicks) {
        const QString label = Utf8(t.Label);
        painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(label), axes.Y(t.Value) + metrics.ascent() / 2 - 1),
                         label);
    }
    for (const TTick& t : hTicks) {
        const QString label = Utf8(t.Label);
        painter.drawText(QPointF(axes.X(t.Value) - metrics.horizontalAdvance(label) / 2, plot.bottom() + 4 + metrics.ascent()),
                         label);
    }
    const QString hTitle = Utf8("Enthalpy (" + hu.Label + ")");
    painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(hTitle) / 2,
                             plot.bottom() + 8 + metrics.ascent() + metrics.height()),
                     hTitle);
    painter.save();
    painter.translate(14, plot.center().y());
    painter.rotate(-90);
    const QString pTitle = Utf8("Pressure (" + pu.Label + " abs.)");
    painter.drawText(QPointF(-metrics.horizontalAdvance(pTitle) / 2, metrics.ascent() / 2), pTitle);
    painter.restore();
}

// The label of an isotherm: at the first point of its vapour part inside the plot
// at or below 62 % of the plot's height, so that the labels form a band; an
// isotherm that ends above the band is labelled at its end. `taken` holds the
// last label drawn: a label that would touch it is left out, as isotherms crowd
// at high temperatures.
void LabelIsotherm(QPainter& painter, const TChartAxes& axes, const TValueCurve& iso, const TDisplayUnit& tu,
                   QRectF& taken)
{
    const QRectF plot = PlotOf(axes).adjusted(2, 2, -30, -12);
    const double yBand = plot.top() + 0.62 * plot.height();
    std::optional<QPointF> place;
    for (size_t i = iso.VapourFrom; i < iso.Curve.size(); ++i) {
        const QPointF at = At(axes, iso.Curve[i].h, iso.Curve[i].p);
        if (!plot.contains(at))
            continue;
        place = at;
        if (at.y() >= yBand)
            break;
    }
    if (!place)
        return;
    const QString label = QString::number(std::lround(tu.Show(iso.Value)));
    const QPointF origin = *place + QPointF(3, -3);
    const QRectF box = QFontMetricsF(painter.font()).boundingRect(label).translated(origin);
    if (box.adjusted(-2, 0, 2, 0).intersects(taken))
        return;
    painter.drawText(origin, label);
    taken = box;
}

void DrawLines(QPainter& painter, const TChartAxes& axes, const TMollierChart& chart)
{
    const TChartLines& l = chart.Lines;
    const TDisplayUnit tu = TemperatureUnit(chart.Units);
    QFont small = painter.font();
    small.setPointSizeF(small.pointSizeF() * 0.85);

    painter.setPen(QPen(kQualityColour, 0.8, Qt::DashLine));
    for (const TValueCurve& q : l.Qualities)
        painter.drawPath(PathOf(axes, q.Curve));

    painter.setPen(QPen(kIsothermColour, 0.9));
    for (const TValueCurve& iso : l.Isotherms)
        painter.drawPath(PathOf(axes, iso.Curve));

    QPainterPath dome = PathOf(axes, l.Bubble);
    for (auto it = l.Dew.rbegin(); it != l.Dew.rend(); ++it)
        dome.lineTo(At(axes, it->h, it->p));
    painter.setPen(QPen(kDomeColour, 2.0));
    painter.drawPath(dome);

    painter.save();
    painter.setFont(small);
    painter.setPen(kIsothermColour);
    QRectF taken;
    for (const TValueCurve& iso : l.Isotherms)
        LabelIsotherm(painter, axes, iso, tu, taken);
    painter.setPen(kQualityColour);
    const QRectF plot = PlotOf(axes);
    for (const TValueCurve& q : l.Qualities) {
        for (const TPH& pt : q.Curve) {
            const QPointF at = At(axes, pt.h, pt.p);
            if (plot.adjusted(0, 0, 0, -14).contains(at)) {
                painter.drawText(at + QPointF(-8, -4), QString::number(q.Value, 'f', 1));
                break;
            }
        }
    }
    painter.setPen(kIsothermColour);
    const QString unitNote = Utf8("isotherms in " + tu.Label);
    painter.drawText(QPointF(plot.right() - QFontMetricsF(small).horizontalAdvance(unitNote) - 4, plot.top() + 14),
                     unitNote);
    painter.restore();
}

void DrawCycle(QPainter& painter, const TChartAxes& axes, const TMollierChart& chart)
{
    const TMollierCycle& c = chart.Cycle;
    const QPointF p1 = At(axes, c.Points[0].h, c.Points[0].p);
    const QPointF p2 = At(axes, c.Points[1].h, c.Points[1].p);
    const QPointF p3 = At(axes, c.Points[2].h, c.Points[2].p);
    const QPointF p4 = At(axes, c.Points[3].h, c.Points[3].p);
    const QPointF p2s = At(axes, c.Isentropic.h, c.Isentropic.p);

    painter.setPen(QPen(kCycleColour, 1.4, Qt::DashLine));
    painter.drawLine(p1, p2s);
    painter.setPen(QPen(kCycleColour, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({p1, p2, p3, p4, p1}));

    const QFontMetricsF metrics(painter.font());
    struct TMark {
        QPointF at;
        const char* name;
        QPointF offset; // of the label from the point, in text heights
    };
    const TMark marks[] = {
        {p1, "1", {0.4, 1.1}},
        {p2, "2", {0.5, -0.3}},
        {p3, "3", {-1.2, -0.3}},
        {p4, "4", {-0.4, 1.3}},
        {p2s, "2s", {-1.8, -0.4}},
    };
    for (const TMark& m : marks) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(m.name == std::string("2s") ? QBrush(Qt::white) : QBrush(kCycleColour));
        painter.drawEllipse(m.at, 4, 4);
        painter.setPen(Qt::black);
        painter.drawText(m.at + m.offset * metrics.height(), m.name);
    }
    painter.setBrush(Qt::NoBrush);
}

} // namespace

void PaintMollierChart(QPainter& painter, int width, int height, const TMollierChart& chart, const TChartRange& shown)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, width, height), Qt::white);
    const TChartAxes axes(shown, PlotRectFor(width, height));
    const QRectF plot = PlotOf(axes);
    DrawGrid(painter, axes, chart);

    painter.save();
    painter.setClipRect(plot);
    DrawLines(painter, axes, chart);
    DrawCycle(painter, axes, chart);
    painter.restore();

    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(plot);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRectF(0, 6, width, plot.top() - 10), Qt::AlignHCenter | Qt::AlignVCenter,
                     Utf8(ChartTitle(chart)));
    painter.restore();
}

void ExportMollierChart(const QString& file, int width, int height, const TMollierChart& chart,
                        const TChartRange& shown)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == "png") {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        PaintMollierChart(painter, width, height, chart, shown);
        painter.end();
        if (!image.save(file, "PNG"))
            ThrowCannotCreate(file.toStdString());
    } else if (suffix == "svg") {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setTitle(Utf8("Mollier chart " + chart.Cycle.Refrigerant));
        QPainter painter;
        if (!painter.begin(&svg))
            ThrowCannotCreate(file.toStdString());
        PaintMollierChart(painter, width, height, chart, shown);
        painter.end();
        if (!QFileInfo(file).isFile())
            ThrowCannotCreate(file.toStdString());
    } else {
        throw ConversionError("'" + file.toStdString() + "' is neither a .png nor an .svg file.");
    }
}
