#pragma once

#include <QLabel>

// A display label that acts on a click (the refrigerant name of the main window),
// shown with a hand pointer.
class TClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit TClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};
