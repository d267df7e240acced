// Text of the Windows era as UTF-8: each ISO 8859-1 byte its own character,
// whatever the runs of ASCII and high bytes, and files of either era told apart.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/utf8.h"

namespace {

// ISO 8859-1 byte b is code point U+00b: one UTF-8 byte below 0x80, two from it.
std::string ByteByByte(std::string_view bytes)
{
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

} // namespace

TEST(Latin1ToUtf8, GivesEachByteItsCharacterInAnyMixOfRuns)
{
    using namespace std::string_literals;
    struct TCase {
        std::string bytes;
        std::string utf8;
    };
    const TCase cases[] = {
        {"", ""},
        {"R134a", "R134a"},
        {"\xB0", "\xC2\xB0"},                         // °
        {"\xFF\x80", "\xC3\xBF\xC2\x80"},             // the ends of the high half
        {"K\xE4lte", "K\xC3\xA4lte"},                 // a high byte inside a run
        {"\xE4\xF6\xFC", "\xC3\xA4\xC3\xB6\xC3\xBC"}, // high bytes only
        {"\xB5Pa\xB7s at 40\xB0"
         "C",
         "\xC2\xB5Pa\xC2\xB7s at 40\xC2\xB0"
         "C"},                              // at both ends of ASCII runs
        {"a\0b\xE9\0"s, "a\0b\xC3\xA9\0"s}, // NUL bytes are characters too
        {"\x7F\x80", "\x7F\xC2\x80"},       // the last ASCII byte and the first high one
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(Latin1ToUtf8(c.bytes), c.utf8);
        EXPECT_EQ(ByteByByte(c.bytes), c.utf8) << "the reference itself";
    }

    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Latin1ToUtf8(all), ByteByByte(all));

    // Runs of every length from 0 to 40 of both kinds, in a seeded mix.
    std::mt19937 random(20);
    for (int n = 0; n < 200; ++n) {
        std::string text;
        while (text.size() < 300) {
            const bool high = random() % 2;
            for (unsigned k = random() % 41; k > 0; --k)
                text += static_cast<char>(high ? 0x80 + random() % 128 : random() % 128);
        }
        ASSERT_EQ(Latin1ToUtf8(text), ByteByByte(text)) << n;
    }
}

TEST(FileTextToUtf8, KeepsValidUtf8AndReadsAnythingElseByteByByte)
{
    EXPECT_EQ(FileTextToUtf8("K\xC3\xA4lte \xEF\xBF\xBD"), "K\xC3\xA4lte \xEF\xBF\xBD") << "U+FFFD written as such";
    EXPECT_EQ(FileTextToUtf8("K\xE4lte"), "K\xC3\xA4lte");
    EXPECT_EQ(FileTextToUtf8("\xC3\xA4 and \xE4"), "\xC3\x83\xC2\xA4 and \xC3\xA4") << "one stray byte: all of it";
}
