#pragma once

#include <QDialog>

#include "core/jsondoc.h"

class QLabel;
class TFmtEdit;
class TKelvora;
class TMainForm;

// The measurement dialog: the five gauge and thermometer readings of a running
// plant (high and low pressure, suction, discharge and liquid line temperatures).
// Each reading the user leaves goes straight into the main window's cycle model,
// which is solved with the discharge temperature given (so the compressor's
// isentropic efficiency comes out of the readings); the main window shows the
// outcome behind the dialog, the caption the cooling COP. The model stays the
// main window's.
class TMeasureForm : public QDialog {
    Q_OBJECT

public:
    // The window's position is kept in `settings` under "MeasureForm".
    TMeasureForm(TMainForm& mainForm, TJsonDoc& settings, QWidget* parent = nullptr);
    ~TMeasureForm() override;

    // Before each showing: takes the model, checks the main window's link boxes,
    // shows the model's readings and COP.
    void AttachCycle(TKelvora& cycle);
    // Solves the model from the readings, refreshes the main window and the caption.
    void Recalculate();

    void done(int result) override;

    TFmtEdit* edHP = nullptr;
    TFmtEdit* edLP = nullptr;
    TFmtEdit* edSuction = nullptr;
    TFmtEdit* edDischarge = nullptr;
    TFmtEdit* edLiquid = nullptr;
    QLabel* Image1 = nullptr;

    // What leaving a changed field writes into the model before the solve.
    void edHPExit();
    void edLPExit();
    void edSuctionExit();
    void edDischargeExit();
    void edLiquidExit();

    // Every showing takes the position stored under "MeasureForm".
    void setVisible(bool visible) override;

private:
    void FieldExit(TFmtEdit* field, void (TMeasureForm::*handler)());
    void ShowCaption();

    TMainForm& mainForm_;
    TJsonDoc& settings_;
    TKelvora* cycle_ = nullptr;
};
