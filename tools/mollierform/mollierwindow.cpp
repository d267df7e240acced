#include "tools/mollierform/mollierwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

#include "core/cycle.h"
#include "core/errors.h"
#include "env/companionlistener.h"
#include "env/companionsettings.h"
#include "env/widgetplacement.h"
#include "tools/mollierform/mollierpainter.h"
#include "tools/mollierform/mollierprogram.h"
#include "tools/mollierform/mollierview.h"
#include "widgets/messages.h"

TMollierWindow::TMollierWindow(const std::string& libraryFile, TChartUnits units, QWidget* parent)
    : QMainWindow(parent), lib_(libraryFile), units_(units)
{
    setObjectName(kMollierSection);
    setWindowTitle("Mollier Chart");
    view_ = new TMollierView(lib_, this);
    setCentralWidget(view_);
    readout_ = new QLabel(this);
    readout_->setObjectName("Readout");
    statusBar()->addWidget(readout_, 1);
    connect(view_, &TMollierView::ReadoutChanged, readout_, &QLabel::setText);
    // Beside the readout, as long as the cycle shown lies beyond its refrigerant's
    // data range: the chart is then drawn from extrapolated correlations.
    rangeNote_ = new QLabel(this);
    rangeNote_->setObjectName("RangeNote");
    rangeNote_->setStyleSheet("color: #b00000");
    rangeNote_->hide();
    statusBar()->addPermanentWidget(rangeNote_);
    BuildMenus();
    resize(1200, 840);
}

TMollierWindow::~TMollierWindow() = default;

void TMollierWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    ExportPngAction = file->addAction("Export &PNG...", this, [this] { ExportWithDialog("Export PNG", "PNG image (*.png)", ".png"); });
    ExportSvgAction = file->addAction("Export &SVG...", this, [this] { ExportWithDialog("Export SVG", "SVG drawing (*.svg)", ".svg"); });
    CopyAction = file->addAction("&Copy to clipboard", this, [this] { CopyToClipboard(); });
    CopyAction->setShortcut(QKeySequence::Copy);
    PrintAction = file->addAction("&Print...", this, [this] { Print(); });
    PrintAction->setShortcut(QKeySequence::Print);
    file->addSeparator();
    QAction* exitAction = file->addAction("E&xit", this, [this] { close(); });
    exitAction->setShortcut(QKeySequence::Quit);

    QMenu* viewMenu = menuBar()->addMenu("&View");
    FitCycleAction = viewMenu->addAction("&Fit cycle", this, [this] { view_->FitCycle(); });
    FitCycleAction->setShortcut(Qt::Key_F);
    WholeChartAction = viewMenu->addAction("&Whole chart", this, [this] { view_->WholeChart(); });
    WholeChartAction->setShortcut(Qt::Key_W);
    viewMenu->addSeparator();
    auto* unitGroup = new QActionGroup(this);
    MetricAction = viewMenu->addAction("&Metric units (kPa, kJ/kg, °C)", this, [this] { SetUnits(cuMetric); });
    ImperialAction = viewMenu->addAction("&Imperial units (psi, Btu/lb, °F)", this, [this] { SetUnits(cuImperial); });
    for (QAction* a : {MetricAction, ImperialAction}) {
        a->setCheckable(true);
        unitGroup->addAction(a);
    }
    (units_ == cuImperial ? ImperialAction : MetricAction)->setChecked(true);

    QToolBar* bar = addToolBar("Chart");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->addAction(FitCycleAction);
    bar->addAction(WholeChartAction);
}

bool TMollierWindow::ShowText(const std::string& text)
{
    bool shown = false;
    RunCommand([&] {
        TMollierChart chart = BuildMollierChart(lib_, text, units_);
        view_->SetChart(chart);
        text_ = text;
        shown = true;
    });
    SetChartTitle();
    return shown;
}

void TMollierWindow::ShowDefaultCycle()
{
    TKelvora cycle(lib_);
    cycle.SetDefaults();
    ShowText(MollierTextOf(cycle));
}

void TMollierWindow::SetChartTitle()
{
    if (text_.empty())
        return;
    const TMollierCycle& cycle = view_->Chart().Cycle;
    setWindowTitle(QString::fromStdString("Mollier Chart - " + cycle.Refrigerant));
    rangeNote_->setText(QString::fromStdString(cycle.DataRangeWarning));
    rangeNote_->setVisible(!cycle.DataRangeWarning.empty());
}

void TMollierWindow::SetUnits(TChartUnits units)
{
    units_ = units;
    (units_ == cuImperial ? ImperialAction : MetricAction)->setChecked(true);
    KeepCompanionUnits(kMollierSection, ChartUnitsText(units));
    if (text_.empty())
        return;
    const TChartRange shown = view_->Shown();
    RunCommand([&] {
        view_->SetChart(BuildMollierChart(lib_, text_, units_));
        view_->SetShown(shown);
    });
}

bool TMollierWindow::Listen(const std::string& serverName)
{
    auto* listener = new TCompanionListener(*this, [this](const std::string& text) {
        if (!text.empty())
            ShowText(text);
    });
    return listener->Listen(serverName);
}

void TMollierWindow::ExportTo(const QString& file)
{
    ExportMollierChart(file, view_->width(), view_->height(), view_->Chart(), view_->Shown());
}

void TMollierWindow::ExportWithDialog(const char* title, const char* filter, const char* suffix)
{
    QString file = QFileDialog::getSaveFileName(this, title, QString(), filter);
    if (file.isEmpty())
        return;
    if (!file.endsWith(suffix, Qt::CaseInsensitive))
        file += suffix;
    RunCommand([&] { ExportTo(file); });
}

void TMollierWindow::CopyToClipboard()
{
    QImage image(view_->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintMollierChart(painter, image.width(), image.height(), view_->Chart(), view_->Shown());
    painter.end();
    QApplication::clipboard()->setImage(image);
}

void TMollierWindow::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage("The printer cannot be used.");
        return;
    }
    // Drawn at the window's size and scaled to the page, so that text and lines keep their proportions.
    const QRect page = painter.viewport();
    const double scale = std::min(page.width() / double(view_->width()), page.height() / double(view_->height()));
    painter.scale(scale, scale);
    PaintMollierChart(painter, view_->width(), view_->height(), view_->Chart(), view_->Shown());
}

void TMollierWindow::showEvent(QShowEvent* event)
{
    if (!placed_) {
        placed_ = true;
        RestoreKeptPlacement(*this);
    }
    QMainWindow::showEvent(event);
}

void TMollierWindow::closeEvent(QCloseEvent* event)
{
    SaveWindowPlacement(*this);
    QMainWindow::closeEvent(event);
}
