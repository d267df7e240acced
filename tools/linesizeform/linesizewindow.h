#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include <QMainWindow>

#include "core/refriglib.h"
#include "tools/linesize/linesize.h"
#include "units/switchunits.h"

class QAction;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class TFmtEdit;

// The line sizing window ("LineSize"): the plant once (refrigerant, capacity,
// te, tc, superheat, sub-cooling, isentropic efficiency, tube series), then the
// suction, discharge and liquid lines side by side, each with its tube, length
// and rise, its figures and its judgement by the rules of thumb. Every change
// recomputes all three lines; a line that cannot be computed shows why and no
// figures.
class TLineSizeWindow : public QMainWindow {
    Q_OBJECT
public:
    // settingsFile: the main window's settings document, where "Use the ...
    // conditions of Kelvora" finds the project it used last.
    TLineSizeWindow(const std::string& libraryFile, TUnitSystem units, std::string settingsFile,
                    QWidget* parent = nullptr);
    ~TLineSizeWindow() override;

    struct TLinePanel {
        QGroupBox* Box = nullptr;
        QComboBox* TubeList = nullptr; // the series' tubes, then "Other size"
        TFmtEdit* OdEd = nullptr;
        TFmtEdit* WallEd = nullptr;
        TFmtEdit* LengthEd = nullptr;
        TFmtEdit* RiseEd = nullptr;
        QPushButton* SelectButton = nullptr;
        TFmtEdit* MassFlowEd = nullptr;
        TFmtEdit* DensityEd = nullptr;
        TFmtEdit* VelocityEd = nullptr;
        TFmtEdit* ReynoldsEd = nullptr;
        TFmtEdit* FrictionEd = nullptr;
        TFmtEdit* PressureDropEd = nullptr;
        TFmtEdit* SaturationDropEd = nullptr;
        QLabel* Judgement = nullptr; // the rules met and not met, or the line's error
        bool Computed = false;       // the figures shown belong to the inputs shown
    };
    TLinePanel& Panel(TLineKind line) { return panels_[line]; }

    // The inputs, tube sizes in mm: what the user typed, at full precision in any
    // unit system, or a series tube at its exact size.
    const TLineCycle& Cycle() const { return cycle_; }
    const TLineTube& Tube(TLineKind line) const { return tubes_[line]; }
    TTubeSeries Series() const;

    // Recomputes the three lines from the fields.
    void Recompute();
    // Selects a refrigerant of the library by name; false (with the message in the
    // status line) when it cannot be selected.
    bool SelectRefrigerant(const std::string& name);
    // Puts the smallest tube of the series that meets the rules into the line.
    void SelectTube(TLineKind line);
    // Fills the plant from the project Kelvora used last; false with a message
    // when there is none or it cannot be read.
    bool UseKelvoraConditions();
    // Switches every field to the unit system and keeps it in the settings.
    void SetUnits(TUnitSystem units);
    TUnitSystem Units() const { return units_; }
    void ShowHelp();

    TRefrigLib& Lib() { return lib_; }
    QLabel* StatusText() const { return statusText_; }

    QComboBox* RefrigerantList = nullptr;
    TFmtEdit* CapacityEd = nullptr;
    TFmtEdit* IeEd = nullptr;
    QComboBox* SeriesList = nullptr;
    TFmtEdit* TeEd = nullptr;
    TFmtEdit* TcEd = nullptr;
    TFmtEdit* ShEd = nullptr;
    TFmtEdit* ScEd = nullptr;
    QPushButton* UseKelvoraButton = nullptr;
    QAction* UseKelvoraAction = nullptr;
    QAction* MetricAction = nullptr;
    QAction* ImperialAction = nullptr;
    QAction* HelpAction = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildPlant(QGridLayout& grid);
    void BuildPanel(TLineKind line, QGridLayout& grid);
    void FillTubeLists();
    void MatchTube(TLineKind line);
    void ShowInputs();
    void PutTube(TLineKind line, const TTube& tube);
    void TubePicked(TLineKind line, int index);
    void ShowResult(TLineKind line, const TLineResult& result);
    void ShowFailure(TLineKind line, const std::string& message);
    void CommitPendingEdit();

    TRefrigLib lib_;
    std::string settingsFile_;
    TUnitSystem units_ = usMetric;
    std::array<TLinePanel, 3> panels_;
    // The window's defaults: 10 kW, -10 / 40 °C; 28x1, 18x1 and 12x1 tubes of 15 m.
    TLineCycle cycle_;
    std::array<TLineTube, 3> tubes_ {TLineTube {28, 1, 15, 0}, TLineTube {18, 1, 15, 0}, TLineTube {12, 1, 15, 0}};
    std::vector<std::pair<TFmtEdit*, double TLineCycle::*>> plantFields_;
    QLabel* statusText_ = nullptr;
    bool placed_ = false;
};
