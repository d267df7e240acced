#include "ui/mainform.h"

#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QShowEvent>
#include <QStatusBar>

#include "ui/aboutbox.h"
#include "widgets/clicklabel.h"
#include "core/datarange.h"
#include "core/errors.h"
#include "units/fmtedit.h"
#include "units/fmteditlabel.h"
#include "ui/formposition.h"
#include "ui/mainformdesign.h"
#include "widgets/messages.h"
#include "widgets/navigationkeys.h"
#include "core/numtext.h"
#include "ui/pathlabel.h"
#include "core/pathjoin.h"
#include "widgets/qttext.h"

namespace {

constexpr const char* kFormKey = "MainForm";
constexpr const char* kNotAbleToCalculate = "Warning: Not able to calculate result with this data...";

int CaptionWidth(const QWidget* on, const char* caption)
{
    return QFontMetrics(on->font()).horizontalAdvance(QString::fromUtf8(caption)) + kCaptionMargin;
}

QLabel* AddCaption(QWidget* panel, const QString& name, const char* caption, int x, int y, int height)
{
    auto* label = new QLabel(QString::fromUtf8(caption), panel);
    label->setObjectName(name + "Caption");
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int width = CaptionWidth(panel, caption);
    label->setGeometry(x - kCaptionGap - width, y, width, height);
    return label;
}

} // namespace

TMainForm::TMainForm(TRefrigLib& lib, const TAppVariables& vars, TJsonDoc& settings, QWidget* parent)
    : QMainWindow(parent), vars_(vars), settings_(settings), cycle_(lib)
{
    setObjectName(kFormKey);
    setWindowTitle(Text(vars_.app_title));
    // A fixed frame: no resizing, no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildPanel();
    BuildMenus();
    BuildStatusBar();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    SaveDialog = new QFileDialog(this, "Save Kelvora File");
    SaveDialog->setObjectName("SaveDialog");
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setFileMode(QFileDialog::AnyFile);
    SaveDialog->setNameFilter("Kelvora data file (*.rdf *.RDF)");
    SaveDialog->setDefaultSuffix("rdf");
    SaveDialog->setOption(QFileDialog::DontConfirmOverwrite);

    OpenDialog = new QFileDialog(this, "Load Kelvora File");
    OpenDialog->setObjectName("OpenDialog");
    OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    OpenDialog->setNameFilter("Kelvora data file (*.rdf *.RDF)");

    // The menu's Ctrl+C and Ctrl+V act on the whole cycle, also from inside a field.
    SetClipboardKeysToWindow(this, true);
    InstallKeyPreview(this, EditNavigationKeys);
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedSize(kPanelWidth, kPanelHeight);
    Panel1->setFont(CaptionFont());
    setCentralWidget(Panel1);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, 0, 0);

    std::vector<QWidget*> tabOrder;
    for (const TMainFieldRow& row : MainFieldRows()) {
        const QString name = row.name;
        auto* units = new TFmtEditLabel(Panel1);
        units->setObjectName(name + "Units");
        units->setGeometry(row.x + kFieldWidth + kUnitsGap, row.y, kUnitsWidth, kFieldHeight);
        auto* edit = new TFmtEdit(Panel1);
        edit->setObjectName(name);
        edit->setGeometry(row.x, row.y, kFieldWidth, kFieldHeight);
        edit->Apply(row.design, units);
        AddCaption(Panel1, name, row.caption, row.x, row.y, kFieldHeight);
        if (!row.design.readOnly)
            connect(edit, &TFmtEdit::OnExit, this, [this, link = row.onExit](TFmtEdit* field) { FieldExit(field, link); });
        this->*row.field = edit;
        tabOrder.push_back(edit);
    }
    for (const TMainCheckRow& row : MainCheckRows()) {
        auto* box = new QCheckBox(row.caption, Panel1);
        box->setObjectName(row.name);
        box->setGeometry(row.x, row.y, 20 + CaptionWidth(Panel1, row.caption), kCheckBoxHeight);
        box->setChecked(true);
        this->*row.box = box;
        tabOrder.insert(tabOrder.begin() + row.tabStop, box);
    }
    for (size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    for (const TMainLabelRow& row : MainLabelRows()) {
        auto* label = new QLabel(row.design, Panel1);
        label->setObjectName(row.name);
        label->setGeometry(row.x, row.y, row.width, row.height);
        AddCaption(Panel1, row.name, row.caption, row.x, row.y, row.height);
        this->*row.label = label;
    }

    RefLabel = new TClickLabel(Panel1);
    RefLabel->setObjectName("RefLabel");
    RefLabel->setText("rnum");
    RefLabel->setFont(RefLabelFont());
    RefLabel->setStyleSheet("color: blue");
    RefLabel->setGeometry(334, 43, 80, 20);
    connect(RefLabel, &TClickLabel::clicked, this, [this] { RunCommand([this] { RefLabelClick(); }); });
    auto* refCaption = new QLabel("Refrigerant", Panel1);
    refCaption->setObjectName("RefLabelCaption");
    QFont italic = Panel1->font();
    italic.setItalic(true);
    refCaption->setFont(italic);
    refCaption->setStyleSheet("color: grey");
    refCaption->setGeometry(334, 24, CaptionWidth(refCaption, "Refrigerant"), kCheckBoxHeight);
}

