#include "core/inifile.h"

#include "core/errors.h"
#include "core/numtext.h"
#include "core/utf8.h"
#include "core/wholefile.h"

TIniFile TIniFile::Load(const std::string& path)
{
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const FileError&) {
        return {}; // missing, or a folder or a device that cannot be read: no file
    }
    // Names and texts enter the program's text encoding here, once, so that a
    // name shown, saved in a project and selected again is the same text.
    TIniFile ini = FromText(FileTextToUtf8(bytes));
    ini.exists_ = true;
    return ini;
}

TIniFile TIniFile::FromText(std::string_view text)
{
    TIniFile ini;
    ini.exists_ = true;
    Section* current = nullptr;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t eol = text.find_first_of("\r\n", pos);
        if (eol == std::string_view::npos)
            eol = text.size();
        std::string_view line = TrimBlanks(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (eol < text.size() && text[eol] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;

        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            const std::string_view name = TrimBlanks(line.substr(1, close - 1));
            // A repeated section adds to the first one.
            const auto [at, added] = ini.index_.try_emplace(LowerCase(name), ini.sections_.size());
            if (added)
                ini.sections_.push_back({std::string(name), {}});
            current = &ini.sections_[at->second];
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos)
            continue;
        const std::string_view key = TrimBlanks(line.substr(0, eq));
        if (key.empty())
            continue;
        current->entries.push_back({std::string(key), std::string(TrimBlanks(line.substr(eq + 1)))});
    }
    return ini;
}

const TIniFile::Section* TIniFile::Find(std::string_view section) const
{
    const auto at = index_.find(LowerCase(section));
    return at == index_.end() ? nullptr : &sections_[at->second];
}

std::vector<std::string> TIniFile::SectionNames() const
{
    std::vector<std::string> names;
    size_t used = 0;
    for (const auto& s : sections_) {
        // Each name takes its length plus one separator in the block.
        if (used + s.name.size() + 1 > SectionNameBlock)
            break;
        used += s.name.size() + 1;
        names.push_back(s.name);
    }
    return names;
}

bool TIniFile::SectionExists(std::string_view section) const
{
    const Section* s = Find(section);
    return s && !s->entries.empty();
}

std::vector<std::string> TIniFile::KeyNames(std::string_view section) const
{
    std::vector<std::string> keys;
    if (const Section* s = Find(section))
        for (const auto& e : s->entries)
            keys.push_back(e.key);
    return keys;
}

std::optional<std::string> TIniFile::ReadValue(std::string_view section, std::string_view key) const
{
    const Section* s = Find(section);
    if (!s)
        return std::nullopt;
    for (const auto& e : s->entries) {
        if (!SameText(e.key, key))
            continue;
        std::string_view v = e.value;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        if (v.size() > MaxValueLength)
            v = v.substr(0, MaxValueLength);
        return std::string(v);
    }
    return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, const std::string& def) const
{
    auto v = ReadValue(section, key);
    return v ? *v : def;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    auto v = ReadValue(section, key);
    if (!v)
        return def;
    return ParseInteger(*v).value_or(def);
}

double TIniFile::ReadReal(std::string_view section, std::string_view key, double def) const
{
    auto v = ReadValue(section, key);
    if (!v)
        return def;
    return ParseReal(*v).value_or(def);
}

std::vector<std::string> SplitCoefList(std::string_view value)
{
    std::vector<std::string> entries;
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    size_t i = 0;
    const size_t n = value.size();
    while (i < n && blank(value[i]))
        ++i;
    if (i == n)
        return entries;
    while (true) {
        std::string entry;
        if (i < n && value[i] == '"') {
            ++i;
            while (i < n && value[i] != '"')
                entry += value[i++];
            if (i < n)
                ++i; // closing mark
        }
        while (i < n && value[i] != ',' && !blank(value[i]))
            entry += value[i++];
        entries.push_back(entry);
        // One separator: a comma with blanks around it, or a run of blanks alone.
        while (i < n && blank(value[i]))
            ++i;
        if (i >= n)
            break;
        if (value[i] == ',') {
            ++i;
            while (i < n && blank(value[i]))
                ++i;
            if (i >= n) {
                entries.emplace_back(); // a comma at the very end
                break;
            }
        }
    }
    return entries;
}

bool ReadCoefList(const TIniFile& ini, std::string_view section, std::string_view key, double* values, size_t count)
{
    const auto text = ini.ReadValue(section, key);
    if (!text || text->empty())
        return false;
    const auto entries = SplitCoefList(*text);
    if (entries.size() != count)
        return false;
    bool allZero = true;
    for (const auto& e : entries)
        allZero = allZero && e == "0";
    if (allZero)
        return false;
    for (size_t k = 0; k < count; ++k) {
        const auto v = ParseReal(entries[k]);
        if (!v)
            ThrowConversion(entries[k]);
        values[k] = *v;
    }
    return true;
}
