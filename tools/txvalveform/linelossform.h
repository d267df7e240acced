#pragma once

#include <optional>

#include <QDialog>

#include "tools/linesize/linesize.h"
#include "units/switchunits.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class TFmtEdit;
class TRefrigLib;

// The plant whose liquid line is worked out: the refrigerant is the library's
// selected record; the temperatures and the duty are those of the valve selector.
struct TLiquidLinePlant {
    TRefrigLib* lib = nullptr; // none: the conditions are not known
    double te = 0;             // evaporating temperature, °C
    double tc = 0;             // condensing temperature, °C
    double capacity = 0;       // cooling duty, kW; 0 = none typed
    TUnitSystem units = usMetric;
};

// The liquid line loss worked out for a copper tube: the friction of the
// horizontal run's equivalent length, or of a riser's height plus the weight of
// its liquid column (ρ·g·H, upward positive). Shows the loss while the tube and
// length are typed; OK is possible only while there is one. The tube, the
// length, the sub-cooling and the superheat are stored whenever it closes, also
// after a Cancel, and come back at the next start.
class TLineLossForm : public QDialog {
    Q_OBJECT

public:
    enum TLossLine { llRun,
                     llRiser };

    explicit TLineLossForm(TLossLine line, QWidget* parent = nullptr);

    // Before each showing: the plant and the pressure unit the loss is shown in
    // (a choice of the pressure list).
    void SetPlant(const TLiquidLinePlant& plant, int pressureUnits);

    // The loss in kPa; none while the inputs give no loss.
    std::optional<double> Loss() const { return loss_; }
    QString LossText() const;
    QString ErrorText() const;
    // What the calculation is given: the tube and the cycle with the sub-cooling
    // and superheat of this dialog.
    TLineTube Tube() const;
    TLineCycle Cycle() const;

    QLabel* PlantLabel = nullptr;
    QComboBox* SeriesList = nullptr; // "&Series"
    QComboBox* TubeList = nullptr;   // "&Tube": "Typed size", then the series' tubes
    TFmtEdit* OdEd = nullptr;
    TFmtEdit* WallEd = nullptr;
    TFmtEdit* LengthEd = nullptr; // the equivalent length, or the rise of a riser
    TFmtEdit* SubcoolEd = nullptr;
    TFmtEdit* SuperheatEd = nullptr;
    QLabel* LossLabel = nullptr;
    QLabel* FlowLabel = nullptr; // velocity and saturation drop
    QLabel* ErrorLabel = nullptr;
    QDialogButtonBox* Buttons = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void accept() override;
    void done(int result) override;

private:
    void SeriesPicked();
    void TubePicked();
    // The user typed a diameter or a wall: the tube is a typed size.
    void SizeTyped(TFmtEdit* field);
    void ShowTube();
    void Recalculate();
    void ShowError(const QString& text);
    void LoadSettings();
    void SaveSettings() const;

    TLossLine line_;
    TLiquidLinePlant plant_;
    int pressureUnits_ = 0;
    double od_ = 12;  // mm, exact also for inch tubes shown in mm
    double wall_ = 1; // mm
    std::optional<double> loss_;
    bool filling_ = false; // the dialog, not the user, sets the fields
    bool stored_ = false;  // the tube came from the stored settings
};
