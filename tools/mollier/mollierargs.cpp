#include "tools/mollier/mollierargs.h"

#include "core/errors.h"
#include "core/numtext.h"

namespace {

constexpr size_t kWords = 6;

std::vector<std::string> SplitBlanks(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

double Real(const std::string& word)
{
    const auto value = ParseReal(word);
    if (!value)
        ThrowConversion(word);
    return *value;
}

} // namespace

TMollierArgs ParseMollierArgs(const std::vector<std::string>& words)
{
    std::vector<std::string> all;
    for (const auto& w : words)
        for (auto& piece : SplitBlanks(w))
            all.push_back(std::move(piece));
    if (all.size() != kWords)
        throw ConversionError("The Mollier chart takes 6 values (refrigerant position, Ie, SST, dew temperature at HP, "
                              "sh, sc), not " +
                              std::to_string(all.size()) + ".");
    TMollierArgs a;
    const auto position = ParseInteger(all[0]);
    if (!position)
        ThrowConversion(all[0], "integer");
    a.Position = *position;
    a.Ie = Real(all[1]);
    a.SST = Real(all[2]);
    a.DewTHP = Real(all[3]);
    a.sh = Real(all[4]);
    a.sc = Real(all[5]);
    return a;
}

TMollierArgs ParseMollierText(const std::string& text)
{
    return ParseMollierArgs({text});
}