void TMainForm::BuildMenus()
{
    QMenu* menu = nullptr;
    for (const TMenuRow& row : MainMenuRows()) {
        if (row.kind == mrMenu) {
            menu = menuBar()->addMenu(row.caption);
            continue;
        }
        if (row.kind == mrSeparator) {
            menu->addSeparator();
            continue;
        }
        auto* action = new QAction(row.caption, this);
        action->setObjectName(row.name);
        if (row.shortcut)
            action->setShortcut(QKeySequence(row.shortcut, QKeySequence::PortableText));
        if (row.kind == mrCommand)
            menuBar()->addAction(action);
        else
            menu->addAction(action);
        connect(action, &QAction::triggered, this, [this, handler = row.handler] { RunCommand([&] { (this->*handler)(); }); });
        this->*row.action = action;
    }
    // The recent files stand between the last separator and "&Exit", with a
    // separator of their own.
    QMenu* file = menuBar()->actions().front()->menu();
    for (int k = 0; k < kRecentFileCount; ++k) {
        auto* action = new QAction(this);
        action->setObjectName(QString("RecentFile%1").arg(k + 1));
        action->setVisible(false);
        connect(action, &QAction::triggered, this, [this, k] { RunCommand([&] { RecentFileClick(k); }); });
        file->insertAction(Exit1, action);
        RecentFiles[k] = action;
    }
    recentSeparator_ = file->insertSeparator(Exit1);
    recentSeparator_->setVisible(false);
    ShowRecentFiles();

    // Their windows come with their own modules (SetCommandWindow).
    for (QAction* action : {SimpleMeasurement1, Faultfindingchart1, txValve1, CompressorSelector1})
        action->setEnabled(false);
}

void TMainForm::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(kStatusBarHeight);
    // A warning is read whole; the file panel gives way and elides its folder.
    statusPanel_ = new QLabel("Kelvora Status", bar);
    statusPanel_->setObjectName("StatusPanel1");
    statusPanel_->setMinimumWidth(kStatusPanelWidth);
    statusPanel_->setMaximumWidth(kPanelWidth - kStatusFileMinWidth);
    bar->addWidget(statusPanel_);
    filePanel_ = new TPathLabel("File name...", bar);
    filePanel_->setObjectName("StatusPanel2");
    filePanel_->setMinimumWidth(kStatusFileMinWidth);
    bar->addWidget(filePanel_, 1);
}

void TMainForm::ShowProjectFile()
{
    filePanel_->SetPath(Text(projectFile_));
}

void TMainForm::SetAboutBox(TAboutBox* about)
{
    about_ = about;
}

void TMainForm::SetCommandWindow(TMainWindowCommand command, std::function<void()> show)
{
    QAction* const items[] = {nullptr, SimpleMeasurement1, Faultfindingchart1, txValve1, CompressorSelector1};
    if (items[command])
        items[command]->setEnabled(static_cast<bool>(show));
    windows_[command] = std::move(show);
}

