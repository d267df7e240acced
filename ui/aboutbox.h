#pragma once

#include <QDialog>

class QLabel;

// The About box: the product name in a large font, the version line and two lines
// about the maker, in a small tool window centred on the screen. A click anywhere
// closes it. The main window fills the name and version lines.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
};
