#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number text with "." as the decimal separator whatever the user's locale.
// Nothing here reads the C locale: formatting goes through std::to_chars and
// parsing through std::from_chars.

// Formats one number with a printf-style format held as data ("%0.3f", "%0.6g",
// "T=%5.1f K"). The format must hold exactly one conversion; "%%" stands for "%".
// Supported: flags "-+ 0", width, precision, conversions f F e E g G for reals
// and d i u x X for integers. A format that breaks these rules raises ConversionError.
std::string FormatNumber(std::string_view format, double value);
std::string FormatNumber(std::string_view format, long long value);
inline std::string FormatNumber(std::string_view format, int value)
{
    return FormatNumber(format, static_cast<long long>(value));
}

// True when the format holds exactly one numeric conversion that FormatNumber takes.
bool IsNumberFormat(std::string_view format);

// Shortest text that reads back as the same double ("0.1", "1e-07", "1735.9656").
std::string ShortestReal(double value);
// Up to `digits` significant digits as printf's "%.*g" gives them, trailing
// zeros dropped ("412.38245", "0.0471018", "1e-07").
std::string RealToText(double value, int digits = 15);

// Decimal real: optional sign, digits with an optional "." and an optional
// exponent ("e" or "E"). No blanks, no thousands separators, no "inf" or "nan".
std::optional<double> ParseReal(std::string_view text);

// 32-bit integer: decimal with optional sign, or hexadecimal after "0x", "0X" or "$".
std::optional<int> ParseInteger(std::string_view text);

// Blanks (spaces and tabs) removed at both ends.
std::string_view TrimBlanks(std::string_view text);

// ASCII comparison without regard to case.
bool SameText(std::string_view a, std::string_view b);
std::string LowerCase(std::string_view text);
