#include "ui/measureform.h"

#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>

#include "ui/builtinpictures.h"
#include "core/cycle.h"
#include "core/errors.h"
#include "units/fmtedit.h"
#include "ui/formposition.h"
#include "units/fmteditlabel.h"
#include "ui/mainform.h"
#include "ui/mainformdesign.h"
#include "widgets/messages.h"
#include "widgets/navigationkeys.h"
#include "core/numtext.h"
#include "env/windowplacement.h"

namespace {

constexpr const char* kFormKey = "MeasureForm";
constexpr QSize kClientSize {545, 244};
constexpr QRect kPictureRect {216, 20, 300, 196};
constexpr int kMeasureFieldWidth = 54;

using F = TMeasureForm;
using K = TKelvora;

struct TMeasureFieldRow {
    const char* name;
    const char* caption;
    TFmtEdit* TMeasureForm::*field;
    double TKelvora::*value;
    TFmtEditDesign design;
    int y;
    void (TMeasureForm::*onExit)();
};

// clang-format off
const TMeasureFieldRow kFields[] = {
    {"edHP", "High Pressure,abs", &F::edHP, &K::HP,
     {.kind = utPressureBar, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = 100, .rangeHi = 100000, .text = "1800.0"},
     20, &F::edHPExit},
    {"edLP", "Low Pressure,abs", &F::edLP, &K::LP,
     {.kind = utPressureBar, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = 100, .rangeHi = 100000, .text = "450.00"},
     52, &F::edLPExit},
    {"edSuction", "Suction Line temp", &F::edSuction, &K::ts,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "10.0"},
     84, &F::edSuctionExit},
    {"edDischarge", "Discharge Line temp", &F::edDischarge, &K::td,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "90.0"},
     116, &F::edDischargeExit},
    {"edLiquid", "Liquid Line temp", &F::edLiquid, &K::tl,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "40.0"},
     148, &F::edLiquidExit},
};
// clang-format on

constexpr int kFieldX = 117;

QPixmap LoadPicture()
{
    const QString path = QDir::current().absoluteFilePath("Images/small_cycle.png");
    QPixmap picture;
    if (picture.load(path))
        return picture;
    RunCommand([&] { ThrowCannotOpen(path.toStdString()); });
    return BuiltinMeasurePicture();
}

} // namespace

TMeasureForm::TMeasureForm(TMainForm& mainForm, TJsonDoc& settings, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), mainForm_(mainForm), settings_(settings)
{
    setObjectName(kFormKey);
    setWindowTitle("COPc");
    setFixedSize(kClientSize);
    setFont(CaptionFont());

    // Below the fields, so that it never takes a click meant for one.
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    const QPixmap picture = LoadPicture();
    Image1->setPixmap(picture);
    Image1->setGeometry(QRect(kPictureRect.topLeft(), picture.isNull() ? kPictureRect.size() : picture.size()));

    TFmtEdit* previous = nullptr;
    const QFontMetrics metrics(font());
    for (const TMeasureFieldRow& row : kFields) {
        const QString name = row.name;
        auto* units = new TFmtEditLabel(this);
        units->setObjectName(name + "Units");
        units->setGeometry(kFieldX + kMeasureFieldWidth + kUnitsGap, row.y, kUnitsWidth, kFieldHeight);
        auto* edit = new TFmtEdit(this);
        edit->setObjectName(name);
        edit->setGeometry(kFieldX, row.y, kMeasureFieldWidth, kFieldHeight);
        edit->Apply(row.design, units);
        connect(edit, &TFmtEdit::OnExit, this, [this, handler = row.onExit](TFmtEdit* field) { FieldExit(field, handler); });
        auto* caption = new QLabel(QString::fromUtf8(row.caption), this);
        caption->setObjectName(name + "Caption");
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int width = metrics.horizontalAdvance(caption->text()) + kCaptionMargin;
        caption->setGeometry(kFieldX - kCaptionGap - width, row.y, width, kFieldHeight);
        this->*row.field = edit;
        if (previous)
            setTabOrder(previous, edit);
        previous = edit;
    }
    InstallKeyPreview(this, EditNavigationKeys);
}

TMeasureForm::~TMeasureForm() = default;

void TMeasureForm::AttachCycle(TKelvora& cycle)
{
    cycle_ = &cycle;
    mainForm_.cbcond->setChecked(true);
    mainForm_.cbevap->setChecked(true);
    for (const TMeasureFieldRow& row : kFields) {
        TFmtEdit* field = this->*row.field;
        field->SetValue(cycle.*row.value);
        field->SetModified(false);
    }
    ShowCaption();
}

void TMeasureForm::Recalculate()
{
    cycle_->Solve(smTdGiven);
    mainForm_.ShowCycle();
    ShowCaption();
}

void TMeasureForm::ShowCaption()
{
    setWindowTitle(QString::fromStdString(FormatNumber("COPc = %0.2f", cycle_->COPc)));
}

void TMeasureForm::FieldExit(TFmtEdit* field, void (TMeasureForm::*handler)())
{
    if (!cycle_ || !field->Modified())
        return;
    RunCommand([&] { (this->*handler)(); });
}

void TMeasureForm::edHPExit()
{
    TKelvora& c = *cycle_;
    c.HP = edHP->Value();
    c.SDT = c.Lib().BubbleT(1000.0 * c.HP);
    c.tc = c.SDT;
    Recalculate();
}

void TMeasureForm::edLPExit()
{
    TKelvora& c = *cycle_;
    c.LP = edLP->Value();
    c.SST = c.Lib().DewT(1000.0 * c.LP);
    c.te = c.SST;
    Recalculate();
}

void TMeasureForm::edSuctionExit()
{
    TKelvora& c = *cycle_;
    c.ts = edSuction->Value();
    c.sh = c.ts - c.SST;
    Recalculate();
}

void TMeasureForm::edDischargeExit()
{
    cycle_->td = edDischarge->Value();
    Recalculate();
}

void TMeasureForm::edLiquidExit()
{
    TKelvora& c = *cycle_;
    c.tl = edLiquid->Value();
    c.sc = c.SDT - c.tl;
    Recalculate();
}

// Placed before it appears: the first time before its window exists, so that the
// window manager puts the frame at the stored corner instead of the inside area.
void TMeasureForm::setVisible(bool visible)
{
    if (visible && !isVisible() && JsonHas(settings_, kFormKey))
        RestoreFormPosition(*this, settings_, kFormKey);
    QDialog::setVisible(visible);
}

void TMeasureForm::done(int result)
{
    StoreFormPosition(*this, settings_, kFormKey);
    QDialog::done(result);
}
