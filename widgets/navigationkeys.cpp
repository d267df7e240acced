#include "widgets/navigationkeys.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

enum TMove { mvNone,
             mvNext,
             mvPrevious };

TMove MoveOf(const QKeyEvent& key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return mvNone;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        return mvNext;
    case Qt::Key_Up:
        return mvPrevious;
    default:
        return mvNone;
    }
}

bool IsEnter(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// A text field of its own: the edit part of a combo or spin box belongs to that box.
bool IsSingleLineField(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) && !qobject_cast<const QComboBox*>(w->parentWidget()) &&
        !qobject_cast<const QAbstractSpinBox*>(w->parentWidget());
}

bool IsMultiLine(const QWidget* w)
{
    return qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

bool MultiLineTakesEnter(const QWidget* w)
{
    if (const auto* text = qobject_cast<const QTextEdit*>(w))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w))
        return !plain->isReadOnly();
    return false;
}

bool IsList(const QWidget* w)
{
    return qobject_cast<const QAbstractItemView*>(w);
}

bool IsCombo(const QWidget* w)
{
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QComboBox*>(w->parentWidget());
}

bool Move(QWidget* focused, TMove move)
{
    return move != mvNone && MoveFocusInTabOrder(focused, move == mvNext);
}

class TKeyPreview : public QObject {
public:
    TKeyPreview(QWidget* window, TNavigationKeys keys) : QObject(window), window_(window), keys_(keys)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress || !receiver->isWidgetType())
            return false;
        auto* target = static_cast<QWidget*>(receiver);
        // Only the first delivery, to the focused control; a key passed on to a
        // parent has been seen already.
        if (target->window() != window_ || target != window_->focusWidget())
            return false;
        if (keys_(target, *static_cast<QKeyEvent*>(e))) {
            e->accept();
            return true;
        }
        return false;
    }

private:
    QWidget* window_;
    TNavigationKeys keys_;
};

} // namespace

bool MoveFocusInTabOrder(QWidget* from, bool forward)
{
    QWidget* const window = from->window();
    for (QWidget* w = from;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from)
            return false;
        if (w->window() == window && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

bool EditNavigationKeys(QWidget* focused, const QKeyEvent& key)
{
    return focused && IsSingleLineField(focused) && Move(focused, MoveOf(key));
}

bool DialogNavigationKeys(QWidget* focused, const QKeyEvent& key)
{
    if (!focused || IsList(focused) || MultiLineTakesEnter(focused))
        return false;
    const TMove move = MoveOf(key);
    if (!IsEnter(key) && (IsCombo(focused) || IsMultiLine(focused)))
        return false;
    return Move(focused, move);
}

void InstallKeyPreview(QWidget* window, TNavigationKeys keys)
{
    new TKeyPreview(window, keys);
}
