#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program holds text as UTF-8; files of the Windows era hold one byte a character
// (ISO 8859-1) or UTF-16. These are the conversions between them.

// One code point from UTF-8 text at `at`, advancing `at`. A malformed or overlong
// sequence, a surrogate or a value beyond U+10FFFF counts as U+FFFD of one byte.
char32_t NextUtf8(std::string_view text, std::size_t& at);

void AppendUtf8(std::string& out, char32_t cp);

// Each byte one character (ISO 8859-1), as UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

// Text of a file that may be of either era: kept when it is valid UTF-8 (a file
// written on this system), otherwise each byte one character (ISO 8859-1).
std::string FileTextToUtf8(std::string_view bytes);
