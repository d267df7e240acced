#pragma once

#include <functional>
#include <string>

#include <QMainWindow>

#include "core/cycle.h"
#include "core/jsondoc.h"
#include "env/recentfiles.h"
#include "env/uglobal.h"

class QAction;
class QCheckBox;
class QFileDialog;
class QLabel;
class TAboutBox;
class TClickLabel;
class TFmtEdit;
class TPathLabel;
struct TSaturationSide;

// Windows that a command of the main window shows modally. Each comes with its
// own module; the program hands the main window a way to show it, and until then
// the command is disabled.
enum TMainWindowCommand {
    mwRefrigPicker,       // click on RefLabel
    mwSimpleMeasurement,  // "Simple Measurement"
    mwFaultChart,         // "Fault finding chart"
    mwTxValveSelector,    // "Tx &Valve Selector"
    mwCompressorSelector, // "&Compressor Selector"
};

// The main window: the cycle picture with the fields laid over it at the points
// where readings are taken, and every command of the program in its menu. It owns
// the cycle model. Values pass between fields and model only in ReadCycle (before
// a solve) and ShowCycle (after a solve, load, paste or reset); leaving a changed
// field recomputes its linked fields from the saturation correlations and marks
// the window not solved.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // The model takes its properties from `lib`; folders and texts come from `vars`;
    // the window's position is kept in `settings` under "MainForm".
    TMainForm(TRefrigLib& lib, const TAppVariables& vars, TJsonDoc& settings, QWidget* parent = nullptr);
    ~TMainForm() override;

    TKelvora& Cycle() { return cycle_; }
    TRefrigLib& Lib() const { return cycle_.Lib(); }
    const TAppVariables& Vars() const { return vars_; }

    // Model to window: labels, the twenty fields, the link boxes.
    void ShowCycle();
    // Window to model: the selected refrigerant's name, the fields, the link boxes.
    void ReadCycle();
    // Solved flag and "Solved..." / "Not solved..." in status panel 1.
    void SetSolved(bool solved);
    bool Solved() const { return solved_; }
    // Commits the focused field, reads the window, solves with Ie given and shows
    // the outcome; "Warning: Not able to calculate result with this data..." when
    // the solve fails.
    void SolveCycle();

    const std::string& ProjectFile() const { return projectFile_; }
    // Status bar: panel 1 for status and warnings, as wide as its text needs (300
    // pixels at least); panel 2, the rest, for the project file.
    void SetStatusText(const QString& text);
    QString StatusText() const;
    QString FileStatusText() const;

    // The About box that first activation fills and "&About" shows.
    void SetAboutBox(TAboutBox* about);
    // How the program shows the window of `command`; enables its menu item (an
    // empty function disables it again).
    void SetCommandWindow(TMainWindowCommand command, std::function<void()> show);

    // The first activation: position, About box, picture, start-up project. Runs once,
    // at the first activation or, when no activation comes (a window manager that
    // does not give the new window the focus, or none at all), right after the first
    // showing.
    void FormActivate();

    // Fields, in tab order.
    TFmtEdit* scEdit = nullptr;
    TFmtEdit* dtCondEdit = nullptr;
    TFmtEdit* itdCondEdit = nullptr;
    TFmtEdit* tcEdit = nullptr;
    TFmtEdit* qcEdit = nullptr;
    TFmtEdit* qeEdit = nullptr;
    TFmtEdit* teEdit = nullptr;
    TFmtEdit* dtEvapEdit = nullptr;
    TFmtEdit* itdEvapEdit = nullptr;
    TFmtEdit* pwEdit = nullptr;
    TFmtEdit* IeEdit = nullptr;
    TFmtEdit* HPEdit = nullptr;
    TFmtEdit* SDTEdit = nullptr;
    TFmtEdit* LPEdit = nullptr;
    TFmtEdit* SSTEdit = nullptr;
    TFmtEdit* mrEdit = nullptr;
    TFmtEdit* shEdit = nullptr;
    TFmtEdit* tdEdit = nullptr;
    TFmtEdit* tlEdit = nullptr;
    TFmtEdit* tsEdit = nullptr;
    QCheckBox* cbcond = nullptr; // "link SDT"
    QCheckBox* cbevap = nullptr; // "Link SST"
    TClickLabel* RefLabel = nullptr;
    QLabel* COPLabel = nullptr;
    QLabel* x4Label = nullptr;
    QWidget* Panel1 = nullptr; // the picture with the fields on it
    QLabel* Image1 = nullptr;  // the cycle picture
    QFileDialog* SaveDialog = nullptr;
    QFileDialog* OpenDialog = nullptr; // "Load Kelvora File"

    // Menu items.
    QAction* Open1 = nullptr;
    QAction* Load1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Reset1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* SimpleMeasurement1 = nullptr;
    QAction* Faultfindingchart1 = nullptr;
    QAction* Copytoclipboard1 = nullptr;
    QAction* PastefromClipboard1 = nullptr;
    QAction* Report1 = nullptr;
    QAction* Diagnosis1 = nullptr;
    QAction* Solve1 = nullptr;
    QAction* MollierChart1 = nullptr;
    QAction* LineSize1 = nullptr;
    QAction* CapillaryTube1 = nullptr;
    QAction* txValve1 = nullptr;
    QAction* CompressorSelector1 = nullptr;
    QAction* EvaporatorCoil1 = nullptr;
    QAction* CondenserCoilDesigner1 = nullptr;
    QAction* RefrigerationCycleSimulation1 = nullptr;
    QAction* Index1 = nullptr;
    QAction* Website1 = nullptr;
    QAction* About1 = nullptr;
    // The project files used last, above "&Exit"; hidden while unused.
    QAction* RecentFiles[kRecentFileCount] = {};

    // Commands.
    // Asks for a project file in the folder of ProjectFile and loads it as Load
    // does; it becomes ProjectFile.
    void Open1Click();
    void Load1Click();
    void Save1Click();
    void SaveAs1Click();
    void Reset1Click();
    void Exit1Click();
    void SimpleMeasurement1Click();
    void Faultfindingchart1Click();
    void Copytoclipboard1Click();
    void PastefromClipboard1Click();
    void Report1Click();
    void Diagnosis1Click();
    void Solve1Click();
    void MollierChart1Click();
    void LineSize1Click();
    void CapillaryTube1Click();
    void txValve1Click();
    void CompressorSelector1Click();
    void EvaporatorCoil1Click();
    void CondenserCoilDesigner1Click();
    void RefrigerationCycleSimulation1Click();
    void Index1Click();
    void Website1Click();
    void About1Click();
    void RefLabelClick();
    // Loads entry `k` of the recent files as Open does; a file that is gone is
    // taken off the list with a message.
    void RecentFileClick(int k);

    // What leaving a changed field recomputes (the window calls them only when the
    // field's Modified flag is set, and marks itself not solved afterwards).
    void HPEditExit();
    void SDTEditExit();
    void tcEditExit();
    void scEditExit();
    void LPEditExit();
    void SSTEditExit();
    void teEditExit();
    void shEditExit();
    void qeEditExit();
    void pwEditExit();
    void qcEditExit();

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildPanel();
    void BuildMenus();
    void BuildStatusBar();
    void FieldExit(TFmtEdit* field, void (TMainForm::*link)());
    // Writes a value into a field as the system does: the user's edit flag goes.
    static void Put(TFmtEdit* field, double value);
    TFmtEdit* FieldOf(double TKelvora::*value) const;
    void ShowWindow(TMainWindowCommand command);
    // Loads `path` into the model; only then it becomes ProjectFile (so that a
    // file that is no project is never overwritten by a later Save), and the
    // window shows and solves it.
    void LoadProject(const std::string& path);
    void RememberProjectFile();
    void ShowRecentFiles();
    void Launch(int companion, const std::string& text);

    // The linking steps of one side of the cycle.
    void PressureLeft(const TSaturationSide& side);
    void SaturationLeft(const TSaturationSide& side);
    void TemperatureLeft(const TSaturationSide& side);
    void LinePoint(const TSaturationSide& side);
    void LinkTemperature(const TSaturationSide& side);

    const TAppVariables vars_;
    TJsonDoc& settings_;
    TKelvora cycle_;
    std::string projectFile_;
    bool solved_ = false;
    bool firstActivation_ = true;
    TAboutBox* about_ = nullptr;
    std::function<void()> windows_[mwCompressorSelector + 1];
    // Status panel 2: the project file, its folder elided to fit, the whole path
    // as the tooltip.
    void ShowProjectFile();
    QLabel* statusPanel_ = nullptr;
    TPathLabel* filePanel_ = nullptr;
    QAction* recentSeparator_ = nullptr;
};
