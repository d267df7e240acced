#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "tools/compform/folderdialog.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QStatusBar;
class QToolButton;
class TClickLabel;
class TComp;
class TFmtEdit;
class TFmtEditLabel;
class TRefrigLib;

// The compressor selector: the data files for the current refrigerant, the
// compressors of the chosen file, and the chosen compressor's cooling capacity
// and heat rejection at an evaporating and a condensing temperature with a duty
// factor. It works on the program's one compressor model and refrigerant library;
// changing the refrigerant here, or loading a compressor, selects that refrigerant
// for the whole program. Created once and shown modally on every use, so its
// lists and fields keep their state between uses. Accept gives Accepted only when
// a compressor is loaded.
class TCompForm : public QDialog {
    Q_OBJECT

public:
    // Asks a question with Yes and No; true for Yes.
    using TQuestion = std::function<bool(const QString& question)>;
    // Shows the refrigerant picker with the current refrigerant selected and `teC`
    // in its temperature field; true when the user confirmed it.
    using TRefrigPicker = std::function<bool(double teC)>;

    TCompForm(TComp& comp, TRefrigLib& lib, QWidget* parent = nullptr);
    ~TCompForm() override;

    // Until a picker is given, a click on the refrigerant name does nothing; the
    // arrows beside it work without one.
    void SetRefrigPicker(TRefrigPicker picker) { picker_ = std::move(picker); }
    // An empty question brings back the message box.
    void SetQuestion(TQuestion question) { question_ = std::move(question); }

    // The conditions every evaluation is made at, °C.
    double Te() const { return te_; }
    double Tc() const { return tc_; }
    void SetConditions(double te, double tc);
    QString StatusText() const;

    QToolButton* ToolButton1 = nullptr; // Accept
    QToolButton* ToolButton2 = nullptr; // Cancel
    TClickLabel* RefrigLabel = nullptr;
    QLabel* Image1 = nullptr; // previous refrigerant
    QLabel* Image2 = nullptr; // next refrigerant
    QListWidget* FileNames = nullptr;
    QListWidget* CompNames = nullptr;
    TFmtEdit* DutyFactorEdit = nullptr;
    TFmtEdit* EdEvapTemp = nullptr;
    TFmtEdit* EdCondTemp = nullptr;
    TFmtEdit* EdQe = nullptr;
    TFmtEdit* EdQc = nullptr;
    TFmtEditLabel* TeLabel = nullptr;
    TFmtEditLabel* TcLabel = nullptr;
    TFmtEditLabel* QeLabel = nullptr;
    TFmtEditLabel* QcLabel = nullptr;
    QToolButton* SelBtn = nullptr;
    QPlainTextEdit* DataMemo = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    TFolderDialog FolderDialog1;

    // Handlers, as the controls call them.
    void FormActivate();
    void FormDeactivate();
    void FileNamesClick();
    void CompNamesClick();
    void SelBtnClick();
    void RefrigLabelClick();
    void Image1MouseDown();
    void Image2MouseDown();
    void ToolButton1Click();
    void EdEvapTempExit();
    void EdCondTempExit();
    void DutyFactorEditExit();
    void EdEvapTempUnitsEdited();
    void EdCondTempUnitsEdited();
    void EdQeUnitsEdited();
    void EdQcUnitsEdited();

    // Accept (ToolButton1) closes with Accepted only when a compressor is loaded.
    void accept() override;
    void done(int result) override;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void BuildControls();
    void ConnectControls();
    void LoadSettings();
    void SaveSettings() const;
    void RefreshFileList();
    void SyncWithModel();
    void ShowData();
    void Recalculate();
    // te or tc from its field when the user changed it, and the new performance.
    void ConditionLeft(const TFmtEdit* field, double& condition);
    bool AskForDataFolder();
    void ShowStatus(const std::string& text);
    bool SelectByCapacity();
    // Shows the loaded compressor's capacity and heat rejection at (te, tc) and
    // its status; false when the evaluation failed (its message has been shown).
    bool ShowPerformance();
    // A compressor of the shown file is selected (and loaded in the model).
    bool ShowsCompressor() const;
    // No figures and the plain status, while no compressor of the lists is shown.
    void ClearPerformance();
    void RefrigerantChanged();
    bool Ask(const QString& question);
    std::string SelectedFile() const;

    TComp& comp_;
    TRefrigLib& lib_;
    // The full path of each entry of FileNames, which shows only the file name: a
    // file found in a subfolder of the data folder is opened from where it lies.
    std::vector<std::string> filePaths_;
    TRefrigPicker picker_;
    TQuestion question_;
    double te_ = 5.0;
    double tc_ = 48.0;
    bool firstActivation_ = true;
    bool autoSelect_ = true;
    bool closing_ = false;
    QLabel* statusText_ = nullptr;
};
