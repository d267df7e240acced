#include "tools/mollierform/mollierview.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "tools/mollierform/mollierpainter.h"

namespace {

constexpr double kWheelStep = 0.8; // range factor per notch of the wheel
constexpr int kSmallestDrag = 8;   // pixels a drag must span both ways to zoom

} // namespace

TMollierView::TMollierView(TRefrigLib& lib, QWidget* parent) : QWidget(parent), lib_(lib)
{
    setObjectName("ChartView");
    setMouseTracking(true);
    setMinimumSize(400, 300);
    setFocusPolicy(Qt::StrongFocus);
}

void TMollierView::SetChart(const TMollierChart& chart)
{
    chart_ = chart;
    hasChart_ = true;
    shown_ = chart_.Lines.Whole;
    update();
}

void TMollierView::SetShown(const TChartRange& shown)
{
    if (!(shown.hMax > shown.hMin) || !(shown.pMin > 0) || !(shown.pMax > shown.pMin))
        return;
    shown_ = shown;
    update();
}

void TMollierView::FitCycle()
{
    SetShown(CycleRange(chart_.Cycle));
}

void TMollierView::WholeChart()
{
    SetShown(chart_.Lines.Whole);
}

TChartAxes TMollierView::Axes() const
{
    return TChartAxes(shown_, PlotRectFor(width(), height()));
}

QString TMollierView::ReadoutAt(QPoint at) const
{
    if (!hasChart_)
        return {};
    const TChartAxes axes = Axes();
    const TPlotRect& r = axes.Plot();
    if (at.x() < r.Left || at.x() > r.Left + r.Width || at.y() < r.Top || at.y() > r.Top + r.Height)
        return {};
    return QString::fromStdString(StateReadout(lib_, chart_, axes.H(at.x()), axes.P(at.y())));
}

void TMollierView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!hasChart_) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    PaintMollierChart(painter, width(), height(), chart_, shown_);
    if (dragFrom_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(QColor(0, 120, 215, 40));
        painter.drawRect(QRect(*dragFrom_, dragTo_).normalized());
    }
}

void TMollierView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (dragFrom_) {
        dragTo_ = at;
        update();
    }
    emit ReadoutChanged(ReadoutAt(at));
}

void TMollierView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragFrom_ = event->position().toPoint();
        dragTo_ = *dragFrom_;
    }
}

void TMollierView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragFrom_)
        return;
    const QPoint from = *dragFrom_;
    const QPoint to = event->position().toPoint();
    dragFrom_.reset();
    if (std::abs(to.x() - from.x()) >= kSmallestDrag && std::abs(to.y() - from.y()) >= kSmallestDrag)
        SetShown(RangeBetween(Axes(), from.x(), from.y(), to.x(), to.y()));
    else
        update();
}

void TMollierView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0)
        return;
    const TChartAxes axes = Axes();
    const QPointF at = event->position();
    SetShown(ZoomRange(shown_, axes.H(at.x()), axes.P(at.y()), std::pow(kWheelStep, notches)));
    event->accept();
}

void TMollierView::leaveEvent(QEvent*)
{
    emit ReadoutChanged({});
}
