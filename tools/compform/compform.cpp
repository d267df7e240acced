#include "tools/compform/compform.h"

#include <filesystem>
#include <utility>

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>

#include "widgets/clicklabel.h"
#include "tools/compressor/comp.h"
#include "units/fmtedit.h"
#include "units/fmteditlabel.h"
#include "tools/compform/compdatalines.h"
#include "widgets/messages.h"
#include "widgets/navigationkeys.h"
#include "core/numtext.h"
#include "env/platform.h"
#include "core/refriglib.h"
#include "env/settingsstore.h"
#include "env/widgetplacement.h"
#include "widgets/qttext.h"

namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kCompressorSection = "Compressor";
constexpr double kNoFilter = -99;  // te or tc of CompressorFiles that tests no range
constexpr int kAllCompressors = 2; // listing kind that ignores the selection flags
constexpr double kNoLimit = -1;

// Stored conditions outside these bands are replaced, so that a damaged or very
// old setting never opens the selector far outside any compressor's range.
constexpr double kTeLo = -60, kTeHi = 20, kTeDefault = 5.5;
constexpr double kTcLo = 35, kTcHi = 90, kTcDefault = 47.5;

std::string FileNamePart(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// The program's own selection of a row, which is no click of the user's.
void SelectRow(QListWidget* list, int row)
{
    const QSignalBlocker quiet(list);
    list->setCurrentRow(row);
    if (row < 0)
        list->clearSelection();
}

void Fill(QListWidget* list, const std::vector<std::string>& texts)
{
    const QSignalBlocker quiet(list);
    list->clear();
    for (const auto& t : texts)
        list->addItem(Text(t));
}

// After a refill, the row to select again: the first when nothing was selected,
// the last when the one before lies beyond the end now.
int RowAfterRefill(int before, int count)
{
    if (before < 0)
        return count > 0 ? 0 : -1;
    return before >= count ? count - 1 : before;
}

// Both lists of a re-synchronisation appear at once.
class TNoRepaint {
public:
    explicit TNoRepaint(QWidget* w) : w_(w), was_(w->updatesEnabled()) { w_->setUpdatesEnabled(false); }
    ~TNoRepaint() { w_->setUpdatesEnabled(was_); }

private:
    QWidget* w_;
    bool was_;
};

} // namespace

TCompForm::TCompForm(TComp& comp, TRefrigLib& lib, QWidget* parent) : QDialog(parent), comp_(comp), lib_(lib)
{
    setObjectName("CompForm");
    setWindowTitle("Select Compressor");
    setSizeGripEnabled(false);
    setMinimumSize(400, 350);
    resize(660, 440);
    BuildControls();
    ConnectControls();
    FolderDialog1.Title = "Select compressor library folder";
    InstallKeyPreview(this, DialogNavigationKeys);

    LoadSettings();
    RefrigLabel->setText(Text(lib_.GetName()));
    SetConditions(te_, tc_);
    if (!comp_.FolderList().empty())
        RunCommand([this] { RefreshFileList(); });
}

TCompForm::~TCompForm() = default;

