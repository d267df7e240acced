// The main window's menu commands.
#include "ui/mainform.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include "ui/aboutbox.h"
#include "widgets/clicklabel.h"
#include "core/cliptext.h"
#include "env/companion.h"
#include "ui/companions.h"
#include "ui/desktop.h"
#include "widgets/messages.h"
#include "core/pathjoin.h"
#include "ui/pathlabel.h"
#include "env/platform.h"
#include "env/uglobal.h"
#include "widgets/qttext.h"

namespace {

// A recent file's menu text keeps its file name and shortens its folder.
constexpr int kRecentFileTextWidth = 360;

QUrl LocalFile(const std::string& path)
{
    return QUrl::fromLocalFile(Text(path));
}

} // namespace

void TMainForm::LoadProject(const std::string& path)
{
    cycle_.LoadFromFile(path);
    projectFile_ = path;
    ShowProjectFile();
    ShowCycle();
    SolveCycle();
}

void TMainForm::Open1Click()
{
    const QFileInfo current(Text(projectFile_));
    OpenDialog->setDirectory(current.absolutePath());
    OpenDialog->selectFile(QString());
    if (OpenDialog->exec() != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty())
        return;
    LoadProject(OpenDialog->selectedFiles().front().toStdString());
    RememberProjectFile();
}

void TMainForm::RecentFileClick(int k)
{
    const std::vector<std::string> files = ::RecentFiles(settings_);
    if (k < 0 || k >= static_cast<int>(files.size()))
        return;
    const std::string path = files[k];
    if (!QFileInfo(Text(path)).isFile()) {
        RemoveRecentFile(settings_, path);
        ShowRecentFiles();
        ShowMessage("The project file " + path + " is no longer there; it has been taken off the list of recent files.");
        return;
    }
    LoadProject(path);
    RememberProjectFile();
}

void TMainForm::RememberProjectFile()
{
    AddRecentFile(settings_, projectFile_);
    ShowRecentFiles();
}

void TMainForm::ShowRecentFiles()
{
    const std::vector<std::string> files = ::RecentFiles(settings_);
    const QFontMetrics metrics(font());
    for (int k = 0; k < kRecentFileCount; ++k) {
        QAction* action = RecentFiles[k];
        const bool used = k < static_cast<int>(files.size());
        action->setVisible(used);
        if (!used)
            continue;
        const QString path = Text(files[k]);
        QString shown = ElidePath(QDir::toNativeSeparators(path), metrics, kRecentFileTextWidth);
        action->setText(QString("&%1 %2").arg(k + 1).arg(shown.replace('&', "&&")));
        action->setToolTip(path);
        action->setStatusTip(path);
    }
    recentSeparator_->setVisible(!files.empty());
}

void TMainForm::Load1Click()
{
    LoadProject(projectFile_);
}

void TMainForm::Save1Click()
{
    SolveCycle();
    cycle_.SaveToFile(projectFile_);
}

void TMainForm::SaveAs1Click()
{
    ReadCycle();
    const QFileInfo current(Text(projectFile_));
    SaveDialog->setDirectory(current.absolutePath());
    SaveDialog->selectFile(current.fileName());
    if (SaveDialog->exec() != QDialog::Accepted || SaveDialog->selectedFiles().isEmpty())
        return;
    projectFile_ = SaveDialog->selectedFiles().front().toStdString();
    ShowProjectFile();
    cycle_.SaveToFile(projectFile_);
    RememberProjectFile();
}

void TMainForm::Reset1Click()
{
    cycle_.SetDefaults();
    ShowCycle();
    SetSolved(false);
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::SimpleMeasurement1Click()
{
    ShowWindow(mwSimpleMeasurement);
}

void TMainForm::Faultfindingchart1Click()
{
    ShowWindow(mwFaultChart);
}

// The model as it stands: fields edited since the last solve, load, paste or reset
// are not read first.
void TMainForm::Copytoclipboard1Click()
{
    if (!solved_)
        SetStatusText("Warning: Solve before Copy to Clipboard!");
    QGuiApplication::clipboard()->setText(Text(JoinTextLines(cycle_.GetClipText())));
}

// Takes the values without solving; the Solved flag stays as it was.
void TMainForm::PastefromClipboard1Click()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasText() || mime->text().isEmpty()) {
        ShowMessage("No text in the Clipboard!");
        return;
    }
    const std::vector<std::string> lines = SplitTextLines(mime->text().toStdString());
    if (lines.empty() || lines.front() != TKelvora::VersionText()) {
        ShowMessage("Clipboard has incorrect data signature!");
        return;
    }
    cycle_.PutClipText(lines);
    ShowCycle();
    projectFile_ = PathJoin(vars_.projects_path, "temp.rdf");
    ShowProjectFile();
}

void TMainForm::Diagnosis1Click()
{
    if (!solved_) {
        SetStatusText("Warning: Solve before Diagnostics!");
        return;
    }
    const std::string page = PathJoin(vars_.report_path, "diagnosis.htm");
    cycle_.WriteDiagnosisPage(page, windowTitle().toStdString());
    OpenWithDesktop(LocalFile(page));
}

void TMainForm::Solve1Click()
{
    SolveCycle();
}

// The new refrigerant reaches the model at the next ReadCycle; the linked fields
// stay as they are.
void TMainForm::RefLabelClick()
{
    if (!windows_[mwRefrigPicker])
        return;
    windows_[mwRefrigPicker]();
    RefLabel->setText(Text(Lib().GetName()));
    SetSolved(false);
}

void TMainForm::Launch(int companion, const std::string& text)
{
    LaunchCompanion(CompanionPath(MakerFolder(), static_cast<TCompanion>(companion)), text,
                    [](const std::string& message) { ShowMessage(message); });
}

// From the model, not the fields; no solve needed.
void TMainForm::MollierChart1Click()
{
    Launch(cpMollierChart, MollierArgumentText(cycle_));
}

void TMainForm::LineSize1Click()
{
    // The line size calculator takes its plant from the newest recent project of
    // the settings document, which is otherwise written only at the end: written
    // now, it names the project open here (also the one loaded at start).
    if (!projectFile_.empty())
        RememberProjectFile();
    try {
        SaveSettingsDocument(settings_, vars_);
    } catch (const std::exception& e) {
        ShowMessage(std::string("Settings not saved: ") + e.what());
    }
    Launch(cpLineSize, "");
}

void TMainForm::CapillaryTube1Click()
{
    Launch(cpCapillaryTube, "");
}

void TMainForm::txValve1Click()
{
    ShowWindow(mwTxValveSelector);
}

void TMainForm::CompressorSelector1Click()
{
    ShowWindow(mwCompressorSelector);
}

void TMainForm::EvaporatorCoil1Click()
{
    Launch(cpEvaporatorCoil, "");
}

void TMainForm::CondenserCoilDesigner1Click()
{
    Launch(cpCondenserCoil, "");
}

void TMainForm::RefrigerationCycleSimulation1Click()
{
    Launch(cpCycleSimulation, "");
}

void TMainForm::Index1Click()
{
    OpenWithDesktop(LocalFile(PathJoin(vars_.help_path, "index.htm")));
}

void TMainForm::Website1Click()
{
    OpenWithDesktop(QUrl(Text("http://" + WebAddress())));
}

void TMainForm::About1Click()
{
    if (about_)
        about_->exec();
}
