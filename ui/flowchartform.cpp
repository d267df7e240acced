#include "ui/flowchartform.h"

#include <utility>

#include <QApplication>
#include <QColor>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

#include "ui/builtinpictures.h"
#include "core/errors.h"
#include "ui/mainformdesign.h"
#include "widgets/messages.h"
#include "core/pathjoin.h"

namespace {

constexpr QSize kClientSize {547, 435};
constexpr QPoint kPictureAt {8, 93};

QFont LineFont()
{
    QFont font = CaptionFont();
    font.setPixelSize(16);
    return font;
}

QLabel* AddLine(QWidget* parent, const char* name, const char* text, int y, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(LineFont());
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setGeometry(8, y, kClientSize.width() - 16, 22);
    return label;
}

} // namespace

TFlowChartForm::TFlowChartForm(std::string helpPath, QWidget* parent)
    : QDialog(parent, Qt::Tool), helpPath_(std::move(helpPath)),
      chart_([this](const std::string& file) { return ShowPicture(file); })
{
    setObjectName("FlowChartForm");
    setWindowTitle("Fault flowchart");
    setFixedSize(kClientSize);
    setFont(CaptionFont());

    Button1 = new QPushButton("Start", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(8, 8, 48, 25);
    connect(Button1, &QPushButton::clicked, this, &TFlowChartForm::Button1Click);

    Label1 = new QLabel("Click the start button to restart.  Answer with Y or N (Q to quit the test)", this);
    Label1->setObjectName("Label1");
    Label1->move(70, 13);
    Label1->adjustSize();

    QuestionLabel = AddLine(this, "QLabel", "Question...?", 41, QColor(128, 0, 0));
    DLabel = AddLine(this, "DLabel", "Diagnosis...", 68, Qt::black);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->move(kPictureAt);
    // The overview of the whole tree, until the first run loads a picture.
    const QPixmap design = BuiltinChartOverview();
    Image1->setPixmap(design);
    Image1->resize(design.size());

    // The answers reach the chart whichever control has the focus.
    qApp->installEventFilter(this);
}

TFlowChartForm::~TFlowChartForm() = default;

void TFlowChartForm::Button1Click()
{
    chart_.Start();
    ShowLines();
}

bool TFlowChartForm::ShowPicture(const std::string& file)
{
    const std::string path = PathJoin(helpPath_, file);
    QPixmap picture;
    if (!picture.load(QString::fromStdString(path))) {
        // The platform's message for a file that cannot be opened.
        RunCommand([&] { ThrowCannotOpen(path); });
        return false;
    }
    Image1->setPixmap(picture);
    Image1->resize(picture.size());
    return true;
}

void TFlowChartForm::ShowLines()
{
    QuestionLabel->setText(QString::fromStdString(chart_.QuestionLine()));
    DLabel->setText(QString::fromStdString(chart_.ConclusionLine()));
}

bool TFlowChartForm::eventFilter(QObject* receiver, QEvent* e)
{
    if (e->type() != QEvent::KeyPress || !receiver->isWidgetType() || !isVisible())
        return false;
    auto* target = static_cast<QWidget*>(receiver);
    // Only the first delivery, to the focused control (or the window itself).
    if (target->window() != this || (focusWidget() ? target != focusWidget() : target != this))
        return false;
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.size() != 1 || !chart_.Key(text[0].toLatin1()))
        return false;
    ShowLines();
    if (chart_.QuitRun())
        reject();
    return true;
}

void TFlowChartForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    chart_.Activate();
    ShowLines();
}
