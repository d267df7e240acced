#include "tools/linesizeform/linesizewindow.h"

#include <cmath>
#include <limits>

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/errors.h"
#include "core/numtext.h"
#include "env/companionsettings.h"
#include "env/widgetplacement.h"
#include "tools/linesizeform/kelvoraconditions.h"
#include "tools/linesizeform/linesizehelp.h"
#include "tools/linesizeform/linesizeprogram.h"
#include "units/fmtedit.h"
#include "units/fmteditlabel.h"
#include "widgets/messages.h"
#include "widgets/qttext.h"
#include "widgets/toolwindow.h"

namespace {

constexpr double kMmPerM = 1000;
constexpr double kPaPerKPa = 1000;
constexpr double kTubeMatch = 0.005; // mm, below the fields' rounding and the series' steps
constexpr int kFieldWidth = 90;
const char* const kOtherSize = "Other size";
const char* const kMet = "#107010";
const char* const kNotMet = "#c00000";

const char* const kPanelTitles[] = {"Suctio&n line", "&Discharge line", "Li&quid line"};
const char* const kPanelNames[] = {"Suction", "Discharge", "Liquid"};

const TLineKind kLines[] = {lkSuction, lkDischarge, lkLiquid};

// Tube sizes in m, as the diameter fields hold them.
TFmtEditDesign TubeDesign()
{
    return {.kind = utDiameter, .unitsValue = 1, .formatType = ft_Auto, .sigDigs = 5, .rangeLo = 0, .rangeHi = 0.5};
}

TFmtEditDesign ResultDesign(TUnitsType kind, int unitsValue, TFormatType type, const char* format = "%0.1f")
{
    return {.kind = kind, .unitsValue = unitsValue, .formatType = type, .format = format, .sigDigs = 4, .readOnly = true};
}

QString Rule(bool ok, const std::string& words)
{
    return QString("<span style=\"color:%1\">%2: <b>%3</b></span>")
        .arg(ok ? kMet : kNotMet, Text(words).toHtmlEscaped(), ok ? "met" : "not&nbsp;met");
}

// A limit in the field's unit; number and unit are never parted by a line break.
std::string Shown(const TFmtEdit& field, double value)
{
    return FormatFieldWithUnit(field, true, "\u00a0", value).text;
}

} // namespace

TLineSizeWindow::TLineSizeWindow(const std::string& libraryFile, TUnitSystem units, std::string settingsFile,
                                 QWidget* parent)
    : QMainWindow(parent), lib_(libraryFile), settingsFile_(std::move(settingsFile))
{
    setObjectName(kLineSizeSection);
    setWindowTitle("Line Size Calculator");
    BuildMenus();

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    auto* plant = new QGridLayout;
    plant->setHorizontalSpacing(6);
    layout->addLayout(plant);
    BuildPlant(*plant);

    auto* lines = new QHBoxLayout;
    layout->addLayout(lines, 1);
    for (TLineKind line : kLines) {
        TLinePanel& p = panels_[line];
        p.Box = new QGroupBox(kPanelTitles[line], central);
        p.Box->setObjectName(QString(kPanelNames[line]) + "Box");
        auto* grid = new QGridLayout(p.Box);
        grid->setHorizontalSpacing(4);
        BuildPanel(line, *grid);
        lines->addWidget(p.Box, 1);
    }

    statusText_ = new QLabel(this);
    statusText_->setObjectName("StatusText");
    statusText_->setWordWrap(true);
    statusBar()->addWidget(statusText_, 1);

    // The window's defaults: R134a where the library has it, the usual tubes.
    const auto& names = lib_.RefrigNames();
    for (const auto& name : names)
        RefrigerantList->addItem(Text(name));
    try {
        lib_.SelectByName("R134a");
    } catch (const KelvoraError&) {
        // The library's own first refrigerant then.
    }
    const int at = RefrigerantList->findText(Text(lib_.GetName()), Qt::MatchFixedString);
    if (at >= 0)
        RefrigerantList->setCurrentIndex(at);
    units_ = units;
    SwitchUnits(this, units);
    ShowInputs();
    FillTubeLists();
    (units_ == usImperial ? ImperialAction : MetricAction)->setChecked(true);
    Recompute();
}

