#pragma once

#include <optional>
#include <string>

#include "units/fmttext.h"
#include "units/unitconv.h"

// The designed properties of one formatted field, as a window lists them in its
// field table. Applied in the order FormatStr, FormatType, SigDigs, UnitsType,
// UnitsBase, (UnitsLabel), UnitsValue, RangeHi, RangeLo, Text, so the catalogue
// format and unit label are in place and the design text stays on show until the
// window first writes Value.
struct TFmtEditDesign {
    TUnitsType kind = utNone;
    int unitsValue = 0; // the display unit shown first
    TFormatType formatType = ft_Fixed;
    std::string format = "%0.1f";
    int sigDigs = 5;
    double rangeLo = 0; // internal units; both 0: no range
    double rangeHi = 0;
    std::string text {}; // design text
    bool readOnly = false;
    int unitsBase = 0; // the internal unit's index; 0 for every field of this program
};

// What a typed character did.
enum TKeyResult {
    krIgnored,  // read-only field: nothing happens
    krAccepted, // the character went into the text
    krRejected, // not a character of this format: the caller beeps
};

// The state and rules of one formatted numeric field, without any window: the
// number in internal units, the display unit, the text with its caret and
// selection, and the edit in progress (Modified, the text at entry).
// Text positions count characters (Unicode code points), not bytes.
class TFmtField {
public:
    // Designed properties. Setting FormatStr, FormatType, SigDigs, the range or
    // the text only stores; the text follows on the next Value write, unit change
    // or commit. Setting a unit kind or index converts the shown text.
    const std::string& FormatStr() const { return formatStr_; }
    void SetFormatStr(const std::string& format) { formatStr_ = format; }
    TFormatType FormatType() const { return formatType_; }
    void SetFormatType(TFormatType type) { formatType_ = type; }
    int SigDigs() const { return sigDigs_; }
    void SetSigDigs(int digits) { sigDigs_ = digits; }
    TUnitsType UnitsType() const { return unitsType_; }
    void SetUnitsType(TUnitsType kind);
    int UnitsValue() const { return unitsValue_; }
    void SetUnitsValue(int index);
    int UnitsBase() const { return unitsBase_; }
    void SetUnitsBase(int index);
    double RangeLo() const { return rangeLo_; }
    void SetRangeLo(double lo) { rangeLo_ = lo; }
    double RangeHi() const { return rangeHi_; }
    void SetRangeHi(double hi) { rangeHi_ = hi; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Everything of the design but the label, in the designed order.
    void Apply(const TFmtEditDesign& design);

    // The current conversion (shown = offset + factor * value) and the unit's label.
    double Factor() const { return factor_; }
    double Offset() const { return offset_; }
    int Decimals() const { return decimals_; }
    const std::string& UnitLabel() const { return unitLabel_; }

    // The number in internal units, read from the text. Text that does not read
    // as a number (pasted letters, a lone ".") gives the last number the text held.
    double Value() const;
    // Shows v in the display unit; no range check, Modified untouched. A number
    // that cannot be formatted leaves the text empty. With no edit pending it is
    // also the text Escape returns to.
    void SetValue(double v);

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    const std::string& EntryText() const { return entryText_; }

    int Caret() const { return caret_; }
    int SelStart() const { return selLength_ > 0 ? selStart_ : caret_; }
    int SelLength() const { return selLength_; }
    void SetCaret(int pos);
    void SetSelection(int start, int length);

    // Rereads the conversion for the current kind and unit and shows the same
    // quantity in it. While the text still shows the number last written through
    // SetValue, that number converts at full precision.
    void UpdateUnits();
    // Cleans, clamps and rewrites text into the field; false when the number
    // had to be moved to a range limit. Text that is no number stays as it is.
    bool ValidateText(const std::string& text);
    // Commits a pending edit; false when it was clamped (the caller keeps the
    // focus and beeps).
    bool ApplyEdit();
    // The field received the focus: the edit starts here.
    void FocusEntered();
    // Escape: back to the text at entry.
    void Revert();
    // One typed character, with the caret and selection as they are.
    TKeyResult KeyChar(char32_t ch);
    // Backspace: removes the character before the caret, or before the selection.
    void Backspace();

private:
    void StoreText(const std::string& text);
    void ReplaceChars(int start, int length, const std::string& with);
    int TextLength() const;
    std::optional<double> InternalValue(double shown) const;
    std::string ShownText(double v) const;
    std::optional<double> ValueOfText(const std::string& text) const;

    std::string formatStr_ = "%0.1f";
    TFormatType formatType_ = ft_Fixed;
    int sigDigs_ = 5;
    TUnitsType unitsType_ = utNone;
    int unitsValue_ = 0;
    int unitsBase_ = 0;
    double factor_ = 1;
    double offset_ = 0;
    int decimals_ = 0;
    double rangeLo_ = 0;
    double rangeHi_ = 0;
    bool readOnly_ = false;
    std::string unitLabel_;

    std::string text_;
    double lastValue_ = 0;
    // The number last written through SetValue and the text it gave.
    bool held_ = false;
    double heldValue_ = 0;
    std::string heldText_;
    bool modified_ = false;
    std::string entryText_;
    int caret_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
};
