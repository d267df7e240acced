#include "tools/txvalveform/txvalveform.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QShowEvent>
#include <QToolButton>
#include <QBoxLayout>

#include "env/findfiles.h"
#include "units/fmtedit.h"
#include "tools/txvalveform/liquidlineform.h"
#include "widgets/messages.h"
#include "widgets/navigationkeys.h"
#include "core/numtext.h"
#include "env/platform.h"
#include "core/refriglib.h"
#include "env/settingsstore.h"
#include "units/switchunits.h"
#include "widgets/toolwindow.h"
#include "units/unitformat.h"
#include "env/widgetplacement.h"
#include "widgets/qttext.h"

namespace {

constexpr const char* kFormSection = "TxValveForm";
constexpr const char* kDialogSection = "ExpValveDialog";

TSettingsStore Store()
{
    return TSettingsStore(ProgramRegistryKey());
}

// The valve ranges of the folder by file name, in alphabetical order whatever
// order the folder lists them in.
QStringList ValveFiles(const std::string& folder)
{
    std::vector<std::string> paths;
    FindFiles(folder, "*.txv", paths, {}, false);
    std::vector<std::string> names;
    for (const auto& path : paths)
        names.push_back(std::filesystem::path(path).filename().string());
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = LowerCase(a);
        const std::string lb = LowerCase(b);
        return la != lb ? la < lb : a < b;
    });
    QStringList list;
    for (const auto& name : names)
        list << Text(name);
    return list;
}

// The pictures of the two flat buttons: the liquid line's losses behind an
// ellipsis, a magnifying glass for the search.
QIcon Picture(void (*draw)(QPainter&))
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

void DrawEllipsis(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    for (int x : {2, 7, 12})
        p.drawEllipse(QRectF(x - 0.5, 10.5, 3, 3));
}

