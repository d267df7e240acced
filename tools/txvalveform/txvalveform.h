#pragma once

#include <string>

#include <QDialog>

#include "tools/txvalve/txvalvemodel.h"
#include "tools/txvalve/valveselection.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QToolButton;
class TFmtEdit;
class TLiquidLineForm;
class TRefrigLib;

// The TX valve selector: for a refrigerant, an evaporating and a condensing
// temperature and a cooling duty it finds the first model of a valve range that
// covers the duty at the pressure drop left for the valve. That drop is the
// difference of the saturation pressures less the liquid line drop, so the
// liquid line and valve drops always add up to Pc - Pe. Clicking a model shows its
// capacity at the same conditions.
//
// Created once at program start and shown modally; every showing re-reads the
// refrigerant of the library and repeats the search for the values left in the
// fields. The chosen range and the five unit choices are stored when it closes;
// the field values are not.
class TTxValveForm : public QDialog {
    Q_OBJECT

public:
    // The valve ranges are the "*.txv" files of `dataFolder` (the common data
    // folder, with its closing "/"); the refrigerant choice acts on `lib`.
    TTxValveForm(TRefrigLib& lib, std::string dataFolder, QWidget* parent = nullptr);
    ~TTxValveForm() override;

    // Window state.
    const std::string& FileName() const { return fileName_; }
    const std::string& ModelName() const { return modelName_; }
    double Capacity() const { return capacity_; } // kW, 0 = none
    const TValvePressures& Pressures() const { return pressures_; }
    QString StatusText() const;
    // Made on the first click of SpeedButton1.
    TLiquidLineForm* LiquidLineForm() const { return liquidLine_; }

    QToolButton* ToolButton1 = nullptr; // "&Accept"
    QToolButton* ToolButton2 = nullptr; // "&Cancel"
    QToolButton* UnitsBtn = nullptr;    // "&Units"
    QMenu* PopupMenu1 = nullptr;
    QAction* Metric1 = nullptr;
    QAction* Imperial1 = nullptr;
    QComboBox* CBManuf = nullptr;
    QComboBox* CBRefrig = nullptr;
    TFmtEdit* EvapTempEd = nullptr;
    QLabel* PeLabel = nullptr;
    TFmtEdit* CondTempEd = nullptr;
    QLabel* PcLabel = nullptr;
    TFmtEdit* LiqLineDPEd = nullptr;
    QToolButton* SpeedButton1 = nullptr; // the liquid line window
    TFmtEdit* ValveDpEd = nullptr;
    TFmtEdit* CapacityEd = nullptr;
    QToolButton* SpeedButton2 = nullptr; // AutoFind
    QListWidget* ModelList = nullptr;
    QWidget* StatusBar1 = nullptr;

    // Events.
    void FormActivate();
    void CBManufClick();
    void CBRefrigChange();
    void ModelListClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Metric1Click();
    void Imperial1Click();

    // Closing by any way stores the range and the unit choices.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void BuildControls();
    void FormCreate();
    void LoadSettings();
    void SaveSettings();
    void UpdatePressures();
    void UpdateLiquidLine();
    void ShowValveCapacity();
    void AutoFind();
    void SelectModel(const std::string& name);
    // Leaving a temperature or the liquid line field: new pressures, then the search.
    void PressureFieldExit();
    // Leaving the valve drop field: the rest goes to the liquid line, then the search.
    void ValveDpEdExit();
    // The pressure texts follow the liquid line field's unit.
    void PressureUnitsEdited();
    void SwitchAllUnits(int system);
    // Runs a step of a handler; an error shows its message and ends the handler.
    bool Run(void (TTxValveForm::*step)());

    TRefrigLib& lib_;
    TTxValveModel model_;
    std::string fileName_;
    std::string modelName_;
    double capacity_ = 0;
    TValvePressures pressures_;
    QWidget* fields_ = nullptr; // the window's own fields, apart from the liquid line window's
    QLabel* statusText_ = nullptr;
    TLiquidLineForm* liquidLine_ = nullptr;
    bool selecting_ = false; // the window, not the user, moves the model selection
};