TLineSizeWindow::~TLineSizeWindow() = default;

void TLineSizeWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    UseKelvoraAction = file->addAction("Use the suction, discharge and liquid conditions of &Kelvora", this,
                                       [this] { UseKelvoraConditions(); });
    UseKelvoraAction->setObjectName("UseKelvoraAction");
    UseKelvoraAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    file->addSeparator();
    QAction* exitAction = file->addAction("E&xit", this, [this] { close(); });
    exitAction->setShortcut(QKeySequence::Quit);

    QMenu* unitsMenu = menuBar()->addMenu("&Units");
    auto* group = new QActionGroup(this);
    MetricAction = unitsMenu->addAction("&Metric", this, [this] { SetUnits(usMetric); });
    MetricAction->setObjectName("Metric1");
    ImperialAction = unitsMenu->addAction("&Imperial", this, [this] { SetUnits(usImperial); });
    ImperialAction->setObjectName("Imperial1");
    for (QAction* a : {MetricAction, ImperialAction}) {
        a->setCheckable(true);
        group->addAction(a);
    }

    QMenu* help = menuBar()->addMenu("&Help");
    HelpAction = help->addAction("&Rules of thumb...", this, [this] { ShowHelp(); });
    HelpAction->setObjectName("HelpAction");
    HelpAction->setShortcut(QKeySequence::HelpContents);
}

void TLineSizeWindow::BuildPlant(QGridLayout& grid)
{
    auto addList = [&](int row, int column, const char* name, const char* caption) {
        return AddListRow(grid, row, name, caption, 2, column);
    };
    // Caption, field and units label from `column` on.
    auto addField = [&](int row, int column, const char* name, const char* caption, const TFmtEditDesign& design,
                        double TLineCycle::*member) {
        TFmtEdit* field = AddFieldRow(grid, row, name, caption, design, column);
        field->setMaximumWidth(kFieldWidth);
        connect(field, &TFmtEdit::OnExit, this, [this, member](TFmtEdit* f) {
            if (!f->Modified())
                return;
            cycle_.*member = f->Value();
            Recompute();
        });
        plantFields_.push_back({field, member});
        return field;
    };

    RefrigerantList = addList(0, 0, "RefrigerantList", "&Refrigerant");
    connect(RefrigerantList, &QComboBox::activated, this,
            [this] { SelectRefrigerant(RefrigerantList->currentText().toStdString()); });
    CapacityEd = addField(0, 3, "CapacityEd", "Cooling &capacity",
                          {.kind = utDutyPrim, .formatType = ft_Auto, .sigDigs = 4, .rangeLo = 0.001, .rangeHi = 1e5, .text = "10"}, &TLineCycle::capacity);
    IeEd = addField(0, 6, "IeEd", "&Isentropic efficiency",
                    {.formatType = ft_Manual, .format = "%0.2f", .rangeLo = 0.1, .rangeHi = 1, .text = "0.70"}, &TLineCycle::ie);
    SeriesList = addList(0, 9, "SeriesList", "&Tube series");
    for (TTubeSeries s : {tsMetric, tsAcr})
        SeriesList->addItem(QString("%1 %2").arg(TubeSeriesName(s), s == tsMetric ? "metric" : "ACR"));
    connect(SeriesList, &QComboBox::activated, this, [this] {
        FillTubeLists();
        Recompute();
    });
    TeEd = addField(1, 0, "TeEd", "&Evaporating (te)",
                    {.kind = utTemperature, .format = "%0.1f", .rangeLo = -100, .rangeHi = 100, .text = "-10.0"}, &TLineCycle::te);
    TcEd = addField(1, 3, "TcEd", "C&ondensing (tc)",
                    {.kind = utTemperature, .format = "%0.1f", .rangeLo = -60, .rangeHi = 150, .text = "40.0"}, &TLineCycle::tc);
    ShEd = addField(1, 6, "ShEd", "&Superheat",
                    {.kind = utTemperatureChange, .format = "%0.1f", .rangeLo = 0, .rangeHi = 100, .text = "7.5"}, &TLineCycle::sh);
    ScEd = addField(1, 9, "ScEd", "Su&b-cooling",
                    {.kind = utTemperatureChange, .format = "%0.1f", .rangeLo = 0, .rangeHi = 100, .text = "5.0"}, &TLineCycle::sc);

    UseKelvoraButton = new QPushButton(UseKelvoraAction->text(), centralWidget());
    UseKelvoraButton->setObjectName("UseKelvoraButton");
    UseKelvoraButton->setToolTip("Refrigerant, capacity, te, tc, superheat, sub-cooling and isentropic efficiency "
                                 "of the project Kelvora used last");
    connect(UseKelvoraButton, &QPushButton::clicked, this, [this] { UseKelvoraConditions(); });
    grid.addWidget(UseKelvoraButton, 2, 0, 1, 12, Qt::AlignLeft);
    grid.setColumnStretch(12, 1);
}

