#include "tools/txvalveform/linelossform.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/refriglib.h"
#include "env/platform.h"
#include "env/settingsstore.h"
#include "units/fmtedit.h"
#include "widgets/navigationkeys.h"
#include "widgets/qttext.h"
#include "widgets/toolwindow.h"

namespace {

constexpr double kMmPerM = 1000.0;
constexpr double kPaPerKPa = 1000.0;
constexpr int kTypedSize = 0; // the first entry of the tube list

// The tube a new dialog starts with, by unit system: the usual liquid line of a
// plant of about 10 kW.
constexpr int kMetricStartTube = 3; // 12x1
constexpr int kAcrStartTube = 2;    // 1/2

// The value in the system's unit of its kind, by the catalogue's format or, for
// results, by the automatic one.
TSettingsStore Store()
{
    return TSettingsStore(ProgramRegistryKey());
}

std::string UnitText(TUnitsType kind, TUnitSystem system, double value, bool keepFormat = true)
{
    const int choice = system == usMetric ? MetricUnitIndex(kind, 0) : ImperialUnitIndex(kind, 0);
    return FormatWithUnit(kind, choice, 0, keepFormat, " ", true, value).text;
}

} // namespace

TLineLossForm::TLineLossForm(TLossLine line, QWidget* parent) : QDialog(parent), line_(line)
{
    const bool riser = line == llRiser;
    setObjectName(riser ? "LiqRiserCalc" : "LiqLineCalc");
    setWindowTitle(riser ? "Vertical Liquid Line Loss" : "Liquid Line Loss");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);

    PlantLabel = new QLabel(this);
    PlantLabel->setObjectName("PlantLabel");
    PlantLabel->setWordWrap(true);
    layout->addWidget(PlantLabel);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    layout->addLayout(grid); // before the rows, which take their parent from it
    SeriesList = AddListRow(*grid, 0, "SeriesList", "S&eries", 2);
    for (TTubeSeries series : {tsMetric, tsAcr})
        SeriesList->addItem(TubeSeriesName(series));
    TubeList = AddListRow(*grid, 1, "TubeList", "&Tube", 2);
    connect(SeriesList, &QComboBox::currentIndexChanged, this, &TLineLossForm::SeriesPicked);
    connect(TubeList, &QComboBox::currentIndexChanged, this, &TLineLossForm::TubePicked);

    struct TFieldRow {
        const char* name;
        const char* caption;
        TFmtEditDesign design;
        TFmtEdit* TLineLossForm::*field;
    };
    using F = TLineLossForm;
    const TFieldRow rows[] = {
        {"OdEd", "Outside &diameter", {.kind = utDiameter, .unitsValue = 1, .formatType = ft_Auto, .text = "0.012"}, &F::OdEd},
        {"WallEd", "&Wall", {.kind = utLengthSmall, .formatType = ft_Auto, .text = "1"}, &F::WallEd},
        {"LengthEd", riser ? "&Rise (upward +)" : "Equivalent &length", {.kind = utLengthPrim, .format = "%0.3f", .text = riser ? "3.000" : "10.000"}, &F::LengthEd},
        {"SubcoolEd", "&Sub-cooling", {.kind = utTemperatureChange, .format = "%0.1f", .text = "5.0"}, &F::SubcoolEd},
        {"SuperheatEd", "Super&heat", {.kind = utTemperatureChange, .format = "%0.1f", .text = "7.5"}, &F::SuperheatEd},
    };
    int r = 2;
    for (const TFieldRow& row : rows) {
        TFmtEdit* field = AddFieldRow(*grid, r++, row.name, row.caption, row.design);
        field->setMaximumWidth(90);
        connect(field, &QLineEdit::textChanged, this, [this, field] {
            if (field == OdEd || field == WallEd)
                SizeTyped(field);
            Recalculate();
        });
        this->*row.field = field;
    }
    SubcoolEd->setToolTip("The valve selector has no sub-cooling: 5 K unless you type another");
    SuperheatEd->setToolTip("Superheat at the compressor inlet, for the mass flow: 7.5 K unless you type another");
    grid->setColumnStretch(3, 1);

    LossLabel = new QLabel(this);
    LossLabel->setObjectName("LossLabel");
    QFont bold = LossLabel->font();
    bold.setBold(true);
    LossLabel->setFont(bold);
    layout->addWidget(LossLabel);
    FlowLabel = new QLabel(this);
    FlowLabel->setObjectName("FlowLabel");
    layout->addWidget(FlowLabel);
    ErrorLabel = new QLabel(this);
    ErrorLabel->setObjectName("ErrorLabel");
    ErrorLabel->setWordWrap(true);
    QPalette palette = ErrorLabel->palette();
    palette.setColor(QPalette::WindowText, QColor(176, 0, 0));
    ErrorLabel->setPalette(palette);
    layout->addWidget(ErrorLabel);
    layout->addStretch(1);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName("Buttons");
    OkButton = Buttons->button(QDialogButtonBox::Ok);
    OkButton->setObjectName("OkButton");
    OkButton->setText("&OK");
    OkButton->setDefault(true);
    CancelButton = Buttons->button(QDialogButtonBox::Cancel);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setText("&Cancel");
    connect(Buttons, &QDialogButtonBox::accepted, this, &TLineLossForm::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &TLineLossForm::reject);
    layout->addWidget(Buttons);

    // Top to bottom, as the rows read.
    QWidget* order[] = {SeriesList, TubeList, OdEd, WallEd, LengthEd, SubcoolEd, SuperheatEd, OkButton, CancelButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    InstallKeyPreview(this, EditNavigationKeys);

    filling_ = true;
    SeriesList->setCurrentIndex(0);
    SeriesPicked();
    TubeList->setCurrentIndex(kTypedSize + 1 + kMetricStartTube);
    filling_ = false;
    TubePicked();
    LoadSettings();
}

