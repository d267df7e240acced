#include "units/fmtedit.h"

#include <QFocusEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPalette>
#include <QStringView>
#include <QTimer>

#include "units/beep.h"
#include "units/fmteditlabel.h"

namespace {

// Field positions count characters; QLineEdit counts UTF-16 units.
int CharPos(const QString& text, int utf16Pos)
{
    return static_cast<int>(QStringView(text).left(utf16Pos).toUcs4().size());
}

int Utf16Pos(const QString& text, int charPos)
{
    int i = 0;
    for (; i < text.size() && charPos > 0; --charPos)
        i += (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
    return i;
}

// Focus also leaves for a window deactivation, a popup menu or the menu bar and
// comes back afterwards; that is no exit from the field.
bool IsFieldFocusMove(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason;
}

bool IsClipboardKey(const QKeyEvent* e)
{
    return e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut);
}

} // namespace

TFmtEdit::TFmtEdit(QWidget* parent) : QLineEdit(parent)
{
    // Every text change, the field's own and the edit control's (paste, cut,
    // Delete, undo, setText), reaches the field state.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { field_.SetText(text.toStdString()); });
    connect(this, &QLineEdit::textEdited, this, [this](const QString&) { field_.SetModified(true); });
}

TFmtEdit::~TFmtEdit()
{
    if (auto* label = qobject_cast<TFmtEditLabel*>(unitsLabel_.data()))
        label->Unlink(this);
}

// Runs one operation of the field state against the edit control's current
// caret, selection and read-only flag, then shows the outcome.
template <class Op>
auto TFmtEdit::Edit(Op op)
{
    PullState();
    if constexpr (std::is_void_v<decltype(op())>) {
        op();
        PushState();
    } else {
        auto result = op();
        PushState();
        return result;
    }
}

void TFmtEdit::PullState()
{
    field_.SetReadOnly(isReadOnly());
    const QString t = text();
    if (hasSelectedText()) {
        const int start = CharPos(t, selectionStart());
        field_.SetSelection(start, CharPos(t, selectionEnd()) - start);
    } else {
        field_.SetCaret(CharPos(t, cursorPosition()));
    }
}

void TFmtEdit::PushState()
{
    const int caret = field_.Caret();
    const int selStart = field_.SelStart();
    const int selLength = field_.SelLength();
    const QString t = QString::fromStdString(field_.Text());
    if (t != text()) {
        QLineEdit::setText(t);
        // setText moved the field's caret to the end; keep the one the operation left.
        if (selLength > 0)
            field_.SetSelection(selStart, selLength);
        else
            field_.SetCaret(caret);
    }
    if (selLength > 0) {
        const int from = Utf16Pos(t, selStart);
        setSelection(from, Utf16Pos(t, selStart + selLength) - from);
    } else {
        setCursorPosition(Utf16Pos(t, caret));
    }
    QLineEdit::setModified(field_.Modified());
}

void TFmtEdit::RefreshUnitsLabel()
{
    if (unitsLabel_)
        unitsLabel_->setText(QString::fromStdString(field_.UnitLabel()));
}

void TFmtEdit::Apply(const TFmtEditDesign& design, QLabel* unitsLabel)
{
    SetFormatStr(design.format);
    SetFormatType(design.formatType);
    SetSigDigs(design.sigDigs);
    SetUnitsType(design.kind);
    SetUnitsBase(design.unitsBase);
    SetUnitsLabel(unitsLabel);
    SetUnitsValue(design.unitsValue);
    SetRangeHi(design.rangeHi);
    SetRangeLo(design.rangeLo);
    setText(QString::fromStdString(design.text));
    setReadOnly(design.readOnly);
}

void TFmtEdit::SetValue(double v)
{
    Edit([&] { field_.SetValue(v); });
}

void TFmtEdit::SetFormatStr(const std::string& format)
{
    field_.SetFormatStr(format);
}

void TFmtEdit::SetFormatType(TFormatType type)
{
    field_.SetFormatType(type);
}

void TFmtEdit::SetSigDigs(int digits)
{
    field_.SetSigDigs(digits);
}

void TFmtEdit::SetUnitsType(TUnitsType kind)
{
    Edit([&] { field_.SetUnitsType(kind); });
    RefreshUnitsLabel();
}

void TFmtEdit::SetUnitsValue(int index)
{
    Edit([&] { field_.SetUnitsValue(index); });
    RefreshUnitsLabel();
}

void TFmtEdit::SetUnitsBase(int index)
{
    Edit([&] { field_.SetUnitsBase(index); });
    RefreshUnitsLabel();
}

void TFmtEdit::SetRangeLo(double lo)
{
    field_.SetRangeLo(lo);
}

