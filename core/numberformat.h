#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The one numeric conversion of a printf-style format held as data ("%0.3f",
// "T=%5.1f K", "100%% %3D"): "%", flags from "-+ 0", a width, "." and a
// precision, then the conversion letter. "%%" is literal text. Both the number
// text of the core and the formatted field's text rules read formats through it,
// so that they agree on what a format is.
struct TNumberConversion {
    std::size_t begin = 0; // position of the "%"
    std::size_t end = 0;   // one past the conversion letter
    bool left = false, plus = false, space = false, zero = false;
    int width = 0;
    int precision = -1; // -1: none given
    char letter = 0;    // as written; which letters a caller takes is its own rule
};

// The conversion of `format`, or nothing when it holds none, more than one, one
// without a letter, a flag outside "-+ 0" (the "#" of printf included) or a
// width or precision of 1000 or more.
std::optional<TNumberConversion> FindNumberConversion(std::string_view format);