void TLineLossForm::LoadSettings()
{
    const TSettingsStore store = Store();
    const std::string section = objectName().toStdString();
    stored_ = store.ValueExists(section, "Series");
    if (!stored_)
        return;
    filling_ = true;
    SeriesList->setCurrentIndex(std::clamp(store.ReadInteger(section, "Series", 0), 0, SeriesList->count() - 1));
    SeriesPicked();
    filling_ = true;
    TubeList->setCurrentIndex(std::clamp(store.ReadInteger(section, "Tube", kTypedSize), 0, TubeList->count() - 1));
    od_ = store.ReadFloat(section, "OD", od_);
    wall_ = store.ReadFloat(section, "Wall", wall_);
    LengthEd->SetValue(store.ReadFloat(section, "Length", LengthEd->Value()));
    SubcoolEd->SetValue(store.ReadFloat(section, "Subcool", SubcoolEd->Value()));
    SuperheatEd->SetValue(store.ReadFloat(section, "Superheat", SuperheatEd->Value()));
    filling_ = false;
    ShowTube();
}

void TLineLossForm::SaveSettings() const
{
    const TSettingsStore store = Store();
    const std::string section = objectName().toStdString();
    store.WriteInteger(section, "Series", SeriesList->currentIndex());
    store.WriteInteger(section, "Tube", TubeList->currentIndex());
    store.WriteFloat(section, "OD", od_);
    store.WriteFloat(section, "Wall", wall_);
    store.WriteFloat(section, "Length", LengthEd->Value());
    store.WriteFloat(section, "Subcool", SubcoolEd->Value());
    store.WriteFloat(section, "Superheat", SuperheatEd->Value());
}

void TLineLossForm::SetPlant(const TLiquidLinePlant& plant, int pressureUnits)
{
    const bool first = !plant_.lib;
    const bool newUnits = first || plant.units != plant_.units;
    plant_ = plant;
    pressureUnits_ = pressureUnits;
    if (newUnits) {
        filling_ = true;
        SwitchUnits(this, plant.units);
        filling_ = false;
    }
    if (first && !stored_ && plant.units == usImperial) {
        SeriesList->setCurrentIndex(tsAcr);
        TubeList->setCurrentIndex(kTypedSize + 1 + kAcrStartTube);
    }
    QString refrigerant = plant.lib ? Text(plant.lib->GetName()) : QString("?");
    PlantLabel->setText(QString("%1, evaporating %2, condensing %3, cooling duty %4")
                            .arg(refrigerant, Text(UnitText(utTemperature, plant.units, plant.te)),
                                 Text(UnitText(utTemperature, plant.units, plant.tc)),
                                 Text(UnitText(utDutyPrim, plant.units, plant.capacity))));
    Recalculate();
}

