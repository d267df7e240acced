#include "ui/refrigtypeform.h"

#include <string>

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

#include "units/fmtedit.h"
#include "units/fmteditlabel.h"
#include "ui/mainformdesign.h"
#include "widgets/messages.h"
#include "widgets/navigationkeys.h"
#include "core/numtext.h"
#include "core/refriglib.h"
#include "core/refrigsummary.h"

namespace {

constexpr QSize kClientSize {454, 324};
// The window may be sized from 420 x 350 to 600 x 600 as a whole; its client area
// is that less a tool window's frame.
constexpr QSize kToolFrame {8, 26};
constexpr QSize kMinimumSize = QSize(420, 350) - kToolFrame;
constexpr QSize kMaximumSize = QSize(600, 600) - kToolFrame;

constexpr int kListWidth = 139;
constexpr int kPickerFieldWidth = 70;
constexpr int kPickerFieldX = 103;
constexpr int kMemoTop = 92;
constexpr int kMargin = 6;
constexpr QSize kButtonSize {50, 22};

struct TPickerFieldRow {
    const char* name;
    const char* caption;
    TFmtEdit* TRefrigTypeForm::*field;
    TFmtEditDesign design;
    int y;
    void (TRefrigTypeForm::*onExit)();
};

using R = TRefrigTypeForm;

// Both without a range: any temperature or pressure converts.
const TPickerFieldRow kFields[] = {
    {"edTemp", "Temperature", &R::edTemp, {.kind = utTemperature, .format = "%0.1f", .text = "6.0"}, 31, &R::edTempExit},
    {"edPress", "Abs. Pressure", &R::edPress, {.kind = utPressure, .formatType = ft_Auto, .format = "%0.3f", .text = "500.00"}, 61, &R::edPressExit},
};

QFont MemoFont()
{
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    return font;
}

} // namespace

TRefrigTypeForm::TRefrigTypeForm(TRefrigLib& lib, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), lib_(lib)
{
    setObjectName("RefrigTypeForm");
    setWindowTitle("Refrigerant");
    setFont(CaptionFont());
    setMinimumSize(kMinimumSize);
    setMaximumSize(kMaximumSize);
    setSizeGripEnabled(false);

    RefrigList = new QListWidget(this);
    RefrigList->setObjectName("RefrigList");
    connect(RefrigList, &QListWidget::currentRowChanged, this, [this] {
        if (!filling_)
            RunCommand([this] { RefrigListClick(); });
    });

    Heading = new QLabel("Saturated Vapor State", this);
    Heading->setObjectName("Heading");
    QFont bold = font();
    bold.setBold(true);
    Heading->setFont(bold);
    Heading->move(kListWidth + 13, 7);
    Heading->adjustSize();

    AcceptBtn = new QPushButton("OK", this);
    AcceptBtn->setObjectName("AcceptBtn");
    AcceptBtn->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    connect(AcceptBtn, &QPushButton::clicked, this, &QDialog::accept);

    for (const TPickerFieldRow& row : kFields) {
        const QString name = row.name;
        auto* units = new TFmtEditLabel(this);
        units->setObjectName(name + "Units");
        units->setGeometry(kListWidth + kPickerFieldX + kPickerFieldWidth + kUnitsGap, row.y, kUnitsWidth, kFieldHeight);
        auto* edit = new TFmtEdit(this);
        edit->setObjectName(name);
        edit->setGeometry(kListWidth + kPickerFieldX, row.y, kPickerFieldWidth, kFieldHeight);
        edit->Apply(row.design, units);
        connect(edit, &TFmtEdit::OnExit, this, [this, handler = row.onExit] { RunCommand([&] { (this->*handler)(); }); });
        auto* caption = new QLabel(row.caption, this);
        caption->setObjectName(name + "Caption");
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        caption->setGeometry(kListWidth + kMargin, row.y, kPickerFieldX - kMargin - kCaptionGap, kFieldHeight);
        this->*row.field = edit;
    }

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setFont(MemoFont());

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(true);

    setTabOrder(RefrigList, AcceptBtn);
    setTabOrder(AcceptBtn, edTemp);
    setTabOrder(edTemp, edPress);
    InstallKeyPreview(this, EditNavigationKeys);

    resize(kClientSize);
    Arrange();
    FillList();
    filling_ = true;
    RefrigList->setCurrentRow(0);
    filling_ = false;
    RunCommand([this] { ShowDewPressure(); });
}

TRefrigTypeForm::~TRefrigTypeForm() = default;

void TRefrigTypeForm::FillList()
{
    filling_ = true;
    RefrigList->clear();
    for (const std::string& name : lib_.RefrigNames())
        RefrigList->addItem(QString::fromStdString(name));
    filling_ = false;
}

void TRefrigTypeForm::ShowDewPressure()
{
    edPress->SetValue(lib_.DewP(edTemp->Value()) * 0.001);
}

void TRefrigTypeForm::RefrigListClick()
{
    if (QListWidgetItem* item = RefrigList->currentItem()) {
        // Loads the record at once; a damaged one raises, and the data text shows
        // whatever the library then holds.
        RunCommand([&] { lib_.SelectByName(item->text().toStdString()); });
        RunCommand([this] { ShowDewPressure(); });
        FillMemo();
    }
}

void TRefrigTypeForm::edTempExit()
{
    ShowDewPressure();
}

void TRefrigTypeForm::edPressExit()
{
    edTemp->SetValue(lib_.DewT(1000.0 * edPress->Value()));
}

void TRefrigTypeForm::FillMemo()
{
    QStringList lines;
    for (const std::string& line : RefrigSummaryLines(lib_, edTemp->Value(), edPress->Value()))
        lines << QString::fromStdString(line);
    Memo1->setPlainText(lines.join('\n'));
}

void TRefrigTypeForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FillList();
    filling_ = true;
    RefrigList->setCurrentRow(-1);
    for (int row = 0; row < RefrigList->count(); ++row)
        if (SameText(RefrigList->item(row)->text().toStdString(), lib_.GetName()))
            RefrigList->setCurrentRow(row);
    filling_ = false;
    StatusBar1->showMessage("Select refrigerant and press OK");
    RunCommand([this] { ShowDewPressure(); });
    FillMemo();
}

void TRefrigTypeForm::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    Arrange();
}

// The list down the left edge, the OK button in the top right corner and the data
// text below the converter take what the window's size gives them.
void TRefrigTypeForm::Arrange()
{
    const int statusHeight = StatusBar1->sizeHint().height();
    const int bottom = height() - statusHeight;
    StatusBar1->setGeometry(0, bottom, width(), statusHeight);
    RefrigList->setGeometry(0, 0, kListWidth, bottom);
    AcceptBtn->setGeometry(QRect(QPoint(width() - kMargin - kButtonSize.width(), kMargin), kButtonSize));
    Memo1->setGeometry(kListWidth + kMargin, kMemoTop, width() - kListWidth - 2 * kMargin, bottom - kMemoTop - kMargin);
}
