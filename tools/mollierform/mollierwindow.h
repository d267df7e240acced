#pragma once

#include <memory>
#include <string>

#include <QMainWindow>

#include "core/refriglib.h"
#include "tools/mollier/molliermodel.h"

class QAction;
class QLabel;
class TMollierView;

// The chart window ("MollierChart"): the chart, a status line with the state
// under the pointer, "Fit cycle" and "Whole chart", the File menu's exports, copy
// and print, and the unit system in the View menu. It listens for the main
// window's hand-over and redraws on each text it receives.
class TMollierWindow : public QMainWindow {
    Q_OBJECT
public:
    TMollierWindow(const std::string& libraryFile, TChartUnits units, QWidget* parent = nullptr);
    ~TMollierWindow() override;

    // Shows the cycle of an argument text. A text that is refused or a cycle that
    // cannot be solved shows its message and leaves the chart as it was.
    bool ShowText(const std::string& text);
    // The default cycle of a new plant, for a start without a text.
    void ShowDefaultCycle();

    // Listens for hand-overs under `serverName`; false when the name is taken.
    bool Listen(const std::string& serverName);

    void ExportTo(const QString& file);
    void CopyToClipboard();
    void SetUnits(TChartUnits units);

    TMollierView* View() const { return view_; }
    QLabel* Readout() const { return readout_; }
    // "Warning: outside the data range of …" while the cycle shown is; else hidden.
    QLabel* RangeNote() const { return rangeNote_; }

    QAction* FitCycleAction = nullptr;
    QAction* WholeChartAction = nullptr;
    QAction* ExportPngAction = nullptr;
    QAction* ExportSvgAction = nullptr;
    QAction* CopyAction = nullptr;
    QAction* PrintAction = nullptr;
    QAction* MetricAction = nullptr;
    QAction* ImperialAction = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void ExportWithDialog(const char* title, const char* filter, const char* suffix);
    void Print();
    void SetChartTitle();

    TRefrigLib lib_;
    TMollierView* view_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* rangeNote_ = nullptr;
    std::string text_;
    TChartUnits units_;
    bool placed_ = false;
};
