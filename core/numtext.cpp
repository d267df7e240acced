#include "core/numtext.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/errors.h"
#include "core/numberformat.h"

namespace {

using Conversion = TNumberConversion;

[[noreturn]] void BadFormat(std::string_view format)
{
    throw ConversionError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

// The one conversion of the format, when its letter is one FormatNumber takes.
std::optional<Conversion> FindConversion(std::string_view f)
{
    const auto c = FindNumberConversion(f);
    if (!c || std::string_view("fFeEgGdiuxX").find(c->letter) == std::string_view::npos)
        return std::nullopt;
    return c;
}

bool IsRealLetter(char l)
{
    return std::string_view("fFeEgG").find(l) != std::string_view::npos;
}

std::string LiteralText(std::string_view f)
{
    std::string out;
    for (size_t i = 0; i < f.size(); ++i) {
        out += f[i];
        if (f[i] == '%' && i + 1 < f.size() && f[i + 1] == '%')
            ++i;
    }
    return out;
}

// Applies sign, width and padding to the digits of a non-negative magnitude.
std::string Pad(const Conversion& c, bool negative, std::string digits)
{
    std::string sign = negative ? "-" : c.plus ? "+"
        : c.space                              ? " "
                                               : "";
    const size_t len = sign.size() + digits.size();
    if (static_cast<int>(len) >= c.width)
        return sign + digits;
    const size_t fill = c.width - len;
    if (c.left)
        return sign + digits + std::string(fill, ' ');
    if (c.zero && std::all_of(digits.begin(), digits.end(), [](char ch) {
            return std::isxdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == 'e' || ch == 'E' || ch == '+' || ch == '-';
        }))
        return sign + std::string(fill, '0') + digits;
    return std::string(fill, ' ') + sign + digits;
}

std::string RealDigits(const Conversion& c, double magnitude)
{
    if (!std::isfinite(magnitude))
        return std::isnan(magnitude) ? "nan" : "inf";
    const int precision = c.precision < 0 ? 6 : c.precision;
    std::chars_format fmt = std::chars_format::fixed;
    switch (c.letter) {
    case 'e':
    case 'E': fmt = std::chars_format::scientific; break;
    case 'g':
    case 'G': fmt = std::chars_format::general; break;
    default: break;
    }
    const int p = (fmt == std::chars_format::general && precision == 0) ? 1 : precision;
    std::string buf(400 + static_cast<size_t>(p), '\0');
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, fmt, p);
    buf.resize(r.ptr - buf.data());
    if (c.letter == 'E' || c.letter == 'G')
        std::transform(buf.begin(), buf.end(), buf.begin(), [](char ch) { return ch == 'e' ? 'E' : ch; });
    return buf;
}

std::string Assemble(std::string_view f, const Conversion& c, const std::string& number)
{
    return LiteralText(f.substr(0, c.begin)) + number + LiteralText(f.substr(c.end));
}

} // namespace

bool IsNumberFormat(std::string_view format)
{
    return FindConversion(format).has_value();
}

std::string FormatNumber(std::string_view format, double value)
{
    const auto c = FindConversion(format);
    if (!c || !IsRealLetter(c->letter))
        BadFormat(format);
    // As printf: a negative number that rounds to zero keeps its minus ("-0.000").
    const bool negative = std::signbit(value) && !std::isnan(value);
    return Assemble(format, *c, Pad(*c, negative, RealDigits(*c, std::fabs(value))));
}

std::string FormatNumber(std::string_view format, long long value)
{
    const auto c = FindConversion(format);
    if (!c)
        BadFormat(format);
    if (IsRealLetter(c->letter))
        BadFormat(format);
    const bool negative = value < 0 && (c->letter == 'd' || c->letter == 'i');
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::array<char, 32> buf {};
    const int base = (c->letter == 'x' || c->letter == 'X') ? 16 : 10;
    const unsigned long long shown =
        (base == 16 || c->letter == 'u') ? static_cast<unsigned long long>(static_cast<std::uint32_t>(value)) : magnitude;
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), shown, base);
    std::string digits(buf.data(), r.ptr);
    if (c->letter == 'X')
        std::transform(digits.begin(), digits.end(), digits.begin(), [](char ch) { return std::toupper(ch); });
    if (c->precision > static_cast<int>(digits.size()))
        digits.insert(0, c->precision - digits.size(), '0');
    return Assemble(format, *c, Pad(*c, negative, digits));
}

std::string ShortestReal(double value)
{
    std::array<char, 64> buf {};
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return std::string(buf.data(), r.ptr);
}

std::string RealToText(double value, int digits)
{
    std::array<char, 64> buf {};
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::general, digits);
    return std::string(buf.data(), r.ptr);
}

std::optional<double> ParseReal(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars also takes "inf", "nan" and hexadecimal; only plain decimals are numbers here.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return std::nullopt;
    for (char ch : text)
        if (!(std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == 'e' || ch == 'E' || ch == '+' || ch == '-'))
            return std::nullopt;
    double v = 0.0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

std::optional<int> ParseInteger(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.size() > 1 && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-')
        return std::nullopt;
    unsigned long long v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return std::nullopt;
    long long signedValue;
    if (base == 16) {
        // Hexadecimal spells the 32-bit pattern: $FFFFFFFF is -1.
        if (v > 0xFFFFFFFFULL)
            return std::nullopt;
        signedValue = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    } else {
        if (v > 2147483648ULL)
            return std::nullopt;
        signedValue = static_cast<long long>(v);
    }
    if (negative)
        signedValue = -signedValue;
    if (signedValue < std::numeric_limits<int>::min() || signedValue > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(signedValue);
}

std::string_view TrimBlanks(std::string_view text)
{
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string LowerCase(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return out;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}