void TLineSizeWindow::BuildPanel(TLineKind line, QGridLayout& grid)
{
    TLinePanel& p = panels_[line];
    QWidget* box = p.Box;
    const std::string prefix = kPanelNames[line];
    auto name = [&](const char* what) { return prefix + what; };
    int row = 0;

    p.TubeList = new QComboBox(box);
    p.TubeList->setObjectName(Text(name("TubeList")));
    auto* tubeCaption = new QLabel("Tube", box);
    tubeCaption->setBuddy(p.TubeList);
    grid.addWidget(tubeCaption, row, 0);
    grid.addWidget(p.TubeList, row++, 1, 1, 2);
    connect(p.TubeList, &QComboBox::activated, this, [this, line](int index) { TubePicked(line, index); });

    struct TInputRow {
        const char* what;
        const char* caption;
        TFmtEditDesign design;
        TFmtEdit* TLinePanel::*field;
        double TLineTube::*member;
    };
    const TInputRow inputs[] = {
        {"OdEd", "Outside diameter", TubeDesign(), &TLinePanel::OdEd, &TLineTube::od},
        {"WallEd", "Wall", TubeDesign(), &TLinePanel::WallEd, &TLineTube::wall},
        {"LengthEd", "Equivalent length", {.kind = utLengthPrim, .formatType = ft_Auto, .sigDigs = 4, .rangeLo = 0, .rangeHi = 10000}, &TLinePanel::LengthEd, &TLineTube::length},
        {"RiseEd", "Rise (up +)", {.kind = utLengthPrim, .formatType = ft_Auto, .sigDigs = 4, .rangeLo = -1000, .rangeHi = 1000}, &TLinePanel::RiseEd, &TLineTube::rise},
    };
    for (const TInputRow& r : inputs) {
        TFmtEdit* field = AddFieldRow(grid, row++, name(r.what).c_str(), r.caption, r.design);
        field->setMaximumWidth(kFieldWidth);
        const bool tubeSize = r.member == &TLineTube::od || r.member == &TLineTube::wall;
        connect(field, &TFmtEdit::OnExit, this, [this, line, tubeSize, member = r.member](TFmtEdit* f) {
            if (!f->Modified())
                return;
            // Tube sizes are held in mm, the fields in m.
            tubes_[line].*member = f->Value() * (tubeSize ? kMmPerM : 1);
            if (tubeSize)
                MatchTube(line);
            Recompute();
        });
        p.*r.field = field;
    }
    p.SelectButton = new QPushButton("Select", box);
    p.SelectButton->setObjectName(Text(name("SelectButton")));
    p.SelectButton->setToolTip("Put the smallest tube of the series that meets the rules into this line");
    connect(p.SelectButton, &QPushButton::clicked, this, [this, line] { SelectTube(line); });
    grid.addWidget(p.SelectButton, row++, 1, 1, 2, Qt::AlignLeft);

    auto* heading = new QLabel("<b>Results</b>", box);
    grid.addWidget(heading, row++, 0, 1, 3);
    struct TResultRow {
        const char* what;
        const char* caption;
        TFmtEditDesign design;
        TFmtEdit* TLinePanel::*field;
    };
    const TResultRow results[] = {
        {"MassFlowEd", "Mass flow", ResultDesign(utMassFlowGas, 2, ft_Auto), &TLinePanel::MassFlowEd},
        {"DensityEd", "Density", ResultDesign(utDensity, 0, ft_Auto), &TLinePanel::DensityEd},
        {"VelocityEd", "Velocity", ResultDesign(utVelocity, 0, ft_Fixed), &TLinePanel::VelocityEd},
        {"ReynoldsEd", "Reynolds number", ResultDesign(utNone, 0, ft_Manual, "%0.0f"), &TLinePanel::ReynoldsEd},
        {"FrictionEd", "Friction factor", ResultDesign(utNone, 0, ft_Manual, "%0.4f"), &TLinePanel::FrictionEd},
        {"PressureDropEd", "Pressure drop", ResultDesign(utPressure, 0, ft_Fixed), &TLinePanel::PressureDropEd},
        {"SaturationDropEd", "Saturation drop", ResultDesign(utTemperatureChange, 0, ft_Manual, "%0.2f"),
         &TLinePanel::SaturationDropEd},
    };
    for (const TResultRow& r : results) {
        TFmtEdit* field = AddFieldRow(grid, row++, name(r.what).c_str(), r.caption, r.design);
        field->setMaximumWidth(kFieldWidth);
        // Results are read, not typed: Tab goes from input to input.
        field->setFocusPolicy(Qt::ClickFocus);
        p.*r.field = field;
    }
    p.Judgement = new QLabel(box);
    p.Judgement->setObjectName(Text(name("Judgement")));
    p.Judgement->setWordWrap(true);
    p.Judgement->setTextFormat(Qt::RichText);
    p.Judgement->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    p.Judgement->setMinimumHeight(p.Judgement->fontMetrics().lineSpacing() * 5);
    grid.addWidget(p.Judgement, row++, 0, 1, 3);
    grid.setRowStretch(row, 1);
    grid.setColumnStretch(1, 1);
}

