// The clipboard exchange text: the cycle as 34 lines of key=value.
#include "core/cliptext.h"

#include "core/cycle.h"
#include "core/cyclefields.h"
#include "core/errors.h"
#include "core/numtext.h"

namespace {

constexpr size_t kClipLines = 34;
constexpr size_t kFirstNumberLine = 2; // zero-based: line 3 of the text

// The value of a line: the text after its first "=", or the whole line; blanks removed.
std::string_view LineValue(std::string_view line)
{
    const size_t eq = line.find('=');
    return TrimBlanks(eq == std::string_view::npos ? line : line.substr(eq + 1));
}

void TakeBool(std::string_view text, bool& flag)
{
    if (SameText(text, "true"))
        flag = true;
    else if (SameText(text, "false"))
        flag = false;
    else if (const auto v = ParseReal(text))
        flag = *v != 0.0;
}

// A text cut short (a partial copy, a truncated e-mail) is refused as a whole; the
// message says so in the technician's words and how much of it arrived.
[[noreturn]] void ThrowIncompleteText(size_t lines)
{
    throw ListIndexError("The text on the clipboard is not a complete Kelvora cycle (" + std::to_string(lines) +
                         " of " + std::to_string(kClipLines) + " lines).");
}

} // namespace

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find_first_of("\r\n", pos);
        if (eol == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (text[eol] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

std::string JoinTextLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> TKelvora::GetClipText()
{
    std::vector<std::string> lines;
    lines.reserve(kClipLines);
    lines.push_back(VersionText());
    rnum = lib_->GetName();
    lines.push_back("rnum=" + rnum);
    for (const auto& n : kCycleNumbers)
        lines.push_back(FormatNumber(std::string(n.clipKey) + "=%0.3f", this->*n.field));
    lines.push_back(FormatNumber("DutyBasis=%d", DutyBasis));
    lines.push_back(std::string("LinkTeSST=") + (LinkTeSST ? "True" : "False"));
    lines.push_back(std::string("LinkTcSDT=") + (LinkTcSDT ? "True" : "False"));
    return lines;
}

void TKelvora::PutClipText(const std::vector<std::string>& lines)
{
    if (lines.empty())
        ThrowIncompleteText(0);
    if (!SameText(lines[0], VersionText()))
        return;
    // A short text is refused before anything changes, not half pasted.
    if (lines.size() < kClipLines)
        ThrowIncompleteText(lines.size());

    const std::string_view refLine = lines[1];
    const size_t eq = refLine.find('=');
    if (eq == std::string_view::npos || !SameText(TrimBlanks(refLine.substr(0, eq)), "rnum"))
        throw DataFormatError("Invalid refrigerant!");
    const std::string name(TrimBlanks(refLine.substr(eq + 1)));
    lib_->SelectByName(name);
    rnum = name;

    size_t line = kFirstNumberLine;
    for (const auto& n : kCycleNumbers)
        if (const auto v = ParseReal(LineValue(lines[line++])))
            this->*n.field = *v;
    if (const auto v = ParseInteger(LineValue(lines[line++])))
        DutyBasis = *v;
    TakeBool(LineValue(lines[line++]), LinkTeSST);
    TakeBool(LineValue(lines[line++]), LinkTcSDT);
}
