#pragma once

#include <string>

#include <QDialog>

#include "ui/faultchart.h"

class QLabel;
class QPushButton;

// The fault-finding chart: one yes/no question at a time about the plant's
// symptoms, answered with Y or N (Q quits), ending in a conclusion with a picture
// of the fault. Reads nothing from the cycle model. Shown modally from the main
// window's "Fault finding chart".
class TFlowChartForm : public QDialog {
    Q_OBJECT

public:
    // The fault pictures are read from `helpPath`.
    explicit TFlowChartForm(std::string helpPath, QWidget* parent = nullptr);
    ~TFlowChartForm() override;

    const TFaultChart& Chart() const { return chart_; }

    QPushButton* Button1 = nullptr; // "Start"
    QLabel* Label1 = nullptr;       // the instruction line
    // The question line, named "QLabel" (the toolkit's class takes that name in code).
    QLabel* QuestionLabel = nullptr;
    QLabel* DLabel = nullptr; // the conclusion line
    QLabel* Image1 = nullptr; // the picture

    void Button1Click();

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    bool ShowPicture(const std::string& file);
    void ShowLines();

    std::string helpPath_;
    TFaultChart chart_;
};