void TFmtEdit::SetRangeHi(double hi)
{
    field_.SetRangeHi(hi);
}

void TFmtEdit::SetUnitsLabel(QLabel* label)
{
    if (label == unitsLabel_) { // a linked field keeps its place in the label's list
        if (qobject_cast<TFmtEditLabel*>(label))
            SetUnitsValue(UnitsValue());
        return;
    }
    if (auto* old = qobject_cast<TFmtEditLabel*>(unitsLabel_.data()))
        old->Unlink(this);
    unitsLabel_ = label;
    if (auto* linked = qobject_cast<TFmtEditLabel*>(label)) {
        linked->Link(this);
        SetUnitsValue(UnitsValue()); // shows the unit in the label
    }
}

void TFmtEdit::SetModified(bool modified)
{
    field_.SetModified(modified);
    QLineEdit::setModified(modified);
}

void TFmtEdit::UnitPicked(int index)
{
    SetUnitsValue(index);
    emit OnUnitsEdited(this);
}

void TFmtEdit::CommitEdit()
{
    ApplyEdit();
    emit OnExit(this);
    SetModified(false);
}

void TFmtEdit::Revert()
{
    Edit([&] { field_.Revert(); });
}

bool TFmtEdit::ValidateText(const QString& text)
{
    return Edit([&] { return field_.ValidateText(text.toStdString()); });
}

void TFmtEdit::InvalidEntry()
{
    SoundBeep();
}

bool TFmtEdit::ApplyEdit()
{
    if (Modified() && !ValidateText(text())) {
        TakeFocusBack();
        InvalidEntry();
        return false;
    }
    return true;
}

// Called while the focus is moving away: the move completes first, then the
// field takes the focus back without starting a new edit.
void TFmtEdit::TakeFocusBack()
{
    if (hasFocus())
        return;
    QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

// A result the user cannot type into looks like one: the background of the window
// instead of the entry colour, and the plain pointer instead of the text beam. It
// follows the read-only flag whenever that changes.
void TFmtEdit::ShowReadOnlyLook()
{
    if (isReadOnly()) {
        QPalette tinted = palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            tinted.setColor(group, QPalette::Base, tinted.color(group, QPalette::Window));
        setPalette(tinted);
        setCursor(Qt::ArrowCursor);
    } else {
        setPalette(QPalette()); // the inherited entry colours again
        setCursor(Qt::IBeamCursor);
    }
}

bool TFmtEdit::event(QEvent* e)
{
    if (e->type() == QEvent::ReadOnlyChange)
        ShowReadOnlyLook();
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        // While an edit is pending Escape reverts it; a dialog's cancel must not see it.
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && Modified()) {
            e->accept();
            return true;
        }
        if (clipboardKeysToWindow_ && IsClipboardKey(key)) {
            e->ignore();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void TFmtEdit::keyPressEvent(QKeyEvent* e)
{
    if (!CanEdit() || IsClipboardKey(e)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Backspace:
        Edit([&] { field_.Backspace(); });
        e->accept();
        return;
    case Qt::Key_Escape:
        if (Modified()) {
            Revert();
            e->accept();
        } else {
            e->ignore();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!ApplyEdit()) {
            e->accept(); // the clamped number stays on show, no default button
            return;
        }
        // The edit control raises returnPressed and passes Enter on to a default button.
        QLineEdit::keyPressEvent(e);
        return;
    default:
        break;
    }
    const bool command = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString typed = e->text();
    if (!command && !typed.isEmpty() && typed[0].isPrint()) {
        for (const char32_t ch : typed.toUcs4())
            if (Edit([&] { return field_.KeyChar(ch); }) == krRejected)
                SoundBeep();
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

// An edit runs from entering the field to leaving it. Focus that only went to
// another window, a popup menu or the menu bar, or that comes back after a
// clamped entry, continues the edit in progress.
void TFmtEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (inEdit_)
        return;
    inEdit_ = true;
    Edit([&] { field_.FocusEntered(); });
    emit OnEnter(this);
}

void TFmtEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (!inEdit_ || !IsFieldFocusMove(e->reason()))
        return;
    inEdit_ = !ApplyEdit(); // a clamped entry takes the focus back and goes on
    emit OnExit(this);
}

void TFmtEdit::hideEvent(QHideEvent* e)
{
    // A window closed without leaving the field drops the edit; the next
    // showing starts a new one. Minimising (a spontaneous hide) keeps it.
    if (!e->spontaneous())
        inEdit_ = false;
    QLineEdit::hideEvent(e);
}

void SetClipboardKeysToWindow(QWidget* window, bool toWindow)
{
    for (TFmtEdit* edit : window->findChildren<TFmtEdit*>())
        edit->SetClipboardKeysToWindow(toWindow);
}
