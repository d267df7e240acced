#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text rules of the formatted numeric field: how typed text is cleaned up,
// parsed, range-clamped and rewritten. Plain functions, no window needed.

// How a field writes its number.
enum TFormatType : std::uint8_t {
    ft_Auto,         // significant digits (SigDigs)
    ft_Fixed,        // the unit's catalogue format
    ft_AutoOverride, // significant digits below 10^(2 - decimals), else the format
    ft_Manual,       // the designer's format, kept on unit changes
};

// What a printf-style format prints: decides which keys a field accepts and
// how it rounds.
enum TNumberFormatKind : std::uint8_t {
    nfOther,   // no numeric conversion: the field accepts any character
    nfInteger, // d D i u x X
    nfFixed,   // f F
    nfGeneral, // g G e E: an exponent may be typed
};
TNumberFormatKind NumberFormatKind(std::string_view format);

// Cleans typed or pasted text so that the usual slips still read as a number:
// blanks go, "e" becomes "E", stray minus signs and dots go, a lone "-" or an
// empty text is "0", a leading "E" gets a "1", an exponent above 300 is cut to
// its first two characters.
std::string NormaliseNumberText(std::string_view text);

// The number the text shows, after NormaliseNumberText; nothing when it does not
// read as a finite number (letters, a lone ".", "5E").
std::optional<double> ParseNumberText(std::string_view text);

// The fixed format ("%0.3f") that shows x with about sig significant digits,
// with at most maxdec decimals.
std::string SigDigitsFormat(int sig, int maxdec, double x);

// The precision digit of a format: "%0.3f" gives 3; no "." or no digit after it gives 0.
int FormatDecimals(std::string_view format);

// Keeps x (in display units) inside the range given in internal units. Half a
// percent beyond a non-zero limit is tolerated. A range with both limits zero,
// or of no width, is no range. Returns false after moving x to the limit.
bool ClampToRange(double offset, double factor, double rangeLo, double rangeHi, double& x);

// How a field writes the shown number x by its style: ft_Auto by significant
// digits, ft_Fixed and ft_Manual by format, ft_AutoOverride by significant digits
// below 10^(2 - decimals) (so a negative number always), else by format.
// An integer format writes the nearest integer, halves to even.
// Raises ConversionError for a format FormatNumber does not take or a number
// that is not finite.
std::string FormatShownNumber(double x, std::string_view format, TFormatType type, int sigDigs, int decimals);

// Whether a typed character may go into a field with this format.
bool AcceptsCharacter(std::string_view format, char32_t ch);
