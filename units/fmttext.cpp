#include "units/fmttext.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "core/errors.h"
#include "core/numberformat.h"
#include "core/numtext.h"
#include "units/unitconv.h"

namespace {

bool IsDigit(char32_t ch)
{
    return ch >= '0' && ch <= '9';
}

// Position of the conversion letter of the format's one conversion, or npos.
size_t ConversionLetterPos(std::string_view f)
{
    const auto c = FindNumberConversion(f);
    return c ? c->end - 1 : std::string_view::npos;
}

char ConversionLetter(std::string_view f)
{
    const size_t p = ConversionLetterPos(f);
    return p == std::string_view::npos ? 0 : f[p];
}

// An exponent whose magnitude exceeds 300 cannot be meant; its first two
// characters are ("1E999" reads 1E99, "1E-500" reads 1E-5).
bool ExponentTooLarge(std::string_view e)
{
    if (!e.empty() && (e.front() == '-' || e.front() == '+'))
        e.remove_prefix(1);
    if (e.empty())
        return false;
    for (char ch : e)
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    unsigned long long v = 0;
    const auto r = std::from_chars(e.data(), e.data() + e.size(), v);
    return r.ec == std::errc::result_out_of_range || v > 300;
}

} // namespace

TNumberFormatKind NumberFormatKind(std::string_view format)
{
    switch (ConversionLetter(format)) {
    case 'd':
    case 'D':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
        return nfInteger;
    case 'f':
    case 'F':
        return nfFixed;
    case 'g':
    case 'G':
    case 'e':
    case 'E':
        return nfGeneral;
    default:
        return nfOther;
    }
}

std::string NormaliseNumberText(std::string_view text)
{
    std::string s;
    for (char ch : text)
        if (ch != ' ' && ch != '\t')
            s += ch;
    if (s.empty())
        return "0";

    std::string t;
    bool haveE = false;
    for (char ch : s) {
        if (ch == 'e' || ch == 'E') {
            if (haveE)
                continue;
            haveE = true;
            ch = 'E';
        }
        t += ch;
    }

    // A minus sign belongs at the front or right after the exponent mark.
    s.clear();
    for (size_t i = 0; i < t.size(); ++i) {
        if (i > 0 && t[i] == '-' && s.back() != 'E')
            continue;
        s += t[i];
    }
    if (s == "-")
        return "0";

    t.clear();
    bool haveDot = false;
    for (char ch : s) {
        if (ch == '.') {
            if (haveDot)
                continue;
            haveDot = true;
        }
        t += ch;
    }

    if (t.front() == 'E')
        t.insert(0, "1");

    const size_t e = t.find('E');
    if (e != std::string::npos) {
        std::string exponent = t.substr(e + 1);
        if (const size_t dot = exponent.find('.'); dot != std::string::npos)
            exponent.erase(dot, 1);
        if (ExponentTooLarge(exponent))
            exponent.resize(2);
        t = t.substr(0, e + 1) + exponent;
    }
    return t;
}

std::optional<double> ParseNumberText(std::string_view text)
{
    return ParseReal(NormaliseNumberText(text));
}

std::string SigDigitsFormat(int sig, int maxdec, double x)
{
    if (maxdec < 0)
        maxdec = 0;
    const std::string s = FormatNumber("%0." + std::to_string(maxdec) + "f", x);
    const size_t dot = s.find('.');
    const int n = static_cast<int>(dot == std::string::npos ? s.size() : dot);
    int d = 0;
    if (n == 1) {
        // Below ten: three decimals, or down to the first significant decimal of a small number.
        d = 3;
        for (size_t i = 2; i < s.size(); ++i)
            if (s[i] != '0') {
                d = static_cast<int>(i) + 1;
                break;
            }
    } else if (n < sig) {
        d = sig - n;
    }
    if (d > maxdec)
        d = maxdec;
    return "%0." + std::to_string(d) + "f";
}

int FormatDecimals(std::string_view format)
{
    const size_t dot = format.find('.');
    if (dot == std::string_view::npos || dot + 1 >= format.size() || !IsDigit(format[dot + 1]))
        return 0;
    return format[dot + 1] - '0';
}

bool ClampToRange(double offset, double factor, double rangeLo, double rangeHi, double& x)
{
    const double lo = ToDisplayUnits(offset, factor, rangeLo);
    const double hi = ToDisplayUnits(offset, factor, rangeHi);
    if (std::fabs(lo - hi) < 0.00001 || (lo == 0 && hi == 0))
        return true;
    // Half a percent beyond a limit is a reading, not a typo; a zero limit has no such margin.
    if (x < lo) {
        if (lo != 0 && std::fabs((lo - x) / lo) <= 0.005)
            return true;
        x = lo;
        return false;
    }
    if (x > hi) {
        if (hi != 0 && std::fabs((x - hi) / hi) <= 0.005)
            return true;
        x = hi;
        return false;
    }
    return true;
}

std::string FormatShownNumber(double x, std::string_view format, TFormatType type, int sigDigs, int decimals)
{
    if (!std::isfinite(x))
        throw ConversionError("Number not finite");
    if (NumberFormatKind(format) == nfInteger) {
        const double r = std::nearbyint(x);
        if (std::fabs(r) > 9.0e18)
            throw ConversionError("Number too large for format '" + std::string(format) + "'");
        // "%D" is the designers' spelling of "%d".
        std::string f(format);
        if (const size_t p = ConversionLetterPos(f); f[p] == 'D')
            f[p] = 'd';
        return FormatNumber(f, static_cast<long long>(r));
    }
    const bool automatic = type == ft_Auto || (type == ft_AutoOverride && std::pow(10.0, 2 - decimals) > x);
    if (automatic)
        return FormatNumber(SigDigitsFormat(sigDigs, 12, x), x);
    return FormatNumber(format, x);
}

bool AcceptsCharacter(std::string_view format, char32_t ch)
{
    switch (NumberFormatKind(format)) {
    case nfInteger:
        return IsDigit(ch) || ch == '-';
    case nfFixed:
        return IsDigit(ch) || ch == '-' || ch == '.';
    case nfGeneral:
        return IsDigit(ch) || ch == '-' || ch == '.' || ch == 'e' || ch == 'E';
    default:
        return true;
    }
}
