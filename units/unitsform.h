#pragma once

#include <QDialog>

#include "units/unitconv.h"

class QListWidget;

// The pop-up list of the unit choices of one quantity kind, opened beside the
// mouse pointer by a click on a units label. Enter, Escape or a mouse press on
// the list close it; whatever entry is selected then is the result, so Escape
// right after opening keeps the current unit (it is no cancel).
class TUnitsForm : public QDialog {
    Q_OBJECT

public:
    explicit TUnitsForm(QWidget* parent = nullptr);

    // Lists the kind's labels in index order with `current` selected and sizes
    // the window: (entries + 0.5) item heights high, the widest label (at least
    // 50 pixels) plus 10 wide.
    void Fill(TUnitsType kind, int current);
    // Puts the top-left corner at the point, moved back inside the screen if the
    // list would stand past its edge.
    void PlaceAt(const QPoint& topLeft);
    int SelectedIndex() const;

    QListWidget* ListBox1;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
};
