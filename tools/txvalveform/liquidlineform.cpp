#include "tools/txvalveform/liquidlineform.h"

#include <iterator>

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QBoxLayout>

#include "units/fmtedit.h"
#include "widgets/navigationkeys.h"
#include "env/platform.h"
#include "env/settingsstore.h"
#include "units/switchunits.h"
#include "widgets/toolwindow.h"
#include "env/widgetplacement.h"

namespace {

constexpr const char* kSection = "LiquidLineForm";
// "Bar", the fourth pressure unit, until a stored choice is loaded.
constexpr int kBarChoice = 3;

struct TLossRow {
    const char* name;
    const char* caption;
    const char* valueName; // stored value
    double defaultKPa;
    const char* design; // the text the window opens with, in bar
    TFmtEdit* TLiquidLineForm::*field;
};

using L = TLiquidLineForm;
const TLossRow kLosses[] = {
    {"LiqLineEd", "Liquid Line", "LiqLine", 10.0, "0.10000", &L::LiqLineEd},
    {"LiqFittingEd", "Liquid Fittings", "LiqFitting", 20.0, "0.20000", &L::LiqFittingEd},
    {"LiqRiserEd", "Vertical Liq Line", "LiqRiser", 0.0, "0.00000", &L::LiqRiserEd},
    {"LiqDistribEd", "Liquid Distributor", "LiqDistrib", 50.0, "0.50000", &L::LiqDistribEd},
    {"DistribTubesEd", "Distributor Tubes", "DistribTubes", 50.0, "0.50000", &L::DistribTubesEd},
};

TSettingsStore Store()
{
    return TSettingsStore(ProgramRegistryKey());
}

} // namespace

TLiquidLineForm::TLiquidLineForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(kSection);
    setWindowTitle("Liquid Line dP");
    const TToolWindowFrame frame = BuildToolWindow(*this);
    QBoxLayout* layout = frame.layout;
    ToolButton1 = frame.accept;
    ToolButton2 = frame.cancel;
    ToolButton3 = AddToolButton(*frame.bar, "ToolButton3", "&Reset", QStyle::SP_BrowserReload);
    connect(ToolButton3, &QToolButton::clicked, this, &TLiquidLineForm::ToolButton3Click);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(9, 9, 9, 9);
    grid->setHorizontalSpacing(6);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid, 1); // before the rows, which take their parent from it
    for (int i = 0; i < static_cast<int>(std::size(kLosses)); ++i) {
        const TLossRow& row = kLosses[i];
        TFmtEdit* field = AddFieldRow(*grid, i, row.name, row.caption,
                                      {.kind = utPressure, .unitsValue = kBarChoice, .format = "%0.5f", .text = row.design});
        field->setMaximumWidth(90);
        connect(field, &TFmtEdit::OnUnitsEdited, this, &TLiquidLineForm::UnitsEdited);
        connect(field, &TFmtEdit::OnExit, this, &TLiquidLineForm::EdExit);
        this->*row.field = field;
    }
    grid->setRowStretch(static_cast<int>(std::size(kLosses)), 1);
    // Beside the two losses a tube and a length give; the buttons take no focus,
    // so Tab and Enter stay among the fields, and their mnemonics reach them.
    const auto calculate = [&](const char* name, const char* text, int row, TLineLossForm::TLossLine line) {
        auto* button = new QPushButton(text, grid->parentWidget());
        button->setObjectName(name);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setToolTip("Work the loss out for a copper tube and its length at the valve selector's conditions");
        grid->addWidget(button, row, 3, Qt::AlignLeft);
        connect(button, &QPushButton::clicked, this, [this, line] { CalculateClick(line); });
        return button;
    };
    LiqLineCalcBtn = calculate("LiqLineCalcBtn", "Ca&lculate…", 0, TLineLossForm::llRun);
    LiqRiserCalcBtn = calculate("LiqRiserCalcBtn", "Calc&ulate…", 2, TLineLossForm::llRiser);
    statusText_ = AddStatusLine(*layout);
    StatusBar1 = statusText_->parentWidget();

    resize(360, 220);
    InstallKeyPreview(this, EditNavigationKeys);
    FormCreate();
}

void TLiquidLineForm::FormCreate()
{
    const TSettingsStore store = Store();
    if (store.ValueExists(kSection, "Left"))
        RestoreWindowPlacement(*this, false, true);
    LiqLineEd->SetUnitsValue(store.ReadInteger(kSection, "Units", LiqLineEd->UnitsValue()));
    for (const TLossRow& row : kLosses)
        (this->*row.field)->SetValue(store.ReadFloat(kSection, row.valueName, row.defaultKPa));
    SetUnits(LiqLineEd->UnitsValue());
    ShowTotal();
}

void TLiquidLineForm::FormClose()
{
    SaveWindowPlacement(*this);
    const TSettingsStore store = Store();
    store.WriteInteger(kSection, "Units", LiqLineEd->UnitsValue());
    for (const TLossRow& row : kLosses)
        store.WriteFloat(kSection, row.valueName, (this->*row.field)->Value());
}

double TLiquidLineForm::TotalDP() const
{
    double total = 0;
    for (const TLossRow& row : kLosses)
        total += (this->*row.field)->Value();
    return total;
}

QString TLiquidLineForm::StatusText() const
{
    return statusText_->text();
}

void TLiquidLineForm::ShowTotal()
{
    statusText_->setText(QString::fromStdString("Total dP = " + FormatFieldWithUnit(*LiqLineEd, true, " ", TotalDP()).text));
}

void TLiquidLineForm::SetUnits(int choice)
{
    for (const TLossRow& row : kLosses)
        (this->*row.field)->SetUnitsValue(choice);
}

void TLiquidLineForm::ToolButton3Click()
{
    for (const TLossRow& row : kLosses)
        (this->*row.field)->SetValue(row.defaultKPa);
    ShowTotal();
}

void TLiquidLineForm::UnitsEdited(TFmtEdit* sender)
{
    SetUnits(sender->UnitsValue());
    ShowTotal();
}

void TLiquidLineForm::EdExit(TFmtEdit* sender)
{
    if (sender->Modified())
        ShowTotal();
}

void TLiquidLineForm::CalculateClick(TLineLossForm::TLossLine line)
{
    const bool riser = line == TLineLossForm::llRiser;
    TLineLossForm*& form = riser ? LiqRiserCalc : LiqLineCalc;
    TFmtEdit* field = riser ? LiqRiserEd : LiqLineEd;
    if (!form)
        form = new TLineLossForm(line, this);
    form->SetPlant(plant_, field->UnitsValue());
    if (form->exec() != QDialog::Accepted || !form->Loss())
        return;
    // As if the user had typed the loss into the field and left it.
    field->SetValue(*form->Loss());
    ShowTotal();
}

void TLiquidLineForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    ShowTotal();
}

void TLiquidLineForm::done(int result)
{
    // A pending entry counts as if the user had left the field.
    if (auto* field = qobject_cast<TFmtEdit*>(focusWidget()))
        field->CommitEdit();
    FormClose();
    QDialog::done(result);
}
