#include "core/numberformat.h"

#include <cctype>

namespace {

bool IsDigit(char ch)
{
    return std::isdigit(static_cast<unsigned char>(ch)) != 0;
}

} // namespace

std::optional<TNumberConversion> FindNumberConversion(std::string_view f)
{
    std::optional<TNumberConversion> found;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%')
            continue;
        if (i + 1 < f.size() && f[i + 1] == '%') {
            ++i;
            continue;
        }
        if (found)
            return std::nullopt; // a second conversion
        TNumberConversion c;
        c.begin = i++;
        for (; i < f.size(); ++i) {
            const char ch = f[i];
            if (ch == '-')
                c.left = true;
            else if (ch == '+')
                c.plus = true;
            else if (ch == ' ')
                c.space = true;
            else if (ch == '0')
                c.zero = true;
            else
                break;
        }
        while (i < f.size() && IsDigit(f[i]) && c.width < 1000)
            c.width = c.width * 10 + (f[i++] - '0');
        if (i < f.size() && f[i] == '.') {
            ++i;
            c.precision = 0;
            while (i < f.size() && IsDigit(f[i]) && c.precision < 1000)
                c.precision = c.precision * 10 + (f[i++] - '0');
        }
        if (i >= f.size() || c.width >= 1000 || c.precision >= 1000)
            return std::nullopt;
        if (!std::isalpha(static_cast<unsigned char>(f[i])))
            return std::nullopt; // "#", a stray "." or digit: not a conversion letter
        c.letter = f[i];
        c.end = i + 1;
        found = c;
    }
    return found;
}