void DrawMagnifier(QPainter& p)
{
    p.setPen(QPen(QColor(40, 40, 40), 1.6));
    p.setBrush(QColor(200, 225, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(40, 40, 40), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

QLabel* NewPressureLabel(QWidget* parent, const char* name, const char* text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::gray);
    label->setPalette(palette);
    return label;
}

} // namespace

TTxValveForm::TTxValveForm(TRefrigLib& lib, std::string dataFolder, QWidget* parent)
    : QDialog(parent), lib_(lib), model_(std::move(dataFolder), [](const std::string& text) { ShowMessage(text); })
{
    setObjectName(kFormSection);
    setWindowTitle("Expansion Valve Selection");
    setMinimumSize(350, 300);
    setMaximumSize(600, 600);
    BuildControls();
    resize(470, 320);
    InstallKeyPreview(this, EditNavigationKeys);
    FormCreate();
}

TTxValveForm::~TTxValveForm() = default;

void TTxValveForm::BuildControls()
{
    const TToolWindowFrame frame = BuildToolWindow(*this);
    QBoxLayout* layout = frame.layout;
    ToolButton1 = frame.accept;
    ToolButton2 = frame.cancel;
    UnitsBtn = AddToolButton(*frame.bar, "UnitsBtn", "&Units");
    UnitsBtn->setToolTip("Use all Metric or Imperial units");
    UnitsBtn->setPopupMode(QToolButton::InstantPopup);
    PopupMenu1 = new QMenu(UnitsBtn);
    PopupMenu1->setObjectName("PopupMenu1");
    Metric1 = PopupMenu1->addAction("&Metric");
    Metric1->setObjectName("Metric1");
    Imperial1 = PopupMenu1->addAction("&Imperial");
    Imperial1->setObjectName("Imperial1");
    UnitsBtn->setMenu(PopupMenu1);
    connect(Metric1, &QAction::triggered, this, &TTxValveForm::Metric1Click);
    connect(Imperial1, &QAction::triggered, this, &TTxValveForm::Imperial1Click);

    fields_ = new QWidget(this);
    fields_->setObjectName("FieldPanel");
    layout->addWidget(fields_, 1);
    auto* body = new QHBoxLayout(fields_);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    body->addLayout(grid);

    CBManuf = AddListRow(*grid, 0, "CBManuf", "Range", 3);
    CBRefrig = AddListRow(*grid, 1, "CBRefrig", "Refrigerant", 3);
    connect(CBManuf, &QComboBox::activated, this, &TTxValveForm::CBManufClick);
    connect(CBRefrig, &QComboBox::activated, this, &TTxValveForm::CBRefrigChange);

    using F = TTxValveForm;
    struct TFieldRow {
        const char* name;
        const char* caption;
        TFmtEditDesign design;
        TFmtEdit* F::*field;
        void (F::*onExit)();
        void (F::*onUnitsEdited)();
    };
    const TFieldRow rows[] = {
        {"EvapTempEd", "Evaporating", {.kind = utTemperature, .format = "%0.1f", .text = "5.5"}, &F::EvapTempEd, &F::PressureFieldExit, nullptr},
        {"CondTempEd", "Condensing", {.kind = utTemperature, .format = "%0.1f", .text = "47.0"}, &F::CondTempEd, &F::PressureFieldExit, nullptr},
        {"LiqLineDPEd", "Liq Line dP", {.kind = utPressure, .formatType = ft_AutoOverride, .format = "%0.3f", .text = "130.000"}, &F::LiqLineDPEd, &F::PressureFieldExit, &F::PressureUnitsEdited},
        {"ValveDpEd", "Tx Valve dP", {.kind = utPressure, .formatType = ft_AutoOverride, .format = "%0.3f", .text = "900.000"}, &F::ValveDpEd, &F::ValveDpEdExit, &F::PressureUnitsEdited},
        {"CapacityEd", "Cooling Duty", {.kind = utDutyPrim, .format = "%0.3f", .text = "21.000"}, &F::CapacityEd, &F::AutoFind, &F::ShowValveCapacity},
    };
    int r = 2;
    for (const TFieldRow& row : rows) {
        TFmtEdit* field = AddFieldRow(*grid, r++, row.name, row.caption, row.design);
        field->setMaximumWidth(90);
        connect(field, &TFmtEdit::OnExit, this, [this, step = row.onExit] { (this->*step)(); });
        if (row.onUnitsEdited)
            connect(field, &TFmtEdit::OnUnitsEdited, this, [this, step = row.onUnitsEdited] { (this->*step)(); });
        this->*row.field = field;
    }
    grid->setRowStretch(r, 1);

    PeLabel = NewPressureLabel(fields_, "PeLabel", "Pe=...");
    PcLabel = NewPressureLabel(fields_, "PcLabel", "Pc=...");
    grid->addWidget(PeLabel, 2, 3);
    grid->addWidget(PcLabel, 3, 3);
    SpeedButton1 = NewFlatButton(fields_, "SpeedButton1", Picture(DrawEllipsis), "Liquid line pressure drop");
    SpeedButton2 = NewFlatButton(fields_, "SpeedButton2", Picture(DrawMagnifier), "AutoFind");
    grid->addWidget(SpeedButton1, 4, 3, Qt::AlignLeft);
    grid->addWidget(SpeedButton2, 6, 3, Qt::AlignLeft);
    connect(SpeedButton1, &QToolButton::clicked, this, &TTxValveForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TTxValveForm::SpeedButton2Click);

    ModelList = new QListWidget(fields_);
    ModelList->setObjectName("ModelList");
    body->addWidget(ModelList, 1);
    // A pick by mouse or arrow keys; tabbing into the list only marks an entry
    // without choosing it.
    connect(ModelList, &QListWidget::itemSelectionChanged, this, [this] {
        if (!selecting_)
            ModelListClick();
    });

    statusText_ = AddStatusLine(*layout);
    StatusBar1 = statusText_->parentWidget();
    // No range chosen yet, or none installed: no valve either.
    ShowValveCapacity();
}

void TTxValveForm::FormCreate()
{
    fileName_ = kDefaultValveFile;
    CBManuf->addItems(ValveFiles(model_.Folder()));
    LoadSettings();
    for (const auto& name : lib_.RefrigNames())
        CBRefrig->addItem(Text(name));
    // Only the list's own position: the refrigerant in force belongs to the main
    // window, and a set-up that selected here would change what the next solve
    // works with behind its back (after a start-up project that failed to load).
    const int current = CBRefrig->findText(Text(lib_.GetName()), Qt::MatchFixedString);
    if (CBRefrig->count() > 0)
        CBRefrig->setCurrentIndex(current >= 0 ? current : 0);
}

namespace {

// The stored unit choices, by value name.
struct TUnitsSetting {
    const char* valueName;
    TFmtEdit* TTxValveForm::*field;
};

const TUnitsSetting kUnitsSettings[] = {
    {"ValveDpUnits", &TTxValveForm::ValveDpEd},
    {"EvapTempUnits", &TTxValveForm::EvapTempEd},
    {"CapacityUnits", &TTxValveForm::CapacityEd},
    {"LiqLineDPUnits", &TTxValveForm::LiqLineDPEd},
    {"CondTempUnits", &TTxValveForm::CondTempEd},
};

} // namespace

void TTxValveForm::LoadSettings()
{
    const TSettingsStore store = Store();
    // Without a stored placement the window opens where the desktop puts dialogs.
    if (store.ValueExists(kFormSection, "Left"))
        RestoreWindowPlacement(*this, false, true);
    fileName_ = store.ReadString(kDialogSection, "FileName", fileName_);
    for (const TUnitsSetting& s : kUnitsSettings) {
        TFmtEdit* field = this->*s.field;
        field->SetUnitsValue(store.ReadInteger(kDialogSection, s.valueName, field->UnitsValue()));
    }
}

void TTxValveForm::SaveSettings()
{
    SaveWindowPlacement(*this);
    const TSettingsStore store = Store();
    store.WriteString(kDialogSection, "FileName", fileName_);
    for (const TUnitsSetting& s : kUnitsSettings)
        store.WriteInteger(kDialogSection, s.valueName, (this->*s.field)->UnitsValue());
}

void TTxValveForm::FormActivate()
{
    const int refrigerant = CBRefrig->findText(Text(lib_.GetName()), Qt::MatchFixedString);
    if (refrigerant >= 0)
        CBRefrig->setCurrentIndex(refrigerant);
    Run(&TTxValveForm::UpdatePressures);
    const int range = CBManuf->findText(Text(fileName_), Qt::MatchFixedString);
    CBManuf->setCurrentIndex(range >= 0 ? range : 0);
    CBManufClick();
}

void TTxValveForm::UpdatePressures()
{
    pressures_ = ValvePressures(lib_, EvapTempEd->Value(), CondTempEd->Value());
    ValveDpEd->SetValue(pressures_.dP - LiqLineDPEd->Value());
    // In the liquid line field's unit, the label right after the number.
    const auto pressure = [this](const char* name, double kPa) {
        return Text(name + FormatWithUnit(utPressure, LiqLineDPEd->UnitsValue(), LiqLineDPEd->UnitsBase(), false, "", true, kPa).text);
    };
    PeLabel->setText(pressure("Pe=", pressures_.Pe));
    PcLabel->setText(pressure("Pc=", pressures_.Pc));
}

void TTxValveForm::UpdateLiquidLine()
{
    LiqLineDPEd->SetValue(pressures_.dP - ValveDpEd->Value());
}

void TTxValveForm::CBManufClick()
{
    // An empty list leaves the stored range as it is for the next start.
    const std::string fileName = CBManuf->currentText().toStdString();
    if (fileName.empty())
        return;
    fileName_ = fileName;
    std::vector<std::string> models;
    RunCommand([&] { models = model_.ValveModels(fileName_); });
    selecting_ = true;
    ModelList->clear();
    for (const auto& name : models)
        ModelList->addItem(Text(name));
    selecting_ = false;
    SelectModel(modelName_);
    AutoFind();
}

void TTxValveForm::AutoFind()
{
    // A lookup that fails leaves no valve rather than the one found before.
    modelName_ = kNoValve;
    capacity_ = 0;
    RunCommand([this] {
        const TValveFound found = model_.SelectValve(fileName_, ValveDropBar(ValveDpEd->Value()), EvapTempEd->Value(),
                                                     CapacityEd->Value());
        modelName_ = found.model;
        capacity_ = found.capacity;
    });
    SelectModel(modelName_);
    ShowValveCapacity();
}

void TTxValveForm::SelectModel(const std::string& name)
{
    const QList<QListWidgetItem*> items = ModelList->findItems(Text(name), Qt::MatchExactly);
    selecting_ = true;
    if (items.isEmpty()) {
        ModelList->setCurrentRow(-1);
        ModelList->clearSelection();
    } else {
        ModelList->setCurrentItem(items.front());
    }
    selecting_ = false;
}

void TTxValveForm::ModelListClick()
{
    const QList<QListWidgetItem*> picked = ModelList->selectedItems();
    if (picked.isEmpty())
        return;
    modelName_ = picked.front()->text().toStdString();
    capacity_ = 0;
    RunCommand([this] {
        capacity_ = model_.ValveCapacity(fileName_, modelName_, EvapTempEd->Value(), ValveDropBar(ValveDpEd->Value()));
    });
    ShowValveCapacity();
}

void TTxValveForm::ShowValveCapacity()
{
    statusText_->setText(Text(ValveCapacityStatus(capacity_, CapacityEd->UnitsValue(), CapacityEd->UnitsBase())));
}

QString TTxValveForm::StatusText() const
{
    return statusText_->text();
}

void TTxValveForm::PressureFieldExit()
{
    if (Run(&TTxValveForm::UpdatePressures))
        AutoFind();
}

void TTxValveForm::ValveDpEdExit()
{
    UpdateLiquidLine();
    AutoFind();
}

void TTxValveForm::PressureUnitsEdited()
{
    Run(&TTxValveForm::UpdatePressures);
}

void TTxValveForm::CBRefrigChange()
{
    const int index = CBRefrig->currentIndex();
    if (index < 0 || !RunCommand([&] { lib_.SelectByIndex(index); }))
        return;
    if (Run(&TTxValveForm::UpdatePressures))
        AutoFind();
}

void TTxValveForm::SpeedButton1Click()
{
    if (!liquidLine_)
        liquidLine_ = new TLiquidLineForm(this);
    // The liquid line window works its losses out at the conditions typed here.
    if (auto* field = qobject_cast<TFmtEdit*>(focusWidget()))
        field->CommitEdit();
    const bool imperial = EvapTempEd->UnitsValue() == ImperialUnitIndex(utTemperature, 0);
    liquidLine_->SetPlant({.lib = &lib_,
                           .te = EvapTempEd->Value(),
                           .tc = CondTempEd->Value(),
                           .capacity = CapacityEd->Value(),
                           .units = imperial ? usImperial : usMetric});
    if (liquidLine_->exec() != QDialog::Accepted)
        return;
    LiqLineDPEd->SetValue(liquidLine_->TotalDP());
    if (Run(&TTxValveForm::UpdatePressures))
        AutoFind();
}

void TTxValveForm::SpeedButton2Click()
{
    AutoFind();
}

void TTxValveForm::SwitchAllUnits(int system)
{
    // The window's own fields only: the liquid line window keeps its unit.
    SwitchUnits(fields_, static_cast<TUnitSystem>(system));
    Run(&TTxValveForm::UpdatePressures);
    ShowValveCapacity();
}

void TTxValveForm::Metric1Click()
{
    SwitchAllUnits(usMetric);
}

void TTxValveForm::Imperial1Click()
{
    SwitchAllUnits(usImperial);
}

bool TTxValveForm::Run(void (TTxValveForm::*step)())
{
    return RunCommand([this, step] { (this->*step)(); });
}

void TTxValveForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Each showing, not the return from a minimised state.
    if (!e->spontaneous())
        FormActivate();
}

void TTxValveForm::done(int result)
{
    SaveSettings();
    QDialog::done(result);
}