void TLineSizeWindow::ShowInputs()
{
    for (const auto& [field, member] : plantFields_)
        field->SetValue(cycle_.*member);
    for (TLineKind line : kLines) {
        const TLinePanel& p = panels_[line];
        const TLineTube& t = tubes_[line];
        p.OdEd->SetValue(t.od / kMmPerM);
        p.WallEd->SetValue(t.wall / kMmPerM);
        p.LengthEd->SetValue(t.length);
        p.RiseEd->SetValue(t.rise);
    }
}

void TLineSizeWindow::PutTube(TLineKind line, const TTube& tube)
{
    tubes_[line].od = tube.od;
    tubes_[line].wall = tube.wall;
    panels_[line].OdEd->SetValue(tube.od / kMmPerM);
    panels_[line].WallEd->SetValue(tube.wall / kMmPerM);
    MatchTube(line);
}

TTubeSeries TLineSizeWindow::Series() const
{
    return SeriesList->currentIndex() == 1 ? tsAcr : tsMetric;
}

void TLineSizeWindow::FillTubeLists()
{
    for (TLineKind line : kLines) {
        QComboBox* list = panels_[line].TubeList;
        list->clear();
        for (const TTube& t : TubeSeries(Series()))
            list->addItem(Text(t.name));
        list->addItem(kOtherSize);
        MatchTube(line);
    }
}

