#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class TFmtEdit;
class TRefrigLib;

// The refrigerant picker: every refrigerant of the library file in a list, a
// saturation converter (temperature to dew pressure and back) and the chosen
// refrigerant's data as a technician reads them off a PT card. A click in the
// list selects that refrigerant in the shared library at once, so the choice is
// in force when the dialog closes; OK only closes it. Shown modally from the main
// window's refrigerant name and from the compressor selector.
class TRefrigTypeForm : public QDialog {
    Q_OBJECT

public:
    explicit TRefrigTypeForm(TRefrigLib& lib, QWidget* parent = nullptr);
    ~TRefrigTypeForm() override;

    QListWidget* RefrigList = nullptr;
    QLabel* Heading = nullptr;
    TFmtEdit* edTemp = nullptr;
    TFmtEdit* edPress = nullptr;
    QPushButton* AcceptBtn = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // The user picked the list's current entry.
    void RefrigListClick();
    // Dew pressure at the temperature, and back; on every exit, changed or not.
    void edTempExit();
    void edPressExit();
    // The loaded refrigerant's data at the converter's temperature and pressure.
    void FillMemo();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Arrange();
    void FillList();
    void ShowDewPressure();

    TRefrigLib& lib_;
    bool filling_ = false;
};
