#include "units/unitsform.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

TUnitsForm::TUnitsForm(QWidget* parent) : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint), ListBox1(new QListWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->installEventFilter(this);
    ListBox1->viewport()->installEventFilter(this);
    setFocusProxy(ListBox1);
}

void TUnitsForm::Fill(TUnitsType kind, int current)
{
    ListBox1->clear();
    const QFontMetrics metrics(ListBox1->font());
    int widest = 0;
    for (const TUnitChoice& choice : UnitChoices(kind)) {
        const QString label = QString::fromUtf8(choice.label);
        ListBox1->addItem(label);
        widest = std::max(widest, metrics.horizontalAdvance(label));
    }
    ListBox1->setCurrentRow(current);
    if (ListBox1->count() == 0)
        return;
    const int height = static_cast<int>(std::lround(ListBox1->sizeHintForRow(0) * (ListBox1->count() + 0.5)));
    setFixedSize(std::max(widest, 50) + 10, height);
}

void TUnitsForm::PlaceAt(const QPoint& topLeft)
{
    QPoint p = topLeft;
    if (const QScreen* screen = QGuiApplication::screenAt(topLeft)) {
        const QRect area = screen->availableGeometry();
        p.setX(std::max(area.left(), std::min(p.x(), area.right() + 1 - width())));
        p.setY(std::max(area.top(), std::min(p.y(), area.bottom() + 1 - height())));
    }
    move(p);
}

int TUnitsForm::SelectedIndex() const
{
    return ListBox1->currentRow();
}

void TUnitsForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    ListBox1->setFocus(Qt::PopupFocusReason);
}

bool TUnitsForm::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == ListBox1 && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            accept();
            return true;
        }
    }
    if (watched == ListBox1->viewport() && e->type() == QEvent::MouseButtonPress) {
        // The press selects the entry under the pointer and closes the list at once.
        if (QListWidgetItem* item = ListBox1->itemAt(static_cast<QMouseEvent*>(e)->position().toPoint()))
            ListBox1->setCurrentItem(item);
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}