void TMainForm::ShowWindow(TMainWindowCommand command)
{
    if (windows_[command])
        windows_[command]();
}

void TMainForm::SetStatusText(const QString& text)
{
    statusPanel_->setText(text);
}

QString TMainForm::StatusText() const
{
    return statusPanel_->text();
}

QString TMainForm::FileStatusText() const
{
    return filePanel_->Path();
}

void TMainForm::Put(TFmtEdit* field, double value)
{
    field->SetValue(value);
    field->SetModified(false);
}

TFmtEdit* TMainForm::FieldOf(double TKelvora::*value) const
{
    for (const TMainFieldRow& row : MainFieldRows())
        if (row.value == value)
            return this->*row.field;
    return nullptr;
}

void TMainForm::ShowCycle()
{
    RefLabel->setText(Text(Lib().GetName()));
    COPLabel->setText(Text(FormatNumber("%0.2f", cycle_.COPc)));
    x4Label->setText(Text(FormatNumber("%0.2f", cycle_.x4)));
    for (double TKelvora::*value : ShowCycleOrder())
        Put(FieldOf(value), cycle_.*value);
    cbevap->setChecked(cycle_.LinkTeSST);
    cbcond->setChecked(cycle_.LinkTcSDT);
}

void TMainForm::ReadCycle()
{
    cycle_.rnum = Lib().GetName();
    for (double TKelvora::*value : ReadCycleOrder())
        cycle_.*value = FieldOf(value)->Value();
    cycle_.LinkTeSST = cbevap->isChecked();
    cycle_.LinkTcSDT = cbcond->isChecked();
}

void TMainForm::SetSolved(bool solved)
{
    solved_ = solved;
    SetStatusText(solved ? "Solved..." : "Not solved...");
}

void TMainForm::SolveCycle()
{
    // A pending entry counts as if the user had left the field.
    if (auto* field = qobject_cast<TFmtEdit*>(focusWidget()))
        field->CommitEdit();
    ReadCycle();
    SetStatusText("");
    bool solved = false;
    try {
        cycle_.Solve(smIeGiven);
        solved = cycle_.ErrCount == 0;
    } catch (const KelvoraError&) {
        // The model keeps what it computed before the fault; it is shown below.
    }
    if (solved) {
        SetSolved(true);
    } else {
        solved_ = false;
        SetStatusText(kNotAbleToCalculate);
    }
    SetStatusText(StatusText() + Text(DataRangeNote(cycle_)));
    ShowCycle();
}

void TMainForm::FieldExit(TFmtEdit* field, void (TMainForm::*link)())
{
    if (!field->Modified())
        return;
    if (link)
        RunCommand([&] { (this->*link)(); });
    SetSolved(false);
}

void TMainForm::FormActivate()
{
    if (!firstActivation_)
        return;
    // Cleared first: the start-up project's message box deactivates the window, and a
    // failed start-up still counts as done.
    firstActivation_ = false;

    RestoreFormPosition(*this, settings_, kFormKey);

    if (about_) {
        about_->ProductName->setText(Text(vars_.app_name));
        about_->Version->setText(Text("Version: " + vars_.ver_num));
    }

    // Without its picture the window still works; the fields stand on the bare panel.
    const QPixmap picture(Text(PathJoin(vars_.images_path, "cycle.png")));
    Image1->setPixmap(picture);
    Image1->setGeometry(0, 0, picture.width(), picture.height());

    projectFile_ = PathJoin(vars_.projects_path, "Default.rdf");
    RunCommand([this] { Load1Click(); });
}

bool TMainForm::event(QEvent* e)
{
    const bool handled = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate && firstActivation_)
        FormActivate();
    return handled;
}

void TMainForm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (firstActivation_)
        QMetaObject::invokeMethod(this, &TMainForm::FormActivate, Qt::QueuedConnection);
}

void TMainForm::closeEvent(QCloseEvent* e)
{
    StoreFormPosition(*this, settings_, kFormKey);
    QMainWindow::closeEvent(e);
}
