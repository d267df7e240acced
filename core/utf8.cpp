#include "core/utf8.h"

#include <algorithm>

char32_t NextUtf8(std::string_view text, std::size_t& at)
{
    constexpr char32_t kMalformed = U'\uFFFD';
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++at;
        return kMalformed;
    }
    for (int k = 1; k <= extra; ++k) {
        if (at + k >= text.size() || (byte(at + k) & 0xC0) != 0x80) {
            ++at;
            return kMalformed;
        }
        cp = (cp << 6) | (byte(at + k) & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000}; // shorter forms are overlong
    at += extra + 1;
    if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kMalformed;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Latin1ToUtf8(std::string_view bytes)
{
    const auto isHigh = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
    // A high byte takes two bytes in UTF-8, an ASCII byte one: the size is known
    // before anything is written, and ASCII runs (most of a library file) are
    // copied whole.
    const auto high = static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(), isHigh));
    std::string out(bytes.size() + high, '\0');
    char* to = out.data();
    for (auto at = bytes.begin(); at != bytes.end();) {
        const auto run = std::find_if(at, bytes.end(), isHigh);
        to = std::copy(at, run, to);
        for (at = run; at != bytes.end() && isHigh(*at); ++at) {
            const auto b = static_cast<unsigned char>(*at);
            *to++ = static_cast<char>(0xC0 | (b >> 6));
            *to++ = static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::string FileTextToUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t start = at;
        if (NextUtf8(bytes, at) == U'\uFFFD' && bytes.substr(start, at - start) != "\xEF\xBF\xBD")
            return Latin1ToUtf8(bytes);
    }
    return std::string(bytes);
}
