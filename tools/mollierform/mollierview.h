#pragma once

#include <optional>

#include <QPoint>
#include <QWidget>

#include "tools/mollier/molliermodel.h"

// The chart on screen: drawn to the widget's size, zoomed with the wheel about the
// pointer or to a rectangle dragged with the left button, and reporting the state
// under the pointer.
class TMollierView : public QWidget {
    Q_OBJECT
public:
    explicit TMollierView(TRefrigLib& lib, QWidget* parent = nullptr);

    // A new chart, shown whole.
    void SetChart(const TMollierChart& chart);
    const TMollierChart& Chart() const { return chart_; }

    const TChartRange& Shown() const { return shown_; }
    void SetShown(const TChartRange& shown);
    void FitCycle();
    void WholeChart();

    // The readout of the state at a pixel of the widget; empty outside the plot.
    QString ReadoutAt(QPoint at) const;

signals:
    void ReadoutChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent*) override;

private:
    TChartAxes Axes() const;

    TRefrigLib& lib_;
    bool hasChart_ = false; // blank until the first chart
    TMollierChart chart_;
    TChartRange shown_;
    std::optional<QPoint> dragFrom_;
    QPoint dragTo_;
};