TLineTube TLineLossForm::Tube() const
{
    TLineTube tube;
    tube.od = od_;
    tube.wall = wall_;
    const double length = LengthEd->Value();
    if (line_ == llRiser) {
        // The friction of the riser's own length plus the weight of its column.
        tube.length = std::abs(length);
        tube.rise = length;
    } else {
        tube.length = length;
    }
    return tube;
}

TLineCycle TLineLossForm::Cycle() const
{
    TLineCycle cycle;
    cycle.capacity = plant_.capacity;
    cycle.te = plant_.te;
    cycle.tc = plant_.tc;
    cycle.sc = SubcoolEd->Value();
    cycle.sh = SuperheatEd->Value();
    return cycle;
}

QString TLineLossForm::LossText() const
{
    return LossLabel->text();
}

QString TLineLossForm::ErrorText() const
{
    return ErrorLabel->text();
}

void TLineLossForm::SeriesPicked()
{
    const bool was = filling_;
    filling_ = true;
    TubeList->clear();
    TubeList->addItem("Typed size");
    for (const TTube& tube : TubeSeries(static_cast<TTubeSeries>(SeriesList->currentIndex())))
        TubeList->addItem(Text(tube.name));
    TubeList->setCurrentIndex(kTypedSize);
    filling_ = was;
}

void TLineLossForm::TubePicked()
{
    if (filling_)
        return;
    const int index = TubeList->currentIndex();
    if (index <= kTypedSize)
        return;
    const TTube& tube = TubeSeries(static_cast<TTubeSeries>(SeriesList->currentIndex()))[index - 1];
    od_ = tube.od;
    wall_ = tube.wall;
    ShowTube();
    Recalculate();
}

void TLineLossForm::ShowTube()
{
    filling_ = true;
    OdEd->SetValue(od_ / kMmPerM);
    WallEd->SetValue(wall_);
    filling_ = false;
}

void TLineLossForm::SizeTyped(TFmtEdit* field)
{
    // A unit change rewrites the text too; only what the user typed is a new size.
    if (filling_ || !field->Modified())
        return;
    od_ = OdEd->Value() * kMmPerM;
    wall_ = WallEd->Value();
    filling_ = true;
    TubeList->setCurrentIndex(kTypedSize);
    filling_ = false;
}

void TLineLossForm::ShowError(const QString& text)
{
    ErrorLabel->setText(text);
    LossLabel->setText("Pressure loss: -");
    FlowLabel->setText("Velocity -");
}

void TLineLossForm::Recalculate()
{
    if (!OkButton)
        return; // still being built
    loss_.reset();
    if (!plant_.lib) {
        ShowError("The plant's conditions are not known: open this window from the valve selector.");
    } else if (!(plant_.capacity > 0)) {
        ShowError("A cooling duty is needed: type it in the Cooling Duty field of the valve selector.");
    } else {
        try {
            const TLineResult r = ComputeLine(*plant_.lib, lkLiquid, Cycle(), Tube());
            loss_ = r.pressureDrop / kPaPerKPa;
            // Empty, or the warning that the loss comes from extrapolated correlations.
            ErrorLabel->setText(Text(r.state.rangeWarning));
            LossLabel->setText(
                Text("Pressure loss: " + FormatWithUnit(utPressure, pressureUnits_, 0, false, " ", true, *loss_).text));
            FlowLabel->setText(Text("Velocity " + UnitText(utVelocity, plant_.units, r.velocity, false) +
                                    ", saturation drop " +
                                    UnitText(utTemperatureChange, plant_.units, r.saturationDrop, false)));
        } catch (const KelvoraError& e) {
            ShowError(Text(e.what()));
        }
    }
    OkButton->setEnabled(loss_.has_value());
}

void TLineLossForm::accept()
{
    // A pending entry counts as if the user had left the field.
    if (auto* field = qobject_cast<TFmtEdit*>(focusWidget()))
        field->CommitEdit();
    Recalculate();
    if (loss_)
        QDialog::accept();
}

void TLineLossForm::done(int result)
{
    // A pending entry counts as if the user had left the field.
    if (auto* field = qobject_cast<TFmtEdit*>(focusWidget()))
        field->CommitEdit();
    SaveSettings();
    QDialog::done(result);
}
