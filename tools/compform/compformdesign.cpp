// The selector's controls and their places: the tool bar with the refrigerant,
// the two lists above, the fields and the data text below, the status line.
#include "tools/compform/compform.h"

#include <algorithm>
#include <iterator>
#include <string>

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QBoxLayout>

#include "widgets/clicklabel.h"
#include "widgets/toolwindow.h"
#include "units/fmtedit.h"
#include "units/fmteditlabel.h"
#include "core/refriglib.h"

namespace {

using F = TCompForm;

struct TFieldRow {
    const char* name;
    const char* caption;
    TFmtEdit* F::*field;
    TFmtEditLabel* F::*unitsLabel; // nullptr: a plain number
    const char* unitsLabelName;
    bool bold;
    TFmtEditDesign design;
};

// clang-format off
const TFieldRow kFields[] = {
    {"DutyFactorEdit", "Duty Factor", &F::DutyFactorEdit, nullptr, nullptr, false,
     {.kind = utNone, .formatType = ft_Manual, .format = "%0.3f", .rangeLo = 0.1, .rangeHi = 10, .text = "1.000"}},
    {"EdEvapTemp", "Suction", &F::EdEvapTemp, &F::TeLabel, "TeLabel", false,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -40, .rangeHi = 30, .text = "5.0"}},
    {"EdCondTemp", "Discharge", &F::EdCondTemp, &F::TcLabel, "TcLabel", false,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = 20, .rangeHi = 90, .text = "48.0"}},
    {"EdQe", "Cooling", &F::EdQe, &F::QeLabel, "QeLabel", true,
     {.kind = utDutyPrim, .format = "%0.3f", .text = "0.000"}},
    {"EdQc", "Heat Rejection", &F::EdQc, &F::QcLabel, "QcLabel", false,
     {.kind = utDutyPrim, .format = "%0.3f", .text = "0.000"}},
};
// clang-format on

constexpr int kArrowSize = 13;

// A small filled triangle pointing left or right, in the label's text colour.
QPixmap ArrowPicture(const QWidget& on, bool right)
{
    const qreal ratio = on.devicePixelRatioF();
    QPixmap picture(QSize(kArrowSize, kArrowSize) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const qreal tip = right ? 11.5 : 1.5;
    const qreal back = right ? 3.5 : 9.5;
    path.moveTo(back, 1.5);
    path.lineTo(tip, 6.5);
    path.lineTo(back, 11.5);
    path.closeSubpath();
    painter.fillPath(path, on.palette().color(QPalette::WindowText));
    return picture;
}

QLabel* ArrowLabel(QWidget* parent, const char* name, bool right, const char* hint)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFixedSize(kArrowSize, kArrowSize);
    label->setPixmap(ArrowPicture(*label, right));
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(hint);
    return label;
}

QListWidget* List(QWidget* parent, const char* name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

void TCompForm::BuildControls()
{
    // Tool bar: the two results on the left, the refrigerant on the right.
    const TToolWindowFrame frame = BuildToolWindow(*this, "Accept", "Cancel");
    QBoxLayout* layout = frame.layout;
    ToolButton1 = frame.accept;
    ToolButton2 = frame.cancel;
    Image1 = ArrowLabel(this, "Image1", false, "Previous refrigerant");
    Image2 = ArrowLabel(this, "Image2", true, "Next refrigerant");
    RefrigLabel = new TClickLabel(this);
    RefrigLabel->setObjectName("RefrigLabel");
    RefrigLabel->setText("Refrigerant");
    QFont refrigFont = RefrigLabel->font();
    refrigFont.setBold(true);
    refrigFont.setUnderline(true);
    RefrigLabel->setFont(refrigFont);
    RefrigLabel->setToolTip("Choose the refrigerant");
    // Room for the longest name of the library, so that the arrows keep their place
    // whichever name stands beside them: pressing one repeatedly without moving the
    // pointer steps through the refrigerants.
    const QFontMetrics metrics(refrigFont);
    int nameWidth = metrics.horizontalAdvance(RefrigLabel->text());
    for (const std::string& name : lib_.RefrigNames())
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(QString::fromStdString(name)));
    RefrigLabel->setMinimumWidth(nameWidth + 2 * RefrigLabel->margin() + 2);
    RefrigLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* gap = new QWidget(this);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    frame.bar->addWidget(gap);
    frame.bar->addWidget(Image1);
    frame.bar->addWidget(Image2);
    auto* space = new QWidget(this);
    space->setFixedWidth(4);
    frame.bar->addWidget(space);
    frame.bar->addWidget(RefrigLabel);

    auto* body = new QGridLayout;
    body->setContentsMargins(6, 4, 6, 6);
    body->setSpacing(6);
    FileNames = List(this, "FileNames");
    CompNames = List(this, "CompNames");
    body->addWidget(FileNames, 0, 0);
    body->addWidget(CompNames, 0, 1);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(4);
    int row = 0;
    for (const TFieldRow& r : kFields) {
        auto* caption = new QLabel(r.caption, this);
        if (r.bold) {
            QFont font = caption->font();
            font.setBold(true);
            caption->setFont(font);
        }
        TFmtEdit* field = this->*r.field = new TFmtEdit(this);
        field->setObjectName(r.name);
        field->setFixedWidth(80);
        caption->setBuddy(field);
        TFmtEditLabel* unitsLabel = nullptr;
        if (r.unitsLabel) {
            unitsLabel = this->*r.unitsLabel = new TFmtEditLabel(this);
            unitsLabel->setObjectName(r.unitsLabelName);
            unitsLabel->setMinimumWidth(44);
        }
        field->Apply(r.design, unitsLabel);
        fields->addWidget(caption, row, 0);
        fields->addWidget(field, row, 1);
        if (unitsLabel)
            fields->addWidget(unitsLabel, row, 2);
        ++row;
    }
    SelBtn = new QToolButton(this);
    SelBtn->setObjectName("SelBtn");
    SelBtn->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    SelBtn->setAutoRaise(true);
    SelBtn->setFixedSize(22, 22);
    SelBtn->setToolTip("Find compressor with this capacity");
    fields->addWidget(SelBtn, 3, 3);
    fields->setRowStretch(row, 1);
    fields->setColumnStretch(4, 1); // the button stays beside the units
    body->addLayout(fields, 1, 0);

    DataMemo = new QPlainTextEdit(this);
    DataMemo->setObjectName("DataMemo");
    DataMemo->setReadOnly(true);
    DataMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    body->addWidget(DataMemo, 1, 1);
    body->setRowStretch(0, 1);
    body->setRowStretch(1, 1);
    body->setColumnStretch(0, 2);
    body->setColumnStretch(1, 3);
    layout->addLayout(body, 1);

    statusText_ = AddStatusLine(*layout);
    statusText_->setText("Select compressor and press accept");
    StatusBar1 = qobject_cast<QStatusBar*>(statusText_->parentWidget());

    // Tab order: the lists, the fields from the top, then the data text.
    QWidget* const order[] = {FileNames, CompNames, DutyFactorEdit, EdEvapTemp, EdCondTemp, EdQe,
                              SelBtn, EdQc, DataMemo};
    for (std::size_t k = 1; k < std::size(order); ++k)
        setTabOrder(order[k - 1], order[k]);
    FileNames->setFocus();
}
