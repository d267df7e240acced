#pragma once

#include <string>

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "units/fmtfield.h"

class TFmtEditLabel;

// The numeric entry field of every window. It holds its number in the kind's
// internal unit and shows it in the display unit picked through its units label.
// Windows exchange numbers with it only through Value and react to OnExit (test
// Modified there to decide whether to recompute) and OnUnitsEdited.
//
// Typing is filtered by the format; Enter, leaving the field or CommitEdit
// clean the text up, clamp it into the range and rewrite it; a clamped entry
// beeps and keeps the focus. Escape brings back the text at entry. A read-only
// field (a result) shows the window's background and the plain pointer.
class TFmtEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TFmtEdit(QWidget* parent = nullptr);
    ~TFmtEdit() override;

    // All designed properties in their order, with the units label between
    // UnitsBase and UnitsValue.
    void Apply(const TFmtEditDesign& design, QLabel* unitsLabel = nullptr);

    // The number in internal units. Text that does not read as a number gives
    // the last number the field held.
    double Value() const { return field_.Value(); }
    // Shows v in the display unit; no range check, Modified untouched.
    void SetValue(double v);

    const std::string& FormatStr() const { return field_.FormatStr(); }
    void SetFormatStr(const std::string& format);
    TFormatType FormatType() const { return field_.FormatType(); }
    void SetFormatType(TFormatType type);
    int SigDigs() const { return field_.SigDigs(); }
    void SetSigDigs(int digits);
    TUnitsType UnitsType() const { return field_.UnitsType(); }
    void SetUnitsType(TUnitsType kind);
    int UnitsValue() const { return field_.UnitsValue(); }
    void SetUnitsValue(int index);
    int UnitsBase() const { return field_.UnitsBase(); }
    void SetUnitsBase(int index);
    double RangeLo() const { return field_.RangeLo(); }
    void SetRangeLo(double lo);
    double RangeHi() const { return field_.RangeHi(); }
    void SetRangeHi(double hi);
    // The label that shows the unit. A TFmtEditLabel also links the field, so a
    // click on it changes this field's unit.
    QLabel* UnitsLabel() const { return unitsLabel_; }
    void SetUnitsLabel(QLabel* label);

    // The user changed the text since the field last received the focus.
    bool Modified() const { return field_.Modified(); }
    void SetModified(bool modified);

    double Factor() const { return field_.Factor(); }
    double Offset() const { return field_.Offset(); }
    int Decimals() const { return field_.Decimals(); }
    const TFmtField& Field() const { return field_; }

    // Applies a pending entry exactly as leaving the field would, raises OnExit,
    // then clears Modified. For the focused field before a command that reads
    // all fields.
    void CommitEdit();

    // Ctrl+C, Ctrl+V and Ctrl+X belong to the field (copy, cut and paste of its
    // text) unless they are given to the window, whose menu shortcuts then fire
    // while the field has the focus.
    bool ClipboardKeysToWindow() const { return clipboardKeysToWindow_; }
    void SetClipboardKeysToWindow(bool toWindow) { clipboardKeysToWindow_ = toWindow; }

    // Overridable steps of an edit.
    virtual bool CanEdit() const { return true; }
    virtual void Revert();
    virtual bool ValidateText(const QString& text);
    virtual void InvalidEntry();
    // Commits a pending edit; false when it had to be clamped (the field beeps
    // and keeps the focus).
    virtual bool ApplyEdit();

signals:
    void OnEnter(TFmtEdit* sender);
    void OnExit(TFmtEdit* sender);
    void OnUnitsEdited(TFmtEdit* sender); // the user picked a unit through the label

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    friend class TFmtEditLabel;
    void UnitPicked(int index);

    template <class Op>
    auto Edit(Op op);
    void PullState();
    void PushState();
    void RefreshUnitsLabel();
    void TakeFocusBack();
    void ShowReadOnlyLook();

    TFmtField field_;
    QPointer<QLabel> unitsLabel_;
    bool clipboardKeysToWindow_ = false;
    bool inEdit_ = false;
};

// Gives Ctrl+C, Ctrl+V and Ctrl+X of every formatted field of the window to the
// window (toWindow) or back to the fields.
void SetClipboardKeysToWindow(QWidget* window, bool toWindow);