void TCompForm::ConnectControls()
{
    const auto on = [this](auto* sender, auto signal, void (TCompForm::*handler)()) {
        connect(sender, signal, this, [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    on(SelBtn, &QToolButton::clicked, &TCompForm::SelBtnClick);
    on(RefrigLabel, &TClickLabel::clicked, &TCompForm::RefrigLabelClick);
    on(FileNames, &QListWidget::currentRowChanged, &TCompForm::FileNamesClick);
    on(CompNames, &QListWidget::currentRowChanged, &TCompForm::CompNamesClick);
    on(EdEvapTemp, &TFmtEdit::OnExit, &TCompForm::EdEvapTempExit);
    on(EdCondTemp, &TFmtEdit::OnExit, &TCompForm::EdCondTempExit);
    on(DutyFactorEdit, &TFmtEdit::OnExit, &TCompForm::DutyFactorEditExit);
    on(EdEvapTemp, &TFmtEdit::OnUnitsEdited, &TCompForm::EdEvapTempUnitsEdited);
    on(EdCondTemp, &TFmtEdit::OnUnitsEdited, &TCompForm::EdCondTempUnitsEdited);
    on(EdQe, &TFmtEdit::OnUnitsEdited, &TCompForm::EdQeUnitsEdited);
    on(EdQc, &TFmtEdit::OnUnitsEdited, &TCompForm::EdQcUnitsEdited);
    Image1->installEventFilter(this);
    Image2->installEventFilter(this);
}

bool TCompForm::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton &&
        (watched == Image1 || watched == Image2)) {
        RunCommand([this, watched] { watched == Image1 ? Image1MouseDown() : Image2MouseDown(); });
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

// Settings

void TCompForm::LoadSettings()
{
    const TSettingsStore program(ProgramRegistryKey());
    // Without a stored place the dialog opens centred over the main window.
    if (program.ValueExists(objectName().toStdString(), "Left"))
        RestoreWindowPlacement(*this, false, true);
    te_ = program.ReadFloat(kSettings, "CompressorTe", te_);
    tc_ = program.ReadFloat(kSettings, "CompressorTc", tc_);
    if (!(te_ >= kTeLo && te_ <= kTeHi))
        te_ = kTeDefault;
    if (!(tc_ >= kTcLo && tc_ <= kTcHi))
        tc_ = kTcDefault;
    const TSettingsStore common(kCommonRegistryKey);
    const int temp = common.ReadInteger(kCompressorSection, "UnitsTemp", EdEvapTemp->UnitsValue());
    EdEvapTemp->SetUnitsValue(temp);
    EdCondTemp->SetUnitsValue(temp);
    const int duty = common.ReadInteger(kCompressorSection, "UnitsDuty", EdQe->UnitsValue());
    EdQe->SetUnitsValue(duty);
    EdQc->SetUnitsValue(duty);
}

void TCompForm::SaveSettings() const
{
    SaveWindowPlacement(*this);
    const TSettingsStore program(ProgramRegistryKey());
    program.WriteFloat(kSettings, "CompressorTe", te_);
    program.WriteFloat(kSettings, "CompressorTc", tc_);
    const TSettingsStore common(kCommonRegistryKey);
    common.WriteInteger(kCompressorSection, "UnitsTemp", EdEvapTemp->UnitsValue());
    common.WriteInteger(kCompressorSection, "UnitsDuty", EdQe->UnitsValue());
}

void TCompForm::SetConditions(double te, double tc)
{
    te_ = te;
    tc_ = tc;
    EdEvapTemp->SetValue(te);
    EdCondTemp->SetValue(tc);
}

// Activation and deactivation

void TCompForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    closing_ = false;
    // Once per showing, after the window is up: the question and the folder
    // browser it may open stand over it, and their closing must not ask again.
    if (!e->spontaneous())
        QMetaObject::invokeMethod(
            this, [this] { if (isVisible()) RunCommand([this] { FormActivate(); }); }, Qt::QueuedConnection);
}

bool TCompForm::event(QEvent* e)
{
    if (e->type() == QEvent::WindowDeactivate && isVisible() && !closing_)
        RunCommand([this] { FormDeactivate(); });
    return QDialog::event(e);
}

void TCompForm::done(int result)
{
    if (!closing_) {
        closing_ = true;
        RunCommand([this] { FormDeactivate(); });
    }
    QDialog::done(result);
}

void TCompForm::FormActivate()
{
    if (!isModal() && !firstActivation_)
        return;
    firstActivation_ = false;
    // Without data files the selector has nothing to offer: it closes and the
    // user is back in the main window with the cycle as it was.
    if (comp_.FolderList().empty() && !AskForDataFolder()) {
        reject();
        return;
    }
    SyncWithModel();
}

// A pending entry counts before the conditions are stored.
void TCompForm::FormDeactivate()
{
    if (auto* field = qobject_cast<TFmtEdit*>(focusWidget()))
        field->CommitEdit();
    SaveSettings();
}

bool TCompForm::Ask(const QString& question)
{
    if (question_)
        return question_(question);
    QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    return box.exec() == QMessageBox::Yes;
}

bool TCompForm::AskForDataFolder()
{
    if (!Ask("Compressor data files not found.  Find now?"))
        return false;
    if (!FolderDialog1.Execute(this))
        return true; // the window stays open with empty lists
    comp_.SetDataFolder(FolderDialog1.Directory().toStdString());
    if (comp_.FolderList().empty()) {
        ShowMessage("No compressor data files found!");
        return false;
    }
    RefreshFileList();
    TSettingsStore(kCommonRegistryKey).WriteString("DataPath", "Compressor", comp_.DataFolder());
    return true;
}

// Lists and model

std::string TCompForm::SelectedFile() const
{
    const int row = FileNames->currentRow();
    return row >= 0 && row < static_cast<int>(filePaths_.size()) ? filePaths_[row] : "";
}

void TCompForm::SyncWithModel()
{
    DutyFactorEdit->SetValue(comp_.DutyFactor());
    const bool inStep = !SelectedFile().empty() && SameText(SelectedFile(), comp_.FileName()) &&
        CompNames->currentItem() &&
        SameText(CompNames->currentItem()->text().toStdString(), comp_.CompName()) &&
        SameText(RefrigLabel->text().toStdString(), lib_.GetName());
    if (inStep)
        return;
    const TNoRepaint still(this);
    RefrigLabel->setText(Text(lib_.GetName()));
    // Re-selecting the model's own file and compressor must not search by capacity.
    struct TAutoSelectOff {
        bool& flag;
        ~TAutoSelectOff() { flag = true; }
    } autoSelectOff {autoSelect_};
    autoSelect_ = false;
    DataMemo->clear();
    RefreshFileList();
    int fileRow = -1;
    for (std::size_t k = 0; k < filePaths_.size(); ++k)
        if (SameText(filePaths_[k], comp_.FileName()))
            fileRow = static_cast<int>(k);
    SelectRow(FileNames, fileRow);
    FileNamesClick();
    const auto found = CompNames->findItems(Text(comp_.CompName()), Qt::MatchFixedString);
    SelectRow(CompNames, comp_.CompName().empty() || found.isEmpty() ? -1 : CompNames->row(found.front()));
    CompNamesClick();
}

void TCompForm::RefreshFileList()
{
    const int before = FileNames->currentRow();
    filePaths_ = comp_.CompressorFiles(RefrigLabel->text().toStdString(), "", kNoFilter, kNoFilter);
    std::vector<std::string> names;
    for (const auto& path : filePaths_)
        names.push_back(FileNamePart(path));
    Fill(FileNames, names);
    if (autoSelect_)
        SelectRow(FileNames, RowAfterRefill(before, FileNames->count()));
    FileNamesClick();
}

void TCompForm::FileNamesClick()
{
    const int before = CompNames->currentRow();
    Fill(CompNames, {});
    DataMemo->clear();
    const std::string file = SelectedFile();
    if (!file.empty())
        comp_.SetFileName(file);
    if (file.empty() || comp_.FileIndex() == -1) {
        ClearPerformance();
        return;
    }
    statusText_->setText(Text(comp_.FileName()));
    Fill(CompNames, comp_.CompressorNames());
    if (autoSelect_) {
        if (SelectByCapacity())
            return;
        SelectRow(CompNames, RowAfterRefill(before, CompNames->count()));
    }
    CompNamesClick();
}

void TCompForm::CompNamesClick()
{
    const int row = CompNames->currentRow();
    if (comp_.FileIndex() == -1 || row < 0) {
        ClearPerformance();
        return;
    }
    if (!comp_.SelectCompressor(comp_.FileName(), row)) {
        ShowMessage("Error finding compressor in file");
        return;
    }
    if (ShowPerformance())
        ShowData();
}

bool TCompForm::ShowsCompressor() const
{
    return !SelectedFile().empty() && comp_.FileIndex() != -1 && CompNames->currentRow() >= 0;
}

// The model still holds the compressor loaded last, perhaps of another
// refrigerant; without one of the shown lists the window shows no figures of it.
void TCompForm::ClearPerformance()
{
    EdQe->setText("");
    EdQc->setText("");
    ShowStatus("");
}

bool TCompForm::ShowPerformance()
{
    return RunCommand([this] {
        const double qe = comp_.Capacity(te_, tc_);
        const double qc = comp_.HeatRejection(te_, tc_);
        EdQe->SetValue(qe);
        EdQc->SetValue(qc);
        ShowStatus(comp_.StatusText());
    });
}

void TCompForm::ShowData()
{
    QStringList lines;
    for (const auto& line : CompDataLines(comp_, lib_.GetName()))
        lines << Text(line);
    DataMemo->setPlainText(lines.join(u'\n'));
}

void TCompForm::Recalculate()
{
    if (ShowsCompressor())
        ShowPerformance();
}

void TCompForm::ShowStatus(const std::string& text)
{
    statusText_->setText(text.empty() ? QString("Select compressor...") : Text(text));
}

QString TCompForm::StatusText() const
{
    return statusText_->text();
}

// The smallest compressor of the file that covers the capacity in EdQe, for files
// listed in order of capacity.
bool TCompForm::SelectByCapacity()
{
    // Only among the compressors shown: with no file for the refrigerant the
    // model's file is one of another refrigerant.
    if (SelectedFile().empty() || comp_.FileIndex() == -1)
        return false;
    TCapacityList list;
    if (!RunCommand([&] { list = comp_.ListCapacities(kAllCompressors, kNoLimit, te_, tc_); }))
        return false;
    const int k = ::SelectByCapacity(list.Capacities, EdQe->Value());
    if (k < 0)
        return false;
    const auto found = CompNames->findItems(Text(list.Names[k]), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty())
        return false;
    SelectRow(CompNames, CompNames->row(found.front()));
    CompNamesClick();
    return true;
}

void TCompForm::SelBtnClick()
{
    SelectByCapacity();
}

// Field exits

void TCompForm::ConditionLeft(const TFmtEdit* field, double& condition)
{
    if (!field->Modified())
        return;
    condition = field->Value();
    Recalculate();
}

void TCompForm::EdEvapTempExit()
{
    ConditionLeft(EdEvapTemp, te_);
}

void TCompForm::EdCondTempExit()
{
    ConditionLeft(EdCondTemp, tc_);
}

void TCompForm::DutyFactorEditExit()
{
    if (!DutyFactorEdit->Modified())
        return;
    comp_.SetDutyFactor(DutyFactorEdit->Value());
    Recalculate();
}

void TCompForm::EdEvapTempUnitsEdited()
{
    EdCondTemp->SetUnitsValue(EdEvapTemp->UnitsValue());
}

void TCompForm::EdCondTempUnitsEdited()
{
    EdEvapTemp->SetUnitsValue(EdCondTemp->UnitsValue());
}

void TCompForm::EdQeUnitsEdited()
{
    EdQc->SetUnitsValue(EdQe->UnitsValue());
}

void TCompForm::EdQcUnitsEdited()
{
    EdQe->SetUnitsValue(EdQc->UnitsValue());
}

// Refrigerant

void TCompForm::RefrigerantChanged()
{
    RefrigLabel->setText(Text(lib_.GetName()));
    DataMemo->clear();
    RefreshFileList();
}

// The picker selects each refrigerant the user clicks at once, so a change counts
// even when the picker was closed without its OK.
void TCompForm::RefrigLabelClick()
{
    if (!picker_)
        return;
    const std::string before = lib_.GetName();
    if (picker_(te_) || !SameText(before, lib_.GetName()))
        RefrigerantChanged();
}

void TCompForm::Image1MouseDown()
{
    lib_.SelectPrior();
    RefrigerantChanged();
}

void TCompForm::Image2MouseDown()
{
    lib_.SelectNext();
    RefrigerantChanged();
}

// Results

void TCompForm::ToolButton1Click()
{
    const bool loaded = FileNames->currentRow() >= 0 && !comp_.CompName().empty();
    done(loaded ? Accepted : Rejected);
}

void TCompForm::accept()
{
    RunCommand([this] { ToolButton1Click(); });
}
