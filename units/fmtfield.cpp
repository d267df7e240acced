#include "units/fmtfield.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "core/utf8.h"

namespace {

bool IsContinuationByte(char ch)
{
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

int CharCount(const std::string& s)
{
    return static_cast<int>(std::count_if(s.begin(), s.end(), [](char ch) { return !IsContinuationByte(ch); }));
}

// Byte position of character `chars` in UTF-8 text.
size_t ByteOffset(const std::string& s, int chars)
{
    size_t i = 0;
    for (; i < s.size() && chars > 0; --chars)
        while (++i < s.size() && IsContinuationByte(s[i])) {
        }
    return i;
}

std::string Utf8(char32_t ch)
{
    std::string out;
    AppendUtf8(out, ch);
    return out;
}

} // namespace

void TFmtField::SetUnitsType(TUnitsType kind)
{
    unitsType_ = kind;
    unitsValue_ = ClampUnitIndex(kind, unitsValue_);
    unitsBase_ = ClampUnitIndex(kind, unitsBase_);
    factor_ = 1;
    offset_ = 0;
    UpdateUnits();
}

void TFmtField::SetUnitsValue(int index)
{
    unitsValue_ = ClampUnitIndex(unitsType_, index);
    UpdateUnits();
}

void TFmtField::SetUnitsBase(int index)
{
    unitsBase_ = ClampUnitIndex(unitsType_, index);
    UpdateUnits();
}

void TFmtField::Apply(const TFmtEditDesign& design)
{
    SetFormatStr(design.format);
    SetFormatType(design.formatType);
    SetSigDigs(design.sigDigs);
    SetUnitsType(design.kind);
    SetUnitsBase(design.unitsBase);
    SetUnitsValue(design.unitsValue);
    SetRangeHi(design.rangeHi);
    SetRangeLo(design.rangeLo);
    SetText(design.text);
    SetReadOnly(design.readOnly);
}

std::optional<double> TFmtField::InternalValue(double shown) const
{
    double v = FromDisplayUnits(offset_, factor_, shown);
    if (NumberFormatKind(formatStr_) == nfInteger)
        v = std::nearbyint(v); // halves to even
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

double TFmtField::Value() const
{
    if (const auto shown = ParseNumberText(text_))
        if (const auto v = InternalValue(*shown))
            return *v;
    return lastValue_;
}

std::string TFmtField::ShownText(double v) const
{
    try {
        return FormatShownNumber(ToDisplayUnits(offset_, factor_, v), formatStr_, formatType_, sigDigs_, decimals_);
    } catch (const KelvoraError&) {
        return "";
    }
}

void TFmtField::SetValue(double v)
{
    SetText(ShownText(v));
    // With no edit pending the program's number is what Escape comes back to.
    if (!modified_)
        entryText_ = text_;
    held_ = true;
    heldValue_ = v;
    heldText_ = text_;
}

std::optional<double> TFmtField::ValueOfText(const std::string& text) const
{
    if (held_ && text == heldText_)
        return heldValue_;
    const auto shown = ParseNumberText(text);
    return shown ? InternalValue(*shown) : std::nullopt;
}

void TFmtField::StoreText(const std::string& text)
{
    text_ = text;
    // An emptied field or a lone "-" reads 0, but the number before it is the
    // one to fall back on while the user types the next.
    if (text_.find_first_of("0123456789") == std::string::npos)
        return;
    if (const auto shown = ParseNumberText(text_))
        if (const auto v = InternalValue(*shown))
            lastValue_ = *v;
}

void TFmtField::SetText(const std::string& text)
{
    StoreText(text);
    caret_ = TextLength();
    selLength_ = 0;
}

int TFmtField::TextLength() const
{
    return CharCount(text_);
}

void TFmtField::SetCaret(int pos)
{
    caret_ = std::clamp(pos, 0, TextLength());
    selLength_ = 0;
}

void TFmtField::SetSelection(int start, int length)
{
    const int n = TextLength();
    selStart_ = std::clamp(start, 0, n);
    selLength_ = std::clamp(length, 0, n - selStart_);
    caret_ = selStart_ + selLength_;
}

void TFmtField::UpdateUnits()
{
    const TFmtField before = *this;
    try {
        // A number the window wrote converts at full precision, so switching
        // units back and forth never drifts.
        const double v = ValueOfText(text_).value_or(lastValue_);
        // The text at entry follows the unit too, so that Escape after a unit
        // change brings back the same quantity, not the same digits.
        const auto entryValue = ValueOfText(entryText_);

        std::string format;
        GetUnitConversion(unitsType_, unitsValue_, unitsBase_, format, offset_, factor_, unitLabel_);
        if (formatType_ != ft_Manual && unitsType_ != utNone)
            formatStr_ = format;
        decimals_ = FormatDecimals(formatStr_);

        if (entryValue)
            entryText_ = ShownText(*entryValue);
        SetValue(v);
    } catch (const KelvoraError&) {
        *this = before;
    }
}

bool TFmtField::ValidateText(const std::string& text)
{
    const auto parsed = ParseNumberText(text);
    if (!parsed)
        return true;
    double x = *parsed;
    const bool inRange = ClampToRange(offset_, factor_, rangeLo_, rangeHi_, x);
    std::string shown;
    try {
        shown = FormatShownNumber(x, formatStr_, formatType_, sigDigs_, decimals_);
    } catch (const KelvoraError&) {
        return true;
    }
    if (shown != text_)
        SetText(shown);
    modified_ = true;
    return inRange;
}

bool TFmtField::ApplyEdit()
{
    return !(modified_ && !ValidateText(text_));
}

void TFmtField::FocusEntered()
{
    modified_ = false;
    entryText_ = text_;
}

void TFmtField::Revert()
{
    if (!modified_)
        return;
    if (text_ != entryText_)
        SetText(entryText_);
    modified_ = false;
}

void TFmtField::ReplaceChars(int start, int length, const std::string& with)
{
    const size_t from = ByteOffset(text_, start);
    const size_t to = ByteOffset(text_, start + length);
    StoreText(text_.substr(0, from) + with + text_.substr(to));
}

TKeyResult TFmtField::KeyChar(char32_t ch)
{
    if (readOnly_)
        return krIgnored;
    modified_ = true;
    if (selLength_ >= 2) {
        const int start = selStart_;
        ReplaceChars(start, selLength_, "");
        SetCaret(start);
    }
    if (!AcceptsCharacter(formatStr_, ch))
        return krRejected;
    const int at = SelStart();
    ReplaceChars(at, selLength_, Utf8(ch));
    SetCaret(at + 1);
    return krAccepted;
}

void TFmtField::Backspace()
{
    if (readOnly_)
        return;
    modified_ = true;
    // The character before the selection goes, not the selection itself.
    const int at = SelStart();
    if (at == 0)
        return;
    ReplaceChars(at - 1, 1, "");
    SetCaret(at - 1);
}