void TLineSizeWindow::MatchTube(TLineKind line)
{
    // A typed size that is a tube of the series as far as the field shows it is
    // that tube, at its exact size.
    TLineTube& tube = tubes_[line];
    const auto& series = TubeSeries(Series());
    int at = static_cast<int>(series.size());
    for (size_t i = 0; i < series.size(); ++i)
        if (std::abs(series[i].od - tube.od) < kTubeMatch && std::abs(series[i].wall - tube.wall) < kTubeMatch) {
            at = static_cast<int>(i);
            tube.od = series[i].od;
            tube.wall = series[i].wall;
        }
    panels_[line].TubeList->setCurrentIndex(at);
}

void TLineSizeWindow::TubePicked(TLineKind line, int index)
{
    const auto& series = TubeSeries(Series());
    if (index < 0 || index >= static_cast<int>(series.size()))
        return; // "Other size": the fields keep what they hold
    PutTube(line, series[index]);
    Recompute();
}

void TLineSizeWindow::Recompute()
{
    std::array<std::string, 3> faults;
    std::string rangeWarning;
    for (TLineKind line : kLines) {
        try {
            const TLineResult result = ComputeLine(lib_, line, Cycle(), Tube(line));
            ShowResult(line, result);
            rangeWarning = result.state.rangeWarning;
        } catch (const KelvoraError& e) {
            ShowFailure(line, e.what());
            faults[line] = e.what();
        }
    }
    // A fault of the plant is the same in every line: told once; a line's own
    // fault names its line.
    std::string status;
    if (!faults[0].empty() && faults[0] == faults[1] && faults[0] == faults[2])
        status = faults[0];
    else
        for (TLineKind line : kLines)
            if (!faults[line].empty())
                status += (status.empty() ? "" : "  ") + std::string(kPanelNames[line]) + " line: " + faults[line];
    // The figures shown come from extrapolated correlations: said after the faults.
    if (!rangeWarning.empty())
        status += (status.empty() ? "" : "  ") + rangeWarning;
    statusText_->setText(Text(status));
}

void TLineSizeWindow::ShowResult(TLineKind line, const TLineResult& r)
{
    TLinePanel& p = panels_[line];
    p.MassFlowEd->SetValue(r.state.massFlow);
    p.DensityEd->SetValue(r.state.density);
    p.VelocityEd->SetValue(r.velocity);
    p.ReynoldsEd->SetValue(r.reynolds);
    p.FrictionEd->SetValue(r.frictionFactor);
    p.PressureDropEd->SetValue(r.pressureDrop / kPaPerKPa);
    p.SaturationDropEd->SetValue(r.saturationDrop);

    const TLineJudgement& j = r.judgement;
    const TFmtEdit& k = *p.SaturationDropEd;
    const TFmtEdit& v = *p.VelocityEd;
    QStringList rules;
    rules << Rule(j.dropOk, "Saturation drop at most " + Shown(k, j.dropLimit));
    if (j.velocityMin)
        rules << Rule(j.velocityMinOk, std::string(Tube(line).rise > 0 ? "Oil return up the riser" : "Oil return") + ", at least " + Shown(v, *j.velocityMin));
    rules << Rule(j.velocityMaxOk,
                  std::string(line == lkLiquid ? "Liquid hammer" : "Noise") + ", at most " + Shown(v, j.velocityMax));
    if (j.subcooled)
        rules << Rule(*j.subcooled, "Liquid still sub-cooled at the valve (" + Shown(k, r.state.sc) + " sub-cooling)");
    p.Judgement->setText(rules.join("<br>"));
    p.Computed = true;
}

