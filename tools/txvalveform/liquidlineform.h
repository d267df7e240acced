#pragma once

#include <QDialog>

#include "tools/txvalveform/linelossform.h"

class QLabel;
class QPushButton;
class QToolButton;
class TFmtEdit;

// The liquid line window: the five pressure losses between the condenser and the
// TX valve, typed by the user, and their sum, which the valve selector takes
// after an OK. The losses of the line itself and of its riser can also be worked
// out for a tube and a length ("Calculate…") at the plant's conditions. All five
// fields always show the same unit. The values and the unit are stored whenever
// the window closes, also after a Cancel.
class TLiquidLineForm : public QDialog {
    Q_OBJECT

public:
    explicit TLiquidLineForm(QWidget* parent = nullptr);

    // The sum of the five losses in kPa.
    double TotalDP() const;
    QString StatusText() const;

    QToolButton* ToolButton1 = nullptr; // "&Accept"
    QToolButton* ToolButton2 = nullptr; // "&Cancel"
    QToolButton* ToolButton3 = nullptr; // "&Reset"
    TFmtEdit* LiqLineEd = nullptr;
    TFmtEdit* LiqFittingEd = nullptr;
    TFmtEdit* LiqRiserEd = nullptr;
    TFmtEdit* LiqDistribEd = nullptr;
    TFmtEdit* DistribTubesEd = nullptr;
    QWidget* StatusBar1 = nullptr;
    QPushButton* LiqLineCalcBtn = nullptr;  // "Calculate…" beside "Liquid Line"
    QPushButton* LiqRiserCalcBtn = nullptr; // "Calculate…" beside "Vertical Liq Line"
    // Made on the first click of their buttons and kept, with what was typed in them.
    TLineLossForm* LiqLineCalc = nullptr;
    TLineLossForm* LiqRiserCalc = nullptr;

    // The plant whose line the calculations are for; the valve selector gives it
    // before each showing.
    void SetPlant(const TLiquidLinePlant& plant) { plant_ = plant; }
    // "Calculate…": the loss worked out for a tube goes into the line's field.
    void CalculateClick(TLineLossForm::TLossLine line);

    // "&Reset": the default losses.
    void ToolButton3Click();
    // The unit of one field given to all five.
    void UnitsEdited(TFmtEdit* sender);
    // Leaving a field whose text was changed.
    void EdExit(TFmtEdit* sender);

    // Closing by any way saves the placement, the unit and the five losses.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormCreate();
    void FormClose();
    void ShowTotal();
    void SetUnits(int choice);

    QLabel* statusText_ = nullptr;
    TLiquidLinePlant plant_;
};