void TLineSizeWindow::ShowFailure(TLineKind line, const std::string& message)
{
    TLinePanel& p = panels_[line];
    // Figures of other inputs would read as this line's: the fields go empty.
    for (TFmtEdit* f : {p.MassFlowEd, p.DensityEd, p.VelocityEd, p.ReynoldsEd, p.FrictionEd, p.PressureDropEd,
                        p.SaturationDropEd})
        f->SetValue(std::numeric_limits<double>::quiet_NaN());
    p.Judgement->setText(QString("<span style=\"color:%1\">%2</span>").arg(kNotMet, Text(message).toHtmlEscaped()));
    p.Computed = false;
}

bool TLineSizeWindow::SelectRefrigerant(const std::string& name)
{
    std::string failure;
    try {
        lib_.SelectByName(name);
    } catch (const KelvoraError& e) {
        failure = e.what();
    }
    const int at = RefrigerantList->findText(Text(lib_.GetName()), Qt::MatchFixedString);
    if (at >= 0)
        RefrigerantList->setCurrentIndex(at);
    Recompute();
    if (!failure.empty())
        statusText_->setText(Text("The refrigerant " + name + " cannot be selected: " + failure));
    return failure.empty();
}

void TLineSizeWindow::SelectTube(TLineKind line)
{
    CommitPendingEdit();
    const TLineTube tube = Tube(line);
    std::optional<TTubeChoice> choice;
    try {
        choice = ::SelectTube(lib_, LineState(lib_, line, Cycle()), Series(), tube.length, tube.rise);
    } catch (const KelvoraError& e) {
        ShowFailure(line, e.what());
        statusText_->setText(Text(e.what()));
        return;
    }
    if (!choice) {
        statusText_->setText(Text(std::string("No tube of the ") + TubeSeriesName(Series()) + " series meets the rules "
                                                                                              "for the " +
                                  LineKindName(line) + " line; the tube is left as it is."));
        return;
    }
    PutTube(line, choice->tube);
    Recompute();
    statusText_->setText(Text(std::string("Selected for the ") + LineKindName(line) + " line: " + choice->tube.name +
                              " (" + TubeSeriesName(Series()) + ")"));
}

bool TLineSizeWindow::UseKelvoraConditions()
{
    CommitPendingEdit();
    TKelvoraConditions c;
    try {
        c = KelvoraConditions(lib_, settingsFile_);
    } catch (const KelvoraError& e) {
        statusText_->setText(Text(e.what()));
        ShowMessage(e.what());
        return false;
    }
    const int at = RefrigerantList->findText(Text(c.Refrigerant), Qt::MatchFixedString);
    if (at >= 0)
        RefrigerantList->setCurrentIndex(at);
    cycle_ = c.Cycle;
    ShowInputs();
    Recompute();
    const QString faults = statusText_->text();
    statusText_->setText(Text("The conditions of " + c.ProjectFile + " (" + c.Refrigerant + ")") +
                         (faults.isEmpty() ? "" : ". " + faults));
    return true;
}

void TLineSizeWindow::SetUnits(TUnitSystem units)
{
    CommitPendingEdit();
    units_ = units;
    (units_ == usImperial ? ImperialAction : MetricAction)->setChecked(true);
    SwitchUnits(this, units);
    // The inputs keep their numbers, not the rounded texts of the other units.
    ShowInputs();
    KeepCompanionUnits(kLineSizeSection, UnitSystemText(units));
    Recompute();
}

void TLineSizeWindow::ShowHelp()
{
    ShowMessage(LineSizeHelpText());
}

void TLineSizeWindow::CommitPendingEdit()
{
    if (auto* field = qobject_cast<TFmtEdit*>(focusWidget()))
        field->CommitEdit();
}

void TLineSizeWindow::showEvent(QShowEvent* event)
{
    if (!placed_) {
        placed_ = true;
        RestoreKeptPlacement(*this);
    }
    QMainWindow::showEvent(event);
}

void TLineSizeWindow::closeEvent(QCloseEvent* event)
{
    SaveWindowPlacement(*this);
    QMainWindow::closeEvent(event);
}
